// SPDX-License-Identifier: GPL-2.0-or-later
// Tags from the wild: reading goes past the damage, a save keeps every frame it does not
// edit byte for byte, or refuses and names what it would lose.

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "core/audio_file.h"
#include "core/id3v2_tag.h"
#include "core/mpeg_info.h"
#include "core/tag_save.h"
#include "support/damaged_tags.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"
#include "support/why_not.h"

namespace tw::core {
namespace {

using test::Bytes;
using test::Id3v2Builder;

// A frame as the file holds it: id, flags and body.
using StoredFrame = std::tuple<std::string, std::uint16_t, Bytes>;

// The frames of the file's tag that an edit of the comment must keep, in order: all but
// the empty ones and the comments, ids mapped by `renamed` where it names them.
std::vector<StoredFrame> framesToKeep(const Bytes& file,
                                      const std::map<std::string, std::string>& renamed = {}) {
    std::vector<StoredFrame> out;
    const test::ParsedId3v2 tag = test::parseId3v2(file).value();
    for (const test::Id3v2Frame& frame : tag.frames) {
        const auto mapped = renamed.find(frame.id);
        const std::string id = mapped == renamed.end() ? frame.id : mapped->second;
        if (!frame.body.empty() && id != "COMM")
            out.emplace_back(id, frame.flags, frame.body);
    }
    return out;
}

class DamagedTagTest : public ::testing::Test {
protected:
    std::string write(const Bytes& tag) {
        return path_ = test::writeMp3(dir_, "song.mp3", {.id3v2 = tag, .audio = audio_});
    }
    AudioFile record() const {
        MpegInfo mpeg;
        return *AudioFile::create(path_, dir_.folder().size(), mpeg);
    }
    Bytes contents() const { return test::readBytes(path_); }
    Bytes audioInFile() const {
        const Bytes now = contents();
        const auto start = static_cast<long>(test::parseId3v2(now).value().size);
        return Bytes(now.begin() + start, now.begin() + start + static_cast<long>(audio_.size()));
    }

    test::TempDir dir_;
    std::string path_;
    const Bytes audio_ = test::defaultAudio();
};

TEST_F(DamagedTagTest, ReadsPastTheDamageAndEditsKeepEveryOtherFrame) {
    for (const test::DamagedTag& damaged : test::damagedTags()) {
        SCOPED_TRACE(damaged.name);
        write(damaged.tag);
        const Bytes before = contents();
        AudioFile r = record();
        EXPECT_EQ(r.id3v2.title, damaged.title);
        EXPECT_EQ(r.id3v2.artist, damaged.artist);

        r.id3v2.setComment("Edited");
        const std::string reason = test::whyNot(save(r));
        const bool saved = reason.empty();
        if (!damaged.unkept.empty()) {
            EXPECT_FALSE(saved);
            EXPECT_NE(reason.find("\"" + damaged.unkept + "\""), std::string::npos) << reason;
            EXPECT_EQ(contents(), before);
            EXPECT_TRUE(r.id3v2.dirty());
            continue;
        }
        ASSERT_TRUE(saved) << reason;
        const std::map<std::string, std::string> renamed(damaged.upgradedIds.begin(),
                                                         damaged.upgradedIds.end());
        const Bytes meant = damaged.storedRight.empty() ? before : damaged.storedRight;
        EXPECT_EQ(framesToKeep(contents()), framesToKeep(meant, renamed));
        EXPECT_EQ(test::parseId3v2(contents())->version, before[3] == 4 ? 4 : 3);
        EXPECT_EQ(std::tie(r.id3v2.title, r.id3v2.artist, r.id3v2.comment),
                  std::tie(damaged.title, damaged.artist, "Edited"));
        EXPECT_EQ(audioInFile(), audio_);
    }
}

TEST_F(DamagedTagTest, V22FramesWhoseLayoutChangedAreCarriedOver) {
    const Bytes picture(40, 0xD8);
    write(
        Id3v2Builder(2)
            .text("TT2", "Title")
            .raw("PIC",
                 test::join({{0}, test::bytesOf("JPG"), {3}, test::bytesOf("cover"), {0}, picture}))
            .raw("PIC", test::join({{0}, test::bytesOf("PNG"), {4, 0}, picture}))
            .raw("LNK", test::bytesOf(std::string_view("TT2http://x/\0", 13)))
            .build());
    AudioFile r = record();
    r.id3v2.setArtist("New");
    ASSERT_TRUE(save(r));
    const auto tag = test::parseId3v2(contents()).value();
    const auto pictures = tag.all("APIC");
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(
        pictures[0].body,
        test::join(
            {{0}, test::bytesOf("image/jpeg"), {0, 3}, test::bytesOf("cover"), {0}, picture}));
    EXPECT_EQ(pictures[1].body, test::join({{0}, test::bytesOf("image/png"), {0, 4, 0}, picture}));
    EXPECT_EQ(tag.first("LINK").body, test::bytesOf(std::string_view("TIT2http://x/\0", 14)));
    EXPECT_EQ(tag.first("TPE1").payload(), test::bytesOf("New"));
}

TEST_F(DamagedTagTest, AnEditedFrameKeepsItsPlaceAndANewOneTakesTheOldOnesPlace) {
    write(Id3v2Builder(3)
              .text("TIT2", "Title")
              .comment("eng", "", "Note")
              .text("TPE1", "Artist")
              .text("TXXX", "tail")
              .build());
    AudioFile r = record();
    r.id3v2.setComment("Edited");
    r.id3v2.setTitle("New");
    ASSERT_TRUE(save(r));
    std::vector<std::string> ids;
    const test::ParsedId3v2 tag = test::parseId3v2(contents()).value();
    for (const auto& frame : tag.frames)
        ids.push_back(frame.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"TIT2", "COMM", "TPE1", "TXXX"}));
}

TEST(Id3v2TagRenderTest, ATagThatStillFitsKeepsItsSpace) {
    const Bytes bytes = Id3v2Builder(3).text("TIT2", "Title").padding(2000).build();
    const Id3v2Tag tag(*Id3v2Header::parse(bytes), bytes);
    EXPECT_EQ(tag.render().bytes.size(), bytes.size());
}

}  // namespace
}  // namespace tw::core
