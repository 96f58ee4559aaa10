#include <gtest/gtest.h>

#include "freedb/http_text.h"

namespace tw::freedb {
namespace {

TEST(UrlEncode, KeepsLettersAndDigitsAndEncodesEveryOtherByte) {
    EXPECT_EQ(UrlEncode("rock & roll"), "rock+%26+roll");
    EXPECT_EQ(UrlEncode("\t"), "%09");
    EXPECT_EQ(UrlEncode("\xE9"), "%e9");
    EXPECT_EQ(UrlEncode("cddb query 0d01a202 2  150"), "cddb+query+0d01a202+2++150");
    EXPECT_EQ(UrlEncode("a-b_c.d~"), "a%2db%5fc%2ed%7e");
    EXPECT_EQ(UrlEncode(""), "");
}

TEST(Base64, EncodesTheStandardTestVectors) {
    EXPECT_EQ(Base64(""), "");
    EXPECT_EQ(Base64("f"), "Zg==");
    EXPECT_EQ(Base64("fo"), "Zm8=");
    EXPECT_EQ(Base64("foo"), "Zm9v");
    EXPECT_EQ(Base64("foob"), "Zm9vYg==");
    EXPECT_EQ(Base64("fooba"), "Zm9vYmE=");
    EXPECT_EQ(Base64("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64("user:"), "dXNlcjo=");
    EXPECT_EQ(Base64("\xFF\xFE\xFD"), "//79");
}

}  // namespace
}  // namespace tw::freedb
