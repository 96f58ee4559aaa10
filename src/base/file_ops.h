// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <span>
#include <string>
#include <system_error>

namespace tw::base {

// These wrap system calls, so their failure is the system's error_code itself, the error a
// Failure carries; the operations built on them return a Result or an Outcome instead,
// saying what failed. Either way no caller may drop it.

// Moves `from` to `to` and never replaces a file that already exists at `to` (the result
// is then EEXIST). Uses renameat2(RENAME_NOREPLACE); where the file system refuses that
// flag, links the new name and unlinks the old one, and where it has no hard links either,
// reserves the new name with an exclusively created placeholder and renames over it.
// A change of letter case only, on a file system that ignores case, is allowed.
[[nodiscard]] std::error_code renameNoReplace(const std::string& from, const std::string& to);

// Writes all of `bytes` at `offset` of the open file `fd`, again where a write took less.
[[nodiscard]] std::error_code writeAt(int fd, std::uint64_t offset,
                                      std::span<const std::uint8_t> bytes);
// Reads out.size() bytes from `offset` of the open file `fd`; EIO when the file ends first.
[[nodiscard]] std::error_code readAt(int fd, std::uint64_t offset, std::span<std::uint8_t> out);

// A file being written in a folder that has no name until it is put in place, so that a
// process killed while writing it leaves nothing behind: an unnamed inode (O_TMPFILE) where
// the file system makes them. Elsewhere it is created at once under `fallbackName` (a hidden
// name that must not exist yet; newHiddenName() makes one), and removed again when the
// object goes without having been put in place.
//
// Owns its descriptor. One thread, one use.
class TempFile {
public:
    // Named: made under the fallback name even where unnamed files could be made (for
    // tests of what file systems without them see).
    enum class Naming { UnnamedWherePossible, Named };

    TempFile(const std::string& folder, std::string fallbackName,
             Naming naming = Naming::UnnamedWherePossible);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Why the file could not be made (empty when it was).
    [[nodiscard]] std::error_code error() const { return error_; }
    // The file's descriptor, open for reading and writing; it stays the file's after
    // replace(), for reading back what was put in place.
    int fd() const { return fd_; }
    // Whether it exists under its fallback name (the file system has no unnamed files).
    bool named() const { return named_; }

    [[nodiscard]] std::error_code write(const void* data, std::size_t size);
    // Appends `length` bytes of the open file `fd` from `offset`, copied by the kernel
    // (shared extents where the file system offers them).
    [[nodiscard]] std::error_code copyFrom(int fd, std::uint64_t offset, std::uint64_t length);
    // The mode and owner of `original`; the owner only where the user may give it, since
    // only root or the owner can keep another owner.
    [[nodiscard]] std::error_code takeAttributes(const struct stat& original);
    // The extended attributes of the open file `from` (tags of the desktop, access control
    // lists); those of the system's own name spaces only where the user may set them.
    [[nodiscard]] std::error_code takeExtendedAttributes(int from);

    // Gives an unnamed file its fallback name (nothing to do for a named one).
    [[nodiscard]] std::error_code link();
    // Renames it over `target` (in the same folder): an unnamed file is first linked under
    // its fallback name, so between the two steps that name is all a kill can leave.
    [[nodiscard]] std::error_code replace(const std::string& target);

private:
    std::string folder_;
    std::string name_;
    int fd_ = -1;
    std::uint64_t written_ = 0;  // where the next bytes go
    bool named_ = false;
    bool placed_ = false;
    std::error_code error_;
};

// A fresh hidden name for a temporary file, ".tw-save-" and 16 random hexadecimal digits.
std::string newHiddenName();
// `bytes` random bytes as lower-case hexadecimal digits.
std::string randomHex(std::size_t bytes);

// Flushes the entries of `folder` to the disk, so that a name made or changed in it lasts
// through a power cut. Best effort, never reported: the files' bytes are durable already,
// and a name that went back would leave an old file whole, not a damaged one.
void syncFolder(const std::string& folder);

// The folder part of a path ("." for a bare name).
std::string folderOf(const std::string& path);
// The path with every symbolic link resolved; the path itself when it cannot be resolved.
std::string realPath(const std::string& path);

// The new contents of a file, written beside it and put in its place at once.
//
// Callers write the whole new contents, then commit(): the temporary file (a TempFile in
// the target's folder) gets the original's mode (and owner, where the user may set it), is
// flushed to the disk and renamed over the target, and the folder is flushed too. Until
// commit() succeeds the target is untouched; an uncommitted ReplacementFile leaves nothing.
//
// Owns the temporary file. One thread, one use.
class ReplacementFile {
public:
    explicit ReplacementFile(std::string target);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Why the temporary file could not be made (empty when it was).
    [[nodiscard]] std::error_code error() const { return file_.error(); }

    [[nodiscard]] std::error_code write(const void* data, std::size_t size) {
        return file_.write(data, size);
    }
    // Appends `length` bytes of the open file `fd` from `offset`.
    [[nodiscard]] std::error_code copyFrom(int fd, std::uint64_t offset, std::uint64_t length) {
        return file_.copyFrom(fd, offset, length);
    }

    // Replaces the target with what was written, with the mode and owner of `original`.
    [[nodiscard]] std::error_code commit(const struct stat& original);
    // Puts what was written in place of the target, which may not exist yet: an existing
    // target keeps its mode and owner, a new one gets those of any new file of this user.
    // A target that exists but may not be written by the user is not replaced (EACCES), as
    // writing it in place would fail.
    [[nodiscard]] std::error_code commit();

private:
    std::string target_;
    TempFile file_;
};

}  // namespace tw::base
