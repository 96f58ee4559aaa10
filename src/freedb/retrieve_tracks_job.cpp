// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/retrieve_tracks_job.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "base/language.h"
#include "base/string_ids.h"
#include "freedb/cddb_protocol_store.h"
#include "freedb/stored_album.h"

namespace tw::freedb {

namespace ids = base::ids;

namespace {

// The matches still to fetch, shared by the workers.
class MatchQueue {
public:
    explicit MatchQueue(const std::vector<AlbumInfo>& matches)
        : pending_(matches.begin(), matches.end()) {}

    std::optional<AlbumInfo> take() {
        const std::lock_guard lock(mutex_);
        if (pending_.empty())
            return std::nullopt;
        AlbumInfo next = std::move(pending_.front());
        pending_.pop_front();
        return next;
    }

private:
    std::mutex mutex_;
    std::deque<AlbumInfo> pending_;
};

// Keeps the records one worker retrieved, in the stores the settings name. Each worker has
// its own keeper and so its own stores.
class RetrievedAlbumKeeper {
public:
    explicit RetrievedAlbumKeeper(JobContext& context) : context_(context) {}

    void keep(const AlbumInfo& album) {
        const FreeDbSettings& s = context_.settings();
        if (s.storeRetrievedInCdPlayer)
            keepIn(StoreKind::CdPlayerIni, FoundIn::CdPlayerIni, ids::kMsgWritingToCdPlayerFailed,
                   album);
        if (s.storeRetrievedInLocalDb)
            keepIn(StoreKind::LocalDatabase, FoundIn::LocalDatabase,
                   ids::kMsgWritingToLocalDbFailed, album);
    }

private:
    void keepIn(StoreKind kind, FoundIn where, int failureText, const AlbumInfo& album) {
        std::unique_ptr<AlbumStore> store = context_.stores().MakeStore(kind);
        // A copy the user edited after its revision is theirs until it is submitted: the
        // server's record must not replace it unasked.
        if (kind == StoreKind::LocalDatabase && holdsEdits(*store, album))
            return;
        if (auto copy = ReplaceStoredAlbum(*store, album)) {
            context_.report().albumStored(where, *copy);
        } else {
            context_.report().message(JobObserver::Severity::Error, base::tr(failureText));
        }
    }

    static bool holdsEdits(AlbumStore& store, const AlbumInfo& album) {
        AlbumInfo copy;
        copy.setDiscId(album.discId());
        copy.setCategory(album.category());
        const bool read = store.open() && store.read(copy);
        store.close();
        return read && copy.revision() && copy.editedSinceRead();
    }

    JobContext& context_;
};

// What the workers of one retrieval share.
struct Retrieval {
    explicit Retrieval(const std::vector<AlbumInfo>& matches)
        : queue(matches), total(matches.size()) {}

    MatchQueue queue;
    const std::size_t total;
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> retrieved{0};
    // Storing goes one worker at a time: the local database's files (a range file that one
    // worker rewrites while another appends to it) have no lock of their own.
    std::mutex keeping;
};

// One worker: reads matches from the queue with its store until the queue is empty or the
// job stops.
void work(JobContext& context, Retrieval& retrieval, CddbProtocolStore& store) {
    RetrievedAlbumKeeper keeper(context);
    while (!context.stopRequested()) {
        std::optional<AlbumInfo> match = retrieval.queue.take();
        if (!match)
            break;
        if (store.read(*match)) {
            ++retrieval.retrieved;
            context.report().albumUpdated(*match);
            const std::lock_guard lock(retrieval.keeping);
            keeper.keep(*match);
        }
        const auto count = static_cast<unsigned>(++retrieval.done);
        context.report().status(
            base::trf(ids::kStatusRetrievingTracks, count, static_cast<unsigned>(retrieval.total)));
    }
}

}  // namespace

std::size_t RetrievalWorkerCount(std::size_t matches, StoreKind kind, int threadLimit) {
    std::size_t workers = kind == StoreKind::CddbHttp ? matches : matches / 3;
    workers = std::max<std::size_t>(workers, 1);
    return std::min<std::size_t>(workers, static_cast<std::size_t>(std::max(threadLimit, 1)));
}

std::size_t RetrieveTracks(JobContext& context, const std::vector<AlbumInfo>& matches,
                           CddbProtocolStore& jobStore) {
    if (matches.empty())
        return 0;
    const StoreKind kind = dynamic_cast<const CddbHttpConnection*>(&jobStore) != nullptr
                               ? StoreKind::CddbHttp
                               : StoreKind::CddbTcp;
    const std::size_t workers =
        RetrievalWorkerCount(matches.size(), kind, context.settings().threadLimit());
    Retrieval retrieval(matches);
    {
        std::vector<std::jthread> helpers;
        for (std::size_t i = 1; i < workers; ++i) {
            helpers.emplace_back([&] {
                LowerThreadPriority();
                // An exception must not escape a thread; this worker ends, the others go on.
                try {
                    std::unique_ptr<CddbProtocolStore> store =
                        context.stores().MakeNetworkStore(kind, jobStore.settings());
                    if (store->open())
                        work(context, retrieval, *store);
                    store->close();
                } catch (...) {
                    context.report().message(JobObserver::Severity::Error,
                                             base::tr(ids::kMsgFreeDbException));
                }
            });
        }
        work(context, retrieval, jobStore);
        if (context.stopRequested())
            context.report().status(base::tr(ids::kStatusStoppingThreads));
    }  // the helpers end here
    if (context.stopRequested())
        context.report().status(base::tr(ids::kStatusCanceledByUser));
    return retrieval.retrieved;
}

RetrieveTracksJob::RetrieveTracksJob(StoreConfig config, JobObserver& observer,
                                     std::vector<AlbumInfo> matches, ProxyCredentialsPrompt prompt)
    : FreeDbJob(
          std::move(config), observer,
          [matches = std::move(matches)](JobContext& context) {
              std::unique_ptr<CddbProtocolStore> store = context.stores().MakeFreeDbStore();
              if (!store->open()) {
                  context.report().status(base::tr(ids::kStatusOperationFailed));
                  return false;
              }
              const std::size_t retrieved = RetrieveTracks(context, matches, *store);
              store->close();
              if (!context.stopRequested())
                  context.report().status(base::trf(ids::kStatusAlbumsFound,
                                                    static_cast<unsigned>(matches.size()),
                                                    static_cast<unsigned>(retrieved)));
              return retrieved > 0 || matches.empty();
          },
          std::move(prompt)) {}

}  // namespace tw::freedb
