#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "evaluation/LimitValueFile.h"
#include "evaluation/LimitValues.h"
#include "platform/Paths.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

std::string Header(std::string_view declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>") {
    return std::string(declaration) +
           "\r\n<!--c-->\r\n<Vamor>\r\n<Version>1.0.1</Version>\r\n";
}

TEST(LimitValues, DefaultSetsOfBothFrequencies) {
    CLimitValues fifty, sixty;
    fifty.SetDefaults(50);
    sixty.SetDefaults(60);
    EXPECT_EQ(fifty.HarmonicLimit(5), 6.0f);
    EXPECT_EQ(fifty.Harm[49], 6.0f);  // order 5 at 50 Hz: entry 5 x 10 - 1
    EXPECT_EQ(fifty.HarmonicLimit(26), 0.0f);
    EXPECT_EQ(sixty.HarmonicLimit(35), 1.31f);
    EXPECT_EQ(sixty.Harm[5 * 12 - 1], 3.26f);
    EXPECT_EQ(sixty.HarmonicLimit(2), 0.0f);
    EXPECT_EQ(fifty.NplusTol95, 10.0f);
    EXPECT_EQ(sixty.NminusTol100, 10.0f);
    EXPECT_EQ(sixty.THD, 7.13f);
    EXPECT_EQ(sixty.PowSysNomVolt, 2);
    EXPECT_EQ(fifty.Histogram, 95);
    // Signalling: nothing below 100 Hz, 8.7 % from 100 to 500 Hz, the slope, 5 % from 870 Hz.
    EXPECT_EQ(fifty.SignallingLimit(95), 0.0f);
    EXPECT_EQ(fifty.SignallingLimit(100), 8.7f);
    EXPECT_EQ(fifty.SignallingLimit(500), 8.7f);
    EXPECT_EQ(fifty.SignallingLimit(505), 8.61f);
    EXPECT_EQ(fifty.SignallingLimit(865), 5.03f);
    EXPECT_EQ(fifty.SignallingLimit(870), 5.0f);
    EXPECT_EQ(fifty.SignallingLimit(3000), 5.0f);
    EXPECT_EQ(fifty.CurrentHarmonicLimit(3), 0.0f);  // offered by the editor only
    EXPECT_EQ(DefaultCurrentHarmonicLimit(3), 2.30f);
    EXPECT_EQ(DefaultCurrentHarmonicLimit(41), 0.0f);
}

TEST(LimitValues, BinLookupsAndTheirEdges) {
    CLimitValues l;
    l.SetDefaults(50);
    l.SetInterharmonicLimit(100, 0.3f);  // a harmonic frequency: the bin below
    EXPECT_EQ(l.Harm[18], 0.3f);
    EXPECT_EQ(l.Harm[19], 2.0f);  // order 2 untouched
    EXPECT_EQ(l.InterharmonicLimit(100), 0.3f);
    l.SetInterharmonicLimit(175, 0.2f);
    EXPECT_EQ(l.Harm[34], 0.2f);
    // An unused channel (0 Hz) and frequencies beyond the bins have no limit.
    EXPECT_EQ(l.InterharmonicLimit(0), 0.0f);
    EXPECT_EQ(l.SignallingLimit(0), 0.0f);
    EXPECT_EQ(l.SignallingLimit(3005), 0.0f);
    EXPECT_EQ(l.HarmonicLimit(0), 0.0f);
    EXPECT_EQ(l.HarmonicLimit(51), 0.0f);
    l.CurrHarm[2] = -1;
    EXPECT_EQ(l.CurrentHarmonicLimit(3), 0.0f);
    // A damaged frequency of 0 is taken as 50 Hz, never as a division by zero.
    l.PowSysNomFreq = 0;
    EXPECT_EQ(l.HarmonicLimit(2), 2.0f);
    EXPECT_EQ(l.InterharmonicLimit(100), 0.3f);
    l.ClearInterharmonics();
    EXPECT_EQ(l.Harm[18], 0.0f);
    EXPECT_EQ(l.HarmonicLimit(3), 5.0f);
    l.ClearHarmonics();
    EXPECT_EQ(l.HarmonicLimit(3), 0.0f);
}

