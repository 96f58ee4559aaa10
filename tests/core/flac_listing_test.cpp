// SPDX-License-Identifier: GPL-2.0-or-later
// The listing's own reading of FLAC metadata blocks against TagLib's FLAC class, on a tagged
// file with pictures and on that file damaged byte by byte: whatever the listing reads
// itself must be what TagLib reads.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/tpropertymap.h>
#include <taglib/xiphcomment.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/formats/bounded_stream.h"
#include "core/formats/flac_listing.h"
#include "support/byte_damage.h"
#include "support/file_text.h"
#include "support/format_files.h"
#include "support/temp_dir.h"

namespace tw::core {
namespace {

// Both readings of `path`, as comparable texts; empty where the listing leaves the file to
// TagLib.
std::pair<std::string, std::string> bothReadings(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    const auto size = static_cast<std::uint64_t>(::lseek(fd, 0, SEEK_END));
    BoundedStream ours(fd, size, path);
    const std::optional<FlacListing> listing = readFlacListing(ours);
    std::string listed;
    std::string taglib;
    if (listing) {
        const FormatStream& s = listing->stream;
        TagV2Fields fields;
        LyricsTag lyrics;
        readFieldValues(listing->comment.values, fields, lyrics);
        listed = std::to_string(s.sampleRate) + " " + std::to_string(s.channels) + " " +
                 std::to_string(s.bitsPerSample) + " " + std::to_string(s.bitrate) + " " +
                 std::to_string(s.lengthMs) + " " + fields.title + " " + fields.trackText;
        for (const PictureInfo& p : listing->comment.pictures)
            listed +=
                " " + std::to_string(p.type) + p.mime + p.description + std::to_string(p.byteSize);

        BoundedStream theirs(fd, size, path);
        TagLib::FLAC::File file(&theirs, TagLib::ID3v2::FrameFactory::instance());
        if (file.isValid() && file.audioProperties()) {
            const auto& p = *file.audioProperties();
            TagV2Fields tagFields;
            if (file.hasXiphComment())
                readPropertyFields(file.xiphComment()->properties(), tagFields, lyrics);
            else
                readFieldValues({}, tagFields, lyrics);
            taglib = std::to_string(p.sampleRate()) + " " + std::to_string(p.channels()) + " " +
                     std::to_string(p.bitsPerSample()) + " " + std::to_string(p.bitrate()) + " " +
                     std::to_string(p.lengthInMilliseconds()) + " " + tagFields.title + " " +
                     tagFields.trackText;
            auto pictures = file.pictureList();
            if (file.hasXiphComment())
                pictures.append(file.xiphComment()->pictureList());
            for (const TagLib::FLAC::Picture* picture : pictures)
                taglib += " " + std::to_string(static_cast<int>(picture->type())) +
                          picture->mimeType().to8Bit(true) + picture->description().to8Bit(true) +
                          std::to_string(picture->data().size());
        }
    }
    ::close(fd);
    return {listed, taglib};
}

TEST(FlacListing, ReadsWhatTagLibReadsOrLeavesTheFileToIt) {
    test::TempDir dir;
    const std::string path = (dir / "a.flac").string();
    if (!test::copyFormatFile("flac", true, path))
        FAIL() << "could not make the test file (flac, sox, mutagen)";
    // The blocks and a little audio behind them, so that each damaged copy is quickly made.
    const std::string whole = test::fileText(path).substr(0, 12288);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << whole;
    const auto [listed, taglib] = bothReadings(path);
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed, taglib);
    EXPECT_NE(listed.find("image/png"), std::string::npos);

    // Every byte of the blocks in front of the padding overwritten in turn, with values
    // that make lengths huge, zero or odd, or the file cut short there.
    test::expectAgreementOnDamage(whole, 700, {0x00, 0x7f, 0xff, -1},
                                  [&](const std::string& bytes) {
                                      // A new file each time: rewriting one in place waits for the
                                      // disk.
                                      std::filesystem::remove(path);
                                      std::ofstream(path, std::ios::binary) << bytes;
                                      return bothReadings(path);
                                  });
}

}  // namespace
}  // namespace tw::core
