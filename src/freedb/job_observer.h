// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "freedb/album_info.h"
#include "freedb/cddb_reply.h"

namespace tw::freedb {

// Where a job found an album: the branches of the album tree and the search tab.
enum class FoundIn { CdPlayerIni, LocalDatabase, FreeDb, WebSearch };

// What a running job tells the window (or the command line). The job calls these from its
// worker threads, but never two at once, so an implementation needs no lock of its own;
// a GUI forwards each call to its own thread with a queued invocation. Calls must not wait
// for the job (for example by stopping it and waiting).
class JobObserver {
public:
    enum class Severity { Information, Error };

    virtual ~JobObserver() = default;

    // A finished line of the operation log ("[INF]...", "[ERR]...", "[DBG]..." or plain).
    virtual void onLogLine(std::string_view line) = 0;
    // The status bar's text.
    virtual void onStatus(std::string_view text) = 0;
    // An album a source holds, or a match of the CDDB query or web search.
    virtual void onAlbumFound(FoundIn where, const AlbumInfo& album) = 0;
    // A retrieved album the job stored as the settings ask, read back from that store.
    // By default it counts as found there.
    virtual void onAlbumStored(FoundIn where, const AlbumInfo& album) {
        onAlbumFound(where, album);
    }
    // A CDDB match whose record was retrieved: now with its tracks.
    virtual void onAlbumUpdated(const AlbumInfo& album) = 0;
    // A message for a message box.
    virtual void onMessage(Severity severity, std::string_view text) = 0;
    // The servers a server-list job retrieved.
    virtual void onServerList(const std::vector<ServerRecord>& servers) { (void)servers; }
    // The counters a statistics job retrieved.
    virtual void onServerStatistics(const ServerStatistics& statistics) { (void)statistics; }
    // The last call of every job: whether it did its work.
    virtual void onFinished(bool success) = 0;
};

}  // namespace tw::freedb
