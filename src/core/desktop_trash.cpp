// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/desktop_trash.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/file_ops.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "base/unique_fd.h"

namespace tw::core {

namespace {

// How many names are tried before giving up on a trash that holds them all.
constexpr int kMostNames = 10000;

// Why a move failed: the system's own text, but for the two reasons
// whose system text ("Invalid cross-device link") would tell the user nothing.
base::Message why(int error) {
    if (error == ENOSPC || error == EDQUOT)
        return base::Message(base::ids::kDiskFull);
    if (error == EXDEV)
        return base::Message(base::ids::kTrashUnusable);
    return base::Message::verbatim(std::strerror(error));
}

// Why a trash's own folders or info file could not be made: the disk is full, or else the
// trash itself is unusable (not ours, not a folder, read-only).
base::Message trashFailure(int error) {
    return why(error == ENOSPC || error == EDQUOT ? error : EXDEV);
}

std::optional<struct stat> lstatOf(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return std::nullopt;
    return st;
}

bool makeFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string homeTrash() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome == '/')
        return std::string(dataHome) + "/Trash";
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.local/share/Trash" : std::string();
}

// The top of the mount that holds `path`: the highest folder above it on its device.
std::string mountTop(const std::string& path, dev_t device) {
    std::string top = base::folderOf(path);
    while (top.size() > 1) {
        std::string parent = base::folderOf(top);
        if (parent.empty())
            parent = "/";
        const auto st = lstatOf(parent);
        if (!st || st->st_dev != device)
            break;
        top = parent;
    }
    return top;
}

// The trash at the top of a mount, for this user: the shared .Trash when it is a safe one,
// else .Trash-$uid.
std::string topTrash(const std::string& top) {
    const std::string base = top == "/" ? std::string() : top;
    const std::string uid = std::to_string(::getuid());
    const auto shared = lstatOf(base + "/.Trash");
    if (shared && S_ISDIR(shared->st_mode) && (shared->st_mode & S_ISVTX)) {
        const std::string own = base + "/.Trash/" + uid;
        if (makeFolder(own))
            return own;
    }
    return base + "/.Trash-" + uid;
}

// `path` or, when it does not exist yet, the nearest folder above it that does.
std::string nearestFolder(std::string path) {
    while (path.size() > 1 && !lstatOf(path))
        path = base::folderOf(path);
    return path;
}

bool onDevice(const std::string& folder, dev_t device) {
    const auto st = lstatOf(folder);
    return st && S_ISDIR(st->st_mode) && st->st_dev == device;
}

}  // namespace

std::string trashName(std::string_view fileName, int n) {
    if (fileName.empty() || fileName == "." || fileName == ".." ||
        fileName.find('/') != std::string_view::npos ||
        fileName.find('\0') != std::string_view::npos)
        return {};
    if (n <= 1)
        return std::string(fileName);
    const std::size_t dot = fileName.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot > 0;
    const std::string_view stem = hasExtension ? fileName.substr(0, dot) : fileName;
    const std::string_view extension = hasExtension ? fileName.substr(dot) : std::string_view();
    return std::string(stem) + "." + std::to_string(n) + std::string(extension);
}

std::string trashInfoText(std::string_view infoPath, std::time_t when) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "[Trash Info]\nPath=";
    for (const char c : infoPath) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || std::strchr("-._~/", byte);
        if (plain && byte != 0) {
            text += c;
        } else {
            text += '%';
            text += kHex[byte >> 4];
            text += kHex[byte & 15];
        }
    }
    std::tm local{};
    ::localtime_r(&when, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    text += "\nDeletionDate=";
    text += date;
    text += '\n';
    return text;
}

std::optional<base::Message> moveIntoTrash(const std::string& trash, const std::string& path,
                                           std::string_view infoPath, std::time_t when) {
    const std::string files = trash + "/files";
    const std::string info = trash + "/info";
    if (!makeFolder(trash) || !makeFolder(files) || !makeFolder(info))
        return trashFailure(errno);
    const std::string fileName = path.substr(path.rfind('/') + 1);
    const std::string text = trashInfoText(infoPath, when);
    for (int n = 1; n <= kMostNames; ++n) {
        const std::string name = trashName(fileName, n);
        if (name.empty())
            return why(EINVAL);
        const std::string infoFile = info + "/" + name + ".trashinfo";
        base::UniqueFd fd(::open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!fd.valid()) {
            if (errno == EEXIST)
                continue;
            return trashFailure(errno);
        }
        errno = 0;
        const bool written =
            ::write(fd.get(), text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
            ::fsync(fd.get()) == 0;
        const int writeError = errno != 0 ? errno : ENOSPC;  // a short write: the disk is full
        fd.reset();
        if (written && ::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, (files + "/" + name).c_str(),
                                   RENAME_NOREPLACE) == 0)
            return std::nullopt;
        const int error = written ? errno : writeError;
        ::unlink(infoFile.c_str());  // only the info file this call made
        if (!written)
            return trashFailure(error);
        if (error != EEXIST)
            return why(error);
    }
    return why(EEXIST);
}

std::optional<base::Message> moveToTrash(const std::string& path) {
    const auto st = lstatOf(path);
    if (!st)
        return why(errno);
    const std::string home = homeTrash();
    if (!home.empty() && onDevice(nearestFolder(home), st->st_dev)) {
        // The home trash is on the file's device (what of it is missing is made).
        std::error_code error;
        std::filesystem::create_directories(home, error);
        if (onDevice(home, st->st_dev))
            return moveIntoTrash(home, path, path, std::time(nullptr));
    }
    const std::string top = mountTop(path, st->st_dev);
    const std::string trash = topTrash(top);
    if (!makeFolder(trash) || !onDevice(trash, st->st_dev))
        return why(EXDEV);
    // The top trash names a file by its path below the top.
    const std::string relative = top == "/" ? path.substr(1) : path.substr(top.size() + 1);
    return moveIntoTrash(trash, path, relative, std::time(nullptr));
}

}  // namespace tw::core
