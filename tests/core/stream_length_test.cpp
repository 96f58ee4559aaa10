// SPDX-License-Identifier: GPL-2.0-or-later
// Play time, bitrate and frame count of whole files as the record reader gives them: VBR
// headers of every kind encoders write, estimates for files without one, and huge files.

#include <gtest/gtest.h>

#include <fstream>

#include "core/audio_file.h"
#include "core/mpeg_info.h"
#include "support/id3v1_bytes.h"
#include "support/lame_encode.h"
#include "support/mp3_file.h"

namespace tw::core {
namespace {

using test::Bytes;
using test::FrameSpec;

class StreamLength : public ::testing::Test {
protected:
    std::unique_ptr<AudioFile> create(const std::string& path) {
        return AudioFile::create(path, dir_.folder().size(), mpeg_);
    }

    test::TempDir dir_;
    MpegInfo mpeg_;
};

// An APEv2 tag with a header and one item, as taggers append it behind the audio.
Bytes apeTag(std::size_t valueSize) {
    const auto le32 = [](Bytes& out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    Bytes item;
    le32(item, static_cast<std::uint32_t>(valueSize));
    le32(item, 0);
    test::append(item, std::string_view("Comment\0", 8));
    item.resize(item.size() + valueSize, 'x');
    const auto frame = [&](std::uint32_t flags) {
        Bytes out = test::bytesOf("APETAGEX");
        le32(out, 2000);
        le32(out, static_cast<std::uint32_t>(item.size() + 32));
        le32(out, 1);
        le32(out, flags);
        out.resize(out.size() + 8, 0);
        return out;
    };
    return test::join({frame(0xA0000000u), item, frame(0x80000000u)});
}

TEST_F(StreamLength, VbrHeadersAreReadByTheirFlagsAndOtherFilesEstimated) {
    const FrameSpec cbr;                                 // 128 kbps, 417-byte frames
    const FrameSpec low{.bitrateKbps = 64};              // 208-byte frames
    const Bytes cbrFrames = test::mpegFrames(cbr, 191);  // with a first frame: 80,064 bytes, 5.0 s
    const Bytes lowFrames = test::mpegFrames(low, 299);  // with a first frame: 62,609 bytes
    const std::uint32_t lowBytes = 417 + 299 * 208;
    struct Case {
        const char* name;
        test::Mp3Parts parts;
        const char* length;
        const char* bitrate;
        const char* frames;
    };
    const Case cases[] = {
        {"no VBR header: estimated from the audio bytes",
         {.audio = test::join({test::mpegFrame(cbr), cbrFrames})},
         "00:05",
         "128 kbps",
         "192"},
        {"tags at the end are no audio (5.99 s, 6.2 s with them)",
         {.audio = test::mpegFrames(cbr, 230),
          .trailer = apeTag(3000),
          .id3v1 = test::id3v1Tag({.title = "t"})},
         "00:05",
         "128 kbps",
         "230"},
        {"Xing with the byte count alone",
         {.audio = test::join({test::xingFrame(cbr, {.bytes = 80'064}), cbrFrames})},
         "00:05",
         "128 kbps",
         "192"},
        {"Xing counting no frames",
         {.audio = test::join({test::xingFrame(cbr, {.frames = 0, .bytes = 80'064}), cbrFrames})},
         "00:05",
         "128 kbps",
         "192"},
        {"LAME's Info header of a CBR file",
         {.audio = test::join(
              {test::xingFrame(
                   cbr,
                   {.frames = 192, .bytes = 80'064, .toc = true, .quality = 57, .marker = "Info"}),
               cbrFrames})},
         "00:05",
         "128 kbps",
         "192"},
        {"Xing with the frame count alone: the average over the audio bytes",
         {.audio = test::join({test::xingFrame(cbr, {.frames = 300}), lowFrames}),
          .id3v1 = test::id3v1Tag({.title = "t"})},
         "00:07",
         "63 kbps VBR",
         "300"},
        {"Xing with all four fields: the byte count is the stream's, whatever trails it",
         {.audio = test::join(
              {test::xingFrame(cbr, {.frames = 300, .bytes = lowBytes, .toc = true, .quality = 78}),
               lowFrames}),
          .trailer = Bytes(10'000, 0x20)},
         "00:07",
         "63 kbps VBR",
         "300"},
        {"VBRI",
         {.audio = test::join({test::vbriFrame(cbr, 300, lowBytes), lowFrames})},
         "00:07",
         "63 kbps VBR",
         "300"},
        {"VBRI counting no frames",
         {.audio = test::join({test::vbriFrame(cbr, 0, lowBytes), lowFrames})},
         "00:03",
         "128 kbps",
         "150"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = create(test::writeMp3(dir_, "a.mp3", c.parts));
        EXPECT_EQ(r->stream(StreamField::Length), c.length);
        EXPECT_EQ(r->playSeconds, std::stoi(std::string(c.length).substr(3)));
        EXPECT_EQ(r->stream(StreamField::Bitrate), c.bitrate);
        EXPECT_EQ(r->stream(StreamField::Frames), c.frames);
    }
}

TEST_F(StreamLength, FilesLameMakesShowTheirLengthAndBitrate) {
    ASSERT_TRUE(test::lameAvailable()) << "lame is not installed";
    struct Case {
        const char* options;
        const char* version;
        int kbps;  // 0 for VBR
    };
    for (const Case& c :
         {Case{"-b 128", "MPEG 1.0 Layer 3", 128},
          Case{"-b 64 --resample 44.1 --add-id3v2 --tt Tone", "MPEG 1.0 Layer 3", 64},
          Case{"-V 2 --add-id3v2 --tt Tone", "MPEG 1.0 Layer 3", 0},
          Case{"-V 6 --resample 22.05", "MPEG 2.0 Layer 3", 0}}) {
        SCOPED_TRACE(c.options);
        const auto path = dir_ / "lame.mp3";
        test::encodeWithLame(path, 5.2, c.options);
        const auto r = create(path.string());
        EXPECT_EQ(r->stream(StreamField::Version), c.version);
        EXPECT_EQ(r->playSeconds, 5);
        if (c.kbps > 0) {
            EXPECT_EQ(r->stream(StreamField::Bitrate), std::to_string(c.kbps) + " kbps");
            continue;
        }
        // The average of the whole file, tags and all, is a little above that of its audio.
        const std::string text = r->stream(StreamField::Bitrate);
        ASSERT_TRUE(text.ends_with(" kbps VBR")) << text;
        const double wholeFile = static_cast<double>(r->size) * 8 / 5.2 / 1000;
        EXPECT_NEAR(std::stoi(text), wholeFile, wholeFile * 0.05);
    }
}

struct ThreadReads {
    std::uint64_t calls = 0;
    std::uint64_t bytes = 0;
};

// What this thread has read so far, as the kernel counts it.
ThreadReads threadReads() {
    std::ifstream in("/proc/thread-self/io");
    ThreadReads reads;
    for (std::string key; in >> key;) {
        std::uint64_t value = 0;
        in >> value;
        if (key == "syscr:")
            reads.calls = value;
        else if (key == "rchar:")
            reads.bytes = value;
    }
    return reads;
}

TEST_F(StreamLength, HugeFileCostsBoundedReads) {
    constexpr std::uint64_t kFiveGigabytes = 5ULL << 30;
    struct Case {
        const char* name;
        Bytes head;
        const char* length;
    };
    const Case cases[] = {
        // Estimated from the size: 5 GiB at 128 kbps.
        {"frames, then a hole", test::defaultAudio(10), "93:12:24"},
        // One frame whose successor is missing is no stream: the search goes on, but not
        // through five gigabytes.
        {"a lone frame, then a hole", test::mpegFrame(FrameSpec{}), "0 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir_ / "huge.mp3";
        test::writeBytes(path, c.head);
        std::filesystem::resize_file(path, kFiveGigabytes);  // sparse: no disk space
        const ThreadReads before = threadReads();
        const auto r = create(path.string());
        const ThreadReads after = threadReads();
        EXPECT_EQ(r->stream(StreamField::Length), c.length);
        EXPECT_EQ(r->stream(StreamField::Size), "5,368,709,120 bytes");
        EXPECT_LT(after.calls - before.calls, 40u);
        EXPECT_LT(after.bytes - before.bytes, MpegInfo::kSearchSpan + 256 * 1024);
    }
}

}  // namespace
}  // namespace tw::core
