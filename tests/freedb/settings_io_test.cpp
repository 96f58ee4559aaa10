// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <tuple>

#include "base/memory_settings_store.h"
#include "freedb/ini_document.h"
#include "freedb/settings_io.h"
#include "support/temp_dir.h"

namespace tw::freedb {
namespace {

TEST(FreeDbSettings, OutOfRangeLimitsFallBackAndChoosingAServerSetsItsProtocol) {
    for (int threads : {0, 21, -3}) {
        FreeDbSettings t;
        t.maxThreadsCount = threads;
        EXPECT_EQ(t.threadLimit(), 1) << threads;
    }
    EXPECT_EQ(FreeDbSettings::clampTimeout(1000), 30u);
    EXPECT_EQ(FreeDbSettings::clampTimeout(999), 999u);

    FreeDbSettings s;
    const std::vector<ServerRecord> servers = s.serverList();
    ASSERT_EQ(servers.size(), 2u);
    s.chooseServer(servers[1]);
    EXPECT_TRUE(s.useHttp());
    EXPECT_EQ(s.remotePort, "80");
    s.chooseServer(servers[0]);
    EXPECT_FALSE(s.useHttp());
    EXPECT_EQ(s.remoteHttpPath, "-");
}

TEST(SettingsIo, ConnectionSettingsRoundTripThroughTheCddbSection) {
    FreeDbSettings s;
    s.remoteServer = "cddb.example.test";
    s.remotePort = "8080";
    s.proxyPassword = "pa:ss wörd";
    s.emailAddress = "me@example.test";
    s.timeout = 45;
    s.options = FreeDbSettings::kOptionHttp | FreeDbSettings::kOptionProxy;
    IniDocument ini;
    ini.loadText("[12345678]\nartist=A\n");
    WriteConnectionSettings(s, ini);
    const std::string text = ini.text();
    EXPECT_NE(text.find("RemoteServer=cddb.example.test\n"), std::string::npos);
    EXPECT_NE(text.find("OPTIONS_CDDB=6\n"), std::string::npos);
    EXPECT_EQ(text.find("pa:ss"), std::string::npos);
    EXPECT_NE(text.find("[12345678]\nartist=A\n"), std::string::npos);

    FreeDbSettings read;
    ReadConnectionSettings(ini, read);
    EXPECT_EQ(std::tie(read.remoteServer, read.remotePort, read.proxyPassword, read.emailAddress),
              std::tie(s.remoteServer, s.remotePort, s.proxyPassword, s.emailAddress));
    EXPECT_EQ(read.timeout, 45u);
    EXPECT_EQ(read.options, s.options);
}

TEST(SettingsIo, BadStoredValuesGiveSafeOnes) {
    IniDocument ini;
    ini.loadText(
        "[CDDB]\nRemoteTimeout=0\nNumServers=2000000000\nServer0=a cddbp 8880 - N W d\n"
        "ProxyPassword=41424399\n");
    FreeDbSettings s;
    ReadConnectionSettings(ini, s);
    EXPECT_EQ(s.timeout, 30u);
    ASSERT_EQ(s.servers.size(), 1u);
    EXPECT_EQ(s.servers[0].site, "a");
    EXPECT_TRUE(s.proxyPassword.empty());  // the checksum does not match

    EXPECT_EQ(DecodeProxyPassword(EncodeProxyPassword("secret")), "secret");
    EXPECT_EQ(DecodeProxyPassword("XYZ"), "");
}

TEST(SettingsIo, StoredSettingsKeepTheOrderBinaryAndRejectAWrongSize) {
    base::MemorySettingsStore store;
    FreeDbSettings s;
    s.retrievingOrder = {{{2, true}, {0, false}, {1, true}}};
    s.maxThreadsCount = 9;
    s.fullLogging = true;
    s.webHost = "search.example.test";
    s.webPort = 8081;
    WriteStoredSettings(s, store);
    const std::vector<std::uint8_t> order = store.getBinary("FreeDB", "RetrievingOrder");
    EXPECT_EQ(order, (std::vector<std::uint8_t>{2, 0, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0xFF, 0xFF}));
    FreeDbSettings read;
    ReadStoredSettings(store, read);
    EXPECT_EQ(read.retrievingOrder[0].source, 2);
    EXPECT_FALSE(read.retrievingOrder[1].used);
    EXPECT_EQ(read.maxThreadsCount, 9);
    EXPECT_TRUE(read.fullLogging);
    EXPECT_EQ(read.webHost + ":" + std::to_string(read.webPort), "search.example.test:8081");

    store.setBinary("FreeDB", "RetrievingOrder", {1, 2, 3});
    store.setString("FreeDB", "WebHost", "");
    store.setInt("FreeDB", "WebPort", 70000);
    ReadStoredSettings(store, read);
    EXPECT_EQ(read.retrievingOrder[0].source, 0);
    EXPECT_TRUE(read.retrievingOrder[2].used);
    EXPECT_EQ(read.webHost, FreeDbSettings::kDefaultWebHost);
    EXPECT_EQ(read.webPort, 80u);
}

TEST(SettingsIo, SavingKeepsTheAlbumsOfTheCdPlayerFile) {
    test::TempDir dir;
    const auto path = dir / "config" / "CDPLAYER.INI";
    base::MemorySettingsStore store;
    StoreConfig config = LoadStoreConfig(store, path);
    config.freedb.remoteServer = "cddb.example.test";
    ASSERT_TRUE(SaveStoreConfig(config, store));
    {
        IniDocument ini;
        ASSERT_TRUE(ini.load(path));
        ini.setString("0d01a202", "artist", "Band");
        ASSERT_TRUE(ini.save(path));
    }
    ASSERT_TRUE(SaveServerList(path, {ParseServerLine("s1 cddbp 8880 - N W one"),
                                      ParseServerLine("s2 http 80 /p N W two")}));
    const StoreConfig read = LoadStoreConfig(store, path);
    EXPECT_EQ(read.freedb.remoteServer, "cddb.example.test");
    ASSERT_EQ(read.freedb.servers.size(), 2u);
    EXPECT_EQ(read.freedb.servers[1].description, "two");
    IniDocument ini;
    ASSERT_TRUE(ini.load(path));
    EXPECT_EQ(ini.getString("0d01a202", "artist", ""), "Band");
}

}  // namespace
}  // namespace tw::freedb