TEST(LimitValueFile, WriteReadRoundTripAndNegativeLimits) {
    test::TempDir dir;
    CLimitValues limits;
    limits.SetDefaults(50);
    limits.Text = "Line 1 with = sign\r\nLine 2";
    limits.Harm[3] = -2.0f;
    limits.CurrHarm[4] = 1.234567f;
    limits.ParameterN[49] = 7.5f;
    ASSERT_TRUE(WriteLimitFile(dir.File("l.gwd"), limits));
    CLimitValues read;
    read.NrEvents = 77;
    ASSERT_TRUE(ReadLimitFile(dir.File("l.gwd"), read));
    CLimitValues expected = limits;
    expected.Harm[3] = 0;             // negative limits are written as 0
    expected.CurrHarm[4] = 1.23457f;  // six significant digits
    EXPECT_EQ(read, expected);
    std::ifstream f(dir.File("l.gwd"), std::ios::binary);
    std::stringstream text;
    text << f.rdbuf();
    EXPECT_NE(text.str().find("<t>NminusTol100=15</t>\r\n"), std::string::npos);
    EXPECT_NE(text.str().find("<t>THD=8</t>\r\n<t>Harm0=0</t>"), std::string::npos);
    EXPECT_NE(text.str().find("<t>ParameterN50=7.5</t>\r\n</KelvaroLimitValues>\r\n</Vamor>"),
              std::string::npos);
}

TEST(LimitValueFile, ValuesAreTakenByPosition) {
    test::TempDir dir;
    struct Case {
        std::string content;
        int16_t nrEvents;
        float nminus95;
    } cases[] = {
        {Header() + "<KelvaroLimitValues>\r\n<t>Text=a</t><t>F=60</t><t>V=1</t><t>I=1</t>"
                    "<t>NrEvents=12</t><t>N=7.5</t>\r\n</KelvaroLimitValues>\r\n", 12, 7.5f},
        // Names are not looked at: swapped lines land in the other fields.
        {Header() + "<KelvaroLimitValues>\r\n<t>Text=a</t><t>F=60</t><t>V=1</t><t>I=1</t>"
                    "<t>NminusTol95=7.5</t><t>NrEvents=12</t>\r\n</KelvaroLimitValues>\r\n", 7, 12},
        // A text longer than 360 characters is cut; its later "=" shift every value by one.
        {Header() + "<KelvaroLimitValues>\r\n<t>Text=" + std::string(360, 'x') +
             "=9</t><t>F=60</t><t>V=1</t><t>I=1</t><t>NrEvents=12</t>\r\n"
             "</KelvaroLimitValues>\r\n", 1, 12},
        {Header() + "</Vamor>\r\n", 0, 0},  // no block: all limits 0
    };
    for (const auto& c : cases) {
        dir.Write("l.gwd", c.content);
        CLimitValues l;
        ASSERT_TRUE(ReadLimitFile(dir.File("l.gwd"), l));
        EXPECT_EQ(l.NrEvents, c.nrEvents) << c.content.substr(0, 200);
        EXPECT_EQ(l.NminusTol95, c.nminus95) << c.content.substr(0, 200);
    }
}

std::string Repeat(std::string_view piece, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i)
        out += piece;
    return out;
}

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream text;
    text << f.rdbuf();
    return text.str();
}

constexpr std::string_view kHan = "\xE4\xB8\xAD";  // one Chinese character, three bytes
constexpr std::string_view kUmlaut = "\xC3\xB6";   // two bytes

// A text is read up to 360 characters, however many bytes they take. Only a longer text is
// cut, and then its further "=" shift the later values: the nominal frequency reads the rest
// of the text (0) and the histogram share takes the voltage unbalance (2).
TEST(LimitValueFile, TextsAreReadByCharacters) {
    test::TempDir dir;
    CLimitValues defaults;
    defaults.SetDefaults(50);
    ASSERT_TRUE(WriteLimitFile(dir.File("defaults.gwd"), defaults));
    const std::string file = ReadAll(dir.File("defaults.gwd"));
    const std::string emptyText = "<t>Text=</t>";
    ASSERT_NE(file.find(emptyText), std::string::npos);
    struct Case {
        const char* name;
        std::string text;
        std::string expectedText;
        int16_t nominalFrequency;
        int16_t histogram;
    } cases[] = {
        {"146 Chinese characters, an = among the last", Repeat(kHan, 140) + "=" + Repeat(kHan, 5),
         Repeat(kHan, 140) + "=" + Repeat(kHan, 5), 50, 95},
        {"exactly 360 characters", Repeat(kUmlaut, 359) + "=", Repeat(kUmlaut, 359) + "=", 50, 95},
        {"361 characters", Repeat(kUmlaut, 360) + "=", Repeat(kUmlaut, 360), 0, 2},
    };
    for (const Case& c : cases) {
        std::string content = file;
        content.replace(content.find(emptyText), emptyText.size(), "<t>Text=" + c.text + "</t>");
        dir.Write("l.gwd", content);
        CLimitValues read;
        ASSERT_TRUE(ReadLimitFile(dir.File("l.gwd"), read)) << c.name;
        EXPECT_EQ(read.Text, c.expectedText) << c.name;
        EXPECT_EQ(read.PowSysNomFreq, c.nominalFrequency) << c.name;
        EXPECT_EQ(read.Histogram, c.histogram) << c.name;
    }
}

