// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/picture_info.h"

#include <gtest/gtest.h>

#include <string>

namespace tw::core {
namespace {

std::span<const std::uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string v23Frame(std::string body, char format = 0) {
    std::string frame = "APIC";
    const auto size = static_cast<std::uint32_t>(body.size());
    frame += static_cast<char>(size >> 24);
    frame += static_cast<char>(size >> 16);
    frame += static_cast<char>(size >> 8);
    frame += static_cast<char>(size);
    frame += '\0';
    frame += format;
    return frame + body;
}

// The facts of a picture come from the head of its frame, whatever follows or is cut off.
TEST(PictureHead, FactsOfEachVersionAndDamage) {
    using namespace std::string_literals;
    const std::string image(1000, 'x');
    const struct {
        const char* name;
        std::string frame;
        std::uint64_t length;  // 0: the frame's own size
        int version;
        PictureInfo expected;
    } cases[] = {
        {"v2.3 Latin-1",
         v23Frame("\0image/png\0\x03"
                  "Cover\0"s +
                  image),
         0,
         3,
         {3, "image/png", "Cover", 1000}},
        {"only the head is there",
         v23Frame("\0image/png\0\x03"
                  "Cover\0"s +
                  "xx"),
         10 + 18 + 1000,
         3,
         {3, "image/png", "Cover", 1000}},
        {"UTF-16 description",
         v23Frame("\x01image/jpeg\0\x04\xff\xfe"
                  "B\0\xfc\0\0\0"s +
                  image),
         0,
         3,
         {4, "image/jpeg", "Bü", 1000}},
        {"v2.2 format", "PIC\0\x03\xf1\0JPG\x12\0"s + image, 0, 2, {18, "image/jpeg", "", 1000}},
        {"compressed", v23Frame("\0\0\0\x10junk"s, '\x80'), 0, 3, {-1, "", "", 8}},
        {"v2.4 length indicator",
         "APIC\0\0\0\x0f\0\x01\0\0\0\x05\0a/b\0\x07\0xyzab"s,
         0,
         4,
         {7, "a/b", "", 5}},
        {"mime without end", v23Frame("\0image/png"s), 0, 3, {-1, "", "", 0}},
        {"no type byte", v23Frame("\0image/png\0"s), 0, 3, {-1, "", "", 0}},
        {"description without end",
         v23Frame("\0m\0\x03"
                  "abc"s),
         0,
         3,
         {3, "m", "abc", 0}},
        {"shorter than a header", "APIC\0\0"s, 0, 3, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint64_t length = c.length ? c.length : c.frame.size();
        EXPECT_EQ(parsePictureHead(bytesOf(c.frame), length, c.version), c.expected);
    }
}

TEST(PictureList, APutPictureReplacesEveryPictureOfItsType) {
    PictureList list;
    list.items = {{{3, "image/png", "a", 1}, 0, nullptr},
                  {{4, "image/png", "b", 1}, 1, nullptr},
                  {{3, "image/png", "c", 1}, 2, nullptr}};
    list.put({3, "image/jpeg", "new", 5}, std::make_shared<const std::string>("12345"));
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0].info.description, "new");
    EXPECT_EQ(list.items[0].fileIndex, -1);
    EXPECT_EQ(list.items[1].fileIndex, 1);
    EXPECT_TRUE(list.dirty());
    EXPECT_EQ(list.removeType(7), 0u);
    EXPECT_EQ(list.removeType(-1), 2u);
    EXPECT_FALSE(list.hasFrontCover());
}

// ID3v2 allows several pictures of a type with different descriptions, but one file icon
// of each kind.
TEST(PictureList, AnAddedPictureReplacesOnlyOneIdThreeAllowsNoSecondOf) {
    struct Case {
        PictureInfo added;
        std::vector<std::string> descriptions;  // after the add, in order
        bool replaced;
    };
    const Case cases[] = {
        {{3, "image/png", "", 1}, {"my scan", "icon", "", ""}, false},
        {{3, "image/png", "my scan", 1}, {"my scan", "icon", ""}, true},
        {{4, "image/png", "my scan", 1}, {"my scan", "icon", "", "my scan"}, false},
        {{1, "image/png", "other icon", 1}, {"my scan", "other icon", ""}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.added.type);
        PictureList list;
        list.items = {{{3, "image/png", "my scan", 1}, 0, nullptr},
                      {{1, "image/png", "icon", 1}, 1, nullptr},
                      {{4, "image/png", "", 1}, 2, nullptr}};
        EXPECT_EQ(list.add(c.added, std::make_shared<const std::string>("x")), c.replaced);
        std::vector<std::string> descriptions;
        for (const Picture& p : list.items)
            descriptions.push_back(p.info.description);
        EXPECT_EQ(descriptions, c.descriptions);
        EXPECT_TRUE(list.dirty());
    }
}

}  // namespace
}  // namespace tw::core
