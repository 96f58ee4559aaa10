// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/format_stream.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "core/mpeg_info.h"

namespace tw::core {

namespace {

namespace ids = base::ids;

std::string channelsText(int channels) {
    if (channels == 1)
        return base::tr(ids::kModeMono);
    if (channels == 2)
        return base::tr(ids::kModeStereo);
    return base::trf(ids::kFormatChannels, std::to_string(channels));
}

}  // namespace

void formatStreamTexts(const FormatStream& stream, std::uint64_t fileSize, StreamTexts& out) {
    out = {};
    auto set = [&](StreamField field, std::string text) {
        out[static_cast<std::size_t>(field)] = std::move(text);
    };
    set(StreamField::Size, byteCountText(groupedNumber(fileSize)));
    set(StreamField::Length, durationText(stream.lengthMs / 1000));
    set(StreamField::Version,
        stream.bitsPerSample > 0
            ? base::trf(ids::kFormatCodecBits, stream.codec, std::to_string(stream.bitsPerSample))
            : stream.codec);
    set(StreamField::Bitrate, std::to_string(stream.bitrate) + " kbps");
    set(StreamField::Frequency, std::to_string(stream.sampleRate) + " Hz");
    set(StreamField::Mode, channelsText(stream.channels));
}

std::string formatInfoText(const FormatStream& stream, const StreamTexts& t) {
    auto text = [&](StreamField field) { return t[static_cast<std::size_t>(field)]; };
    return base::LangString().LoadFormat(
        ids::kFormatInfoText, text(StreamField::Size), text(StreamField::Length), stream.codec,
        text(StreamField::Bitrate), text(StreamField::Frequency), text(StreamField::Mode),
        stream.bitsPerSample > 0 ? std::to_string(stream.bitsPerSample) : std::string("-"));
}

}  // namespace tw::core
