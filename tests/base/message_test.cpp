// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/message.h"

#include <gtest/gtest.h>

#include "base/result.h"
#include "base/string_ids.h"
#include "language_fixture.h"

namespace tw::base {
namespace {

// "cannot write: the disk is full", with both parts translated.
std::string germanFile() {
    const std::string section(LangString().SectionOf(ids::kSaveCannotWrite));
    return "[" + section + "]\n" + std::to_string(ids::kSaveCannotWrite) +
           "=nicht schreibbar: %s\n" + std::to_string(ids::kDiskFull) + "=die Platte ist voll\n";
}

TEST_F(LanguageTest, AReasonIsWordedInTheLanguageActiveWhereItIsShown) {
    writeLanguage("Deutsch.lng", germanFile());
    SetLanguage("Deutsch");
    const Failure failure{"a.mp3", Message(ids::kSaveCannotWrite, Message(ids::kDiskFull)), {}};
    EXPECT_EQ(worded(failure.why), "nicht schreibbar: die Platte ist voll");
    SetLanguage("");
    EXPECT_EQ(worded(failure.why), "it cannot be written: the disk is full");
}

TEST(Message, IsWordedInFullWithItsArguments) {
    const struct {
        Message message;
        std::string text;
    } cases[] = {
        {Message(), ""},
        {Message::verbatim("Permission denied"), "Permission denied"},
        {Message(ids::kSaveFrameNotKept, "APIC", 4096u),
         "the ID3v2 frame \"APIC\" at byte 4096 cannot be kept"},
        // Three levels: the system's text inside a reason inside the reason of a save.
        {Message(ids::kSaveNotReadWhenListed,
                 Message(ids::kSaveCannotRead, Message::verbatim("Input/output error"))),
         "it could not be read when it was listed (it cannot be read: Input/output error); "
         "refresh it first"},
        {Message(ids::kReasonLeftAs, Message(ids::kRenameTakenByFile), "a~1.mp3"),
         "a file of this name exists (a~1.mp3)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(worded(c.message), c.text);
    EXPECT_EQ(withReason("Unable to create x.m3u.", Message::verbatim("Is a directory")),
              "Unable to create x.m3u.\n\nIs a directory");
}

TEST(Message, EqualOnlyWithTheSameTextAndArguments) {
    EXPECT_EQ(Message(ids::kSaveCannotRead, "x"), Message(ids::kSaveCannotRead, "x"));
    EXPECT_NE(Message(ids::kSaveCannotRead, "x"), Message(ids::kSaveCannotWrite, "x"));
    EXPECT_NE(Message(ids::kSaveCannotRead, "x"), Message(ids::kSaveCannotRead, "y"));
    EXPECT_NE(Message::verbatim("1"), Message(ids::kSaveCannotRead, 1));
    EXPECT_TRUE(Message::verbatim("").empty());
}

}  // namespace
}  // namespace tw::base
