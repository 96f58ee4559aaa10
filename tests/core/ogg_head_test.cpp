// SPDX-License-Identifier: GPL-2.0-or-later
// Laying out the header pages of an Ogg file anew: to every length from the least on, over
// as many pages as it has or more, they read back as the same packets with the comment
// padded by zeros and every CRC right; and what cannot be laid out or read is refused.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/formats/ogg_head.h"
#include "support/bytes.h"
#include "support/format_files.h"
#include "support/temp_dir.h"

namespace tw::core {
namespace {

class OggHeadTest : public ::testing::Test {
protected:
    void SetUp() override {
        const test::TempDir dir;
        if (!test::copyFormatFile("vorbis", true, dir / "a.ogg"))
            FAIL() << "could not make the test file (ffmpeg, sox, mutagen)";
        file_ = test::readBytes(dir / "a.ogg");
        const auto head = oggHead(readerOf(file_), file_.size(), 2);
        ASSERT_TRUE(head);
        head_ = *head;
    }

    test::Bytes file_;
    OggHead head_;
};

TEST_F(OggHeadTest, TheSamePacketsAtTheSameLengthAreTheFilesOwnPages) {
    const auto laid = layOutOggHead(head_, head_.end);
    ASSERT_TRUE(laid);
    EXPECT_TRUE(std::equal(laid->begin(), laid->end(),
                           file_.begin() + static_cast<std::ptrdiff_t>(head_.start),
                           file_.begin() + static_cast<std::ptrdiff_t>(head_.end)));
}

TEST_F(OggHeadTest, EveryLengthFromTheLeastOnReadsBackAsTheSamePackets) {
    for (const std::size_t pages : {head_.pageCount, std::size_t{3}}) {
        SCOPED_TRACE(pages);
        OggHead over = head_;
        over.pageCount = pages;
        const std::uint64_t least = leastOggHeadEnd(over);
        int longer = 0;
        for (std::uint64_t end = least; end < least + 512; ++end) {
            const auto laid = layOutOggHead(over, end);
            ASSERT_TRUE(laid) << end;
            test::Bytes made(file_.begin(),
                             file_.begin() + static_cast<std::ptrdiff_t>(head_.start));
            made.insert(made.end(), laid->begin(), laid->end());
            const auto back = oggHead(readerOf(made), made.size(), 2);
            ASSERT_TRUE(back) << end;
            EXPECT_EQ(back->end, made.size());
            EXPECT_EQ(back->pageCount, pages);
            EXPECT_EQ(back->packets[1], head_.packets[1]);
            const auto& comment = back->packets[0];
            const auto& old = head_.packets[0];
            ASSERT_GE(comment.size(), old.size());
            EXPECT_TRUE(std::equal(old.begin(), old.end(), comment.begin()));
            EXPECT_TRUE(std::all_of(comment.begin() + static_cast<std::ptrdiff_t>(old.size()),
                                    comment.end(), [](std::uint8_t byte) { return byte == 0; }));
            // The one length in 256 that a comment's lacing values cannot make: a byte longer.
            EXPECT_LE(back->end - end, 1u);
            longer += back->end != end;
        }
        EXPECT_EQ(longer, 2);
    }
}

TEST_F(OggHeadTest, WhatCannotBeLaidOutOrReadIsRefused) {
    OggHead full = head_;  // more lacing values than its page can hold
    full.packets[0].resize(255 * 255);
    EXPECT_FALSE(layOutOggHead(full, leastOggHeadEnd(full)));
    OggHead sparse = head_;  // fewer lacing values than pages
    sparse.pageCount = 200;
    EXPECT_FALSE(layOutOggHead(sparse, leastOggHeadEnd(sparse)));
    EXPECT_FALSE(layOutOggHead(head_, leastOggHeadEnd(head_) - 1));

    test::Bytes damaged = file_;
    damaged[head_.start + 100] ^= 1;
    EXPECT_FALSE(oggHead(readerOf(damaged), damaged.size(), 2));
    EXPECT_FALSE(oggHead(readerOf(file_), head_.end - 1, 2));
    // A third header packet would share its page with audio.
    EXPECT_FALSE(oggHead(readerOf(file_), file_.size(), 3));
}

}  // namespace
}  // namespace tw::core
