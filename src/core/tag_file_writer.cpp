#include "core/tag_file_writer.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "base/file_ops.h"
#include "core/byte_window.h"
#include "core/id3v1_tag.h"
#include "core/id3v2_fields.h"
#include "core/id3v2_header.h"
#include "core/id3v2_tag.h"
#include "core/mpeg_info.h"

namespace tw::core {

namespace {

std::string describe(const std::string& what, int err) {
    return what + ": " + std::strerror(err);
}

bool sameContents(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// The file itself when `path` is a symbolic link, so that the link stays a link.
std::string resolved(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string out(real);
    std::free(real);
    return out;
}

}  // namespace

struct TagFileWriter::State {
    std::string path;
    int fd = -1;
    struct stat opened {};
    std::string error;

    std::uint64_t size = 0;
    std::optional<Id3v2Header> v2Header;
    std::uint64_t v2End = 0;  // 0 without an ID3v2 tag
    std::string v2Damage;     // why the ID3v2 tag must not be rewritten, if it must not
    bool hasV1 = false;

    std::optional<Id3v1Bytes> newV1;
    bool dropV1 = false;
    std::unique_ptr<Id3v2Tag> tag;
    bool v2Staged = false;

    ~State() {
        if (fd >= 0)
            ::close(fd);
    }

    bool fail(std::string why) {
        error = std::move(why);
        return false;
    }

