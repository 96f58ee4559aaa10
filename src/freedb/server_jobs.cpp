// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/server_jobs.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "freedb/cddb_protocol_store.h"
#include "freedb/retrieve_tracks_job.h"

namespace tw::freedb {

namespace ids = base::ids;

std::string FormatServerStatistics(const ServerStatistics& statistics) {
    const auto& c = statistics.counters;
    const auto category = [&](std::size_t i) { return c[ServerStatistics::FirstCategory + i]; };
    // The text lists Data before Soundtrack.
    return base::trf(ids::kDbInfoFreeDb, c[ServerStatistics::Total], category(0), category(1),
                     category(2), category(3), category(4), category(5), category(6), category(7),
                     category(8), category(10), category(9), c[ServerStatistics::CurrentUsers],
                     c[ServerStatistics::MaxUsers]);
}

bool RunGetServerList(JobContext& context, const std::string& host, const std::string& port,
                      StoreKind kind) {
    context.report().status(base::tr(ids::kStatusConnecting));
    FreeDbSettings settings = context.settings();
    settings.remoteServer = host;
    settings.remotePort = port;
    std::unique_ptr<CddbProtocolStore> store = context.stores().MakeNetworkStore(kind, settings);
    std::vector<ServerRecord> servers;
    bool success = store->open();
    if (success) {
        context.report().status(base::tr(ids::kStatusRetrievingServersList));
        success = store->getSites([&](const ServerRecord& server) { servers.push_back(server); });
    }
    store->close();
    if (!success) {
        context.report().status(base::tr(ids::kStatusOperationFailed));
        return false;
    }
    context.report().serverList(servers);
    context.report().status(
        base::trf(ids::kStatusServersRetrieved, static_cast<unsigned>(servers.size())));
    return true;
}

GetServerListJob::GetServerListJob(StoreConfig config, JobObserver& observer, std::string host,
                                   std::string port, StoreKind kind)
    : FreeDbJob(std::move(config), observer,
                [host = std::move(host), port = std::move(port), kind](JobContext& context) {
                    return RunGetServerList(context, host, port, kind);
                }) {}

bool RunStatistics(JobContext& context) {
    std::unique_ptr<CddbProtocolStore> store = context.stores().MakeFreeDbStore();
    ServerStatistics statistics;
    const bool success = store->open() && store->getStatistics(statistics);
    store->close();
    if (success)
        context.report().serverStatistics(statistics);
    return success;
}

StatisticsJob::StatisticsJob(StoreConfig config, JobObserver& observer,
                             ProxyCredentialsPrompt prompt)
    : FreeDbJob(std::move(config), observer, RunStatistics, std::move(prompt)) {}

bool RunSearch(JobContext& context, const std::string& words, const SearchFields& fields) {
    std::unique_ptr<CddbProtocolStore> store = context.stores().MakeFreeDbStore();
    const bool opened = store->open();
    context.report().status(base::tr(ids::kStatusSendingSearch));
    // Over TCP the search still goes to the web site, through a connection of its own that
    // was never opened, so no proxy settings apply to it.
    auto* http = dynamic_cast<CddbHttpConnection*>(store.get());
    std::unique_ptr<CddbProtocolStore> ownSearcher;
    if (http == nullptr) {
        ownSearcher = context.stores().MakeNetworkStore(StoreKind::CddbHttp, context.settings());
        http = static_cast<CddbHttpConnection*>(ownSearcher.get());
    }
    std::vector<AlbumInfo> matches;
    const bool searched = http->search(words, fields, [&](const AlbumInfo& match) {
        matches.push_back(match);
        context.report().albumFound(FoundIn::WebSearch, match);
    });
    const std::size_t retrieved = opened ? RetrieveTracks(context, matches, *store) : 0;
    store->close();
    if (context.stopRequested()) {
        context.report().status(base::tr(ids::kStatusCanceledByUser));
        return false;
    }
    if (!searched) {
        context.report().status(base::tr(ids::kStatusOperationFailed));
        return false;
    }
    context.report().status(base::trf(ids::kStatusAlbumsFound,
                                      static_cast<unsigned>(matches.size()),
                                      static_cast<unsigned>(retrieved)));
    return true;
}

SearchJob::SearchJob(StoreConfig config, JobObserver& observer, std::string words,
                     SearchFields fields, ProxyCredentialsPrompt prompt)
    : FreeDbJob(
          std::move(config), observer,
          [words = std::move(words), fields](JobContext& context) {
              return RunSearch(context, words, fields);
          },
          std::move(prompt)) {}

bool RunSubmit(JobContext& context, const AlbumInfo& album) {
    context.report().status(base::tr(ids::kStatusSubmitting));
    FreeDbSettings settings = context.settings();
    settings.remoteServer = settings.webHost;
    settings.remotePort = std::to_string(settings.webPort);
    std::unique_ptr<CddbProtocolStore> store =
        context.stores().MakeNetworkStore(StoreKind::CddbHttp, settings);
    const bool success = store->open() && static_cast<CddbHttpConnection&>(*store).submit(album);
    store->close();
    context.report().status(
        base::tr(success ? ids::kStatusAlbumSubmitted : ids::kStatusOperationFailed));
    return success;
}

SubmitJob::SubmitJob(StoreConfig config, JobObserver& observer, AlbumInfo album,
                     ProxyCredentialsPrompt prompt)
    : FreeDbJob(
          std::move(config), observer,
          [album = std::move(album)](JobContext& context) { return RunSubmit(context, album); },
          std::move(prompt)) {}

bool RunListAll(JobContext& context, StoreKind kind) {
    std::unique_ptr<AlbumStore> store = context.stores().MakeStore(kind);
    const FoundIn where =
        kind == StoreKind::CdPlayerIni ? FoundIn::CdPlayerIni : FoundIn::LocalDatabase;
    if (!store->open())
        return false;
    const bool success =
        store->listAll([&](const AlbumInfo& album) { context.report().albumFound(where, album); });
    store->close();
    return success;
}

ListAllJob::ListAllJob(StoreConfig config, JobObserver& observer, StoreKind kind)
    : FreeDbJob(std::move(config), observer,
                [kind](JobContext& context) { return RunListAll(context, kind); }) {}

}  // namespace tw::freedb
