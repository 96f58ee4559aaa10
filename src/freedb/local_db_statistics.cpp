// SPDX-License-Identifier: GPL-2.0-or-later
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cerrno>

#include "freedb/database_folders.h"
#include "freedb/file_lines.h"
#include "freedb/local_album_database.h"
#include "freedb/text_util.h"

namespace tw::freedb {

namespace fs = std::filesystem;

namespace {

std::uint64_t blockSizeOf(const fs::path& root) {
    struct statvfs info {};
    if (::statvfs(root.c_str(), &info) != 0)
        return 0;
    return info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
}

std::uint64_t roundUp(std::uint64_t size, std::uint64_t block) {
    return (size + block - 1) / block * block;
}

}  // namespace

std::uint32_t LocalAlbumDatabase::countRecords(const fs::path& file) const {
    FileLineReader reader(file, 16);
    std::uint32_t count = 0;
    std::string line;
    while (!isStopRequested() && reader.next(line))
        if (StartsWith(line, "#FILENAME="))
            ++count;
    return count;
}

bool LocalAlbumDatabase::getStatistics(LocalDbStatistics& out) {
    // Nothing was ever stored: the folder is made with the first album. (A root below a file
    // is no such database: it could never be made.)
    struct stat facts {};
    if (::stat(settings_.root.c_str(), &facts) != 0 && errno == ENOENT) {
        out = {};
        return true;
    }
    const std::uint64_t block = blockSizeOf(settings_.root);
    if (block == 0)
        return false;
    LocalDbStatistics stats;
    for (const fs::path& folder : SubFolders(settings_.root)) {
        std::uint32_t albums = 0;
        for (const fs::path& file : RegularFiles(folder)) {
            if (isStopRequested())
                return false;
            std::error_code error;
            const std::uint64_t size = fs::file_size(file, error);
            if (!error) {
                stats.totalSize += size;
                stats.spaceUsed += roundUp(size, block);
            }
            if (file.filename().string().find('.') != std::string::npos)
                continue;
            albums += settings_.mode == LocalDbMode::Windows ? countRecords(file) : 1;
        }
        if (isStopRequested())
            return false;
        if (const auto category = FindFreeDbCategory(folder.filename().string()))
            stats.albums[*category] += albums;
    }
    for (std::uint32_t count : stats.albums)
        stats.totalAlbums += count;
    out = stats;
    return true;
}

}  // namespace tw::freedb
