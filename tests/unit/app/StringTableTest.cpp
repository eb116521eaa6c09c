#include <gtest/gtest.h>

#include "app/StringTable.h"

namespace varelo {
namespace {

TEST(StringTable, ParsesIdTabTextLinesWithEscapes) {
    StringTable table;
    EXPECT_EQ(table.Parse("5\tone\\ntwo\\tthree\\\\\r\nnot a line\n\t7\n12\tSettings\\%1 Hz\\%2"), 2u);
    ASSERT_NE(table.Find(5), nullptr);
    EXPECT_EQ(*table.Find(5), "one\ntwo\tthree\\");
    EXPECT_EQ(*table.Find(12), "Settings\\%1 Hz\\%2");
    EXPECT_EQ(table.Find(7), nullptr);
}

TEST(StringTable, EnglishIsBuiltInAndAModuleOverridesIt) {
    Strings& strings = Strings::Instance();
    EXPECT_EQ(Str(174), "Varelo");
    EXPECT_EQ(Str(322), "Cannot connect to a Logger.");
    StringTable module;
    module.Parse("174\tVarelo DE\n");
    strings.SetModule(module);
    EXPECT_EQ(Str(174), "Varelo DE");
    EXPECT_EQ(Str(322), "Cannot connect to a Logger.");  // missing ids fall back to English
    strings.ClearModule();
    EXPECT_EQ(Str(174), "Varelo");
}

TEST(StringTable, PositionalArgumentsInAnyOrder) {
    EXPECT_EQ(FormatPositional("%2 then %1, %3 missing, 50%", {"a", "b"}),
              "b then a,  missing, 50%");
    EXPECT_EQ(Msg(868, {"50", "Main"}), "Settings\\50 Hz\\Main");
}

TEST(StringTable, PrintfPatternsTakeTypedArguments) {
    EXPECT_EQ(FormatPrintf("%s=%d is out of range <%d..%d>, substituted with %d",
                           {std::string("Interval"), 7LL, 0LL, 6LL, 0LL}),
              "Interval=7 is out of range <0..6>, substituted with 0");
    EXPECT_EQ(FormatPrintf("Error: %lu - %s%%", {5ULL, std::string("x")}), "Error: 5 - x%");
    EXPECT_EQ(FormatPrintf("%02d:%5.2f|%y", {3LL, 2.5}), "03: 2.50|%y");
    // Too few arguments or the wrong type never read past what was given.
    EXPECT_EQ(FormatPrintf("%s %d %s", {1LL}), "1 0 ");
}

}  // namespace
}  // namespace varelo
