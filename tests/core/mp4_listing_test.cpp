// SPDX-License-Identifier: GPL-2.0-or-later
// The listing's own reading of MP4 boxes against TagLib's MP4 class, on a tagged AAC file
// with its "moov" box last and an ALAC one with it first, both with covers, and on each
// damaged byte by byte: whatever the listing reads itself must be what TagLib reads.

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <taglib/mp4file.h>
#include <unistd.h>

#include <array>
#include <cstdint>

#include "core/byte_order.h"
#include "core/formats/bounded_stream.h"
#include "core/formats/mp4_listing.h"
#include "core/formats/mp4_sample_entry.h"
#include "support/byte_damage.h"
#include "support/file_text.h"
#include "support/format_files.h"
#include "support/temp_dir.h"

namespace tw::core {
namespace {

std::string describe(const FormatStream& s, const FieldValues& values,
                     const std::vector<PictureInfo>& pictures) {
    std::string out = s.codec + " " + std::to_string(s.sampleRate) + " " +
                      std::to_string(s.channels) + " " + std::to_string(s.bitsPerSample) + " " +
                      std::to_string(s.bitrate) + " " + std::to_string(s.lengthMs);
    for (std::size_t key = 0; key < kFieldKeyCount; ++key)
        out += "|" + values[static_cast<FieldKey>(key)].value_or("-");
    for (const PictureInfo& p : pictures)
        out += " " + std::to_string(p.type) + p.mime + p.description + std::to_string(p.byteSize);
    return out;
}

// Both readings of `bytes`, as comparable texts; the listing's empty where it leaves the
// file to TagLib, either "damaged" where the budget ran out or TagLib refuses the file.
std::pair<std::string, std::string> bothReadings(const std::string& bytes) {
    const int fd = ::memfd_create("m4a", 0);
    EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    std::string listed;
    std::string taglib = "damaged";
    BoundedStream ours(fd, bytes.size(), "a.m4a");
    if (const std::optional<Mp4Listing> listing = readMp4Listing(ours))
        listed = ours.exhausted()
                     ? "damaged"
                     : describe(listing->stream, listing->tag.values, listing->tag.pictures);
    if (!listed.empty()) {
        BoundedStream theirs(fd, bytes.size(), "a.m4a");
        TagLib::MP4::File file(&theirs);
        if (file.isValid() && file.audioProperties()) {
            const FormatStream stream = mp4StreamOf(mp4PropertiesOf(*file.audioProperties()),
                                                    mp4SampleEntryOf(file), theirs.length());
            std::vector<PictureInfo> covers;
            if (file.tag()->contains("covr"))
                for (const auto& cover : file.tag()->item("covr").toCoverArtList())
                    covers.push_back({.type = kFrontCover,
                                      .mime = std::string(mp4CoverMime(cover.format())),
                                      .description = {},
                                      .byteSize = cover.data().size()});
            if (!theirs.exhausted())
                taglib = describe(stream, fieldValuesOf(*file.tag()), covers);
        }
    }
    ::close(fd);
    return {listed, taglib};
}

// The file with its audio cut to a few bytes, so that each damaged copy is quickly read:
// neither reading looks at the audio, only at the size of its box.
std::string withLittleAudio(const std::string& file) {
    for (std::size_t at = 0; at + 8 <= file.size();) {
        const auto* head = reinterpret_cast<const std::uint8_t*>(file.data() + at);
        const std::uint32_t length = bigEndian32(head);
        if (length < 8 || length > file.size() - at)
            break;
        if (file.compare(at + 4, 4, "mdat") == 0 && length > 40) {
            std::string out = file.substr(0, at) + file.substr(at, 40) + file.substr(at + length);
            out[at] = out[at + 1] = out[at + 2] = 0;
            out[at + 3] = 40;
            return out;
        }
        at += length;
    }
    return file;
}

TEST(Mp4Listing, ReadsWhatTagLibReadsOrLeavesTheFileToIt) {
    test::TempDir dir;
    for (const char* kind : {"aac", "alac-moov-first"}) {
        SCOPED_TRACE(kind);
        const std::string path = (dir / (std::string(kind) + ".m4a")).string();
        if (!test::copyFormatFile(kind, true, path))
            FAIL() << "could not make the test file (ffmpeg, mutagen)";
        const std::string whole = withLittleAudio(test::fileText(path));
        const auto [listed, taglib] = bothReadings(whole);
        ASSERT_FALSE(listed.empty());
        EXPECT_EQ(listed, taglib);
        EXPECT_NE(listed.find("image/png"), std::string::npos);

        // Every byte overwritten in turn, with values that make sizes huge, zero or odd,
        // names wrong, or the file cut short there.
        test::expectAgreementOnDamage(whole, whole.size(), {0x00, 0x01, 0xff, -1},
                                      [](const std::string& bytes) { return bothReadings(bytes); });
    }
}

}  // namespace
}  // namespace tw::core
