// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "freedb/freedb_job.h"

namespace tw::freedb {

// Looks the album made from the selected files up in the CD-player file, the local database
// and the CDDB server, in the order and with the sources the settings' retrieving order
// names, reporting every match where it was found, then fetches the records of the CDDB
// matches. The status ends with the number of albums found and retrieved, or with the
// failure when nothing was found and the server could not be asked. True when the server
// answered the query (with matches or with none), or was not among the sources: what the
// other sources found does not make a failed query a success.
[[nodiscard]] bool RunLookup(JobContext& context, const AlbumInfo& album);

class LookupJob final : public FreeDbJob {
public:
    LookupJob(StoreConfig config, JobObserver& observer, AlbumInfo album,
              ProxyCredentialsPrompt prompt = {});
};

}  // namespace tw::freedb
