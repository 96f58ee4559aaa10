// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/settings_io.h"

#include <cstdint>

#include "base/settings_store.h"
#include "freedb/ini_document.h"

namespace tw::freedb {

namespace {

constexpr const char* kIniSection = "CDDB";
constexpr const char* kStoreSection = "FreeDB";
// More servers than this in a stored list are not read; a real list has a few dozen.
constexpr std::int32_t kMaxStoredServers = 1000;

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::vector<std::uint8_t> encodeOrder(const std::array<RetrievingOrderEntry, 3>& order) {
    std::vector<std::uint8_t> bytes;
    for (const RetrievingOrderEntry& entry : order) {
        const std::uint32_t value =
            entry.source | (static_cast<std::uint32_t>(entry.used ? 0xFFFF : 0) << 16);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    return bytes;
}

}  // namespace

std::string EncodeProxyPassword(std::string_view password) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    std::uint8_t sum = 0;
    for (char c : password) {
        const auto byte = static_cast<std::uint8_t>(c);
        sum = static_cast<std::uint8_t>(sum + byte);
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
    }
    out += kHex[sum >> 4];
    out += kHex[sum & 15];
    return out;
}

std::string DecodeProxyPassword(std::string_view stored) {
    if (stored.size() < 2 || stored.size() % 2 != 0)
        return {};
    std::string bytes;
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < stored.size(); i += 2) {
        const int high = hexValue(stored[i]);
        const int low = hexValue(stored[i + 1]);
        if (high < 0 || low < 0)
            return {};
        const auto byte = static_cast<std::uint8_t>(high * 16 + low);
        if (i + 2 == stored.size())
            return byte == sum ? bytes : std::string();
        sum = static_cast<std::uint8_t>(sum + byte);
        bytes += static_cast<char>(byte);
    }
    return {};
}

void ReadConnectionSettings(const IniDocument& ini, FreeDbSettings& s) {
    s.remoteServer = ini.getString(kIniSection, "RemoteServer", s.remoteServer);
    s.remotePort = ini.getString(kIniSection, "RemotePort", s.remotePort);
    s.remoteHttpPath = ini.getString(kIniSection, "RemoteHTTPPath", s.remoteHttpPath);
    s.proxyServer = ini.getString(kIniSection, "RemoteProxyServer", s.proxyServer);
    s.proxyPort = ini.getString(kIniSection, "RemoteProxyPort", s.proxyPort);
    s.proxyUser = ini.getString(kIniSection, "ProxyUser", s.proxyUser);
    s.proxyPassword = DecodeProxyPassword(ini.getString(kIniSection, "ProxyPassword", ""));
    s.emailServer = ini.getString(kIniSection, "EmailServer", s.emailServer);
    s.emailAddress = ini.getString(kIniSection, "EmailAddress", s.emailAddress);
    s.submitEmailAddress = ini.getString(kIniSection, "SubmitEmailAddress", s.submitEmailAddress);
    s.timeout = FreeDbSettings::clampTimeout(
        ini.getInt(kIniSection, "RemoteTimeout", static_cast<std::int32_t>(s.timeout)));
    s.options = static_cast<std::uint32_t>(
        ini.getInt(kIniSection, "OPTIONS_CDDB", static_cast<std::int32_t>(s.options)));
    s.servers.clear();
    const std::int32_t count = ini.getInt(kIniSection, "NumServers", 0);
    for (std::int32_t i = 0; i < count && i < kMaxStoredServers; ++i) {
        const std::string line = ini.getString(kIniSection, "Server" + std::to_string(i), "");
        if (!line.empty())
            s.servers.push_back(ParseServerLine(line));
    }
}

void WriteConnectionSettings(const FreeDbSettings& s, IniDocument& ini) {
    ini.setString(kIniSection, "RemoteServer", s.remoteServer);
    ini.setString(kIniSection, "RemotePort", s.remotePort);
    ini.setString(kIniSection, "RemoteHTTPPath", s.remoteHttpPath);
    ini.setString(kIniSection, "RemoteProxyServer", s.proxyServer);
    ini.setString(kIniSection, "RemoteProxyPort", s.proxyPort);
    ini.setString(kIniSection, "ProxyUser", s.proxyUser);
    ini.setString(kIniSection, "ProxyPassword", EncodeProxyPassword(s.proxyPassword));
    ini.setString(kIniSection, "EmailServer", s.emailServer);
    ini.setString(kIniSection, "EmailAddress", s.emailAddress);
    ini.setString(kIniSection, "SubmitEmailAddress", s.submitEmailAddress);
    ini.setInt(kIniSection, "RemoteTimeout", static_cast<std::int32_t>(s.timeout));
    ini.setInt(kIniSection, "OPTIONS_CDDB", static_cast<std::int32_t>(s.options));
}

