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
#include "core/formats/format_stream.h"
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
    TagLib::PropertyMap properties;
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
        content.properties = file.xiphComment()->properties();
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
        content.properties = comment->properties();
        addPictures(comment->pictureList(), content.pictures);
    }
    return content;
}

std::string_view coverMime(TagLib::MP4::CoverArt::Format format) {
    switch (format) {
        case TagLib::MP4::CoverArt::JPEG:
            return "image/jpeg";
        case TagLib::MP4::CoverArt::PNG:
            return "image/png";
        case TagLib::MP4::CoverArt::GIF:
            return "image/gif";
        case TagLib::MP4::CoverArt::BMP:
            return "image/bmp";
        default:
            return "";
    }
}

std::optional<FormatContent> readMp4(TagLib::IOStream& stream) {
    TagLib::MP4::File file(&stream);
    if (!file.isValid() || !file.audioProperties())
        return std::nullopt;
    const TagLib::MP4::Properties& properties = *file.audioProperties();
    FormatContent content;
    Mp4SampleEntry entry = mp4SampleEntryOf(file);
    switch (properties.codec()) {
        case TagLib::MP4::Properties::AAC:
            content.stream = streamOf(properties, "AAC");
            if (entry.aacChannels > 0)
                content.stream.channels = entry.aacChannels;
            break;
        case TagLib::MP4::Properties::ALAC:
            // Only a lossless codec's samples have a width worth showing.
            content.stream = streamOf(properties, "ALAC");
            content.stream.bitsPerSample = properties.bitsPerSample();
            break;
        default:
            content.stream = streamOf(properties, "MP4");
            if (entry.alac) {
                // Its configuration's average bitrate is what the encoder guessed; the
                // length TagLib has from the track header.
                content.stream = std::move(*entry.alac);
                content.stream.lengthMs = properties.lengthInMilliseconds();
                if (content.stream.lengthMs > 0)
                    content.stream.bitrate =
                        static_cast<int>(stream.length() * 8 / content.stream.lengthMs);
            }
            break;
    }
    if (const TagLib::MP4::Tag* tag = file.tag()) {
        content.properties = tag->properties();
        if (tag->contains("covr"))
            // A cover has no picture type; players show it as the front cover.
            for (const TagLib::MP4::CoverArt& cover : tag->item("covr").toCoverArtList())
                content.pictures.push_back({{.type = kFrontCover,
                                             .mime = std::string(coverMime(cover.format())),
                                             .description = {},
                                             .byteSize = cover.data().size()},
                                            cover.data()});
    }
    return content;
}

// An Ogg file's listing: its pictures without their images.
std::optional<FormatContent> listOgg(TagLib::IOStream& stream, bool opus) {
    std::optional<OggListing> listing = readOggListing(stream, opus);
    if (!listing)
        return std::nullopt;
    FormatContent content{.stream = std::move(listing->stream),
                          .properties = std::move(listing->properties),
                          .pictures = {}};
    for (PictureInfo& info : listing->pictures)
        content.pictures.push_back({std::move(info), {}});
    return content;
}

// With `images` the pictures come with their image bytes.
std::optional<FormatContent> readContent(AudioFormat format, TagLib::IOStream& stream,
                                         bool images) {
    switch (format) {
        case AudioFormat::Flac:
            return readFlac(stream);
        case AudioFormat::OggVorbis:
            return images ? readOgg<TagLib::Ogg::Vorbis::File>(stream, "Vorbis")
                          : listOgg(stream, false);
        case AudioFormat::Opus:
            return images ? readOgg<TagLib::Ogg::Opus::File>(stream, "Opus")
                          : listOgg(stream, true);
        case AudioFormat::Mp4:
            return readMp4(stream);
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
    readPropertyFields(content->properties, record.id3v2, record.lyrics);
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
