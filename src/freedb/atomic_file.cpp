#include "freedb/atomic_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tw::freedb {

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : target_(std::move(target)) {
    std::string pattern = target_.string() + ".XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ >= 0)
        tempPath_ = std::move(pattern);
}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

void AtomicFileWriter::append(std::string_view bytes) {
    while (ok() && !bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            failed_ = true;
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

bool AtomicFileWriter::commit() {
    if (!ok())
        return false;
    struct stat original {};
    const mode_t mode = ::stat(target_.c_str(), &original) == 0 ? (original.st_mode & 07777) : 0644;
    bool good = ::fchmod(fd_, mode) == 0 && ::fsync(fd_) == 0;
    good = (::close(fd_) == 0) && good;
    fd_ = -1;
    if (good && std::rename(tempPath_.c_str(), target_.c_str()) == 0) {
        tempPath_.clear();
        return true;
    }
    discard();
    return false;
}

void AtomicFileWriter::discard() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty())
        ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content) {
    AtomicFileWriter writer(target);
    writer.append(content);
    return writer.commit();
}

}  // namespace tw::freedb
