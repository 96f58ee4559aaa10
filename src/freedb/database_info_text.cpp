// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/database_info_text.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "freedb/cd_player_ini_store.h"
#include "freedb/local_album_database.h"

namespace tw::freedb {

namespace ids = base::ids;

std::string FormatDatabaseSize(std::uint64_t bytes) {
    if (bytes < 1024)
        return base::trf(ids::kDbInfoSizeBytes, bytes);
    if (bytes < 1048576)
        return base::trf(ids::kDbInfoSizeKbytes, static_cast<double>(bytes) / 1024, bytes);
    return base::trf(ids::kDbInfoSizeMbytes, static_cast<double>(bytes) / 1048576, bytes);
}

std::string FormatCdPlayerIniInfo(const std::filesystem::path& path, std::uint64_t fileSize,
                                  std::uint64_t maximalFileSize, std::uint32_t tracklists) {
    return base::trf(ids::kDbInfoCdPlayer, path.string(), FormatDatabaseSize(fileSize),
                     FormatDatabaseSize(maximalFileSize), tracklists);
}

std::string FormatLocalDbStatistics(const LocalDbStatistics& stats) {
    // The text lists Data before Soundtrack.
    const auto& a = stats.albums;
    return base::trf(ids::kDbInfoLocalDb, stats.totalAlbums, a[0], a[1], a[2], a[3], a[4], a[5],
                     a[6], a[7], a[8], a[10], a[9], FormatDatabaseSize(stats.totalSize),
                     FormatDatabaseSize(stats.spaceUsed));
}

std::optional<std::string> CdPlayerIniInfoText(const std::filesystem::path& path) {
    CdPlayerIniStore store(path);
    if (!store.open())
        return std::nullopt;
    return FormatCdPlayerIniInfo(path, store.fileSize(), CdPlayerIniStore::kMaximalFileSize,
                                 store.tracklistCount());
}

std::optional<std::string> LocalDbInfoText(const LocalDbSettings& settings, std::stop_token stop) {
    LocalAlbumDatabase database(settings);
    database.setStopToken(std::move(stop));
    LocalDbStatistics statistics;
    if (!database.getStatistics(statistics))
        return std::nullopt;
    return FormatLocalDbStatistics(statistics);
}

}  // namespace tw::freedb
