// SPDX-License-Identifier: GPL-2.0-or-later
// FLAC, Ogg Vorbis, Opus and MP4 files as users get them (tagged by mutagen): what the
// list reads of them and what it makes of damaged ones (format_save_test.cpp saves them).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/folder_files.h"
#include "core/mpeg_info.h"
#include "core/picture_data.h"
#include "support/file_text.h"
#include "support/format_files.h"
#include "support/temp_dir.h"

namespace tw::core {
namespace {

struct Kind {
    const char* name;  // of make_format_file.py
    const char* fileName;
    AudioFormat format;
    const char* version;
    const char* frequency;
    const char* mode;
};

constexpr Kind kKinds[] = {
    {"flac", "a.flac", AudioFormat::Flac, "FLAC, 24 bits", "96000 Hz", "Mono"},
    {"vorbis", "a.ogg", AudioFormat::OggVorbis, "Vorbis", "44100 Hz", "Stereo"},
    {"opus", "a.opus", AudioFormat::Opus, "Opus", "48000 Hz", "Stereo"},
    // MP4 writers give every AAC sample entry two channels; the stream's configuration says one.
    {"aac", "a.m4a", AudioFormat::Mp4, "AAC", "48000 Hz", "Mono"},
    {"alac", "a.m4a", AudioFormat::Mp4, "ALAC, 24 bits", "48000 Hz", "Stereo"},
};

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << kind.name;
}

class FormatReadTest : public ::testing::TestWithParam<Kind> {
protected:
    void TearDown() override { options() = saved_; }

    // The file of the kind under `name`, tagged or not; skips the test without the tools.
    std::string make(bool tagged, const std::string& name = GetParam().fileName) {
        const std::filesystem::path path = dir_ / name;
        if (!test::copyFormatFile(GetParam().name, tagged, path))
            return {};
        return path.string();
    }
    std::unique_ptr<AudioFile> create(const std::string& path) {
        return AudioFile::create(path, dir_.folder().size(), mpeg_);
    }

