#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace varelo {
namespace {

TEST(CodePage, WesternTextConvertsBothWays) {
    const std::string utf8 =
        "Gr\xC3\xBC\xC3\x9F"
        "e \xE2\x82\xAC";  // "Grüße €"
    const std::string cp1252 =
        "Gr\xFC\xDF"
        "e \x80";
    EXPECT_EQ(Utf8ToCodePage(utf8, 1252), cp1252);
    EXPECT_EQ(CodePageToUtf8(cp1252, 1252), utf8);
}

TEST(CodePage, ChineseTextConvertsBothWays) {
    const std::string utf8 = "\xE4\xB8\xAD\xE6\x96\x87";  // two characters
    const std::string cp936 = Utf8ToCodePage(utf8, 936);
    EXPECT_EQ(cp936, "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(CodePageToUtf8(cp936, 936), utf8);
}

TEST(CodePage, UnconvertibleCharactersBecomeOneQuestionMarkEach) {
    // A character the code page lacks, a byte the code page leaves undefined, broken UTF-8.
    EXPECT_EQ(Utf8ToCodePage("a\xE4\xB8\xAD"
                             "b",
                             1252),
              "a?b");
    EXPECT_EQ(CodePageToUtf8("a\x81"
                             "b",
                             1252),
              "a?b");
    EXPECT_EQ(Utf8ToCodePage("a\xC3", 1252), "a?");
    EXPECT_EQ(CodePageToUtf8("x\xD6", 936), "x?");  // a lead byte cut off at the end
}

TEST(CodePage, UnknownCodePageKeepsOnlyAscii) {
    EXPECT_EQ(CodePageToUtf8("ab\xE9", 12345), "ab?");
    EXPECT_EQ(Utf8ToCodePage("ab", 12345), "ab");
}

}  // namespace
}  // namespace varelo
