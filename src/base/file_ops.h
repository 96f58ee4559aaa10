#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <system_error>

namespace tw::base {

// Moves `from` to `to` and never replaces a file that already exists at `to` (the result
// is then EEXIST). Uses renameat2(RENAME_NOREPLACE); where the file system refuses that
// flag, links the new name and unlinks the old one, and where it has no hard links either,
// reserves the new name with an exclusively created placeholder and renames over it.
// A change of letter case only, on a file system that ignores case, is allowed.
std::error_code renameNoReplace(const std::string& from, const std::string& to);

// The new contents of a file, written beside it and put in its place at once.
//
// The constructor creates a hidden temporary file in the target's folder. Callers write
// the whole new contents, then commit(): the temporary file gets the original's mode (and
// owner, where the user may set it), is flushed to the disk and renamed over the target,
// and the folder is flushed too. Until commit() succeeds the target is untouched; a
// ReplacementFile destroyed without a successful commit() removes its temporary file.
//
// Owns the temporary file's descriptor. One thread, one use.
class ReplacementFile {
public:
    explicit ReplacementFile(std::string target);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Why the temporary file could not be made (empty when it was).
    std::error_code error() const { return error_; }

    std::error_code write(const void* data, std::size_t size);
    // Appends `length` bytes of the open file `fd` from `offset`.
    std::error_code copyFrom(int fd, std::uint64_t offset, std::uint64_t length);

    // Replaces the target with what was written, with the mode and owner of `original`.
    std::error_code commit(const struct stat& original);
    // Puts what was written in place of the target, which may not exist yet: an existing
    // target keeps its mode and owner, a new one gets those of any new file of this user.
    // A target that exists but may not be written by the user is not replaced (EACCES), as
    // writing it in place would fail.
    std::error_code commit();

private:
    std::string target_;
    std::string tempPath_;
    int fd_ = -1;
    bool committed_ = false;
    std::error_code error_;
};

}  // namespace tw::base
