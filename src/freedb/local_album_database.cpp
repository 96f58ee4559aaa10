// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/local_album_database.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/ascii.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "freedb/album_path_check.h"
#include "freedb/atomic_file.h"
#include "freedb/database_folders.h"
#include "freedb/file_lines.h"
#include "freedb/range_file.h"
#include "freedb/text_util.h"
#include "freedb/xmcd_reader.h"
#include "freedb/xmcd_writer.h"

namespace tw::freedb {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kRecordPrefix = "#FILENAME=";

bool isRecordLine(std::string_view line) {
    return StartsWith(line, kRecordPrefix);
}

bool isRecordLineOf(std::string_view line, std::string_view discId) {
    return isRecordLine(line) && base::equalsNoCase(line.substr(kRecordPrefix.size()), discId);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Whether the file is empty or ends with a line feed, so an appended record starts on a
// line of its own.
bool endsWithLineFeed(int fd) {
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size <= 0)
        return true;
    char last = '\n';
    return ::pread(fd, &last, 1, size - 1) == 1 && last == '\n';
}

}  // namespace

LocalAlbumDatabase::LocalAlbumDatabase(LocalDbSettings settings) : settings_(std::move(settings)) {}

void LocalAlbumDatabase::applySettings(LocalDbSettings settings) {
    settings_ = std::move(settings);
    cache_ = RangeCache();
}

bool LocalAlbumDatabase::namesAreSafe(const AlbumInfo& album, bool withCategory) const {
    if ((!withCategory || IsSafeCategoryName(album.category())) && IsValidDiscId(album.discId()))
        return true;
    log(base::trf(base::ids::kLogUnsafeAlbumName, album.category(), album.discId()));
    return false;
}

fs::path LocalAlbumDatabase::categoryFolder(const std::string& category) const {
    return settings_.root / category;
}

fs::path LocalAlbumDatabase::albumFile(const fs::path& folder, const std::string& discId) const {
    const fs::path exact = folder / discId;
    std::error_code error;
    if (fs::is_regular_file(exact, error))
        return exact;
    for (const fs::path& file : FilesWithoutExtension(folder))
        if (base::equalsNoCase(file.filename().string(), discId))
            return file;
    return exact;
}

bool LocalAlbumDatabase::removeCaseVariants(const fs::path& folder, const std::string& discId,
                                            const fs::path& keep) const {
    bool removed = false;
    for (const fs::path& file : FilesWithoutExtension(folder)) {
        std::error_code error;
        if (file != keep && base::equalsNoCase(file.filename().string(), discId))
            removed = fs::remove(file, error) || removed;
    }
    return removed;
}

fs::path LocalAlbumDatabase::findRangeFile(const AlbumInfo& album) {
    const std::string discId = album.discId();
    const std::string& category = album.category();
    if (!cache_.file.empty() && cache_.discId == discId && cache_.category == category)
        return cache_.file;
    fs::path found;
    if (const auto leading = LeadingByteOf(discId)) {
        for (const fs::path& file : RegularFiles(categoryFolder(category))) {
            const auto range = ParseRangeFileName(file.filename().string());
            if (range && range->covers(*leading)) {
                found = file;
                break;
            }
        }
    }
    cache_ = RangeCache{discId, category, found};
    return found;
}

// The record is read into a fresh album, so reading again never appends to texts already
// read, and a failed read leaves the caller's album as it was.
bool LocalAlbumDatabase::read(AlbumInfo& album) {
    if (!namesAreSafe(album, true))
        return false;
    AlbumInfo record;
    record.setDiscId(album.discId());
    record.setCategory(album.category());
    if (!(settings_.mode == LocalDbMode::Windows ? readFromRangeFile(record)
                                                 : readFromAlbumFile(record)))
        return false;
    record.setSource(AlbumSource::LocalDatabase);
    record.markAsRead();
    album = std::move(record);
    return true;
}

bool LocalAlbumDatabase::readFromAlbumFile(AlbumInfo& record) {
    DatabaseFileLines lines(albumFile(categoryFolder(record.category()), record.storedDiscId()));
    return lines.isOpen() && ReadXmcd(record, lines, logSink().get());
}

bool LocalAlbumDatabase::readFromRangeFile(AlbumInfo& record) {
    const fs::path file = findRangeFile(record);
    if (file.empty())
        return false;
    DatabaseFileLines lines(file);
    const std::string& discId = record.storedDiscId();
    if (!lines.skipUntil([&](std::string_view line) { return isRecordLineOf(line, discId); }))
        return false;
    return ReadXmcd(record, lines, logSink().get());
}

