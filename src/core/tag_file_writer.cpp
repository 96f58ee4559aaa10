// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/tag_file_writer.h"

#include <taglib/attachedpictureframe.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <set>

#include "base/file_ops.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "core/byte_window.h"
#include "core/file_failure.h"
#include "core/formats/audio_format.h"
#include "core/id3v1_tag.h"
#include "core/id3v2_fields.h"
#include "core/id3v2_header.h"
#include "core/id3v2_tag.h"
#include "core/mpeg_info.h"
#include "core/other_audio_format.h"
#include "core/pending_save.h"
#include "core/range_insert.h"
#include "core/save_batch.h"

namespace tw::core {

namespace {

namespace ids = base::ids;

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
    std::optional<Id3v1Bytes> oldV1;
    MpegInfo stream;
    std::string refusal;       // why no tag may be written into this file, if none may
    std::string v2Damage;      // why the ID3v2 tag must not be rewritten, if it must not
    std::string notWritable;   // why the file could only be opened for reading, if it could
    bool throughLink = false;  // the path is a symbolic link

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

    bool staged() const { return newV1 || dropV1 || v2Staged; }

    void open();
    void inspect();
    bool canWrite();
    bool canRewriteV2();
    Id3v2Tag& loadedTag();
    std::unique_ptr<PendingSave> prepare(bool growInPlace);
};

void TagFileWriter::State::open() {
    // Non-blocking, so that a FIFO named *.mp3 cannot stall the save. A symbolic link is
    // noticed by the open itself, so that a new file can replace what it points to.
    auto openAs = [&](int mode) {
        int descriptor = ::open(path.c_str(), mode | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
        if (descriptor < 0 && errno == ELOOP) {
            throughLink = true;
            descriptor = ::open(path.c_str(), mode | O_CLOEXEC | O_NONBLOCK);
        }
        return descriptor;
    };
    fd = openAs(O_RDWR);
    if (fd < 0 && errno != ENOENT) {
        notWritable = failureReason(ids::kSaveFailOpen, path, {errno, std::system_category()});
        fd = openAs(O_RDONLY);
    }
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
    // The head, then the tail: one read each.
    ByteWindow window;
    window.reset(fd, size);
    v2Header = Id3v2Header::parse(window.bytesAt(0, Id3v2Header::kSize));
    if (v2Header)
        v2End = v2Header->tagSize();

    if (const AudioFormat format = audioFormatOf(window); format != AudioFormat::Mpeg) {
        refusal = base::trf(ids::kSaveFormatNotYet, formatName(format));
        return;
    }
    // Another container behind a tag is what an earlier, careless save left.
    std::string_view other = otherAudioFormat(window.bytesAt(0, 16));
    if (other.empty() && v2End > 0 && v2End < size)
        other = otherAudioFormat(window.bytesAt(v2End, 16));
    if (!other.empty()) {
        refusal = base::trf(ids::kSaveNotMpegAudio, other);
    } else {
        // The same search that tells the user the file has no MPEG header: a file it finds
        // nothing in is some audio the program does not know, whatever its name says.
        stream.examine(window);
        if (!stream.found())
            refusal = base::tr(ids::kSaveNoMpegAudio);
    }

    if (v2Header) {
        if (v2End > kId3v2ReadLimit) {
            v2Damage = base::tr(ids::kSaveTagTooLarge);
        } else if (v2End > size) {
            v2Damage = base::tr(ids::kSaveDamagedTagSize);
        } else {
            v2Bytes.resize(static_cast<std::size_t>(v2End));
            window.copyAt(0, v2Bytes);
            // Audio frames behind the last frame of the tag but before its declared end
            // mean that the declared size is wrong; rewriting the tag would cut them off.
            const auto none = [](std::string_view) { return false; };
            const std::uint64_t framesStop = walkId3v2Frames(*v2Header, v2Bytes, none).framesEnd;
            MpegHeader ignored;
            if (findMpegFrame(window, framesStop, v2End, ignored) >= 0)
                v2Damage = base::tr(ids::kSaveDamagedTagSize);
        }
    }

    if (size >= kId3v1Size) {
        const auto last = window.bytesAt(size - kId3v1Size, kId3v1Size);
        if (isId3v1(last) && last.size() == kId3v1Size) {
            oldV1.emplace();
            std::copy(last.begin(), last.end(), oldV1->begin());
        }
    }
    // A tag that reaches into the ID3v1 tag would take it along.
    if (v2Header && v2Damage.empty() && oldV1 && v2End > size - kId3v1Size)
        v2Damage = base::tr(ids::kSaveDamagedTagSize);
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

std::unique_ptr<PendingSave> TagFileWriter::State::prepare(bool growInPlace) {
    if (staged() && !canWrite())
        return nullptr;
    if (staged() && !notWritable.empty()) {
        fail(notWritable);
        return nullptr;
    }
    if (fd < 0) {
        error.clear();  // nothing staged for a file that cannot be opened: nothing to do
        return nullptr;
    }

    PendingSave::Change change;
    // The one place that decides the new ID3v2 tag: refused when it would lose a frame.
    if (v2Staged && tag) {
        Id3v2Rendering rendered = tag->render();
        if (rendered.refused()) {
            fail(base::trf(ids::kSaveFrameNotKept, rendered.unkeptName, rendered.unkeptOffset));
            return nullptr;
        }
        // A tag that outgrows its space gets whole blocks of room inserted before it, where
        // the file system can, and fills them.
        const std::uint64_t grown = rendered.bytes.size();
        const auto block = static_cast<std::uint64_t>(opened.st_blksize);
        if (growInPlace && grown > v2End && block > 0 &&
            insertsRanges(base::folderOf(throughLink ? base::realPath(path) : path),
                          opened.st_dev)) {
            change.insert = (grown - v2End + block - 1) / block * block;
            rendered = tag->render(v2End + change.insert);
        }
        change.tag.emplace(rendered.bytes.begin(), rendered.bytes.end());
    }
    if (newV1) {
        change.id3v1 = PendingSave::Change::Id3v1::Write;
        change.newId3v1 = *newV1;
    } else if (dropV1) {
        change.id3v1 = PendingSave::Change::Id3v1::Remove;
    }
    PendingSave::Layout layout{.size = size,
                               .tagEnd = v2End,
                               .tag = std::move(v2Bytes),
                               .id3v1 = oldV1,
                               .throughLink = throughLink,
                               .stream = std::move(stream)};
    const int handed = fd;
    fd = -1;
    error.clear();
    return std::make_unique<PendingSave>(handed, path, opened, std::move(layout),
                                         std::move(change));
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
    s.dropV1 = s.oldV1.has_value();
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

bool TagFileWriter::writePictures(const AudioFile& record) {
    State& s = *state_;
    if (!s.canRewriteV2())
        return false;
    Id3v2Tag& tag = s.loadedTag();
    std::set<int> kept;
    for (const Picture& picture : record.pictures.items) {
        if (picture.fileIndex < 0)
            continue;
        if (static_cast<std::size_t>(picture.fileIndex) >= tag.pictures().size())
            return s.fail(base::tr(ids::kReadChangedMeanwhile));
        kept.insert(picture.fileIndex);
    }
    for (std::size_t i = 0; i < tag.pictures().size(); ++i) {
        if (kept.contains(static_cast<int>(i)))
            continue;
        TagLib::ID3v2::Frame* frame = tag.pictureFrame(i);
        if (!frame)
            return s.fail(
                base::trf(ids::kSavePictureNotRemovable, static_cast<std::int64_t>(i + 1)));
        tag.removeFrame(frame);
    }
    for (const Picture& picture : record.pictures.items) {
        if (picture.fileIndex >= 0 || !picture.data)
            continue;
        auto frame = std::make_unique<TagLib::ID3v2::AttachedPictureFrame>();
        const TagLib::String description(picture.info.description, TagLib::String::UTF8);
        // v2.3 has no UTF-8: a description beyond Latin-1 goes as UTF-16.
        frame->setTextEncoding(description.isLatin1() ? TagLib::String::Latin1
                                                      : TagLib::String::UTF16);
        frame->setMimeType(picture.info.mime);
        frame->setType(
            static_cast<TagLib::ID3v2::AttachedPictureFrame::Type>(picture.info.type & 0xFF));
        frame->setDescription(description);
        frame->setPicture(TagLib::ByteVector(picture.data->data(),
                                             static_cast<unsigned int>(picture.data->size())));
        tag.addFrame(std::move(frame));
    }
    s.v2Staged = true;
    return true;
}

bool TagFileWriter::commit() {
    SaveBatch batch;
    batch.add(*this);
    state_->error = batch.finish().front();
    return state_->error.empty();
}

std::unique_ptr<PendingSave> TagFileWriter::prepare(bool growInPlace) {
    return state_->prepare(growInPlace);
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
