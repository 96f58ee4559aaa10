// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/lookup_job.h"

#include <array>
#include <optional>

#include "base/language.h"
#include "base/string_ids.h"
#include "freedb/cddb_protocol_store.h"
#include "freedb/retrieve_tracks_job.h"

namespace tw::freedb {

namespace ids = base::ids;

namespace {

std::size_t queryLocalStore(JobContext& context, StoreKind kind, FoundIn where,
                            const AlbumInfo& album) {
    std::size_t found = 0;
    std::unique_ptr<AlbumStore> store = context.stores().MakeStore(kind);
    if (store->open()) {
        // What the store found went to the sink and is counted; a local store answers false
        // as well when it simply holds no record of the disc.
        (void)store->query(album, [&](const AlbumInfo& match) {
            ++found;
            context.report().albumFound(where, match);
        });
        store->close();
    }
    return found;
}

struct CddbOutcome {
    std::size_t found = 0;
    std::size_t retrieved = 0;
    bool queried = false;
};

CddbOutcome queryCddb(JobContext& context, const AlbumInfo& album) {
    CddbOutcome outcome;
    std::unique_ptr<CddbProtocolStore> store = context.stores().MakeFreeDbStore();
    context.report().status(base::tr(ids::kStatusRetrievingAlbumsList));
    if (store->open()) {
        std::vector<AlbumInfo> matches;
        outcome.queried = store->query(album, [&](const AlbumInfo& match) {
            matches.push_back(match);
            context.report().albumFound(FoundIn::FreeDb, match);
        });
        outcome.found = matches.size();
        outcome.retrieved = RetrieveTracks(context, matches, *store);
    }
    store->close();
    return outcome;
}

}  // namespace

bool RunLookup(JobContext& context, const AlbumInfo& album) {
    std::size_t found = 0;
    std::optional<CddbOutcome> cddb;
    std::array<bool, 3> asked{};
    for (const RetrievingOrderEntry& entry : context.settings().retrievingOrder) {
        // A hand-edited order may name a source twice or one that does not exist.
        if (!entry.used || entry.source >= asked.size() || asked[entry.source])
            continue;
        asked[entry.source] = true;
        if (context.stopRequested())
            break;
        switch (static_cast<AlbumSource>(entry.source)) {
            case AlbumSource::CdPlayerIni:
                found +=
                    queryLocalStore(context, StoreKind::CdPlayerIni, FoundIn::CdPlayerIni, album);
                break;
            case AlbumSource::LocalDatabase:
                found += queryLocalStore(context, StoreKind::LocalDatabase, FoundIn::LocalDatabase,
                                         album);
                break;
            default:
                cddb = queryCddb(context, album);
                found += cddb->found;
                break;
        }
    }

    if (context.stopRequested()) {
        context.report().status(base::tr(ids::kStatusCanceledByUser));
        return false;
    }
    if (cddb && found == 0 && !cddb->queried) {
        context.report().status(base::tr(ids::kStatusOperationFailed));
        return false;
    }
    const std::size_t retrieved = cddb ? cddb->retrieved : 0;
    context.report().status(base::trf(ids::kStatusAlbumsFound, static_cast<unsigned>(found),
                                      static_cast<unsigned>(retrieved)));
    // Without the server among the sources there is no query that could have failed.
    return !cddb || cddb->queried;
}

LookupJob::LookupJob(StoreConfig config, JobObserver& observer, AlbumInfo album,
                     ProxyCredentialsPrompt prompt)
    : FreeDbJob(
          std::move(config), observer,
          [album = std::move(album)](JobContext& context) { return RunLookup(context, album); },
          std::move(prompt)) {}

}  // namespace tw::freedb