// The writer writes no more of a text than reads back, so a long text never shifts a value.
TEST(LimitValueFile, LongTextsReadBackAsWritten) {
    test::TempDir dir;
    // 31 characters: Chinese, an "=", umlauts and a line break.
    const std::string line = Repeat(kHan, 20) + "=" + Repeat(kUmlaut, 8) + "\r\n";
    struct Case {
        const char* name;
        std::string text;
        std::string expectedText;
    } cases[] = {
        {"620 characters in 20 lines", Repeat(line, 20), Repeat(line, 11) + Repeat(kHan, 19)},
        // Character 360 is the CR of a line break: the break is not cut in half.
        {"a line break at the limit", Repeat(kUmlaut, 359) + "\r\nmore", Repeat(kUmlaut, 359)},
        // An item's end tag would end the text early on reading, the block's closing tag the
        // block; other tags are text.
        {"an item's end tag", "before</t>after=1", "before"},
        {"the block's closing tag", "a</b>c</KelvaroLimitValues>\r\n=2", "a</b>c"},
    };
    for (const Case& c : cases) {
        CLimitValues limits;
        limits.SetDefaults(60);
        limits.Text = c.text;
        ASSERT_TRUE(WriteLimitFile(dir.File("l.gwd"), limits)) << c.name;
        CLimitValues read;
        ASSERT_TRUE(ReadLimitFile(dir.File("l.gwd"), read)) << c.name;
        CLimitValues expected = limits;
        expected.Text = c.expectedText;
        EXPECT_EQ(read, expected) << c.name;
    }
}

TEST(LimitValueFile, AnsiDeclarationAndBadHeaders) {
    test::TempDir dir;
    dir.Write("ansi.gwd", Header("<?xml version=\"1.0\"?>") +
                              "<KelvaroLimitValues>\r\n<t>Text=Gr\xFC\xDF" "e</t>\r\n"
                              "</KelvaroLimitValues>\r\n");
    CLimitValues l;
    ASSERT_TRUE(ReadLimitFile(dir.File("ansi.gwd"), l));
    EXPECT_EQ(l.Text, "Gr\xC3\xBC\xC3\x9F" "e");

    dir.Write("bad.gwd", "not a limit file\r\n");
    l.NrEvents = 42;
    EXPECT_FALSE(ReadLimitFile(dir.File("bad.gwd"), l));
    EXPECT_EQ(l.NrEvents, 42);
    EXPECT_FALSE(IsValidLimitFile(dir.File("bad.gwd")));
}

TEST(LimitValueFile, LoadCurrentLimitsReportsMissingAndBrokenFiles) {
    test::TempDir dir;
    SettingsStore store(dir.File("Varelo.conf"));
    Settings settings(store);
    test::RecordingUserInterface ui;
    CLimitValues limits;
    limits.NrEvents = 5;

    settings.Write(setting::LimitFile, dir.File("missing.gwd"));
    EXPECT_FALSE(LoadCurrentLimits(settings, ui, limits));
    dir.Write("broken.gwd", "broken");
    settings.Write(setting::LimitFile, dir.File("broken.gwd"));
    EXPECT_FALSE(LoadCurrentLimits(settings, ui, limits));
    EXPECT_EQ(ui.MessageIds(), (std::vector<int>{168, 167}));
    EXPECT_EQ(ui.messages[0].text, Msg(168, {dir.File("missing.gwd")}));
    EXPECT_EQ(limits.NrEvents, 5);

    settings.Write(setting::LimitFile, dir.File("En50160-50HZ.GWD"));
    EXPECT_TRUE(IsStandardLimitFile(settings));
    settings.Write(setting::LimitFile, dir.File("mine.gwd"));
    EXPECT_FALSE(IsStandardLimitFile(settings));
}

TEST(LimitValueFile, ShippedDefaultFileEqualsTheBuiltInSet) {
    CLimitValues shipped, builtIn;
    builtIn.SetDefaults(50);
    ASSERT_TRUE(ReadLimitFile(DataFolder() + "/En50160-50Hz.gwd", shipped));
    EXPECT_EQ(shipped, builtIn);
}

}  // namespace
}  // namespace varelo
