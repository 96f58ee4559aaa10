#include "export/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace tw::exports {

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;

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
std::error_code targetAttributes(const std::string& path, struct stat& attributes) {
    if (::stat(path.c_str(), &attributes) == 0) {
        if (S_ISREG(attributes.st_mode) && ::access(path.c_str(), W_OK) != 0)
            return {errno, std::generic_category()};
        return {};
    }
    if (errno != ENOENT)
        return {errno, std::generic_category()};
    attributes = {};
    attributes.st_mode = S_IFREG | (0666 & ~currentUmask());
    attributes.st_uid = ::geteuid();
    attributes.st_gid = ::getegid();
    return {};
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)), file_(path_) {
    error_ = file_.error();
    if (!error_)
        buffer_.reserve(kBufferSize);
}

void OutputFile::write(std::string_view text) {
    if (error_)
        return;
    if (buffer_.size() + text.size() > kBufferSize) {
        flush();
        if (text.size() >= kBufferSize) {
            if (!error_)
                error_ = file_.write(text.data(), text.size());
            return;
        }
    }
    buffer_.append(text);
}

void OutputFile::flush() {
    if (!error_ && !buffer_.empty())
        error_ = file_.write(buffer_.data(), buffer_.size());
    buffer_.clear();
}

std::error_code OutputFile::commit() {
    flush();
    if (error_)
        return error_;
    struct stat attributes {};
    if (std::error_code ec = targetAttributes(path_, attributes))
        return error_ = ec;
    return error_ = file_.commit(attributes);
}

bool fileExistsForWriting(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

}  // namespace tw::exports
