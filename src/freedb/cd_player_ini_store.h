// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>

#include "freedb/album_store.h"
#include "freedb/ini_document.h"

namespace tw::freedb {

// The album store over CDPLAYER.INI, the file in which CD players keep the titles of the
// discs they have seen: one section per disc id with the disc artist, title, year, the track
// count and one key per track title. No frame offsets, lengths or extra texts are kept, so an
// album read from here has tracks without offsets and the category "-----".
//
// open() loads the file. Each change reloads the file under its process-wide lock
// (LockIniFile), applies the change and saves it through a temporary file, so albums written
// by parallel jobs and the connection settings kept in the same file never overwrite each
// other. The file's other sections stay untouched.
//
// Owned by the job or window that made it; one thread at a time.
class CdPlayerIniStore final : public AlbumStore {
public:
    static constexpr std::uint32_t kMaximalFileSize = 0xFFFF;
    // The category of every album read from the file.
    static constexpr std::string_view kCategory = "-----";

    explicit CdPlayerIniStore(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // Loads the file; false when it is missing or unreadable.
    [[nodiscard]] bool open() override;
    void close() override {}

    // Read, and the album to the sink when it was found.
    [[nodiscard]] bool query(const AlbumInfo& album, const AlbumSink& sink) override;
    // The section of the album's disc id; false when it has no track count of at least 1.
    [[nodiscard]] bool read(AlbumInfo& album) override;
    // Writes the album's section; it needs data and at least one track. True only when the
    // file was saved.
    [[nodiscard]] bool write(const AlbumInfo& album) override;
    // Removes every section of the album's disc id and saves the file.
    [[nodiscard]] bool remove(const AlbumInfo& album) override;
    // Every section with a "title" key, read as an album.
    [[nodiscard]] bool listAll(const AlbumSink& sink) override;

    // Number of sections with a non-empty title, from the loaded file.
    std::uint32_t tracklistCount() const;
    // Size of the file on disk in bytes (0 when it is missing).
    std::uintmax_t fileSize() const;

private:
    // Loads the current file for a change; a missing file starts empty, an unreadable one
    // stops the change.
    [[nodiscard]] bool reloadForChange();

    std::filesystem::path path_;
    IniDocument document_;
};

// Where the CD-player file lives: "CDPLAYER.INI" in the user's config folder.
std::filesystem::path DefaultCdPlayerIniPath();

}  // namespace tw::freedb
