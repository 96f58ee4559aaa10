// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/mpeg_info.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/language_fixture.h"
#include "core/byte_window.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"

namespace tw::core {
namespace {

using test::Bytes;
using test::ChannelMode;
using test::FrameSpec;
using V = test::MpegVersion;

struct Examined {
    MpegInfo info;
    StreamTexts texts;
    std::string text(StreamField f) const { return texts[static_cast<std::size_t>(f)]; }
};

Examined examine(const Bytes& bytes) {
    Examined out;
    ByteWindow window;
    window.reset(bytes);
    out.info.examine(window);
    out.info.texts(out.texts);
    return out;
}

// Two frames, then zeros up to `total` bytes.
Bytes streamOfLength(const FrameSpec& spec, std::size_t total) {
    Bytes bytes = test::mpegFrames(spec, 2);
    bytes.resize(total, 0);
    return bytes;
}

TEST(MpegInfo, ConstantBitrateStreamGivesPlayTimeFromLength) {
    const auto r = examine(streamOfLength(FrameSpec{}, 4'000'000));
    EXPECT_EQ(r.info.playSeconds(), 250);
    EXPECT_EQ(r.text(StreamField::Length), "04:10");
    EXPECT_EQ(r.text(StreamField::Bitrate), "128 kbps");
    EXPECT_EQ(r.text(StreamField::Size), "4,000,000 bytes");
    EXPECT_EQ(r.text(StreamField::Frequency), "44100 Hz");
    EXPECT_EQ(r.text(StreamField::Frames), std::to_string(4'000'000 / 417));
    EXPECT_EQ(r.text(StreamField::Mode), "Joint Stereo");
    EXPECT_EQ(r.text(StreamField::Crc) + r.text(StreamField::Emphasis), "NoNone");
    EXPECT_EQ(r.text(StreamField::NoHeader), "No");
}

TEST(MpegInfo, NoFrameGivesTheInvalidTexts) {
    for (const Bytes& bytes : {Bytes{}, Bytes(5000, 0x55), Bytes(3000, 0xFF)}) {
        const auto r = examine(bytes);
        EXPECT_FALSE(r.info.found());
        EXPECT_EQ(r.info.playSeconds(), 0);
        EXPECT_EQ(r.text(StreamField::Size), groupedNumber(bytes.size()) + " bytes");
        EXPECT_EQ(r.text(StreamField::Version), "MPEG 0 Layer 0");
        EXPECT_EQ(r.text(StreamField::Mode), "Invalid");
        EXPECT_EQ(r.text(StreamField::NoHeader), "Yes");
    }
}

TEST(MpegInfo, FrameWhoseSuccessorWouldLieBehindTheEndIsNotTaken) {
    Bytes bytes = test::mpegFrame(FrameSpec{});
    bytes.resize(bytes.size() - 1);
    EXPECT_FALSE(examine(bytes).info.found());
    // Exactly at the end counts as behind it too.
    EXPECT_FALSE(examine(test::mpegFrame(FrameSpec{})).info.found());
}

TEST(MpegInfo, LoneSyncWordsBeforeTheStreamAreSkipped) {
    Bytes bytes = {0xFF, 0xFB, 0x90, 0x64, 0x00, 0xFF, 0xE0, 0x12};
    test::append(bytes, test::mpegFrames(FrameSpec{}, 3));
    const auto r = examine(bytes);
    EXPECT_EQ(r.info.headerPosition(), 8);
}

TEST(MpegInfo, FrameLengthsFollowTheIsoTablesForEveryVersionAndLayer) {
    const std::vector<FrameSpec> specs = {
        {.layer = 1, .bitrateKbps = 32, .sampleRate = 44100},
        {.layer = 1, .bitrateKbps = 448, .sampleRate = 32000, .padding = true},
        {.layer = 2, .bitrateKbps = 384, .sampleRate = 48000, .padding = true},
        {.layer = 3, .bitrateKbps = 320, .sampleRate = 44100, .padding = true},
        {.version = V::Mpeg2, .layer = 3, .bitrateKbps = 64, .sampleRate = 22050, .padding = true},
        {.version = V::Mpeg2, .layer = 2, .bitrateKbps = 160, .sampleRate = 24000},
        {.version = V::Mpeg2, .layer = 1, .bitrateKbps = 256, .sampleRate = 16000, .padding = true},
        {.version = V::Mpeg25, .layer = 3, .bitrateKbps = 8, .sampleRate = 8000, .padding = true},
        {.version = V::Mpeg25, .layer = 3, .bitrateKbps = 32, .sampleRate = 11025},
    };
    for (const FrameSpec& spec : specs) {
        SCOPED_TRACE(std::to_string(spec.layer) + "/" + std::to_string(spec.sampleRate) + "/" +
                     std::to_string(spec.bitrateKbps));
        // Junk first, so that the search has to confirm the stream by its second header.
        Bytes bytes(7, 0x11);
        test::append(bytes, test::mpegFrames(spec, 4));
        const auto r = examine(bytes);
        ASSERT_TRUE(r.info.found());
        EXPECT_EQ(r.info.headerPosition(), 7);
        EXPECT_EQ(r.info.frameLength(), test::frameLength(spec));
        EXPECT_EQ(r.info.frameCount(), (bytes.size() - 7) / test::frameLength(spec));
        EXPECT_EQ(r.info.sampleRate(), spec.sampleRate);
        EXPECT_EQ(r.info.bitrate(), spec.bitrateKbps);
    }
}

TEST(MpegInfo, VersionAndFlagTexts) {
    const FrameSpec spec{.version = V::Mpeg25,
                         .layer = 3,
                         .bitrateKbps = 32,
                         .sampleRate = 12000,
                         .mode = ChannelMode::DualChannel,
                         .crc = true,
                         .copyright = true,
                         .original = true,
                         .emphasis = 3};
    const auto r = examine(test::mpegFrames(spec, 3));
    EXPECT_EQ(r.text(StreamField::Version), "MPEG 2.5 Layer 3");
    EXPECT_EQ(r.text(StreamField::Mode), "Dual Channel");
    EXPECT_EQ(r.text(StreamField::Crc), "Yes");
    EXPECT_EQ(r.text(StreamField::Copyright), "Yes");
    EXPECT_EQ(r.text(StreamField::Original), "Yes");
    EXPECT_EQ(r.text(StreamField::Emphasis), "CCIT J.17");
}

TEST(MpegInfo, XingHeaderIsFoundBehindTheSideInformation) {
    // Whose size depends on version and mode.
    for (const FrameSpec& spec :
         {FrameSpec{}, FrameSpec{.mode = ChannelMode::Mono},
          FrameSpec{.version = V::Mpeg2, .bitrateKbps = 64, .sampleRate = 22050},
          FrameSpec{.version = V::Mpeg2,
          .bitrateKbps = 64,
          .sampleRate = 22050,
          .mode = ChannelMode::Mono}}) {
        Bytes bytes = test::xingFrame(spec, {.frames = 1000});
        test::append(bytes, test::mpegFrames(spec, 50));
        const auto r = examine(bytes);
        ASSERT_TRUE(r.info.vbr());
        EXPECT_EQ(r.info.frameCount(), 1000u);
        EXPECT_EQ(r.info.playSeconds(),
                  static_cast<int>(1000LL * test::samplesPerFrame(spec) / spec.sampleRate));
        EXPECT_EQ(r.text(StreamField::Bitrate), std::to_string(r.info.bitrate()) + " kbps VBR");
    }
}

TEST(MpegInfo, LeadingId3v2TagIsSkippedEvenWhenItHoldsFrames) {
    // A picture whose bytes happen to be MPEG frames: searching the tag would take them.
    const FrameSpec embedded{.layer = 2, .bitrateKbps = 64, .sampleRate = 48000};
    const Bytes tag =
        test::Id3v2Builder(3).picture("image/png", 3, "", test::mpegFrames(embedded, 4)).build();
    const auto r = examine(test::join({tag, test::defaultAudio(5)}));
    EXPECT_EQ(r.info.headerPosition(), static_cast<std::int64_t>(tag.size()));
    EXPECT_EQ(r.text(StreamField::Version), "MPEG 1.0 Layer 3");
}

TEST(MpegInfo, TagSizeThatLiesIsSearchedFromTheStart) {
    const Bytes tag = test::Id3v2Builder(3).text("TIT2", "x").build();
    const Bytes audio = test::defaultAudio(5);
    // Declared larger than the file: nothing behind it, so the frames inside it count.
    const Bytes longer = test::Id3v2Builder(3).text("TIT2", "x").declaredSize(1'000'000).build();
    EXPECT_EQ(examine(test::join({longer, audio})).info.headerPosition(),
              static_cast<std::int64_t>(longer.size()));
    // Declared into the audio: the search starts at the declared end, on the next frame.
    const Bytes into = test::Id3v2Builder(3).text("TIT2", "x").declaredSize(1000).build();
    EXPECT_EQ(examine(test::join({into, audio})).info.headerPosition(),
              static_cast<std::int64_t>(tag.size() + 3 * test::frameLength(FrameSpec{})));
}

TEST(MpegInfo, GarbageIsSearchedWithinTheSearchSpan) {
    for (const std::size_t junk : {std::size_t{300'000}, std::size_t{MpegInfo::kSearchSpan}}) {
        Bytes bytes(junk);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>((i * 7919) >> 3);
        test::append(bytes, test::defaultAudio(3));
        EXPECT_EQ(examine(bytes).info.headerPosition(),
                  junk < MpegInfo::kSearchSpan ? static_cast<std::int64_t>(junk) : -1);
    }
}

// Byte counts read as the interface language writes numbers: the shipped German file.
using StreamTextLanguage = base::LanguageTest;
TEST_F(StreamTextLanguage, ByteCountsFollowTheInterfaceLanguage) {
    const char* source = std::getenv("TW_SOURCE_DIR");
    ASSERT_TRUE(source);
    std::ostringstream german;
    german << std::ifstream(std::string(source) + "/data/Lng/Deutsch.lng").rdbuf();
    writeLanguage("Deutsch.lng", german.str());
    ASSERT_TRUE(base::SetLanguage("Deutsch"));
    EXPECT_EQ(byteCountText(groupedNumber(110'301)), "110.301 Bytes");
    base::SetLanguage("");
    EXPECT_EQ(byteCountText(groupedNumber(110'301)), "110,301 bytes");
}

TEST(StreamTextFormats, GroupedNumbersAndDurations) {
    EXPECT_EQ(groupedNumber(0), "0");
    EXPECT_EQ(groupedNumber(999), "999");
    EXPECT_EQ(groupedNumber(1000), "1,000");
    EXPECT_EQ(groupedNumber(5'000'000'000ULL), "5,000,000,000");
    EXPECT_EQ(durationText(0), "00:00");
    EXPECT_EQ(durationText(3599), "59:59");
    EXPECT_EQ(durationText(3600), "01:00:00");
    EXPECT_EQ(durationText(360'000), "100:00:00");
}

}  // namespace
}  // namespace tw::core
