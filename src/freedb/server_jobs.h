// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

#include "freedb/cddb_http_connection.h"
#include "freedb/freedb_job.h"

namespace tw::freedb {

// Asks a CDDB server for its list of servers ("sites"), over TCP or, with `kind` CddbHttp,
// over HTTP (with the settings' path and proxy); the list goes to the observer's
// onServerList. By default the server is the public round-robin host.
[[nodiscard]] bool RunGetServerList(JobContext& context, const std::string& host,
                                    const std::string& port, StoreKind kind = StoreKind::CddbTcp);

class GetServerListJob final : public FreeDbJob {
public:
    GetServerListJob(StoreConfig config, JobObserver& observer,
                     std::string host = FreeDbSettings::kDefaultServer,
                     std::string port = FreeDbSettings::kDefaultPort,
                     StoreKind kind = StoreKind::CddbTcp);
};

// Reads the server's statistics ("stat") over the CDDB store of the settings; they go to
// the observer's onServerStatistics.
[[nodiscard]] bool RunStatistics(JobContext& context);

class StatisticsJob final : public FreeDbJob {
public:
    StatisticsJob(StoreConfig config, JobObserver& observer, ProxyCredentialsPrompt prompt = {});
};

// Searches the database's web site (over the CDDB store when it is the HTTP one, so its
// proxy applies; else directly), reports the matches as found by the web search, then
// fetches their records.
[[nodiscard]] bool RunSearch(JobContext& context, const std::string& words,
                             const SearchFields& fields);

class SearchJob final : public FreeDbJob {
public:
    SearchJob(StoreConfig config, JobObserver& observer, std::string words, SearchFields fields,
              ProxyCredentialsPrompt prompt = {});
};

// Submits the album to the database's web site over HTTP (through the proxy of the
// settings).
[[nodiscard]] bool RunSubmit(JobContext& context, const AlbumInfo& album);

class SubmitJob final : public FreeDbJob {
public:
    SubmitJob(StoreConfig config, JobObserver& observer, AlbumInfo album,
              ProxyCredentialsPrompt prompt = {});
};

// Lists every album of the CD-player file or the local database (the window's tabs).
[[nodiscard]] bool RunListAll(JobContext& context, StoreKind kind);

class ListAllJob final : public FreeDbJob {
public:
    ListAllJob(StoreConfig config, JobObserver& observer, StoreKind kind);
};

// The server statistics as the "Database Info" window shows them.
std::string FormatServerStatistics(const ServerStatistics& statistics);

}  // namespace tw::freedb
