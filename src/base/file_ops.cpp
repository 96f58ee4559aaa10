// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/file_ops.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/random.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string_view>
#include <vector>

namespace tw::base {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::lstat(a.c_str(), &sa) == 0 && ::lstat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The flag or the call itself is unknown to this file system or kernel.
bool unsupported(int err) {
    return err == EINVAL || err == ENOSYS || err == EOPNOTSUPP;
}

std::error_code renameOverPlaceholder(const std::string& from, const std::string& to) {
    const int fd = ::open(to.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return lastError();
    ::close(fd);
    if (::rename(from.c_str(), to.c_str()) != 0) {
        const std::error_code ec = lastError();
        ::unlink(to.c_str());
        return ec;
    }
    return {};
}

}  // namespace

std::error_code renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    int err = errno;
    if (err == EEXIST && sameFile(from, to)) {
        // Only the letter case differs and the file system folds case: same file.
        return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code{} : lastError();
    }
    if (!unsupported(err))
        return {err, std::generic_category()};

    if (::link(from.c_str(), to.c_str()) == 0) {
        if (::unlink(from.c_str()) != 0) {
            const std::error_code ec = lastError();
            ::unlink(to.c_str());
            return ec;
        }
        return {};
    }
    err = errno;
    if (err == EEXIST)
        return {err, std::generic_category()};
    if (err != EPERM && !unsupported(err))
        return {err, std::generic_category()};
    return renameOverPlaceholder(from, to);
}

namespace {

// The umask, read without changing it: umask(2) can only be read by setting it, which would
// race with any other thread that creates a file meanwhile.
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
    }
    return 022;
}

// The owner and mode a file at `path` is to have: those of the file it replaces, else those
// of a new file of this user.
std::error_code replacementAttributes(const std::string& path, struct stat& attributes) {
    if (::stat(path.c_str(), &attributes) == 0) {
        if (S_ISREG(attributes.st_mode) && ::access(path.c_str(), W_OK) != 0)
            return lastError();
        return {};
    }
    if (errno != ENOENT)
        return lastError();
    attributes = {};
    attributes.st_mode = S_IFREG | (0666 & ~currentUmask());
    attributes.st_uid = ::geteuid();
    attributes.st_gid = ::getegid();
    return {};
}

}  // namespace

std::error_code writeAt(int fd, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return lastError();
        done += static_cast<std::size_t>(n);
    }
    return {};
}

std::error_code readAt(int fd, std::uint64_t offset, std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n =
            ::pread(fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return lastError();
        if (n == 0)
            return std::make_error_code(std::errc::io_error);
        done += static_cast<std::size_t>(n);
    }
    return {};
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string realPath(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string out(real);
    std::free(real);
    return out;
}

std::string randomHex(std::size_t bytes) {
    std::vector<std::uint8_t> random(bytes);
    if (::getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size())) {
        std::random_device device;
        for (std::uint8_t& byte : random)
            byte = static_cast<std::uint8_t>(device());
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : random) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text;
}

std::string newHiddenName() {
    return ".tw-save-" + randomHex(8);
}

TempFile::TempFile(const std::string& folder, std::string fallbackName, Naming naming)
    : folder_(folder), name_(std::move(fallbackName)) {
    if (naming == Naming::UnnamedWherePossible) {
        fd_ = ::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd_ >= 0)
            return;
        if (!unsupported(errno) && errno != EISDIR) {
            error_ = lastError();
            return;
        }
    }
    fd_ = ::open((folder_ + "/" + name_).c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ < 0)
        error_ = lastError();
    named_ = fd_ >= 0;
}

TempFile::~TempFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (named_ && !placed_)
        ::unlink((folder_ + "/" + name_).c_str());
}

std::error_code TempFile::write(const void* data, std::size_t size) {
    if (fd_ < 0)
        return error_ ? error_ : std::make_error_code(std::errc::bad_file_descriptor);
    if (std::error_code ec = writeAt(fd_, written_, {static_cast<const std::uint8_t*>(data), size}))
        return ec;
    written_ += size;
    return {};
}

