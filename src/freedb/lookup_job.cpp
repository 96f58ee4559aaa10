#include "freedb/lookup_job.h"

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
        store->query(album, [&](const AlbumInfo& match) {
            ++found;
            context.report().albumFound(where, match);
        });
        store->close();
    }
    return found;
}

}  // namespace

bool RunLookup(JobContext& context, const AlbumInfo& album) {
    std::size_t found = 0;
    found += queryLocalStore(context, StoreKind::CdPlayerIni, FoundIn::CdPlayerIni, album);
    if (!context.stopRequested())
        found += queryLocalStore(context, StoreKind::LocalDatabase, FoundIn::LocalDatabase, album);

    std::unique_ptr<CddbProtocolStore> store = context.stores().MakeFreeDbStore();
    bool opened = false;
    bool queried = false;
    std::size_t retrieved = 0;
    if (!context.stopRequested()) {
        context.report().status(base::tr(ids::kStatusRetrievingAlbumsList));
        opened = store->open();
    }
    if (opened) {
        std::vector<AlbumInfo> matches;
        queried = store->query(album, [&](const AlbumInfo& match) {
            matches.push_back(match);
            context.report().albumFound(FoundIn::FreeDb, match);
        });
        found += matches.size();
        retrieved = RetrieveTracks(context, matches, *store);
    }
    store->close();

    if (context.stopRequested()) {
        context.report().status(base::tr(ids::kStatusCanceledByUser));
        return false;
    }
    if (found == 0 && !queried) {
        context.report().status(base::tr(ids::kStatusOperationFailed));
        return false;
    }
    context.report().status(base::trf(ids::kStatusAlbumsFound, static_cast<unsigned>(found),
                                      static_cast<unsigned>(retrieved)));
    return queried;
}

LookupJob::LookupJob(StoreConfig config, JobObserver& observer, AlbumInfo album,
                     ProxyCredentialsPrompt prompt)
    : FreeDbJob(
          std::move(config), observer,
          [album = std::move(album)](JobContext& context) { return RunLookup(context, album); },
          std::move(prompt)) {}

}  // namespace tw::freedb
