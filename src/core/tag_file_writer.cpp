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
#include "core/formats/format_result.h"
#include "core/formats/format_save.h"
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

// The most of a file's end, old and new, that a save writes in place through the undo
// journal; beyond that (or half the file) a new file costs less.
constexpr std::uint64_t kMostTailBytes = 16ull * 1024 * 1024;

}  // namespace

struct TagFileWriter::State {
    std::string path;
    int fd = -1;
    struct stat opened {};

    std::uint64_t size = 0;
    std::optional<Id3v2Header> v2Header;
    std::uint64_t v2End = 0;  // 0 without an ID3v2 tag
    std::vector<std::uint8_t> v2Bytes;
    std::optional<Id3v1Bytes> oldV1;
    MpegInfo stream;
    base::Message refusal;   // why no tag may be written into this file, if none may
    base::Message v2Damage;  // why the ID3v2 tag must not be rewritten, if it must not
    std::optional<base::Failure> notWritable;  // the file could only be opened for reading
    bool throughLink = false;                  // the path is a symbolic link

    std::optional<Id3v1Bytes> newV1;
    bool dropV1 = false;
    std::unique_ptr<Id3v2Tag> tag;
    bool v2Staged = false;

    // A FLAC, Ogg or MP4 file: its tag goes through TagLib (format_save.h).
    std::optional<AudioFormat> otherFormat;
    std::unique_ptr<FormatSave> formatSave;

    ~State() {
        if (fd >= 0)
            ::close(fd);
    }

    base::Failure fail(base::Message why) const { return {path, std::move(why), {}}; }

    bool staged() const { return newV1 || dropV1 || v2Staged; }

