// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/cd_player_ini_store.h"

#include <string>

#include "base/app_paths.h"
#include "base/ascii.h"
#include "freedb/compilation.h"

namespace tw::freedb {

namespace fs = std::filesystem;

CdPlayerIniStore::CdPlayerIniStore(fs::path path) : path_(std::move(path)) {}

bool CdPlayerIniStore::open() {
    return document_.load(path_);
}

bool CdPlayerIniStore::reloadForChange() {
    std::error_code error;
    // The config folder does not exist before the program first writes to it.
    fs::create_directories(path_.parent_path(), error);
    if (!fs::exists(path_, error) && !error) {
        document_.loadText("");
        return true;
    }
    return document_.load(path_);
}

bool CdPlayerIniStore::read(AlbumInfo& album) {
    const std::string section = album.discId();
    const std::int32_t count = document_.getInt(section, "numTracks", 0);
    if (count < 1)
        return false;
    album.setYear(document_.getString(section, "year", ""));
    album.setTitle(document_.getString(section, "title", "N/A"));
    album.setArtist(document_.getString(section, "artist", "N/A"));
    album.setCategory(kCategory);
    album.setSource(AlbumSource::CdPlayerIni);
    // A broken count cannot make the album grow past the track limit.
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        if (isStopRequested())
            return true;
        AlbumTrack* track = album.trackAt(i);
        if (track == nullptr)
            break;
        track->setTitle(document_.getString(section, std::to_string(i), "N/A"), false);
    }
    DetectCompilation(album, kIniCompilationDelimiters, nullptr);
    return true;
}

bool CdPlayerIniStore::query(const AlbumInfo& album, const AlbumSink& sink) {
    AlbumInfo found = album;
    if (!read(found))
        return false;
    sink(found);
    return true;
}

bool CdPlayerIniStore::write(const AlbumInfo& album) {
    if (!album.hasData() || album.trackCount() == 0)
        return false;
    const std::string section = album.discId();
    const auto fileLock = LockIniFile(path_);
    if (!reloadForChange())
        return false;
    const auto count = static_cast<std::int32_t>(album.trackCount());
    document_.setString(section, "artist", album.artist());
    document_.setString(section, "title", album.title());
    document_.setString(section, "year", album.year());
    document_.setInt(section, "numTracks", count);
    document_.setInt(section, "numplay", count);
    document_.setInt(section, "entryType", 1);
    document_.setInt(section, "category", 254);
    for (const AlbumTrack& track : album.tracks()) {
        const std::string title =
            album.isCompilation() ? track.artist() + " / " + track.title() : track.title();
        document_.setString(section, std::to_string(track.index()), title);
    }
    return document_.save(path_);
}

bool CdPlayerIniStore::remove(const AlbumInfo& album) {
    const std::string discId = album.discId();
    const auto fileLock = LockIniFile(path_);
    if (!reloadForChange())
        return false;
    for (std::size_t i = 0; i < document_.lineCount() && !isStopRequested();) {
        if (document_.isSectionHeader(i) && base::equalsNoCase(document_.sectionName(i), discId))
            document_.removeSection(i);
        else
            ++i;
    }
    return document_.save(path_);
}

bool CdPlayerIniStore::listAll(const AlbumSink& sink) {
    for (std::size_t i = 0; i < document_.lineCount(); ++i) {
        if (isStopRequested())
            return false;
        if (!document_.isSectionHeader(i))
            continue;
        const std::string name = document_.sectionName(i);
        if (document_.getString(name, "title", "***") == "***")
            continue;
        AlbumInfo album;
        album.setDiscId(name);
        if (read(album))
            sink(album);
    }
    return true;
}

std::uint32_t CdPlayerIniStore::tracklistCount() const {
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < document_.lineCount(); ++i)
        if (document_.isSectionHeader(i) &&
            !document_.getString(document_.sectionName(i), "title", "").empty())
            ++count;
    return count;
}

std::uintmax_t CdPlayerIniStore::fileSize() const {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path_, error);
    return error ? 0 : size;
}

fs::path DefaultCdPlayerIniPath() {
    return base::appPaths().userConfigFolder / "CDPLAYER.INI";
}

}  // namespace tw::freedb