    AppOptions saved_ = options();
    test::TempDir dir_;
    MpegInfo mpeg_;
};

TEST_P(FormatReadTest, StreamFactsAndEveryMappedFieldAreRead) {
    const Kind& kind = GetParam();
    options().autoFillV1 = true;  // a file without ID3v1 gets none filled in
    const std::string path = make(true);
    if (path.empty())
        FAIL() << "could not make the test file (flac, ffmpeg, opusenc, sox, mutagen)";
    const auto r = create(path);
    ASSERT_FALSE(r->unreadable()) << base::worded(r->readFailure);
    EXPECT_EQ(r->format, kind.format);
    EXPECT_EQ(r->baseName, "a");
    EXPECT_EQ(r->stream(StreamField::Version), kind.version);
    EXPECT_EQ(r->stream(StreamField::Frequency), kind.frequency);
    EXPECT_EQ(r->stream(StreamField::Mode), kind.mode);
    EXPECT_EQ(r->stream(StreamField::Length), "00:03");
    EXPECT_EQ(r->playSeconds, 3);
    EXPECT_TRUE(std::regex_match(r->stream(StreamField::Bitrate), std::regex("[1-9][0-9]* kbps")))
        << r->stream(StreamField::Bitrate);
    for (StreamField mpegOnly : {StreamField::HeaderPosition, StreamField::Frames, StreamField::Crc,
                                 StreamField::Emphasis, StreamField::NoHeader})
        EXPECT_EQ(r->stream(mpegOnly), "");
    EXPECT_NE(r->infoText.find(kind.frequency), std::string::npos) << r->infoText;

    EXPECT_FALSE(r->id3v1.present || r->id3v1.inFile);
    EXPECT_EQ(r->id3v1.title, "");
    const TagV2Fields& v2 = r->id3v2;
    EXPECT_TRUE(v2.present && v2.inFile);
    EXPECT_FALSE(r->dirty());
    EXPECT_EQ(v2.title, "Title é");
    EXPECT_EQ(v2.artist, "Artist One");  // the first of two values
    EXPECT_EQ(v2.album, "The Album");
    EXPECT_EQ(v2.year, 1999);
    EXPECT_EQ(v2.track, 3);
    EXPECT_EQ(v2.trackTotal, 12);
    EXPECT_EQ(v2.genre, 17);
    EXPECT_EQ(v2.comment, "A comment");
    EXPECT_EQ(v2.composer, "Writer");
    EXPECT_EQ(v2.copyright, "1999 Label");
    EXPECT_EQ(r->lyrics.text, "Line one\nLine two");

    ASSERT_EQ(r->pictures.items.size(), 2u);
    const PictureInfo& front = r->pictures.items[0].info;
    const PictureInfo& second = r->pictures.items[1].info;
    EXPECT_EQ(front.type, kFrontCover);
    EXPECT_EQ(front.mime, "image/png");
    EXPECT_EQ(front.byteSize, 67u);
    EXPECT_EQ(second.mime, "image/jpeg");
    EXPECT_EQ(second.byteSize, 100u);
    const auto images = readPictureData(path, kPictureReadLimit);
    ASSERT_TRUE(images && images->size() == 2u);
    EXPECT_TRUE((*images)[0]->starts_with("\x89PNG"));
    EXPECT_EQ((*images)[1]->size(), 100u);
    if (kind.format != AudioFormat::Mp4) {  // MP4 covers have neither type nor description
        EXPECT_EQ(v2.publisher, "Label");
        EXPECT_EQ(front.description, "Front");
        EXPECT_EQ(second.type, 4);
        EXPECT_EQ(second.description, "Back");
    }
}

TEST_P(FormatReadTest, ContentDecidesWhateverTheName) {
    const std::string path = make(false, "named.mp3");
    if (path.empty())
        FAIL() << "could not make the test file (flac, ffmpeg, opusenc, sox, mutagen)";
    const auto r = create(path);
    ASSERT_FALSE(r->unreadable()) << base::worded(r->readFailure);
    EXPECT_EQ(r->format, GetParam().format);
    EXPECT_EQ(r->stream(StreamField::Version), GetParam().version);
    EXPECT_EQ(r->id3v2.title, "");
    EXPECT_TRUE(r->pictures.items.empty());
}

// Cut short, overwritten, or with its sizes made huge, a file is refused with its format's
// name or read without harm; nothing hangs or runs out of memory.
TEST_P(FormatReadTest, DamagedFilesAreRefusedOrReadSafely) {
    const std::string path = make(true);
    if (path.empty())
        FAIL() << "could not make the test file (flac, ffmpeg, opusenc, sox, mutagen)";
    const std::string whole = test::fileText(path);
    const std::string name(formatName(GetParam().format));
    struct Damage {
        const char* what;
        std::size_t keep;   // bytes kept of the file
        std::size_t from;   // first byte overwritten
        std::size_t count;  // bytes overwritten
        char with;
    };
    const Damage damages[] = {
        {"the head only", 40, 0, 0, 0},
        {"cut in half", whole.size() / 2, 0, 0, 0},
        {"sizes made huge", whole.size(), 4, 400, '\xff'},
        {"headers zeroed", whole.size(), 8, 4000, '\0'},
        {"the middle overwritten", whole.size(), whole.size() / 3, 3000, '\x7f'},
    };
    for (const Damage& damage : damages) {
        std::string bytes = whole.substr(0, damage.keep);
        for (std::size_t i = damage.from; i < damage.from + damage.count && i < bytes.size(); ++i)
            bytes[i] = damage.with;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        const auto r = create(path);
        ASSERT_NE(r, nullptr);
        if (r->unreadable() && r->format != AudioFormat::Mpeg) {
            EXPECT_NE(base::worded(r->readFailure).find(name), std::string::npos)
                << damage.what << ": " << base::worded(r->readFailure);
        }
        if (damage.keep == 40) {
            EXPECT_TRUE(r->unreadable() || r->format == AudioFormat::Mpeg) << damage.what;
        }
    }
}

TEST_P(FormatReadTest, RenamingKeepsTheFilesOwnExtension) {
    const std::string path = make(false, std::string("x") + GetParam().fileName);
    if (path.empty())
        FAIL() << "could not make the test file (flac, ffmpeg, opusenc, sox, mutagen)";
    auto r = create(path);
    const std::string extension = std::filesystem::path(path).extension().string();
    ASSERT_TRUE(r->rename("Song.mp3"));  // as a mask gives it
    EXPECT_EQ(r->fileName, "Song" + extension);
    EXPECT_EQ(r->baseName, "Song");
    EXPECT_TRUE(std::filesystem::exists(dir_ / ("Song" + extension)));
    ASSERT_TRUE(r->rename("Other" + extension));
    EXPECT_EQ(r->fileName, "Other" + extension);
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatReadTest, ::testing::ValuesIn(kKinds),
                         [](const auto& test) { return std::string(test.param.name); });

// Behind its pages an Ogg file ends in 200 MB of zeros (a hole, so it costs no disk): TagLib
// would search all of it for the last page; the read is cut off and the file refused.
TEST(FormatReadCap, AFileThatWouldBeSearchedWholeIsRefused) {
    test::TempDir dir;
    const std::filesystem::path path = dir / "long.ogg";
    if (!test::copyFormatFile("vorbis", false, path))
        FAIL() << "could not make the test file (flac, ffmpeg, opusenc, sox, mutagen)";
    std::filesystem::resize_file(path, 200u << 20);
    MpegInfo mpeg;
    const auto r = AudioFile::create(path.string(), dir.folder().size(), mpeg);
    EXPECT_EQ(base::worded(r->readFailure),
              "its Ogg Vorbis stream cannot be read (damaged or cut short)");
}

TEST(FormatListing, OptionMp3FilesOnlyDecidesWhichNamesAreListed) {
    test::TempDir dir;
    for (const char* name : {"a.mp3", "b.FLAC", "c.ogg", "d.oga", "e.opus", "f.m4a", "g.MP4",
                             "h.wav", "i.aiff", "j.flac.txt"})
        std::ofstream(dir / name) << "x";
    std::vector<std::string> all;
    std::vector<std::string> mp3;
    ASSERT_TRUE(audioFilesIn(dir.folder(), false, all));
    ASSERT_TRUE(audioFilesIn(dir.folder(), true, mp3));
    std::vector<std::string> names;
    for (const std::string& path : all)
        names.push_back(path.substr(dir.folder().size()));
    EXPECT_EQ(names, (std::vector<std::string>{"a.mp3", "b.FLAC", "c.ogg", "d.oga", "e.opus",
                                               "f.m4a", "g.MP4"}));
    EXPECT_EQ(mp3, std::vector<std::string>{dir.folder() + "a.mp3"});
}

}  // namespace
}  // namespace tw::core
