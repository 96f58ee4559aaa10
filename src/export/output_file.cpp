// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/output_file.h"

#include <fcntl.h>
#include <unistd.h>

namespace tw::exports {

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;

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

base::Outcome OutputFile::commit() {
    flush();
    if (!error_)
        error_ = file_.commit();
    if (error_)
        return base::Failure::ofSystem(path_, error_);
    return {};
}

bool fileExistsForWriting(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

}  // namespace tw::exports
