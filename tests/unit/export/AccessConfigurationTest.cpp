#include "export/AccessConfiguration.h"

#include <gtest/gtest.h>

#include "app/StringTable.h"
#include "platform/IniFile.h"
#include "support/RecordingUserInterface.h"

namespace varelo {
namespace {

// The measurement holds every channel of phase L1 and nothing else.
bool HoldsL1(int channel) {
    return channel / 1000 == 1 || channel < 1000;
}

const char* kBase =
    "[Database]\nTableCount=1\n"
    "[Table1]\nName= Values \nFieldCount=3\n"
    "FieldName1=Time\nFieldValue1=IntervalDateTime\n"
    "FieldName2=U1\nFieldValue2=UmeanL1\n"
    "FieldName3=U2\nFieldValue3=UmeanL2\n";

TEST(AccessConfiguration, FillModesDecideMissingColumns) {
    const struct {
        const char* extra;
        size_t columns;
        ColumnFill fill;
    } cases[] = {
        {"", 3, ColumnFill::kZero},
        {"[Database]\nIfNotMeasured=NULL\n", 3, ColumnFill::kNull},
        {"[Table1]\nIfNotMeasured=skip\n", 2, ColumnFill::kValue},
        {"[Table1]\nIfNotMeasured=skip\nFieldIfNotMeasured3=null\n", 3, ColumnFill::kNull},
    };
    for (const auto& c : cases) {
        test::RecordingUserInterface ui;
        AccessConfiguration config;
        IniFile ini = IniFile::Parse(std::string(kBase) + c.extra);
        ASSERT_TRUE(ReadAccessConfiguration(ini, HoldsL1, ui, config)) << c.extra;
        ASSERT_EQ(config.tables.size(), 1u);
        const AccessTableSpec& table = config.tables[0];
        EXPECT_EQ(table.name, "Values");
        ASSERT_EQ(table.columns.size(), c.columns) << c.extra;
        EXPECT_EQ(table.columns[0].type, FieldType::kDate);
        EXPECT_EQ(table.columns[1].channelId, 1011);
        EXPECT_EQ(table.columns[1].fill, ColumnFill::kValue);
        EXPECT_EQ(table.columns.back().fill, c.fill) << c.extra;
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(AccessConfiguration, PrecisionChoosesDoubleAndAllSkippedTablesGo) {
    test::RecordingUserInterface ui;
    AccessConfiguration config;
    IniFile ini = IniFile::Parse(
        "[Database]\nTableCount=2\nPrecision=1\nIfNotMeasured=skip\n"
        "[Table1]\nName=Gone\nFieldCount=1\nFieldName1=U2\nFieldValue1=UmeanL2\n"
        "[Table2]\nName=Kept\nFieldCount=1\nFieldName1=F\nFieldValue1=Frequency\n");
    ASSERT_TRUE(ReadAccessConfiguration(ini, HoldsL1, ui, config));
    ASSERT_EQ(config.tables.size(), 1u);
    EXPECT_EQ(config.tables[0].name, "Kept");
    EXPECT_EQ(config.tables[0].columns[0].type, FieldType::kDouble);
}

TEST(AccessConfiguration, FirstErrorIsReportedWithSectionKeyAndValue) {
    const struct {
        const char* text;
        int id;
        std::vector<std::string> args;
    } cases[] = {
        {"", 1508, {"Database", "TableCount"}},
        {"[Database]\nTableCount=0\n", 1508, {"Database", "TableCount"}},
        {"[Database]\nTableCount=1\nIfNotMeasured=none\n",
         1509,
         {"Database", "IfNotMeasured", "none"}},
        {"[Database]\nTableCount=1\n[Table1]\nFieldCount=1\n", 1508, {"Table1", "Name"}},
        {"[Database]\nTableCount=1\n[Table1]\nName=a.b\nFieldCount=1\n",
         1509,
         {"Table1", "Name", "a.b"}},
        {"[Database]\nTableCount=1\n[Table1]\nName=T\nFieldCount=0\n",
         1508,
         {"Table1", "FieldCount"}},
        {"[Database]\nTableCount=1\n[Table1]\nName=T\nFieldCount=2\nFieldName1=A\n"
         "FieldValue1=Frequency\nFieldName2=B\n",
         1508,
         {"Table1", "FieldValue2"}},
        {"[Database]\nTableCount=1\n[Table1]\nName=T\nFieldCount=1\nFieldName1=A\n"
         "FieldValue1=Umean\n",
         1509,
         {"Table1", "FieldValue1", "Umean"}},
        {"[Database]\nTableCount=1\n[Table1]\nName=T\nFieldCount=1\nFieldName1=A\n"
         "FieldValue1=Frequency\nFieldIfNotMeasured1=never\n",
         1509,
         {"Table1", "FieldIfNotMeasured1", "never"}},
    };
    for (const auto& c : cases) {
        test::RecordingUserInterface ui;
        AccessConfiguration config;
        EXPECT_FALSE(ReadAccessConfiguration(IniFile::Parse(c.text), HoldsL1, ui, config));
        ASSERT_EQ(ui.MessageIds(), std::vector<int>{c.id}) << c.text;
        std::string expected = c.args.size() == 2 ? Msg(c.id, {c.args[0], c.args[1]})
                                                  : Msg(c.id, {c.args[0], c.args[1], c.args[2]});
        EXPECT_EQ(ui.messages[0].text, expected);
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    }
}

TEST(AccessConfiguration, HeaderTableNamesFixOnlyWhatTheFileGives) {
    test::RecordingUserInterface ui;
    HeaderTableConfiguration header;
    ASSERT_TRUE(ReadHeaderTableConfiguration(
        IniFile::Parse("[HeaderTable]\nName=Kopf\nText2=Ort\nRealEnd=Ende\n"), ui, header));
    EXPECT_EQ(header.name, "Kopf");
    EXPECT_EQ(header.columns[0], "");
    EXPECT_FALSE(header.fixedText[0]);
    EXPECT_EQ(header.columns[1], "Ort");
    EXPECT_TRUE(header.fixedText[1]);
    EXPECT_EQ(header.columns[6], "AveragingInterval");
    EXPECT_EQ(header.columns[12], "Ende");

    EXPECT_FALSE(
        ReadHeaderTableConfiguration(IniFile::Parse("[HeaderTable]\nText1=a]\n"), ui, header));
    EXPECT_EQ(ui.messages.back().text, Msg(1509, {"HeaderTable", "Text1", "a]"}));
}

}  // namespace
}  // namespace varelo
