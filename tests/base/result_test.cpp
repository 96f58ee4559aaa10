// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/result.h"

#include <gtest/gtest.h>

#include <memory>
#include <variant>

namespace tw::base {
namespace {

const Failure kFull{"a.mp3", Message::verbatim("the disk is full"),
                    std::make_error_code(std::errc::no_space_on_device)};

TEST(Result, CarriesEitherTheValueOrTheWholeFailure) {
    Result<std::unique_ptr<int>> made(std::make_unique<int>(7));
    ASSERT_TRUE(made);
    std::unique_ptr<int> taken = std::move(made).value();  // move-only values pass through
    EXPECT_EQ(*taken, 7);

    const Result<int> failed(kFull);
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.failure(), kFull);
    EXPECT_THROW((void)failed.value(), std::bad_variant_access);
}

TEST(Result, AnOutcomeIsSuccessUntilGivenAFailure) {
    const Outcome done;
    EXPECT_TRUE(done);
    EXPECT_THROW((void)done.failure(), std::bad_optional_access);

    const Outcome refused(kFull);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure().system, std::errc::no_space_on_device);
    EXPECT_EQ(refused.failure().why, Message::verbatim("the disk is full"));
}

}  // namespace
}  // namespace tw::base
