// SPDX-License-Identifier: GPL-2.0-or-later
// Tags this program writes read right with mutagen, and tags mutagen writes read right
// here and survive a save here with every other frame kept.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>

#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/mpeg_info.h"
#include "core/picture_data.h"
#include "core/save_batch.h"
#include "core/tag_file_writer.h"
#include "core/tag_save.h"
#include "support/damaged_tags.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"
#include "support/mutagen.h"
#include "support/why_not.h"

namespace tw::core {
namespace {

using Dump = test::MutagenDump;

ino_t inodeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

std::optional<std::string> runTool(const std::vector<std::string>& args) {
    return test::runMutagenTool(args);
}

Dump dumpOf(const std::string& path, const char* command = "dump") {
    return test::mutagenDump(path, command);
}

class InteropTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::mutagenAvailable()) << "/usr/bin/python3 cannot import mutagen";
    }
    void TearDown() override { options() = saved_; }

    std::string audioOnlyFile() {
        audio_ = test::defaultAudio(30);
        return path_ = test::writeMp3(dir_, "interop.mp3", {.audio = audio_});
    }
    AudioFile record() const {
        MpegInfo mpeg;
        return *AudioFile::create(path_, dir_.folder().size(), mpeg);
    }
    void expectAudioUnchanged() const {
        const test::Bytes now = test::readBytes(path_);
        const auto tag = test::parseId3v2(now);
        const std::size_t start = tag ? tag->size : 0;
        ASSERT_GE(now.size(), start + audio_.size());
        EXPECT_TRUE(
            std::equal(audio_.begin(), audio_.end(), now.begin() + static_cast<long>(start)));
    }

    AppOptions saved_ = options();
    test::TempDir dir_;
    std::string path_;
    test::Bytes audio_;
};

TEST_F(InteropTest, WhatWeWriteMutagenReads) {
    audioOnlyFile();
    AudioFile r = record();
    r.id3v1.title = "Café au lait";
    r.id3v1.artist = "Ünïcode";
    r.id3v1.setYear(1987, false);
    r.id3v1.track = 4;
    r.id3v1.genre = 13;
    struct Field {
        std::string TagV2Fields::*member;
        const char* key;
        const char* text;
    };
    const Field fields[] = {{&TagFields::title, "TIT2", "Жук в муравейнике"},
                            {&TagFields::artist, "TPE1", "Björk"},
                            {&TagFields::album, "TALB", "曲集"},
                            {&TagFields::comment, "COMM::XXX", "Plain comment"},
                            {&TagV2Fields::url, "WXXX:", "http://example.org/"},
                            {&TagV2Fields::publisher, "TPUB", "Label"},
                            {&TagV2Fields::origArtist, "TOPE", "Original"},
                            {&TagV2Fields::copyright, "TCOP", "(c) 2001"},
                            {&TagV2Fields::composer, "TCOM", "Composer"},
                            {&TagV2Fields::encodedBy, "TENC", "Encoder"}};
    for (const Field& f : fields)
        r.id3v2.*f.member = f.text;
    r.id3v2.setYear(2001, false);
    r.id3v2.genre = 17;
    r.id3v2.track = 5;
    r.id3v2.trackTotal = 12;
    r.lyrics.text = "Строка один\nLine two";
    TagFileWriter writer(path_);
    ASSERT_TRUE(writer.writeV1(r) && writer.writeV2(r) && writer.writeLyrics(r));
    ASSERT_EQ(test::whyNot(writer.commit()), "");

    const Dump d = dumpOf(path_);
    for (const Field& f : fields)
        EXPECT_EQ(d.at(f.key), f.text);
    EXPECT_EQ(d.at("version"), "2.3");
    EXPECT_EQ(d.at("TYER"), "2001");
    EXPECT_EQ(d.at("TCON"), "(17)Rock");
    EXPECT_EQ(d.at("TRCK"), "5/12");
    EXPECT_EQ(d.at("USLT::XXX"), "Строка один\nLine two");
    EXPECT_EQ(d.at("v1.TIT2"), "Café au lait");
    EXPECT_EQ(d.at("v1.TPE1"), "Ünïcode");
    EXPECT_EQ(d.at("v1.TDRC"), "1987");
    EXPECT_EQ(d.at("v1.TRCK"), "4");
    EXPECT_EQ(d.at("v1.TCON"), "13");
    EXPECT_EQ(d.at("mp3.sample_rate"), "44100");
    expectAudioUnchanged();
}

struct Expected {
    const char* scenario;
    const char* title;
    const char* artist;
    const char* yearText;
    std::int32_t genre;
};

