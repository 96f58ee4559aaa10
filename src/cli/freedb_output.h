// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "freedb/job_observer.h"

namespace tw::cli {

// One album a CDDB command found, and where.
struct FoundAlbum {
    freedb::FoundIn where;
    freedb::AlbumInfo album;
};

// Watches a job for a command: the operation log, the status texts and the messages go to
// the error stream as they come; the albums found are kept in order, a retrieved record
// taking the place of its match, and the retrieved records on their own as well. The job's calls
// come one at a time, so nothing here locks; read the results after the job has ended.
class CliJobObserver final : public freedb::JobObserver {
public:
    explicit CliJobObserver(std::ostream& err) : err_(err) {}

    void onLogLine(std::string_view line) override;
    void onStatus(std::string_view text) override;
    void onAlbumFound(freedb::FoundIn where, const freedb::AlbumInfo& album) override;
    void onAlbumStored(freedb::FoundIn where, const freedb::AlbumInfo& album) override;
    void onAlbumUpdated(const freedb::AlbumInfo& album) override;
    void onMessage(Severity severity, std::string_view text) override;
    void onServerList(const std::vector<freedb::ServerRecord>& servers) override;
    void onServerStatistics(const freedb::ServerStatistics& statistics) override;
    void onFinished(bool success) override { success_ = success; }

    bool success() const { return success_; }
    const std::vector<FoundAlbum>& found() const { return found_; }
    // Every retrieved record, in the order they came.
    const std::vector<freedb::AlbumInfo>& updated() const { return updated_; }
    const std::vector<freedb::ServerRecord>& servers() const { return servers_; }
    const std::optional<freedb::ServerStatistics>& statistics() const { return statistics_; }

private:
    std::ostream& err_;
    bool success_ = false;
    std::vector<FoundAlbum> found_;
    std::vector<freedb::AlbumInfo> updated_;
    std::vector<freedb::ServerRecord> servers_;
    std::optional<freedb::ServerStatistics> statistics_;
};

// The name the command line gives a source: cdplayer, localdb, freedb, search.
std::string_view sourceName(freedb::FoundIn where);

// One album as a line of tab-separated fields: number (from 1), source, category, disc id,
// artist, title, track count; tabs, line ends and backslashes in a value are escaped.
void printAlbumLine(std::ostream& out, std::size_t number, const FoundAlbum& found);

// A text of the program's own, with its "\r\n" line ends as "\n".
std::string withLineFeeds(std::string_view text);

}  // namespace tw::cli
