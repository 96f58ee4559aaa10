// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "freedb/cddb_reply.h"

namespace tw::freedb {

// Where the album lookup takes its albums from, in the order of the settings page.
struct RetrievingOrderEntry {
    std::uint16_t source = 0;  // AlbumSource: 0 CD-player INI, 1 local database, 2 CDDB
    bool used = true;
};

// The CDDB client's settings. The connection settings live in section "CDDB" of the CD-player
// INI file, the others in section "FreeDB" of the settings store (see settings_io.h).
// A plain value: jobs take a copy when they start, so a change reaches the next job.
struct FreeDbSettings {
    // OPTIONS_CDDB bits.
    static constexpr std::uint32_t kOptionHttp = 2;
    static constexpr std::uint32_t kOptionProxy = 4;
    static constexpr std::uint32_t kOptionProxyAuth = 8;
    static constexpr std::uint32_t kOptionAskProxyPassword = 16;

    static constexpr const char* kDefaultServer = "gnudb.gnudb.org";
    static constexpr const char* kDefaultPort = "8880";
    static constexpr const char* kDefaultHttpPath = "/~cddb/cddb.cgi";
    static constexpr const char* kDefaultWebHost = "www.gnudb.org";
    static constexpr unsigned kDefaultWebPort = 80;
    static constexpr unsigned kDefaultTimeout = 30;
    static constexpr int kDefaultMaxThreads = 5;
    static constexpr int kMaxThreadsLimit = 20;

    // CD-player INI, section "CDDB"
    std::string remoteServer = kDefaultServer;
    std::string remotePort = kDefaultPort;
    std::string remoteHttpPath = kDefaultHttpPath;
    std::string proxyServer;
    std::string proxyPort;
    std::string proxyUser;
    std::string proxyPassword;
    std::string emailServer;  // kept and shown only
    std::string emailAddress;
    std::string submitEmailAddress;
    unsigned timeout = kDefaultTimeout;
    std::uint32_t options = 0;
    std::vector<ServerRecord> servers;  // empty: the built-in list applies

    // Settings store, section "FreeDB"
    bool storeRetrievedInCdPlayer = false;
    bool storeRetrievedInLocalDb = true;
    bool storeSelectedInCdPlayer = true;
    bool storeSelectedInLocalDb = true;
    std::array<RetrievingOrderEntry, 3> retrievingOrder = {{{0, true}, {1, true}, {2, true}}};
    int maxThreadsCount = kDefaultMaxThreads;
    bool fullLogging = false;

    // The database's web site, for the search and the submission ("WebHost", "WebPort").
    std::string webHost = kDefaultWebHost;
    unsigned webPort = kDefaultWebPort;

    bool useHttp() const { return (options & kOptionHttp) != 0; }
    bool useProxy() const { return (options & kOptionProxy) != 0; }
    bool useProxyAuth() const { return (options & kOptionProxyAuth) != 0; }
    bool askProxyPassword() const { return (options & kOptionAskProxyPassword) != 0; }
    void setOption(std::uint32_t bit, bool on) {
        options = on ? (options | bit) : (options & ~bit);
    }

    // The worker limit as the jobs use it: 1 to 20; anything else counts as 1.
    int threadLimit() const;
    // The time-out in seconds: 1 to 999; anything else counts as 30.
    static unsigned clampTimeout(long long seconds);

    // The stored server list, or the built-in one when none is stored.
    std::vector<ServerRecord> serverList() const;
    // Takes the server's site, port and path, and the HTTP switch from its protocol.
    void chooseServer(const ServerRecord& server);

    // Back to the defaults of each settings page.
    void resetConnectionPage();
    void resetAdvancedPage();
};

// The servers offered when no list is stored.
std::vector<ServerRecord> BuiltInServerList();

}  // namespace tw::freedb