    void open();
    void inspect();
    base::Outcome canWrite() const;
    base::Outcome canRewriteV2() const;
    Id3v2Tag& loadedTag();
    template <typename Edit>
    base::Outcome stageFormat(Edit edit);
    base::Result<std::unique_ptr<PendingSave>> prepare(bool growInPlace);
    base::Result<std::unique_ptr<PendingSave>> prepareFormat(bool growInPlace);
    std::unique_ptr<PendingSave> handOver(PendingSave::Layout layout, PendingSave::Change change);
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
        const std::error_code system(errno, std::system_category());
        notWritable = base::Failure{path, failureReason(ids::kSaveFailOpen, path, system), system};
        fd = openAs(O_RDONLY);
    }
    if (fd < 0) {
        refusal = base::Message(ids::kSaveCannotRead, std::strerror(errno));
        return;
    }
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        refusal = base::Message(ids::kSaveCannotRead, base::Message(ids::kReadNotRegularFile));
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
        otherFormat = format;
        return;
    }
    // Another container behind a tag is what an earlier, careless save left.
    std::string_view other = otherAudioFormat(window.bytesAt(0, 16));
    if (other.empty() && v2End > 0 && v2End < size)
        other = otherAudioFormat(window.bytesAt(v2End, 16));
    if (!other.empty()) {
        refusal = base::Message(ids::kSaveNotMpegAudio, other);
    } else {
        // The same search that tells the user the file has no MPEG header: a file it finds
        // nothing in is some audio the program does not know, whatever its name says.
        stream.examine(window);
        if (!stream.found())
            refusal = base::Message(ids::kSaveNoMpegAudio);
    }

    if (v2Header) {
        if (v2End > kId3v2ReadLimit) {
            v2Damage = base::Message(ids::kSaveTagTooLarge);
        } else if (v2End > size) {
            v2Damage = base::Message(ids::kSaveDamagedTagSize);
        } else {
            v2Bytes.resize(static_cast<std::size_t>(v2End));
            window.copyAt(0, v2Bytes);
            // Audio frames behind the last frame of the tag but before its declared end
            // mean that the declared size is wrong; rewriting the tag would cut them off.
            const auto none = [](std::string_view) { return false; };
            const std::uint64_t framesStop = walkId3v2Frames(*v2Header, v2Bytes, none).framesEnd;
            MpegHeader ignored;
            if (findMpegFrame(window, framesStop, v2End, ignored) >= 0)
                v2Damage = base::Message(ids::kSaveDamagedTagSize);
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
        v2Damage = base::Message(ids::kSaveDamagedTagSize);
    if (window.failed())
        refusal = base::Message(ids::kSaveCannotRead, std::strerror(EIO));
}

base::Outcome TagFileWriter::State::canWrite() const {
    if (!refusal.empty())
        return fail(refusal);
    return {};
}

base::Outcome TagFileWriter::State::canRewriteV2() const {
    if (base::Outcome can = canWrite(); !can)
        return can;
    if (!v2Damage.empty())
        return fail(v2Damage);
    return {};
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

template <typename Edit>
base::Outcome TagFileWriter::State::stageFormat(Edit edit) {
    if (base::Outcome can = canWrite(); !can)
        return can;
    if (!formatSave)
        formatSave = std::make_unique<FormatSave>(*otherFormat, fd, size, path);
    if (!edit(*formatSave))
        return fail(formatSave->error());
    v2Staged = true;
    return {};
}

base::Result<std::unique_ptr<PendingSave>> TagFileWriter::State::prepare(bool growInPlace) {
    if (staged()) {
        if (base::Outcome can = canWrite(); !can)
            return can.failure();
        if (notWritable)
            return *notWritable;
    }
    if (fd < 0)
        return nullptr;  // nothing staged for a file that cannot be opened: nothing to do
    if (formatSave)
        return prepareFormat(growInPlace);

    PendingSave::Change change;
    // The one place that decides the new ID3v2 tag: refused when it would lose a frame.
    if (v2Staged && tag) {
        Id3v2Rendering rendered = tag->render();
        if (rendered.refused())
            return fail(
                base::Message(ids::kSaveFrameNotKept, rendered.unkeptName, rendered.unkeptOffset));
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
    return handOver({.size = size,
                     .tagEnd = v2End,
                     .tag = std::move(v2Bytes),
                     .id3v1 = oldV1,
                     .throughLink = throughLink,
                     .stream = std::move(stream)},
                    std::move(change));
}

std::unique_ptr<PendingSave> TagFileWriter::State::handOver(PendingSave::Layout layout,
                                                            PendingSave::Change change) {
    const int handed = fd;
    fd = -1;
    return std::make_unique<PendingSave>(handed, path, opened, std::move(layout),
                                         std::move(change));
}

// TagLib's result goes into blocks inserted at the start where only a head of the file grew
// by whole blocks; in place where it is as long as the file, or where only a small end of it
// changed (an MP4 "moov" box behind the audio: the undo journal keeps it whole); else as a
// new file (PendingSave). A FLAC file's padding, or the zeros behind an Ogg file's comment,
// make up its head to its old length or to whole blocks where they can.
base::Result<std::unique_ptr<PendingSave>> TagFileWriter::State::prepareFormat(bool growInPlace) {
    std::unique_ptr<OverlayStream> result = formatSave->finish();
    if (!result)
        return fail(formatSave->error());
    const auto block = static_cast<std::uint64_t>(opened.st_blksize);
    const bool inserts =
        growInPlace && block > 0 &&
        insertsRanges(base::folderOf(throughLink ? base::realPath(path) : path), opened.st_dev);
    if (const auto head = headChangeOf(*result);
        head && otherFormat != AudioFormat::Mp4 && result->size() != size) {
        // A head that cannot be fitted makes the save rewrite the file, which is as safe.
        if (head->newLength <= head->oldLength)
            (void)fitHead(*otherFormat, *result, head->oldLength);
        else if (inserts)
            (void)fitHead(
                *otherFormat, *result,
                head->oldLength + (head->newLength - head->oldLength + block - 1) / block * block);
    }

    PendingSave::Layout layout;
    layout.size = size;
    layout.throughLink = throughLink;
    PendingSave::Change change;
    const auto head = headChangeOf(*result);
    if (head && inserts && head->newLength > head->oldLength &&
        (head->newLength - head->oldLength) % block == 0) {
        layout.tagEnd = head->oldLength;
        layout.tag.resize(head->oldLength);
        change.tag.emplace(head->newLength);
        change.insert = head->newLength - head->oldLength;
        if (!result->readOriginal(0, layout.tag) || !result->readResult(0, *change.tag))
            return fail(base::Message(ids::kSaveCannotRead,
                                      std::strerror(result->error() ? result->error() : EIO)));
    } else if (auto ranges = changedRanges(*result, result->size() == size
                                                        ? OverlayStream::kMostNewBytes
                                                        : std::min(kMostTailBytes, size / 2))) {
        change.replacements = std::move(*ranges);
    } else {
        change.tooLargeInPlace = true;
    }
    change.format = std::move(result);
    return handOver(std::move(layout), std::move(change));
}

TagFileWriter::TagFileWriter(std::string path) : state_(std::make_unique<State>()) {
    state_->path = std::move(path);
    state_->open();
}

TagFileWriter::~TagFileWriter() = default;

base::Outcome TagFileWriter::writeV1(const AudioFile& record) {
    State& s = *state_;
    if (base::Outcome can = s.canWrite(); !can)
        return can;
    if (s.otherFormat)
        return s.fail(base::Message(ids::kSaveFormatNoId3v1, formatName(*s.otherFormat)));
    if (s.size < kId3v1Size)
        return s.fail(base::Message(ids::kSaveTooShortForId3v1));
    s.newV1 = renderId3v1(record.id3v1, record.id3v2.genre);
    s.dropV1 = false;
    return {};
}

base::Outcome TagFileWriter::removeV1() {
    State& s = *state_;
    if (base::Outcome can = s.canWrite(); !can)
        return can;
    s.newV1.reset();
    s.dropV1 = s.oldV1.has_value();
    return {};
}

base::Outcome TagFileWriter::writeV2(const AudioFile& record) {
    State& s = *state_;
    if (s.otherFormat)
        return s.stageFormat([&](FormatSave& f) { return f.writeFields(record.id3v2); });
    if (base::Outcome can = s.canRewriteV2(); !can)
        return can;
    writeId3v2Fields(s.loadedTag(), record.id3v2);
    s.v2Staged = true;
    return {};
}

base::Outcome TagFileWriter::removeV2() {
    State& s = *state_;
    if (s.otherFormat)
        return s.stageFormat([](FormatSave& f) { return f.removeTag(); });
    if (base::Outcome can = s.canWrite(); !can)
        return can;
    if (!s.v2Header)
        return {};
    if (base::Outcome can = s.canRewriteV2(); !can)
        return can;
    s.tag = std::make_unique<Id3v2Tag>();
    s.v2Staged = true;
    return {};
}

base::Outcome TagFileWriter::writeLyrics(const AudioFile& record) {
    State& s = *state_;
    if (s.otherFormat)
        return s.stageFormat(
            [&](FormatSave& f) { return f.writeLyrics(trimLyrics(record.lyrics.text)); });
    if (base::Outcome can = s.canRewriteV2(); !can)
        return can;
    const std::string text = trimLyrics(record.lyrics.text);
    if (text.empty() && !s.v2Header && !s.tag)
        return {};  // no tag, so no lyrics to remove
    writeId3v2Lyrics(s.loadedTag(), text);
    s.v2Staged = true;
    return {};
}

base::Outcome TagFileWriter::writePictures(const AudioFile& record) {
    State& s = *state_;
    if (s.otherFormat)
        return s.stageFormat([&](FormatSave& f) { return f.writePictures(record); });
    if (base::Outcome can = s.canRewriteV2(); !can)
        return can;
    Id3v2Tag& tag = s.loadedTag();
    std::set<int> kept;
    for (const Picture& picture : record.pictures.items) {
        if (picture.fileIndex < 0)
            continue;
        if (static_cast<std::size_t>(picture.fileIndex) >= tag.pictures().size())
            return s.fail(base::Message(ids::kReadChangedMeanwhile));
        kept.insert(picture.fileIndex);
    }
    for (std::size_t i = 0; i < tag.pictures().size(); ++i) {
        if (kept.contains(static_cast<int>(i)))
            continue;
        TagLib::ID3v2::Frame* frame = tag.pictureFrame(i);
        if (!frame)
            return s.fail(
                base::Message(ids::kSavePictureNotRemovable, static_cast<std::int64_t>(i + 1)));
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
    return {};
}

base::Outcome TagFileWriter::commit() {
    SaveBatch batch;
    batch.add(*this);
    return batch.finish().front();
}

base::Result<std::unique_ptr<PendingSave>> TagFileWriter::prepare(bool growInPlace) {
    return state_->prepare(growInPlace);
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
