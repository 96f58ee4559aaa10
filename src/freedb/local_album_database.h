// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "freedb/album_store.h"
#include "freedb/freedb_category.h"
#include "freedb/local_db_settings.h"

namespace tw::freedb {

// Album counts and sizes of the local database.
struct LocalDbStatistics {
    // Albums per category, in FreeDbCategories() order; folders with other names count
    // for the sizes only.
    std::array<std::uint32_t, kFreeDbCategoryCount> albums{};
    std::uint32_t totalAlbums = 0;  // the sum of `albums`
    std::uint64_t totalSize = 0;    // bytes of every file
    std::uint64_t spaceUsed = 0;    // the same, each file rounded up to whole blocks
};

// The local album database: xmcd records in the folder layout of a CDDB database, one
// folder per category below the root. Standard mode keeps one file per album named by its
// disc id; Windows mode keeps range files that each hold many records, every record
// preceded by its line "#FILENAME=<disc id>".
//
// Disc ids name files and records in lower case. Album files and records of older programs
// in another case are still found; storing an album replaces them, so that the database
// never holds two copies of one album that differ only in case. Records read keep their
// revision and are marked as read (AlbumInfo::markAsRead).
//
// Files are written as UTF-8; lines of older files that are not valid UTF-8 read as
// ISO-8859-15. Every change is crash-safe: whole files are replaced through a temporary file,
// and a record is appended to a range file in one write. A category or disc id is checked
// (album_path_check.h) before it names a file; a refused one fails the operation with an
// error line in the log.
//
// Owned by the job or window that made it; one thread at a time.
class LocalAlbumDatabase final : public AlbumStore {
public:
    explicit LocalAlbumDatabase(LocalDbSettings settings);

    const LocalDbSettings& settings() const { return settings_; }
    void applySettings(LocalDbSettings settings);

    // Nothing stays open between operations; these only succeed.
    [[nodiscard]] bool open() override { return true; }
    void close() override {}

    // Looks for the album's disc id in every category folder; each record found goes to the
    // sink with its folder as category. True when something was found.
    [[nodiscard]] bool query(const AlbumInfo& album, const AlbumSink& sink) override;
    // Reads the record of the album's category and disc id in place of what the album held;
    // on failure the album stays as it was.
    [[nodiscard]] bool read(AlbumInfo& album) override;
    // Stores the record, creating the root and category folders as needed. Standard mode
    // replaces an existing file; Windows mode appends to the covering range file (or makes
    // one for the disc id's leading byte).
    [[nodiscard]] bool write(const AlbumInfo& album) override;
    // Removes the record. In Windows mode the range file is rewritten beside itself without
    // the record and renamed into place; false when the record was not there.
    [[nodiscard]] bool remove(const AlbumInfo& album) override;
    // Every record of every category folder, in name order; stops early on a stop request.
    [[nodiscard]] bool listAll(const AlbumSink& sink) override;

    // Counts albums per category and adds up the file sizes, rounding each to the file
    // system's block size. A root that does not exist yet (nothing was ever stored) holds
    // no album. False when the root cannot be examined or on a stop request.
    [[nodiscard]] bool getStatistics(LocalDbStatistics& out);

    // Windows mode: the range file of the album's category whose range covers the disc id's
    // leading byte (the first in name order when several do); empty when there is none.
    // The last answer is remembered for the same disc id and category.
    std::filesystem::path findRangeFile(const AlbumInfo& album);

private:
    // Whether the album's disc id (and category) may name files; logs a refusal.
    bool namesAreSafe(const AlbumInfo& album, bool withCategory) const;
    std::filesystem::path categoryFolder(const std::string& category) const;
    // Standard mode: the album file of the disc id in the folder, the lower-case name when
    // it exists, else a file whose name differs only in case; the lower-case name (not
    // existing) when there is none.
    std::filesystem::path albumFile(const std::filesystem::path& folder,
                                    const std::string& discId) const;
    // Standard mode: removes every file of the folder named like the disc id in any case,
    // except `keep`; true when one was removed.
    bool removeCaseVariants(const std::filesystem::path& folder, const std::string& discId,
                            const std::filesystem::path& keep) const;
    [[nodiscard]] bool readFromAlbumFile(AlbumInfo& record);
    [[nodiscard]] bool readFromRangeFile(AlbumInfo& record);
    [[nodiscard]] bool removeFromRangeFile(const AlbumInfo& album);
    [[nodiscard]] bool appendToRangeFile(const AlbumInfo& album);
    void listRangeFile(const std::filesystem::path& file, const std::string& category,
                       const AlbumSink& sink);
    std::uint32_t countRecords(const std::filesystem::path& file) const;

    LocalDbSettings settings_;
    struct RangeCache {
        std::string discId;
        std::string category;
        std::filesystem::path file;
    } cache_;
};

}  // namespace tw::freedb