bool LocalAlbumDatabase::query(const AlbumInfo& album, const AlbumSink& sink) {
    if (!namesAreSafe(album, false))
        return false;
    bool any = false;
    for (const fs::path& folder : SubFolders(settings_.root)) {
        if (isStopRequested())
            break;
        AlbumInfo candidate = album;
        candidate.setCategory(folder.filename().string());
        if (!IsSafeCategoryName(candidate.category()))
            continue;
        std::error_code error;
        const bool present =
            settings_.mode == LocalDbMode::Windows
                ? !findRangeFile(candidate).empty()
                : fs::is_regular_file(albumFile(folder, candidate.discId()), error);
        if (present && read(candidate)) {
            sink(candidate);
            any = true;
        }
    }
    return any;
}

bool LocalAlbumDatabase::write(const AlbumInfo& album) {
    if (!namesAreSafe(album, true))
        return false;
    std::error_code error;
    fs::create_directories(settings_.root, error);
    if (error)
        return false;
    fs::create_directory(categoryFolder(album.category()), error);
    if (error)
        return false;
    if (settings_.mode == LocalDbMode::Windows)
        return appendToRangeFile(album);
    const fs::path folder = categoryFolder(album.category());
    const fs::path file = folder / album.discId();
    if (!WriteFileAtomically(file, WriteStoredXmcd(album)))
        return false;
    removeCaseVariants(folder, album.discId(), file);
    return true;
}

bool LocalAlbumDatabase::appendToRangeFile(const AlbumInfo& album) {
    fs::path file = findRangeFile(album);
    if (file.empty())
        file = categoryFolder(album.category()) / RangeFileNameFor(album.discId());
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::string record;
    if (!endsWithLineFeed(fd))
        record += '\n';
    record += kRecordPrefix;
    record += album.discId();
    record += '\n';
    record += WriteStoredXmcd(album);
    bool ok = writeAll(fd, record);
    ok = (::close(fd) == 0) && ok;
    return ok;
}

bool LocalAlbumDatabase::remove(const AlbumInfo& album) {
    if (!namesAreSafe(album, true))
        return false;
    if (settings_.mode == LocalDbMode::Windows)
        return removeFromRangeFile(album);
    return removeCaseVariants(categoryFolder(album.category()), album.discId(), {});
}

bool LocalAlbumDatabase::removeFromRangeFile(const AlbumInfo& album) {
    const fs::path file = findRangeFile(album);
    if (file.empty())
        return false;
    // Lines are copied as bytes, whole (blanks at their ends belong to continued values), so
    // records in older code pages stay as they were.
    FileLineReader reader(file, 0);
    const std::string discId = album.discId();
    if (!reader.isOpen())
        return false;
    AtomicFileWriter writer(file);
    bool found = false;
    bool skipping = false;
    std::string line;
    while (reader.next(line)) {
        const std::string_view trimmed = TrimRight(line);
        if (isRecordLine(trimmed)) {
            if (!skipping && isRecordLineOf(trimmed, discId)) {
                skipping = true;
                found = true;
                continue;
            }
            skipping = false;
        }
        if (skipping)
            continue;
        writer.append(line);
        writer.append("\n");
    }
    return found && writer.commit();
}

bool LocalAlbumDatabase::listAll(const AlbumSink& sink) {
    for (const fs::path& folder : SubFolders(settings_.root)) {
        const std::string category = folder.filename().string();
        for (const fs::path& file : FilesWithoutExtension(folder)) {
            if (isStopRequested())
                return false;
            if (settings_.mode == LocalDbMode::Windows) {
                listRangeFile(file, category, sink);
                continue;
            }
            AlbumInfo album;
            album.setDiscId(file.filename().string());
            album.setCategory(category);
            // Of files that differ only in case, the one read stands for them all.
            if (IsValidDiscId(album.storedDiscId()) && albumFile(folder, album.discId()) == file &&
                read(album))
                sink(album);
        }
    }
    return true;
}

// One pass over the file: each record is read where it stands, so a file with many records
// is read once rather than once per record.
void LocalAlbumDatabase::listRangeFile(const fs::path& file, const std::string& category,
                                       const AlbumSink& sink) {
    DatabaseFileLines lines(file);
    std::string line;
    bool atRecord = false;
    while (!isStopRequested() && (atRecord || lines.receiveLine(line))) {
        atRecord = false;
        if (!isRecordLine(line))
            continue;
        AlbumInfo album;
        album.setDiscId(Trim(std::string_view(line).substr(kRecordPrefix.size())));
        album.setCategory(category);
        const bool ok = ReadXmcd(album, lines, logSink().get());
        album.setSource(AlbumSource::LocalDatabase);
        album.markAsRead();
        if (ok)
            sink(album);
        // The reader stopped at the next record's line: start there.
        if (isRecordLine(lines.lastLine())) {
            line = lines.lastLine();
            atRecord = true;
        }
    }
}

}  // namespace tw::freedb
