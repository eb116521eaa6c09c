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

TEST(CodePage, Utf16ConvertsBothWaysAndReplacesBrokenSequences) {
    const std::string utf8 = "A\xC3\xBC\xE4\xB8\xAD\xF0\x9F\x94\x8C";  // "Aü中" and U+1F50C
    const std::u16string utf16 = u"A\u00FC\u4E2D\xD83D\xDD0C";
    EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
    EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
    // A lone surrogate; a stray continuation byte, an overlong form and a cut-off sequence.
    EXPECT_EQ(Utf16ToUtf8(u"a\xD800"
                          u"b\xDC00"),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToUtf16("\x80x\xC0\xAFy\xE4\xB8"), u"\xFFFDx\xFFFD\xFFFDy\xFFFD\xFFFD");
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