    void inspect();
    bool canRewriteV2();
    Id3v2Tag& loadedTag();
    bool commit();
};

// Reads the layout of the file: where its ID3v2 tag ends, whether it has an ID3v1 tag,
// and whether the ID3v2 tag can be rewritten without touching audio.
void TagFileWriter::State::inspect() {
    ByteWindow window;
    window.reset(fd, size);
    v2Header = Id3v2Header::parse(window.bytesAt(0, Id3v2Header::kSize));
    if (size >= kId3v1Size)
        hasV1 = isId3v1(window.bytesAt(size - kId3v1Size, kId3v1Size));
    if (!v2Header)
        return;

    v2End = v2Header->tagSize();
    if (v2End > kId3v2ReadLimit) {
        v2Damage = "the ID3v2 tag is too large";
    } else if (v2End > size || (hasV1 && v2End > size - kId3v1Size)) {
        v2Damage = "the ID3v2 tag's size reaches behind the end of the audio";
    } else {
        // Audio frames behind the last frame of the tag but before its declared end mean
        // that the declared size is wrong; rewriting the tag would cut them off.
        const auto tagBytes = window.bytesAt(0, static_cast<std::size_t>(v2End));
        const std::uint64_t framesStop = framesEnd(*v2Header, tagBytes);
        MpegHeader ignored;
        if (findMpegFrame(window, framesStop, v2End, ignored) >= 0)
            v2Damage = "the ID3v2 tag's size reaches into the audio";
    }
    if (window.failed())
        v2Damage = "the file could not be read";
}

bool TagFileWriter::State::canRewriteV2() {
    if (fd < 0)
        return false;  // error already says why
    if (!v2Damage.empty())
        return fail(v2Damage);
    return true;
}

Id3v2Tag& TagFileWriter::State::loadedTag() {
    if (!tag) {
        if (v2Header) {
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(v2End));
            ByteWindow window;
            window.reset(fd, size);
            window.copyAt(0, bytes);
            tag = std::make_unique<Id3v2Tag>(*v2Header, bytes);
        } else {
            tag = std::make_unique<Id3v2Tag>();
        }
    }
    return *tag;
}

bool TagFileWriter::State::commit() {
    if (!newV1 && !dropV1 && !v2Staged)
        return true;
    if (fd < 0)
        return false;
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return fail(describe("the file is not writable", errno));

    const std::string target = resolved(path);
    base::ReplacementFile out(target);
    if (out.error())
        return fail("cannot create a temporary file beside it: " + out.error().message());

    // A staged ID3v2 tag replaces the old one, which then lies wholly before the audio
    // (canRewriteV2 made sure); otherwise everything before the ID3v1 tag is kept.
    const std::uint64_t audioEnd = hasV1 ? size - kId3v1Size : size;
    std::error_code ec;
    if (v2Staged) {
        const TagLib::ByteVector rendered = tag ? tag->render() : TagLib::ByteVector();
        ec = out.write(rendered.data(), rendered.size());
        if (!ec)
            ec = out.copyFrom(fd, v2End, audioEnd - v2End);
    } else {
        ec = out.copyFrom(fd, 0, audioEnd);
    }
    if (!ec && newV1)
        ec = out.write(newV1->data(), newV1->size());
    if (!ec && !newV1 && !dropV1 && hasV1)
        ec = out.copyFrom(fd, audioEnd, kId3v1Size);
    if (ec)
        return fail("cannot write the new file: " + ec.message());

    struct stat now {};
    struct stat atPath {};
    if (::fstat(fd, &now) != 0 || ::stat(target.c_str(), &atPath) != 0 ||
        !sameContents(now, opened) || atPath.st_dev != opened.st_dev ||
        atPath.st_ino != opened.st_ino)
        return fail("the file changed while it was being saved");

    if ((ec = out.commit(opened)))
        return fail("cannot replace the file: " + ec.message());
    newV1.reset();
    dropV1 = false;
    v2Staged = false;
    error.clear();
    return true;
}

TagFileWriter::TagFileWriter(std::string path) : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.path = std::move(path);
    s.fd = ::open(s.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (s.fd < 0) {
        s.error = describe("cannot open the file", errno);
        return;
    }
    if (::fstat(s.fd, &s.opened) != 0 || !S_ISREG(s.opened.st_mode)) {
        s.error = "not a regular file";
        ::close(s.fd);
        s.fd = -1;
        return;
    }
    s.size = static_cast<std::uint64_t>(s.opened.st_size);
    s.inspect();
}

TagFileWriter::~TagFileWriter() = default;

bool TagFileWriter::writeV1(const AudioFile& record) {
    State& s = *state_;
    if (s.fd < 0)
        return false;
    if (s.size < kId3v1Size)
        return s.fail("the file is shorter than 128 bytes");
    s.newV1 = renderId3v1(record.id3v1, record.id3v2.genre);
    s.dropV1 = false;
    return true;
}

bool TagFileWriter::removeV1() {
    State& s = *state_;
    if (s.fd < 0)
        return false;
    s.newV1.reset();
    s.dropV1 = s.hasV1;
    return true;
}

bool TagFileWriter::writeV2(const AudioFile& record) {
    State& s = *state_;
    if (!s.canRewriteV2())
        return false;
    Id3v2Tag& tag = s.loadedTag();
    writeId3v2Fields(tag.tag(), record.id3v2, tag.writeVersion() == TagLib::ID3v2::v4 ? 4 : 3);
    s.v2Staged = true;
    return true;
}

bool TagFileWriter::removeV2() {
    State& s = *state_;
    if (s.fd < 0)
        return false;
    if (!s.v2Header)
        return true;
    if (!s.canRewriteV2())
        return false;
    s.tag = std::make_unique<Id3v2Tag>();
    s.v2Staged = true;
    return true;
}

bool TagFileWriter::writeLyrics(const AudioFile& record) {
    State& s = *state_;
    if (!s.canRewriteV2())
        return false;
    const std::string text = trimLyrics(record.lyrics.text);
    if (text.empty() && !s.v2Header && !s.tag)
        return true;  // no tag, so no lyrics to remove
    writeId3v2Lyrics(s.loadedTag().tag(), text);
    s.v2Staged = true;
    return true;
}

bool TagFileWriter::commit() {
    return state_->commit();
}

const std::string& TagFileWriter::error() const {
    return state_->error;
}

std::string trimLyrics(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

}  // namespace tw::core
