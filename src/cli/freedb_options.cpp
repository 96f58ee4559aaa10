// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/freedb_options.h"

#include "base/qt/qsettings_store.h"
#include "freedb/cd_player_ini_store.h"
#include "freedb/cddb_connection.h"

namespace tw::cli {

namespace {

// "HOST:PORT" into its parts; the port must be a port number.
bool splitHostPort(const std::string& text, std::string& host, std::string& port) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
    return freedb::PortNumber(port) != 0 &&
           port.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

bool applyConnectionOptions(const Args& args, freedb::StoreConfig& config, std::string& error) {
    freedb::FreeDbSettings& s = config.freedb;
    if (const std::string* server = args.value("server")) {
        if (!splitHostPort(*server, s.remoteServer, s.remotePort)) {
            error = "--server wants HOST:PORT";
            return false;
        }
    }
    if (const std::string* web = args.value("web")) {
        std::string port;
        if (!splitHostPort(*web, s.webHost, port)) {
            error = "--web wants HOST:PORT";
            return false;
        }
        s.webPort = freedb::PortNumber(port);
    }
    if (args.has("http"))
        s.setOption(freedb::FreeDbSettings::kOptionHttp, true);
    if (const std::string* proxy = args.value("proxy")) {
        if (!splitHostPort(*proxy, s.proxyServer, s.proxyPort)) {
            error = "--proxy wants HOST:PORT";
            return false;
        }
        s.setOption(freedb::FreeDbSettings::kOptionProxy, true);
    }
    if (const std::string* user = args.value("proxy-user")) {
        const std::size_t colon = user->find(':');
        s.proxyUser = user->substr(0, colon);
        s.proxyPassword = colon == std::string::npos ? "" : user->substr(colon + 1);
        s.setOption(freedb::FreeDbSettings::kOptionProxyAuth, true);
        // Nobody can be asked on the command line.
        s.setOption(freedb::FreeDbSettings::kOptionAskProxyPassword, false);
    }
    if (const std::string* timeout = args.value("timeout")) {
        const bool digits = !timeout->empty() && timeout->size() <= 3 &&
                            timeout->find_first_not_of("0123456789") == std::string::npos;
        if (!digits || std::stoi(*timeout) == 0) {
            error = "--timeout wants 1 to 999 seconds";
            return false;
        }
        s.timeout = static_cast<unsigned>(std::stoi(*timeout));
    }
    if (const std::string* log = args.value("log")) {
        if (*log != "full" && *log != "standard") {
            error = "--log is full or standard";
            return false;
        }
        s.fullLogging = *log == "full";
    }
    return true;
}

std::optional<freedb::StoreConfig> cliStoreConfig(const Args& args, std::string& error) {
    const base::QSettingsStore store;
    freedb::StoreConfig config = freedb::LoadStoreConfig(store, freedb::DefaultCdPlayerIniPath());
    if (!applyConnectionOptions(args, config, error))
        return std::nullopt;
    return config;
}

}  // namespace tw::cli
