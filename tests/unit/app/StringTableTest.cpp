#include <gtest/gtest.h>

#include <string>

#include "app/StringTable.h"

namespace varelo {

extern const char kEnglishStringTable[];

namespace {

TEST(StringTable, ParsesIdTabTextLinesWithEscapes) {
    StringTable table;
    EXPECT_EQ(table.Parse("5\tone\\ntwo\\tthree\\\\\r\nnot a line\n\t7\n12\tSettings\\%1 Hz\\%2"),
              2u);
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

TEST(StringTable, AModuleCannotMoveSettingsOrFiles) {
    Strings& strings = Strings::Instance();
    StringTable module;
    module.Parse(
        "868\tEinstellungen\\%1 Hz\\%2\n199\t.aod\n"
        "200\tAnalysedatei (*.aoa)|*.aoa|Alle Dateien (*.*)|*.*||\n"
        "1503\tDatenbank (*.db)|*.db|Alle Dateien (*.*)|*.*||\n");
    strings.SetModule(module);
    EXPECT_EQ(Msg(868, {"50", "Main"}), "Settings\\50 Hz\\Main");
    EXPECT_EQ(Str(199), ".aoa");
    EXPECT_EQ(Str(200), "Analysedatei (*.aoa)|*.aoa|Alle Dateien (*.*)|*.*||");
    EXPECT_EQ(Str(1503), "SQLite database (*.sqlite)|*.sqlite|All files (*.*)|*.*||");
    strings.ClearModule();
}

TEST(StringTable, BuiltInEnglishHasOneEntryPerLineIdsThenKeysSorted) {
    std::string_view content(kEnglishStringTable);
    size_t lines = 0;
    long previousId = -1;
    std::string previousKey;
    while (!content.empty()) {
        size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        ++lines;
        size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string_view::npos) << "line " << lines << ": " << line;
        const std::string name(line.substr(0, tab));
        if (IsTextKey(name)) {
            EXPECT_GT(name, previousKey) << "line " << lines << ": " << line;
            previousKey = name;
            continue;
        }
        EXPECT_TRUE(previousKey.empty()) << "an id after the keys, line " << lines;
        long id = std::stol(name);
        EXPECT_GT(id, previousId) << "line " << lines << ": " << line;
        previousId = id;
    }
    // A line that does not parse, or an entry given twice, makes the table smaller than the file.
    EXPECT_EQ(Strings::Instance().English().Size(), lines);
}

TEST(StringTable, KeyedTextsParseAndFallBackPerEntry) {
    struct Case {
        const char* name;
        bool key;
    } cases[] = {{"dlg117.title", true}, {"menu.file", true},   {"view.tableSummary.unit", true},
                 {"a.b.C9", true},       {"menu", false},       {"Menu.file", false},
                 {"9menu.file", false},  {"menu..file", false}, {"menu.file.", false},
                 {"menu.fi-le", false},  {".file", false},      {"dlg1_x.title", false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsTextKey(c.name), c.key) << c.name;

    StringTable table;
    EXPECT_EQ(table.Parse("menu.file\t&File\nmenu..bad\tx\n12\tTwelve\nmenu.file\t&Datei\n"), 3u);
    ASSERT_NE(table.Find("menu.file"), nullptr);
    EXPECT_EQ(*table.Find("menu.file"), "&Datei");  // the later line wins, as for ids
    EXPECT_EQ(table.Find("menu..bad"), nullptr);
    EXPECT_EQ(table.Size(), 2u);

    Strings& strings = Strings::Instance();
    const TextKey file{"menu.file"};
    const TextKey edit{"menu.edit"};
    const std::string englishEdit = Txt(edit);
    EXPECT_EQ(Txt(file), "&File");
    StringTable module;
    module.Parse("menu.file\t&Datei\n");
    strings.SetModule(module);
    EXPECT_EQ(Txt(file), "&Datei");
    EXPECT_EQ(Txt(edit), englishEdit);  // a key the module lacks falls back to English
    strings.ClearModule();
    EXPECT_EQ(Txt(file), "&File");
}

TEST(StringTable, BuiltInEnglishKeepsEscapesUtf8AndPlaceholders) {
    EXPECT_EQ(Str(843), "\tParameter\tValue\tUnit");
    EXPECT_EQ(Str(33176), "\xE4\xB8\xAD\xE6\x96\x87 (\xE7\xAE\x80\xE4\xBD\x93)");
    EXPECT_EQ(Msg(463, {"2", "7", "3"}),
              "Measurement job data: Interharmonic Measuring Principle of Channel 2 "
              "***value: >7<! Substituted with value >3<.");
    // The online poll passes the expected length first, then the received one.
    EXPECT_EQ(Msg(508, {"627", "0"}),
              "The KELVARO has not sent sufficient data for command 'Read Interval Data' "
              "(0 instead of 627).");
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
