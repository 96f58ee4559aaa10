// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/format_reader.h"

#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/mp4coverart.h>
#include <taglib/mp4file.h>
#include <taglib/opusfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/xiphcomment.h>

#include <optional>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/formats/bounded_stream.h"
#include "core/formats/flac_listing.h"
#include "core/formats/format_stream.h"
#include "core/formats/mp4_listing.h"
#include "core/formats/mp4_sample_entry.h"
#include "core/formats/ogg_reader.h"
#include "core/formats/property_fields.h"

namespace tw::core {

namespace {

// What the format's TagLib class gave, before it goes into a record.
struct FormatContent {
    struct Image {
        PictureInfo info;
        TagLib::ByteVector data;  // shared with TagLib's own copy, not copied
    };
    FormatStream stream;
    FieldValues values;
    std::vector<Image> pictures;
};

template <typename Properties>
FormatStream streamOf(const Properties& properties, std::string codec) {
    return {.codec = std::move(codec),
            .sampleRate = properties.sampleRate(),
            .channels = properties.channels(),
            .bitsPerSample = 0,
            .bitrate = properties.bitrate(),
            .lengthMs = properties.lengthInMilliseconds()};
}

std::string utf8(const TagLib::String& text) {
    return text.to8Bit(true);
}

void addPictures(const TagLib::List<TagLib::FLAC::Picture*>& pictures,
                 std::vector<FormatContent::Image>& out) {
    for (const TagLib::FLAC::Picture* picture : pictures)
        out.push_back({{.type = static_cast<int>(picture->type()),
                        .mime = utf8(picture->mimeType()),
                        .description = utf8(picture->description()),
                        .byteSize = picture->data().size()},
                       picture->data()});
}

std::optional<FormatContent> readFlac(TagLib::IOStream& stream) {
    TagLib::FLAC::File file(&stream, TagLib::ID3v2::FrameFactory::instance());
    if (!file.isValid() || !file.audioProperties())
        return std::nullopt;
    FormatContent content;
    content.stream = streamOf(*file.audioProperties(), "FLAC");
    content.stream.bitsPerSample = file.audioProperties()->bitsPerSample();
    addPictures(file.pictureList(), content.pictures);
    if (file.hasXiphComment()) {
        content.values = fieldValuesOf(file.xiphComment()->properties());
        addPictures(file.xiphComment()->pictureList(), content.pictures);
    }
    return content;
}

template <typename OggFile>
std::optional<FormatContent> readOgg(TagLib::IOStream& stream, std::string codec) {
    OggFile file(&stream);
    if (!file.isValid() || !file.audioProperties())
        return std::nullopt;
    FormatContent content;
    content.stream = streamOf(*file.audioProperties(), std::move(codec));
    if (TagLib::Ogg::XiphComment* comment = file.tag()) {
        content.values = fieldValuesOf(comment->properties());
        addPictures(comment->pictureList(), content.pictures);
    }
    return content;
}

std::optional<FormatContent> readMp4(TagLib::IOStream& stream) {
    TagLib::MP4::File file(&stream);
    if (!file.isValid() || !file.audioProperties())
        return std::nullopt;
    FormatContent content;
    content.stream = mp4StreamOf(mp4PropertiesOf(*file.audioProperties()), mp4SampleEntryOf(file),
                                 stream.length());
    if (const TagLib::MP4::Tag* tag = file.tag()) {
        content.values = fieldValuesOf(*tag);
        if (tag->contains("covr"))
            // A cover has no picture type; players show it as the front cover.
            for (const TagLib::MP4::CoverArt& cover : tag->item("covr").toCoverArtList())
                content.pictures.push_back({{.type = kFrontCover,
                                             .mime = std::string(mp4CoverMime(cover.format())),
                                             .description = {},
                                             .byteSize = cover.data().size()},
                                            cover.data()});
    }
    return content;
}

// A listing's content: its pictures without their images.
FormatContent contentOf(FormatStream stream, CommentListing comment) {
    FormatContent content{
        .stream = std::move(stream), .values = std::move(comment.values), .pictures = {}};
    for (PictureInfo& info : comment.pictures)
        content.pictures.push_back({std::move(info), {}});
    return content;
}

std::optional<FormatContent> listOgg(BoundedStream& stream, bool opus) {
    std::optional<OggListing> listing = readOggListing(stream, opus);
    if (!listing)
        return std::nullopt;
    return contentOf(std::move(listing->stream), std::move(listing->comment));
}

// A plain FLAC file through its blocks, any other through TagLib's class.
std::optional<FormatContent> listFlac(BoundedStream& stream) {
    std::optional<FlacListing> listing = readFlacListing(stream);
    if (!listing)
        return readFlac(stream);
    return contentOf(std::move(listing->stream), std::move(listing->comment));
}

// A plain MP4 file through its boxes, any other through TagLib's class.
std::optional<FormatContent> listMp4(BoundedStream& stream) {
    std::optional<Mp4Listing> listing = readMp4Listing(stream);
    if (!listing)
        return readMp4(stream);
    return contentOf(std::move(listing->stream), std::move(listing->tag));
}

// With `images` the pictures come with their image bytes.
std::optional<FormatContent> readContent(AudioFormat format, BoundedStream& stream, bool images) {
    switch (format) {
        case AudioFormat::Flac:
            return images ? readFlac(stream) : listFlac(stream);
        case AudioFormat::OggVorbis:
            return images ? readOgg<TagLib::Ogg::Vorbis::File>(stream, "Vorbis")
                          : listOgg(stream, false);
        case AudioFormat::Opus:
            return images ? readOgg<TagLib::Ogg::Opus::File>(stream, "Opus")
                          : listOgg(stream, true);
        case AudioFormat::Mp4:
            return images ? readMp4(stream) : listMp4(stream);
        case AudioFormat::Mpeg:
            break;
    }
    return std::nullopt;
}

// The content of the file, or why there is none.
base::Result<FormatContent> readFile(AudioFormat format, int fd, std::uint64_t size,
                                     const std::string& path, bool images) {
    BoundedStream stream(fd, size, path);
    std::optional<FormatContent> content = readContent(format, stream, images);
    if (stream.error() != 0)
        return base::Failure::ofSystem(path, {stream.error(), std::generic_category()});
    if (!content || stream.exhausted())
        return base::Failure{
            path, base::Message(base::ids::kReadFormatDamaged, formatName(format)), {}};
    return std::move(*content);
}

}  // namespace

base::Outcome readFormatRecord(AudioFile& record, AudioFormat format, int fd, std::uint64_t size) {
    base::Result<FormatContent> content = readFile(format, fd, size, record.path, false);
    if (!content)
        return content.failure();
    record.id3v1 = {};
    readFieldValues(content->values, record.id3v2, record.lyrics);
    record.pictures = {};
    for (std::size_t i = 0; i < content->pictures.size(); ++i)
        record.pictures.items.push_back({content->pictures[i].info, static_cast<int>(i), nullptr});
    formatStreamTexts(content->stream, size, record.streamText);
    record.playSeconds = static_cast<std::int32_t>(content->stream.lengthMs / 1000);
    record.infoText = formatInfoText(content->stream, record.streamText);
    return {};
}

base::Result<std::vector<PictureBytes>> readFormatPictures(AudioFormat format, int fd,
                                                           std::uint64_t size, std::uint64_t limit,
                                                           const std::string& path) {
    base::Result<FormatContent> content = readFile(format, fd, size, path, true);
    if (!content)
        return content.failure();
    std::vector<PictureBytes> out;
    for (const FormatContent::Image& image : content->pictures)
        out.push_back(image.data.size() > limit ? nullptr
                                                : std::make_shared<const std::string>(
                                                      image.data.data(), image.data.size()));
    return out;
}

}  // namespace tw::core
