// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/args.h"

#include <gtest/gtest.h>

#include <array>

namespace tw::cli {
namespace {

constexpr std::array kSpecs = {OptionSpec{"v1"}, OptionSpec{"title", true}};

std::optional<Args> parse(std::vector<std::string> words, std::string& error) {
    return Args::parse(words, kSpecs, error);
}

TEST(Args, SeparatesOptionsFromPositionalArguments) {
    std::string error;
    auto args = parse(
        {"a.mp3", "--title", "--v1", "--v1", "b.mp3", "--title=x=y", "-", "--", "--v1"}, error);
    ASSERT_TRUE(args) << error;
    EXPECT_EQ(args->positional(), (std::vector<std::string>{"a.mp3", "b.mp3", "-", "--v1"}));
    EXPECT_TRUE(args->has("v1"));
    ASSERT_NE(args->value("title"), nullptr);
    EXPECT_EQ(*args->value("title"), "x=y");  // the last one wins; values may hold "="
    EXPECT_FALSE(args->has("title2"));
}

TEST(Args, RejectsUnknownOptionsAndMissingOrUnwantedValues) {
    std::string error;
    EXPECT_FALSE(parse({"--artist", "x"}, error));
    EXPECT_EQ(error, "unknown option --artist");
    EXPECT_FALSE(parse({"--title"}, error));
    EXPECT_EQ(error, "option --title needs a value");
    EXPECT_FALSE(parse({"--v1=yes"}, error));
    EXPECT_EQ(error, "option --v1 takes no value");
}

}  // namespace
}  // namespace tw::cli