TEST_F(InteropTest, WhatMutagenWritesWeRead) {
    for (const Expected& e : {Expected{"v23-latin1", "Café", "Artist", "1999", 17},
                              Expected{"v23-utf16", "Жук", "Björk", "1999", 17},
                              Expected{"v24-utf8", "曲 🎵", "One", "2001", 17},
                              Expected{"v24-utf16", "Ελληνικά", "Artist", "2001", 17},
                              Expected{"rich-v23", "Rich", "Artist", "1999", 17},
                              Expected{"rich-v24", "Rich", "Artist", "2001", 17}}) {
        SCOPED_TRACE(e.scenario);
        audioOnlyFile();
        ASSERT_TRUE(runTool({"write", path_, e.scenario}));
        const AudioFile r = record();
        EXPECT_TRUE(r.id3v2.inFile);
        const TagV2Fields& t = r.id3v2;
        EXPECT_EQ(std::tie(t.title, t.artist, t.yearText, t.genre, t.track, t.trackTotal),
                  std::tuple(e.title, e.artist, e.yearText, e.genre, 3, 9));
        EXPECT_EQ(
            (std::vector{t.album, t.comment, t.url, t.publisher, t.origArtist, t.copyright,
                         t.composer, t.encodedBy, r.lyrics.text}),
            (std::vector<std::string>{"Album", "Note", "http://example.org/", "Label", "Orig",
                                      "(c) 2001", "Composer", "Encoder", "words\nmore words"}));
        EXPECT_EQ(r.stream(StreamField::HeaderPosition),
                  std::to_string(test::parseId3v2(test::readBytes(path_))->size) + " bytes");
    }
}

TEST_F(InteropTest, MutagenTagsSurviveASaveWithEveryOtherFrameKept) {
    for (const char* scenario : {"rich-v23", "rich-v24", "v24-utf8"}) {
        SCOPED_TRACE(scenario);
        audioOnlyFile();
        ASSERT_TRUE(runTool({"write", path_, scenario}));
        const Dump before = dumpOf(path_);
        const ino_t inode = inodeOf(path_);
        AudioFile r = record();
        r.id3v2.title = "Edited ✓";
        r.id3v2.comment = "New note";
        r.lyrics.text = "new words";
        r.id3v1.title = "v1";
        TagFileWriter writer(path_);
        ASSERT_TRUE(writer.writeV1(r) && writer.writeV2(r) && writer.writeLyrics(r));
        ASSERT_EQ(test::whyNot(writer.commit()), "");

        // mutagen leaves room, so the edit went into the file itself.
        EXPECT_EQ(inodeOf(path_), inode);
        Dump after = dumpOf(path_);
        EXPECT_EQ(after["TIT2"], "Edited ✓");
        EXPECT_EQ(after["COMM::eng"], "New note");
        EXPECT_EQ(after["USLT::eng"], "new words");
        EXPECT_EQ(after["v1.TIT2"], "v1");
        for (const auto& [key, value] : before) {
            if (key == "TIT2" || key == "COMM::eng" || key == "USLT::eng")
                continue;
            EXPECT_EQ(after[key], value) << key;
        }
        expectAudioUnchanged();
    }
}

// Tags that outgrow their space, grown in place by whole blocks or written as a new file,
// and an ID3v1 tag appended in place: mutagen reads them all, and its own edit of the file
// afterwards reads back here.
TEST_F(InteropTest, GrownTagsReadRightWithMutagenAndTheOtherWayRound) {
    for (const bool newFile : {false, true}) {
        SCOPED_TRACE(newFile ? "new file" : "grown in place");
        audioOnlyFile();
        AudioFile r = record();
        r.id3v2.makePresent();
        r.id3v2.setTitle(std::string(3000, 'T'));
        r.id3v2.setArtist("Björk");
        r.id3v1.makePresent();
        r.id3v1.setTitle("v1 title");
        TagFileWriter writer(path_);
        ASSERT_TRUE(writer.writeV1(r) && writer.writeV2(r));
        SaveBatch batch({.flush = kDefaultFlushMode, .probe = {.newFilesForGrowth = newFile}});
        batch.add(writer);
        ASSERT_EQ(test::whyNot(batch.finish().front()), "");
        expectAudioUnchanged();

        const Dump d = dumpOf(path_);
        EXPECT_EQ(d.at("TIT2"), std::string(3000, 'T'));
        EXPECT_EQ(d.at("TPE1"), "Björk");
        EXPECT_EQ(d.at("v1.TIT2"), "v1 title");
        EXPECT_EQ(d.at("mp3.sample_rate"), "44100");

        ASSERT_TRUE(runTool({"write", path_, "v24-utf8"}));
        EXPECT_EQ(record().id3v2.title, "曲 🎵");
        expectAudioUnchanged();
    }
}

