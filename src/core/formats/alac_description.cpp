// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/alac_description.h"

#include <taglib/mp4atom.h>
#include <taglib/tfile.h>

namespace tw::core {

namespace {

// The "stsd" box: its header (8), version and flags (4), the entry count (4), then the
// first sample entry: its size (4) and type (4), 28 bytes of audio sample entry, and in it
// the "alac" box, whose body after version and flags is the ALAC configuration.
constexpr unsigned kEntryType = 20;
constexpr unsigned kConfigBox = 52;
constexpr unsigned kConfig = kConfigBox + 12;
constexpr unsigned kConfigSize = 24;

std::optional<FormatStream> parseDescription(const TagLib::ByteVector& stsd) {
    if (stsd.size() < kConfig + kConfigSize || !stsd.containsAt("alac", kEntryType) ||
        !stsd.containsAt("alac", kConfigBox + 4))
        return std::nullopt;
    return FormatStream{
        .codec = "ALAC",
        .sampleRate = static_cast<int>(stsd.toUInt(kConfig + 20)),
        .channels = static_cast<unsigned char>(stsd[kConfig + 9]),
        .bitsPerSample = static_cast<unsigned char>(stsd[kConfig + 5]),
        .bitrate = 0,
        .lengthMs = 0,
    };
}

}  // namespace

std::optional<FormatStream> alacStreamOf(TagLib::File& file) {
    TagLib::MP4::Atoms atoms(&file);
    TagLib::MP4::Atom* moov = atoms.find("moov");
    if (!moov)
        return std::nullopt;
    for (TagLib::MP4::Atom* trak : moov->findall("trak")) {
        TagLib::MP4::Atom* stsd = trak->find("mdia", "minf", "stbl", "stsd");
        if (!stsd || stsd->length < 0 || stsd->length > 4096)
            continue;
        file.seek(stsd->offset);
        if (auto stream =
                parseDescription(file.readBlock(static_cast<unsigned long>(stsd->length))))
            return stream;
    }
    return std::nullopt;
}

}  // namespace tw::core
