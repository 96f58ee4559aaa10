#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tw::freedb {

// Writes a file so that a crash or a failure never leaves it half-written: the text goes to
// a temporary file beside the target, which is flushed to disk and then renamed over the
// target. Until commit() the target is untouched; an uncommitted writer removes its
// temporary file when it goes.
//
// The temporary file's name is the target's name with a dot and six random characters, so
// listings that only look at names without an extension never see it. A replaced target's
// permission bits carry over.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False when the temporary file could not be made; nothing else works then.
    bool ok() const { return fd_ >= 0 && !failed_; }

    // Appends bytes; a failure is remembered and makes commit() fail.
    void append(std::string_view bytes);
    // Flushes and renames over the target. True when the target now holds what was appended.
    bool commit();

private:
    void discard();

    std::filesystem::path target_;
    std::string tempPath_;
    int fd_ = -1;
    bool failed_ = false;
};

// The whole of `content` as the new content of `target`, through an AtomicFileWriter.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

}  // namespace tw::freedb