TEST_F(InteropTest, DamagedTagsKeepEveryFrameMutagenSeesThroughAnEdit) {
    for (const test::DamagedTag& damaged : test::damagedTags()) {
        if (!damaged.unkept.empty())
            continue;  // refused: the file stays as it was
        SCOPED_TRACE(damaged.name);
        audioOnlyFile();
        test::writeBytes(path_, test::join({damaged.tag, audio_}));
        const Dump before = dumpOf(path_, "frames");
        AudioFile r = record();
        r.id3v2.setComment("Edited");
        ASSERT_EQ(test::whyNot(save(r)), "");

        // Only the comment changed.
        Dump after = dumpOf(path_, "frames");
        const auto comment = std::find_if(after.begin(), after.end(), [](const auto& entry) {
            return entry.first.starts_with("COMM") && entry.second.ends_with("45646974656400");
        });
        EXPECT_NE(comment, after.end());
        std::erase_if(after, [](const auto& entry) { return entry.first.starts_with("COMM"); });
        Dump kept = before;
        std::erase_if(kept, [](const auto& entry) { return entry.first.starts_with("COMM"); });
        EXPECT_EQ(after, kept);
        expectAudioUnchanged();
    }
}

// The frames of the file's tag other than those with `id`, as stored: id, flags, body.
std::vector<std::tuple<std::string, std::uint16_t, test::Bytes>> framesBut(const std::string& path,
                                                                           std::string_view id) {
    std::vector<std::tuple<std::string, std::uint16_t, test::Bytes>> out;
    const auto tag = test::parseId3v2(test::readBytes(path));
    for (const test::Id3v2Frame& frame : tag->frames)
        if (frame.id != id)
            out.emplace_back(frame.id, frame.flags, frame.body);
    return out;
}

Dump without(Dump dump, std::string_view prefix) {
    std::erase_if(dump, [&](const auto& entry) { return entry.first.starts_with(prefix); });
    return dump;
}

// Frames other programs wrote, whatever they hold and however they are stored, stay byte
// for byte when the album is set, and mutagen reads them as before.
TEST_F(InteropTest, AnUnrelatedSaveKeepsEveryOtherFrameByteForByte) {
    using test::Id3v2Builder;
    const test::Bytes title = test::join({{0}, test::bytesOf("Title \xFF\xE0")});
    const test::Bytes comment = test::join({{0}, test::bytesOf("eng"), {0}, test::bytesOf("Note")});
    struct Case {
        std::string name;
        test::Bytes tag;
        bool zeroYearIsEmpty = true;
    };
    std::vector<Case> cases;
    for (const bool zeroYearIsEmpty : {true, false}) {
        const auto year = [&](const char* name, Id3v2Builder tag) {
            cases.push_back({name, tag.text("TIT2", "T").build(), zeroYearIsEmpty});
        };
        year("2.4 TDRC 0000", Id3v2Builder(4).text("TDRC", "0000"));
        year("2.4 TDRC abcd", Id3v2Builder(4).text("TDRC", "abcd"));
        year("2.3 TYER 0000", Id3v2Builder(3).text("TYER", "0000"));
        year("2.3 TYER 99", Id3v2Builder(3).text("TYER", "99"));
        year("2.3 TYER empty", Id3v2Builder(3).raw("TYER", {0}));
    }
    for (const test::NamedFrameFormat& f : test::flaggedFrameFormats())
        cases.push_back({f.name, Id3v2Builder(f.version)
                                     .formatted("TIT2", title, f.format)
                                     .formatted("COMM", comment, f.format)
                                     .formatted(f.version == 4 ? "TDRC" : "TYER",
                                                test::join({{0}, test::bytesOf("1999")}), f.format)
                                     .build()});
    for (const Case& c : cases) {
        options().zeroYearIsEmpty = c.zeroYearIsEmpty;
        SCOPED_TRACE(c.name + (c.zeroYearIsEmpty ? "" : ", year 0 shown"));
        audioOnlyFile();
        test::writeBytes(path_, test::join({c.tag, audio_}));
        const auto kept = framesBut(path_, "TALB");
        const Dump before = dumpOf(path_, "frames");
        AudioFile r = record();
        r.id3v2.setAlbum("Album");
        ASSERT_EQ(test::whyNot(save(r)), "");

        EXPECT_EQ(framesBut(path_, "TALB"), kept);
        const Dump after = dumpOf(path_);
        EXPECT_EQ(after.at("TALB"), "Album");
        EXPECT_EQ(without(dumpOf(path_, "frames"), "TALB"), before);
        EXPECT_EQ(record().id3v2.album, "Album");
        expectAudioUnchanged();
    }
}

