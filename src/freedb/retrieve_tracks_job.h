// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include "freedb/freedb_job.h"

namespace tw::freedb {

class CddbProtocolStore;

// How many workers fetch `matches` records: a third of them over one TCP connection each
// (a connection is slow to open but then quick), one per match over HTTP; at least 1 and at
// most the settings' limit.
std::size_t RetrievalWorkerCount(std::size_t matches, StoreKind kind, int threadLimit);

// Fetches the xmcd record of every match. `jobStore` is the job's open CDDB store, and the
// calling thread works with it; the further workers each open a store of the same kind and
// take matches from a shared queue until it is empty or the stop request comes. Each record
// read is reported as updated and, as the settings ask, stored in the CD-player file and
// the local database (the stored copies are reported as found there); a local copy that
// holds the user's edits made after its revision is kept as it is. Returns how many
// records were read.
std::size_t RetrieveTracks(JobContext& context, const std::vector<AlbumInfo>& matches,
                           CddbProtocolStore& jobStore);

// The job that fetches the records of the given CDDB matches with a store of its own.
class RetrieveTracksJob final : public FreeDbJob {
public:
    RetrieveTracksJob(StoreConfig config, JobObserver& observer, std::vector<AlbumInfo> matches,
                      ProxyCredentialsPrompt prompt = {});
};

}  // namespace tw::freedb
