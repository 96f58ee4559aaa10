// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/format_save.h"

#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/mp4coverart.h>
#include <taglib/mp4file.h>
#include <taglib/opusfile.h>
#include <taglib/vorbisfile.h>
#include <taglib/xiphcomment.h>

#include <array>
#include <cstring>
#include <set>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/formats/flac_comment_block.h"
#include "core/formats/format_layout.h"
#include "core/formats/format_tag_edit.h"
#include "core/formats/kept_mp4_items.h"
#include "core/formats/kept_vorbis_comment.h"
#include "core/formats/ogg_head.h"

namespace tw::core {

namespace {

namespace ids = base::ids;

TagLib::String fromUtf8(const std::string& text) {
    return TagLib::String(text, TagLib::String::UTF8);
}

std::unique_ptr<TagLib::File> openFile(AudioFormat format, TagLib::IOStream& stream) {
    switch (format) {
        case AudioFormat::Flac:
            return std::make_unique<TagLib::FLAC::File>(&stream,
                                                        TagLib::ID3v2::FrameFactory::instance());
        case AudioFormat::OggVorbis:
            return std::make_unique<TagLib::Ogg::Vorbis::File>(&stream);
        case AudioFormat::Opus:
            return std::make_unique<TagLib::Ogg::Opus::File>(&stream);
        case AudioFormat::Mp4:
            return std::make_unique<TagLib::MP4::File>(&stream);
        case AudioFormat::Mpeg:
            break;
    }
    return nullptr;
}

// What must be the same before and after a save: the stream TagLib reads.
struct StreamFacts {
    int sampleRate = 0;
    int channels = 0;
    int lengthMs = 0;
    bool operator==(const StreamFacts&) const = default;
};

std::optional<StreamFacts> factsOf(TagLib::File& file) {
    const TagLib::AudioProperties* properties = file.audioProperties();
    if (!file.isValid() || !properties)
        return std::nullopt;
    return StreamFacts{properties->sampleRate(), properties->channels(),
                       properties->lengthInMilliseconds()};
}

// What an Ogg comment packet starts with.
TagLib::ByteVector oggCommentHeader(AudioFormat format) {
    return format == AudioFormat::OggVorbis ? TagLib::ByteVector("\x03vorbis", 7)
                                            : TagLib::ByteVector("OpusTags", 8);
}

std::optional<TagLib::MP4::CoverArt::Format> coverFormat(std::string_view mime) {
    if (mime == "image/jpeg" || mime == "image/jpg")
        return TagLib::MP4::CoverArt::JPEG;
    if (mime == "image/png")
        return TagLib::MP4::CoverArt::PNG;
    if (mime == "image/gif")
        return TagLib::MP4::CoverArt::GIF;
    if (mime == "image/bmp")
        return TagLib::MP4::CoverArt::BMP;
    return std::nullopt;
}

TagLib::FLAC::Picture* newFlacPicture(const Picture& picture) {
    auto* made = new TagLib::FLAC::Picture;  // owned by the tag it is added to
    made->setType(static_cast<TagLib::FLAC::Picture::Type>(picture.info.type & 0xFF));
    made->setMimeType(fromUtf8(picture.info.mime));
    made->setDescription(fromUtf8(picture.info.description));
    made->setData(
        TagLib::ByteVector(picture.data->data(), static_cast<unsigned int>(picture.data->size())));
    return made;
}

// Where the audio of a FLAC file ends: before an ID3v1 tag, if it has one.
std::uint64_t flacAudioEnd(const ByteReader& read, std::uint64_t size) {
    std::array<std::uint8_t, 3> marker{};
    if (size >= 128 && read(size - 128, marker) &&
        marker == std::array<std::uint8_t, 3>{'T', 'A', 'G'})
        return size - 128;
    return size;
}

bool flacAudioKept(OverlayStream& result, const ByteReader& was, const ByteReader& now) {
    const auto oldStart = flacAudioStart(was, result.originalSize());
    const auto newStart = flacAudioStart(now, result.size());
    if (!oldStart || !newStart)
        return false;
    const std::uint64_t oldEnd = flacAudioEnd(was, result.originalSize());
    const std::uint64_t newEnd = flacAudioEnd(now, result.size());
    return oldEnd >= *oldStart && newEnd - *newStart == oldEnd - *oldStart &&
           result.holdsFileBytes(*newStart, *oldStart, oldEnd - *oldStart);
}

// Every box of audio data the same bytes, and every chunk offset pointing at the same
// byte of them as before: TagLib moves the offsets when the tags before the audio change
// size, and a wrong one would make players read garbage.
bool mp4AudioKept(OverlayStream& result, const ByteReader& was, const ByteReader& now) {
    const auto oldLayout = mp4Layout(was, result.originalSize());
    const auto newLayout = mp4Layout(now, result.size());
    if (!oldLayout || !newLayout || oldLayout->mediaData.size() != newLayout->mediaData.size() ||
        oldLayout->chunkOffsets.size() != newLayout->chunkOffsets.size())
        return false;
    for (std::size_t i = 0; i < oldLayout->mediaData.size(); ++i) {
        const Mp4Layout::Range& from = oldLayout->mediaData[i];
        const Mp4Layout::Range& to = newLayout->mediaData[i];
        if (to.end - to.start != from.end - from.start ||
            !result.holdsFileBytes(to.start, from.start, from.end - from.start))
            return false;
    }
    for (std::size_t i = 0; i < oldLayout->chunkOffsets.size(); ++i)
        if (!result.holdsFileBytes(newLayout->chunkOffsets[i], oldLayout->chunkOffsets[i], 1))
            return false;
    return true;
}

// The first page and every audio page the very bytes of the old file, behind header pages
// as many as before; their CRCs were checked as they were read.
bool oggPagesKept(AudioFormat format, OverlayStream& result, const OggHead& oldHead,
                  const ByteReader& now) {
    const auto newHead = oggHead(now, result.size(), oggHeadPackets(format));
    return newHead && newHead->start == oldHead.start && newHead->pageCount == oldHead.pageCount &&
           result.size() - newHead->end == result.originalSize() - oldHead.end &&
           result.holdsFileBytes(0, 0, oldHead.start) &&
           result.holdsFileBytes(newHead->end, oldHead.end, result.originalSize() - oldHead.end);
}

// The result read by TagLib as the same stream, with the audio of the file in it. Ogg pages
// TagLib laid out may have been renumbered, all of them; behind header pages laid out here
// (from the file's head `oldOggHead`) none may change.
bool resultKeepsAudio(AudioFormat format, OverlayStream& result, const StreamFacts& before,
                      const std::optional<OggHead>& oldOggHead) {
    if (const auto reopened = openFile(format, result); !reopened || factsOf(*reopened) != before)
        return false;
    const ByteReader was = result.originalReader();
    const ByteReader now = result.resultReader();
    if (format == AudioFormat::Flac)
        return flacAudioKept(result, was, now);
    if (format == AudioFormat::Mp4)
        return mp4AudioKept(result, was, now);
    return !oldOggHead || oggPagesKept(format, result, *oldOggHead, now);
}

}  // namespace

struct FormatSave::Opened {
    std::unique_ptr<TagLib::File> file;
    unsigned int oggCommentLength = 0;  // of its comment packet, as the file has it
    std::optional<OggHead> oldOggHead;  // where the header pages were laid out here
    StreamFacts facts;
    TagLib::FLAC::File* flac = nullptr;
    TagLib::Ogg::XiphComment* comment = nullptr;  // FLAC, Ogg Vorbis, Opus
    TagLib::ByteVector fileComment;               // its bytes, as the file has them
    TagLib::MP4::Tag* mp4 = nullptr;
    TagLib::MP4::ItemMap fileItems;  // TagLib's reading of the file's items
    std::unique_ptr<FormatTag> tag;
};

FormatSave::FormatSave(AudioFormat format, int fd, std::uint64_t size, std::string path)
    : format_(format), fd_(fd), size_(size), path_(std::move(path)) {}

FormatSave::~FormatSave() = default;

bool FormatSave::fail(base::Message why) {
    error_ = std::move(why);
    return false;
}

bool FormatSave::open() {
    if (opened_)
        return true;
    stream_ = std::make_unique<OverlayStream>(fd_, size_, path_);
    auto opened = std::make_unique<Opened>();
    opened->file = openFile(format_, *stream_);
    const auto facts = opened->file ? factsOf(*opened->file) : std::nullopt;
    if (stream_->error() != 0)
        return fail(base::Message(ids::kSaveCannotRead, std::strerror(stream_->error())));
    if (!facts || stream_->exhausted())
        return fail(base::Message(ids::kReadFormatDamaged, formatName(format_)));
    opened->facts = *facts;
    if (format_ == AudioFormat::Flac) {
        opened->flac = static_cast<TagLib::FLAC::File*>(opened->file.get());
        opened->comment = opened->flac->xiphComment(true);
        const auto fileComment = fileFlacComment(*stream_);
        if (!fileComment)
            return fail(base::Message(ids::kReadFormatDamaged, formatName(format_)));
        opened->fileComment = *fileComment;
    } else if (format_ == AudioFormat::Mp4) {
        opened->mp4 = static_cast<TagLib::MP4::File*>(opened->file.get())->tag();
        opened->fileItems = opened->mp4->itemMap();
    } else {
        opened->comment = static_cast<TagLib::Ogg::XiphComment*>(opened->file->tag());
        const TagLib::ByteVector packet =
            static_cast<TagLib::Ogg::File*>(opened->file.get())->packet(1);
        opened->oggCommentLength = packet.size();
        opened->fileComment = packet.mid(oggCommentHeader(format_).size());
    }
    if (opened->comment)
        opened->tag = std::make_unique<XiphTag>(*opened->comment);
    else if (opened->mp4)
        opened->tag = std::make_unique<Mp4Tag>(*opened->mp4);
    else
        return fail(base::Message(ids::kReadFormatDamaged, formatName(format_)));
    opened_ = std::move(opened);
    return true;
}

bool FormatSave::writeFields(const TagV2Fields& fields) {
    if (!open())
        return false;
    writeFormatFields(*opened_->tag, fields);
    return true;
}

bool FormatSave::removeTag() {
    if (!open())
        return false;
    opened_->tag->clear();
    if (opened_->flac)
        opened_->flac->removePictures();
    return true;
}

bool FormatSave::writeLyrics(std::string_view text) {
    if (!open())
        return false;
    writeFormatLyrics(*opened_->tag, text);
    return true;
}

bool FormatSave::writePictures(const AudioFile& record) {
    if (!open())
        return false;
    Opened& o = *opened_;
    // The file's pictures in the order the reader numbered them.
    TagLib::List<TagLib::FLAC::Picture*> blocks;
    TagLib::List<TagLib::FLAC::Picture*> inComment;
    TagLib::MP4::CoverArtList covers;
    if (o.flac)
        blocks = o.flac->pictureList();
    if (o.comment)
        inComment = o.comment->pictureList();
    if (o.mp4 && o.mp4->contains("covr"))
        covers = o.mp4->item("covr").toCoverArtList();
    const std::size_t count = blocks.size() + inComment.size() + covers.size();

    std::set<int> kept;
    for (const Picture& picture : record.pictures.items) {
        if (picture.fileIndex >= 0 && static_cast<std::size_t>(picture.fileIndex) >= count)
            return fail(base::Message(ids::kReadChangedMeanwhile));
        if (picture.fileIndex >= 0)
            kept.insert(picture.fileIndex);
        else if (picture.data && o.mp4 && !coverFormat(picture.info.mime))
            return fail(base::Message(ids::kSaveCoverFormat, picture.info.mime));
    }
    int index = 0;
    for (TagLib::FLAC::Picture* picture : blocks)
        if (!kept.contains(index++))
            o.flac->removePicture(picture, true);
    for (TagLib::FLAC::Picture* picture : inComment)
        if (!kept.contains(index++))
            o.comment->removePicture(picture, true);
    TagLib::MP4::CoverArtList keptCovers;
    for (const TagLib::MP4::CoverArt& cover : covers)
        if (kept.contains(index++))
            keptCovers.append(cover);

    for (const Picture& picture : record.pictures.items) {
        if (picture.fileIndex >= 0 || !picture.data)
            continue;
        if (o.flac)
            o.flac->addPicture(newFlacPicture(picture));
        else if (o.comment)
            o.comment->addPicture(newFlacPicture(picture));
        else
            keptCovers.append(TagLib::MP4::CoverArt(
                *coverFormat(picture.info.mime),
                TagLib::ByteVector(picture.data->data(),
                                   static_cast<unsigned int>(picture.data->size()))));
    }
    if (o.mp4) {
        if (keptCovers.isEmpty())
            o.mp4->removeItem("covr");
        else
            o.mp4->setItem("covr", keptCovers);
    }
    return true;
}

// The comment packet goes into the header pages as many as there were (ogg_head.h), padded
// to its old length when it is shorter, so that the file keeps its length and is written in
// place; a comment that grew gets kOggCommentRoom to grow again, and only the head of the
// file grows. Where the pages cannot hold it, TagLib lays them out, and renumbers every page
// behind them when their count changes.
bool FormatSave::saveOgg() {
    Opened& o = *opened_;
    TagLib::ByteVector packet =
        oggCommentHeader(format_) +
        renderKeptComment(o.fileComment, *o.comment, format_ == AudioFormat::OggVorbis);
    if (auto head = oggHead(stream_->originalReader(), size_, oggHeadPackets(format_))) {
        head->packets.front().assign(packet.begin(), packet.end());
        const std::uint64_t least = leastOggHeadEnd(*head);
        const auto pages =
            layOutOggHead(*head, least <= head->end ? head->end : least + kOggCommentRoom);
        if (pages) {
            stream_->insert(TagLib::ByteVector(reinterpret_cast<const char*>(pages->data()),
                                               static_cast<unsigned int>(pages->size())),
                            static_cast<unsigned long>(head->start),
                            static_cast<unsigned long>(head->end - head->start));
            head->packets.clear();
            o.oldOggHead = std::move(head);
            return true;
        }
    }
    if (packet.size() != o.oggCommentLength)
        packet.resize(packet.size() < o.oggCommentLength ? o.oggCommentLength
                                                         : packet.size() + kOggCommentRoom,
                      '\0');
    auto* ogg = static_cast<TagLib::Ogg::File*>(o.file.get());
    ogg->setPacket(1, packet);
    return ogg->TagLib::Ogg::File::save();
}

// TagLib's save, then the comment block rendered again from the file's own entries.
bool FormatSave::saveFlac() {
    Opened& o = *opened_;
    return o.flac->save() &&
           putFlacComment(*stream_, renderKeptComment(o.fileComment, *o.comment, false));
}

// TagLib's save of a stand-in, then the file's own items in the place of what it wrote.
bool FormatSave::saveMp4() {
    Opened& o = *opened_;
    const auto kept = KeptMp4Items::prepare(stream_->originalReader(), size_, o.fileItems, *o.mp4);
    return o.file->save() && (!kept || kept->put(*stream_));
}

std::unique_ptr<OverlayStream> FormatSave::finish() {
    if (!opened_ && !open())
        return nullptr;
    if (format_ == AudioFormat::Mp4 &&
        (!mp4Layout(stream_->originalReader(), stream_->originalSize()) ||
         !mp4OffsetTablesFit(stream_->originalReader(), stream_->originalSize()))) {
        fail(base::Message(ids::kSaveMp4OffsetsDamaged));
        return nullptr;
    }
    const bool ogg = format_ == AudioFormat::OggVorbis || format_ == AudioFormat::Opus;
    const bool saved = ogg ? saveOgg() : format_ == AudioFormat::Flac ? saveFlac() : saveMp4();
    const StreamFacts before = opened_->facts;
    const std::optional<OggHead> oldOggHead = std::move(opened_->oldOggHead);
    opened_.reset();  // TagLib's objects go before the stream they read
    if (stream_->error() != 0) {
        fail(base::Message(ids::kSaveCannotRead, std::strerror(stream_->error())));
        return nullptr;
    }
    if (stream_->exhausted()) {
        fail(base::Message(ids::kSaveFormatTooLarge,
                           std::to_string(OverlayStream::kMostNewBytes >> 20)));
        return nullptr;
    }
    if (!saved || !resultKeepsAudio(format_, *stream_, before, oldOggHead)) {
        fail(base::Message(ids::kSaveFormatNotKept, formatName(format_)));
        return nullptr;
    }
    return std::move(stream_);
}

}  // namespace tw::core