// Pictures mutagen wrote are listed with their facts, read byte for byte, and added,
// replaced and deleted so that mutagen reads the result, in the tag's own version, with
// every other frame as it was.
TEST_F(InteropTest, PicturesRoundTripWithMutagen) {
    const std::string png = "\x89PNG\r\n\x1a\n" + std::string(3000, 'p');
    const std::string jpeg = "\xff\xd8\xff" + std::string(700, 'j');
    for (const auto& [scenario, version] : {std::pair{"rich-v23", "2.3"}, {"rich-v24", "2.4"}}) {
        SCOPED_TRACE(scenario);
        audioOnlyFile();
        ASSERT_TRUE(runTool({"write", path_, scenario}));
        const Dump before = dumpOf(path_, "frames");
        const Dump beforePictures = dumpOf(path_);

        AudioFile r = record();
        ASSERT_EQ(r.pictures.items.size(), 2u);
        // mutagen puts the smaller frame first.
        const std::size_t frontAt = r.pictures.items[0].info.type == 3 ? 0 : 1;
        const PictureInfo front = r.pictures.items[frontAt].info;
        EXPECT_EQ(front.type, 3);
        EXPECT_EQ(front.mime, "image/png");
        EXPECT_EQ(front.description, "front");
        EXPECT_EQ(front.byteSize, 4u + 256 * 8);
        EXPECT_EQ(r.pictures.items[1 - frontAt].info.type, 4);
        EXPECT_TRUE(r.pictures.hasFrontCover());

        // Export: the bytes mutagen holds.
        const auto loaded = readPictureData(path_, kPictureReadLimit);
        ASSERT_TRUE(loaded && loaded->size() == 2u);
        const std::string apicFront = beforePictures.at("APIC:front");
        EXPECT_TRUE(apicFront.ends_with(test::md5Hex(*(*loaded)[frontAt]))) << apicFront;
        EXPECT_EQ((*loaded)[frontAt]->size(), front.byteSize);

        // Replace the front cover, add an illustration with a description beyond Latin-1.
        r.pictures.put({3, "image/png", "new front", png.size()},
                       std::make_shared<const std::string>(png));
        r.pictures.put({18, "image/jpeg", "Bühne ✓", jpeg.size()},
                       std::make_shared<const std::string>(jpeg));
        ASSERT_EQ(test::whyNot(save(r)), "");
        Dump d = dumpOf(path_);
        EXPECT_EQ(d.at("version"), version);
        EXPECT_FALSE(d.contains("APIC:front"));
        EXPECT_EQ(d.at("APIC:new front"), "image/png 3 " + test::md5Hex(png));
        EXPECT_EQ(d.at("APIC:Bühne ✓"), "image/jpeg 18 " + test::md5Hex(jpeg));
        EXPECT_EQ(d.at("APIC:back"), beforePictures.at("APIC:back"));
        EXPECT_EQ(without(dumpOf(path_, "frames"), "APIC"), without(before, "APIC"));
        EXPECT_FALSE(r.pictures.dirty());
        ASSERT_EQ(r.pictures.items.size(), 3u);

        // Delete the back cover.
        ASSERT_EQ(r.pictures.removeType(4), 1u);
        ASSERT_EQ(test::whyNot(save(r)), "");
        d = dumpOf(path_);
        EXPECT_FALSE(d.contains("APIC:back"));
        EXPECT_TRUE(d.contains("APIC:new front"));
        EXPECT_EQ(without(dumpOf(path_, "frames"), "APIC"), without(before, "APIC"));
        EXPECT_EQ(record().pictures.items.size(), 2u);
        expectAudioUnchanged();
    }
}

// A file without any tag gets a v2.3 tag that holds only the picture.
TEST_F(InteropTest, APictureAddedToAnUntaggedFileMakesAV23Tag) {
    audioOnlyFile();
    AudioFile r = record();
    const std::string jpeg = "\xff\xd8\xff\xe0" + std::string(100, 'x');
    r.pictures.put({3, "image/jpeg", "", jpeg.size()}, std::make_shared<const std::string>(jpeg));
    ASSERT_EQ(test::whyNot(save(r)), "");
    const Dump d = dumpOf(path_);
    EXPECT_EQ(d.at("version"), "2.3");
    EXPECT_EQ(d.at("APIC:"), "image/jpeg 3 " + test::md5Hex(jpeg));
    expectAudioUnchanged();
}

}  // namespace
}  // namespace tw::core