void ReadStoredSettings(const base::SettingsStore& store, FreeDbSettings& s) {
    s.storeRetrievedInCdPlayer =
        store.getInt(kStoreSection, "StoreRetrievedAlbumsInCDPlayer", 0) != 0;
    s.storeRetrievedInLocalDb =
        store.getInt(kStoreSection, "StoreRetrievedAlbumsInLocalDB", 1) != 0;
    s.storeSelectedInCdPlayer =
        store.getInt(kStoreSection, "StoreSelectedAlbumsInCDPlayer", 1) != 0;
    s.storeSelectedInLocalDb = store.getInt(kStoreSection, "StoreSelectedAlbumsInLocalDB", 1) != 0;
    s.maxThreadsCount =
        store.getInt(kStoreSection, "MaxThreadsCount", FreeDbSettings::kDefaultMaxThreads);
    s.fullLogging = store.getInt(kStoreSection, "Logging", 0) == 1;
    s.webHost = store.getString(kStoreSection, "WebHost", "");
    if (s.webHost.empty())
        s.webHost = FreeDbSettings::kDefaultWebHost;
    const std::int32_t webPort = store.getInt(kStoreSection, "WebPort", 0);
    s.webPort = webPort >= 1 && webPort <= 65535 ? static_cast<unsigned>(webPort)
                                                 : FreeDbSettings::kDefaultWebPort;
    const std::vector<std::uint8_t> order = store.getBinary(kStoreSection, "RetrievingOrder");
    if (order.size() == 12) {
        for (std::size_t i = 0; i < 3; ++i) {
            std::uint32_t value = 0;
            for (std::size_t b = 0; b < 4; ++b)
                value |= static_cast<std::uint32_t>(order[i * 4 + b]) << (8 * b);
            s.retrievingOrder[i] = {static_cast<std::uint16_t>(value & 0xFFFF), (value >> 16) != 0};
        }
    } else {
        s.retrievingOrder = FreeDbSettings().retrievingOrder;
    }
}

void WriteStoredSettings(const FreeDbSettings& s, base::SettingsStore& store) {
    store.setInt(kStoreSection, "StoreRetrievedAlbumsInCDPlayer", s.storeRetrievedInCdPlayer);
    store.setInt(kStoreSection, "StoreRetrievedAlbumsInLocalDB", s.storeRetrievedInLocalDb);
    store.setInt(kStoreSection, "StoreSelectedAlbumsInCDPlayer", s.storeSelectedInCdPlayer);
    store.setInt(kStoreSection, "StoreSelectedAlbumsInLocalDB", s.storeSelectedInLocalDb);
    store.setInt(kStoreSection, "MaxThreadsCount", s.maxThreadsCount);
    store.setInt(kStoreSection, "Logging", s.fullLogging ? 1 : 0);
    store.setString(kStoreSection, "WebHost", s.webHost);
    store.setInt(kStoreSection, "WebPort", static_cast<std::int32_t>(s.webPort));
    store.setBinary(kStoreSection, "RetrievingOrder", encodeOrder(s.retrievingOrder));
}

StoreConfig LoadStoreConfig(const base::SettingsStore& store,
                            const std::filesystem::path& cdPlayerIni) {
    StoreConfig config;
    config.cdPlayerIni = cdPlayerIni;
    IniDocument ini;
    if (ini.load(cdPlayerIni))
        ReadConnectionSettings(ini, config.freedb);
    ReadStoredSettings(store, config.freedb);
    config.localDb = LocalDbSettings::load(store, DefaultLocalDbRoot());
    return config;
}

namespace {

// Loads the current file under its lock, lets `change` edit it and saves it, so that albums
// written meanwhile by the CD-player store are kept.
template <typename Change>
bool editIniFile(const std::filesystem::path& path, Change change) {
    const auto lock = LockIniFile(path);
    IniDocument ini;
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        if (!ini.load(path))
            return false;
    } else if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), error);
    }
    change(ini);
    return ini.save(path);
}

}  // namespace

bool SaveStoreConfig(const StoreConfig& config, base::SettingsStore& store) {
    WriteStoredSettings(config.freedb, store);
    config.localDb.save(store);
    return editIniFile(config.cdPlayerIni,
                       [&](IniDocument& ini) { WriteConnectionSettings(config.freedb, ini); });
}

bool SaveServerList(const std::filesystem::path& cdPlayerIni,
                    const std::vector<ServerRecord>& servers) {
    return editIniFile(cdPlayerIni, [&](IniDocument& ini) {
        ini.setInt(kIniSection, "NumServers", static_cast<std::int32_t>(servers.size()));
        for (std::size_t i = 0; i < servers.size(); ++i)
            ini.setString(kIniSection, "Server" + std::to_string(i), FormatServerLine(servers[i]));
    });
}

}  // namespace tw::freedb
