// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/freedb_settings.h"

namespace tw::freedb {

int FreeDbSettings::threadLimit() const {
    return maxThreadsCount >= 1 && maxThreadsCount <= kMaxThreadsLimit ? maxThreadsCount : 1;
}

unsigned FreeDbSettings::clampTimeout(long long seconds) {
    return seconds >= 1 && seconds <= 999 ? static_cast<unsigned>(seconds) : kDefaultTimeout;
}

std::vector<ServerRecord> FreeDbSettings::serverList() const {
    return servers.empty() ? BuiltInServerList() : servers;
}

void FreeDbSettings::chooseServer(const ServerRecord& server) {
    remoteServer = server.site;
    remotePort = server.port;
    remoteHttpPath = server.address;
    setOption(kOptionHttp, server.protocol != "cddbp");
}

void FreeDbSettings::resetConnectionPage() {
    timeout = kDefaultTimeout;
    remoteServer = kDefaultServer;
    remotePort = kDefaultPort;
    remoteHttpPath = kDefaultHttpPath;
    webHost = kDefaultWebHost;
    webPort = kDefaultWebPort;
    emailAddress.clear();
    submitEmailAddress.clear();
    setOption(kOptionHttp, false);
    setOption(kOptionProxy, false);
}

void FreeDbSettings::resetAdvancedPage() {
    maxThreadsCount = kDefaultMaxThreads;
    fullLogging = false;
}

std::vector<ServerRecord> BuiltInServerList() {
    return {
        {FreeDbSettings::kDefaultServer, "cddbp", FreeDbSettings::kDefaultPort, "-", "N000.00",
         "W000.00", "Random freedb server"},
        {FreeDbSettings::kDefaultServer, "http", "80", FreeDbSettings::kDefaultHttpPath, "N000.00",
         "W000.00", "Random freedb server"},
    };
}

}  // namespace tw::freedb
