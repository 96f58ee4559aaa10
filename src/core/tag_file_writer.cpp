#include "core/tag_file_writer.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "base/file_ops.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "core/byte_window.h"
#include "core/id3v1_tag.h"
#include "core/id3v2_fields.h"
#include "core/id3v2_header.h"
#include "core/id3v2_tag.h"
#include "core/mpeg_info.h"
#include "core/other_audio_format.h"

namespace tw::core {

namespace {

namespace ids = base::ids;

// Why the file system refused, as the user reads it: the two reasons everyone knows by
// name, else the system's own text under `id`.
std::string reasonOf(std::error_code error, int id) {
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
        error == std::errc::read_only_file_system || error == std::errc::text_file_busy)
        return base::tr(ids::kSaveNotWritable);
    if (error == std::errc::no_space_on_device || error.value() == EDQUOT)
        return base::tr(ids::kSaveDiskFull);
    return base::trf(id, error.message());
}

std::string reasonOfErrno(int id) {
    return reasonOf(std::error_code(errno, std::system_category()), id);
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
    std::vector<std::uint8_t> v2Bytes;
    bool hasV1 = false;
    std::string refusal;   // why no tag may be written into this file, if none may
    std::string v2Damage;  // why the ID3v2 tag must not be rewritten, if it must not

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

    void open();
    void inspect();
    bool canWrite();
    bool canRewriteV2();
    Id3v2Tag& loadedTag();
    bool commit();
};

void TagFileWriter::State::open() {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        refusal = base::trf(ids::kSaveCannotRead, std::strerror(errno));
        return;
    }
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        refusal = base::trf(ids::kSaveCannotRead, base::tr(ids::kReadNotRegularFile));
        return;
    }
    size = static_cast<std::uint64_t>(opened.st_size);
    inspect();
}

// Reads the layout of the file: where its ID3v2 tag ends, whether it has an ID3v1 tag,
// whether it is MPEG audio at all, and whether the ID3v2 tag can be rewritten without
// touching audio.
void TagFileWriter::State::inspect() {
    ByteWindow window;
    window.reset(fd, size);
    v2Header = Id3v2Header::parse(window.bytesAt(0, Id3v2Header::kSize));
    if (size >= kId3v1Size)
        hasV1 = isId3v1(window.bytesAt(size - kId3v1Size, kId3v1Size));
    if (v2Header)
        v2End = v2Header->tagSize();

    // Another container behind a tag is what an earlier, careless save left.
    std::string_view other = otherAudioFormat(window.bytesAt(0, 16));
    if (other.empty() && v2End > 0 && v2End < size)
        other = otherAudioFormat(window.bytesAt(v2End, 16));
    if (!other.empty())
        refusal = base::trf(ids::kSaveNotMpegAudio, other);

    if (v2Header) {
        if (v2End > kId3v2ReadLimit) {
            v2Damage = base::tr(ids::kSaveTagTooLarge);
        } else if (v2End > size || (hasV1 && v2End > size - kId3v1Size)) {
            v2Damage = base::tr(ids::kSaveDamagedTagSize);
        } else {
            v2Bytes.resize(static_cast<std::size_t>(v2End));
            window.copyAt(0, v2Bytes);
            // Audio frames behind the last frame of the tag but before its declared end
            // mean that the declared size is wrong; rewriting the tag would cut them off.
            const std::uint64_t framesStop = walkId3v2Frames(*v2Header, v2Bytes).framesEnd;
            MpegHeader ignored;
            if (findMpegFrame(window, framesStop, v2End, ignored) >= 0)
                v2Damage = base::tr(ids::kSaveDamagedTagSize);
        }
    }
    if (window.failed())
        refusal = base::trf(ids::kSaveCannotRead, std::strerror(EIO));
}

bool TagFileWriter::State::canWrite() {
    return refusal.empty() || fail(refusal);
}

bool TagFileWriter::State::canRewriteV2() {
    if (!canWrite())
        return false;
    return v2Damage.empty() || fail(v2Damage);
}

Id3v2Tag& TagFileWriter::State::loadedTag() {
    if (!tag) {
        if (v2Header)
            tag = std::make_unique<Id3v2Tag>(*v2Header, v2Bytes);
        else
            tag = std::make_unique<Id3v2Tag>();
    }
    return *tag;
}

bool TagFileWriter::State::commit() {
    if (!newV1 && !dropV1 && !v2Staged)
        return true;
    if (!canWrite())
        return false;

    // The one place that decides the new ID3v2 tag: refused when it would lose a frame.
    Id3v2Rendering rendered;
    if (v2Staged && tag) {
        rendered = tag->render();
        if (rendered.refused())
            return fail(
                base::trf(ids::kSaveFrameNotKept, rendered.unkeptName, rendered.unkeptOffset));
    }

    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return fail(reasonOfErrno(ids::kSaveCannotWrite));
    const std::string target = resolved(path);
    base::ReplacementFile out(target);
    if (out.error())
        return fail(reasonOf(out.error(), ids::kSaveCannotWrite));

    // A staged ID3v2 tag replaces the old one, which then lies wholly before the audio
    // (canRewriteV2 made sure); otherwise everything before the ID3v1 tag is kept.
    const std::uint64_t audioEnd = hasV1 ? size - kId3v1Size : size;
    std::error_code ec;
    if (v2Staged) {
        ec = out.write(rendered.bytes.data(), rendered.bytes.size());
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
        return fail(reasonOf(ec, ids::kSaveCannotWrite));

    struct stat now {};
    struct stat atPath {};
    if (::fstat(fd, &now) != 0 || ::stat(target.c_str(), &atPath) != 0 ||
        !sameContents(now, opened) || atPath.st_dev != opened.st_dev ||
        atPath.st_ino != opened.st_ino)
        return fail(base::tr(ids::kSaveChangedMeanwhile));

    if ((ec = out.commit(opened)))
        return fail(reasonOf(ec, ids::kSaveCannotWrite));
    newV1.reset();
    dropV1 = false;
    v2Staged = false;
    error.clear();
    return true;
}

TagFileWriter::TagFileWriter(std::string path) : state_(std::make_unique<State>()) {
    state_->path = std::move(path);
    state_->open();
}

TagFileWriter::~TagFileWriter() = default;

bool TagFileWriter::writeV1(const AudioFile& record) {
    State& s = *state_;
    if (!s.canWrite())
        return false;
    if (s.size < kId3v1Size)
        return s.fail(base::tr(ids::kSaveTooShortForId3v1));
    s.newV1 = renderId3v1(record.id3v1, record.id3v2.genre);
    s.dropV1 = false;
    return true;
}

bool TagFileWriter::removeV1() {
    State& s = *state_;
    if (!s.canWrite())
        return false;
    s.newV1.reset();
    s.dropV1 = s.hasV1;
    return true;
}

bool TagFileWriter::writeV2(const AudioFile& record) {
    State& s = *state_;
    if (!s.canRewriteV2())
        return false;
    writeId3v2Fields(s.loadedTag(), record.id3v2);
    s.v2Staged = true;
    return true;
}

bool TagFileWriter::removeV2() {
    State& s = *state_;
    if (!s.canWrite())
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
    writeId3v2Lyrics(s.loadedTag(), text);
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