std::error_code TempFile::copyFrom(int fd, std::uint64_t offset, std::uint64_t length) {
    if (fd_ < 0)
        return error_ ? error_ : std::make_error_code(std::errc::bad_file_descriptor);
    auto in = static_cast<off_t>(offset);
    auto out = static_cast<off_t>(written_);
    while (length > 0) {
        const ssize_t n = ::copy_file_range(fd, &in, fd_, &out, length, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (unsupported(errno) || errno == EXDEV))
            break;  // copied through memory below
        if (n < 0)
            return lastError();
        if (n == 0)
            return std::make_error_code(std::errc::io_error);  // the file shrank meanwhile
        length -= static_cast<std::uint64_t>(n);
        written_ = static_cast<std::uint64_t>(out);
    }
    std::vector<std::uint8_t> buffer(std::min<std::uint64_t>(length, 1 << 20));
    while (length > 0) {
        const std::span piece(buffer.data(), std::min<std::uint64_t>(length, buffer.size()));
        if (std::error_code ec = readAt(fd, static_cast<std::uint64_t>(in), piece))
            return ec;
        if (std::error_code ec = write(piece.data(), piece.size()))
            return ec;
        in += static_cast<off_t>(piece.size());
        length -= piece.size();
    }
    return {};
}

std::error_code TempFile::takeAttributes(const struct stat& original) {
    if (fd_ < 0)
        return error_ ? error_ : std::make_error_code(std::errc::bad_file_descriptor);
    if (::fchmod(fd_, original.st_mode & 07777) != 0)
        return lastError();
    // A plain user's save of a file they may write but do not own then belongs to them, as
    // with any editor.
    if (::fchown(fd_, original.st_uid, original.st_gid) != 0 && errno != EPERM)
        return lastError();
    return {};
}

namespace {

// Fills `out` by `read(buffer, size)` (a list or get of extended attributes), growing it while
// the value grows between the call that sized it and the one that read it.
template <typename Read>
std::error_code readSized(std::vector<char>& out, Read read) {
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return lastError();
        out.resize(static_cast<std::size_t>(size));
        const ssize_t got = size == 0 ? 0 : read(out.data(), out.size());
        if (got >= 0) {
            out.resize(static_cast<std::size_t>(got));
            return {};
        }
        if (errno != ERANGE)
            return lastError();
    }
}

}  // namespace

std::error_code TempFile::takeExtendedAttributes(int from) {
    if (fd_ < 0)
        return error_ ? error_ : std::make_error_code(std::errc::bad_file_descriptor);
    std::vector<char> names;
    if (std::error_code ec = readSized(names, [from](char* buffer, std::size_t size) {
            return ::flistxattr(from, buffer, size);
        })) {
        return ec == std::errc::not_supported ? std::error_code() : ec;
    }
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size();) {
        const char* name = names.data() + at;
        at += std::strlen(name) + 1;
        if (std::error_code ec = readSized(value, [from, name](char* buffer, std::size_t size) {
                return ::fgetxattr(from, name, buffer, size);
            })) {
            if (ec == std::errc::no_message_available)
                continue;  // taken away meanwhile
            return ec;
        }
        if (::fsetxattr(fd_, name, value.data(), value.size(), 0) != 0 &&
            !(errno == EPERM && !std::string_view(name).starts_with("user.")))
            return lastError();
    }
    return {};
}

std::error_code TempFile::link() {
    if (fd_ < 0)
        return error_ ? error_ : std::make_error_code(std::errc::bad_file_descriptor);
    if (named_)
        return {};
    const std::string named = folder_ + "/" + name_;
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, named.c_str(), AT_SYMLINK_FOLLOW) != 0 &&
        ::linkat(fd_, "", AT_FDCWD, named.c_str(), AT_EMPTY_PATH) != 0)
        return lastError();
    named_ = true;
    return {};
}

std::error_code TempFile::replace(const std::string& target) {
    if (std::error_code ec = link())
        return ec;
    const std::string named = folder_ + "/" + name_;
    if (::rename(named.c_str(), target.c_str()) != 0)
        return lastError();  // the destructor takes the name away again
    placed_ = true;
    return {};
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

ReplacementFile::ReplacementFile(std::string target)
    : target_(std::move(target)), file_(folderOf(target_), newHiddenName()) {}

std::error_code ReplacementFile::commit(const struct stat& original) {
    if (std::error_code ec = file_.takeAttributes(original))
        return ec;
    if (::fsync(file_.fd()) != 0)
        return lastError();
    if (std::error_code ec = file_.replace(target_))
        return ec;
    syncFolder(folderOf(target_));  // the rename is durable once the folder is
    return {};
}

std::error_code ReplacementFile::commit() {
    struct stat attributes {};
    if (std::error_code ec = replacementAttributes(target_, attributes))
        return ec;
    return commit(attributes);
}

}  // namespace tw::base
