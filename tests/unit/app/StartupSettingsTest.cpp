#include <gtest/gtest.h>

#include "app/AppOptions.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "app/StringTable.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

class StartupSettingsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::TempDir data;  // the data folder with the language modules and the default limit file
    SettingsStore store{dir.File("Orbant/Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
    AppOptions options;

    void SetUp() override { data.Write("VareloENG.lng", "174\tVarelo\n"); }
    void TearDown() override { Strings::Instance().ClearModule(); }

    void Start() {
        LanguageLoader languages(settings, ui, data.Path());
        ApplyStartupSettings(settings, options, languages, data.Path());
        ReadHarmonicOptions(settings, options);
        loadedLanguage = languages.LoadedLanguage();
    }
    int loadedLanguage = 0;
};

TEST_F(StartupSettingsTest, FreshInstallationStartsWithTheDocumentedDefaults) {
    data.Write(kDefaultLimitFileName, "limits");
    Start();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(loadedLanguage, kEnglish);
    EXPECT_EQ(settings.ReadInt(setting::DialogLanguage), kEnglish);
    EXPECT_EQ(settings.ReadInt(setting::Frequency), 50);
    EXPECT_EQ(settings.ReadInt(setting::ComPort), 1);
    EXPECT_EQ(settings.ReadString(setting::BaudRate), "115200");
    EXPECT_EQ(settings.ReadString(setting::LimitFile), data.File(kDefaultLimitFileName));
    EXPECT_TRUE(options.En50160WarningHidden());
    EXPECT_FALSE(options.FlickerHidden());
    EXPECT_FALSE(options.ThdHidden());
    EXPECT_EQ(options.VoltageHarmonicReference(), kHarmonicsInNominal);
    EXPECT_EQ(options.CurrentHarmonicReference(), kHarmonicsAbsolute);
    EXPECT_EQ(options.ThdOrder(), 50);
    EXPECT_EQ(options.PhaseLabeling(), PhaseLabels::L123);
    EXPECT_EQ(settings.ReadInt(setting::IsSplashScreenDisabled), 0);
    EXPECT_EQ(settings.ReadInt(setting::IsStartupScreenDisabled), 0);
    // Everything lives under the 50-Hz sections.
    EXPECT_EQ(store.GetInt("Settings\\50 Hz\\Communication", "ComPort", 0), 1);
}

TEST_F(StartupSettingsTest, MissingDefaultLimitFileLeavesTheKeyEmpty) {
    Start();
    EXPECT_EQ(settings.ReadString(setting::LimitFile), "");
    EXPECT_FALSE(store.Has("Settings\\50 Hz\\Main", "LimitFile"));
}

TEST_F(StartupSettingsTest, PortAndBaudRateAreRepaired) {
    struct Case {
        int port;
        const char* baud;
        int expectedPort;
        const char* expectedBaud;
    } cases[] = {
        {0, "4800", 1, "115200"}, {10, "abc", 1, "115200"}, {9, "9600", 9, "9600"},
        {3, "", 3, "115200"},     {1, "57600", 1, "57600"},
    };
    for (const auto& c : cases) {
        settings.Write(setting::ComPort, c.port);
        settings.Write(setting::BaudRate, c.baud);
        RepairCommunication(settings);
        EXPECT_EQ(settings.ReadInt(setting::ComPort), c.expectedPort) << c.port;
        EXPECT_EQ(settings.ReadString(setting::BaudRate), c.expectedBaud) << c.baud;
    }
}

TEST_F(StartupSettingsTest, FrequencySixtyIsForcedBackToFifty) {
    settings.Write(setting::Frequency, 60);
    settings.Write(setting::ComPort, 4);  // written under the 60-Hz section
    EXPECT_EQ(settings.SettingsSection("Main"), "Settings\\60 Hz\\Main");
    Start();
    EXPECT_EQ(settings.ReadInt(setting::Frequency), 50);
    EXPECT_EQ(settings.SettingsSection("Main"), "Settings\\50 Hz\\Main");
    EXPECT_EQ(settings.ReadInt(setting::ComPort), 1);  // read and repaired under 50 Hz
    EXPECT_EQ(store.GetInt("Settings\\60 Hz\\Communication", "ComPort", 0), 4);
}

TEST_F(StartupSettingsTest, DialogLanguageChoosesTheModule) {
    struct Case {
        int stored;
        bool chineseModule;
        int loaded;
        std::vector<int> messages;
    } cases[] = {
        {5, false, kEnglish, {}},
        {17, true, 17, {}},
        {17, false, 0, {812}},
    };
    for (const auto& c : cases) {
        test::TempDir d;
        SettingsStore s(d.File("Varelo.conf"));
        Settings st(s);
        test::RecordingUserInterface rec;
        test::TempDir folder;
        folder.Write("VareloENG.lng", "174\tVarelo\n");
        if (c.chineseModule) folder.Write("VareloCHN.lng", "322\t\xE6\x97\xA0\n");
        st.Write(setting::DialogLanguage, c.stored);
        LanguageLoader languages(st, rec, folder.Path());
        LoadStartupLanguage(st, languages);
        EXPECT_EQ(languages.LoadedLanguage(), c.loaded) << c.stored;
        EXPECT_EQ(rec.MessageIds(), c.messages) << c.stored;
        if (!c.messages.empty()) {
            EXPECT_EQ(rec.messages[0].text, Msg(812, {folder.File("VareloCHN.lng")}));
            EXPECT_EQ(st.ReadInt(setting::DialogLanguage), 17);  // the stored id stays
        }
        if (c.chineseModule) {
            EXPECT_EQ(Str(322), "\xE6\x97\xA0");
        }
        Strings::Instance().ClearModule();
    }
}

TEST_F(StartupSettingsTest, LanguageChangeWhileRunningAsksForARestart) {
    data.Write("VareloGER.lng", "174\tVarelo\n");
    LanguageLoader languages(settings, ui, data.Path());
    EXPECT_EQ(languages.LoadLanguage(kEnglish), LanguageLoad::Loaded);
    EXPECT_EQ(languages.LoadLanguage(kEnglish), LanguageLoad::Loaded);  // the same: nothing
    EXPECT_EQ(languages.LoadLanguage(3), LanguageLoad::Failed);         // no French module
    EXPECT_EQ(settings.ReadInt(setting::DialogLanguage), kEnglish);
    EXPECT_EQ(languages.LoadLanguage(1), LanguageLoad::Restart);
    EXPECT_EQ(settings.ReadInt(setting::DialogLanguage), 1);
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{812});
}

TEST_F(StartupSettingsTest, LastNonZeroHarmonicKeyWins) {
    settings.Write(setting::VoltageHarmonicsInFundamental, 1);
    settings.Write(setting::VoltageHarmonicsInNominal, 0);
    settings.Write(setting::VoltageHarmonicsInRMS, 1);
    settings.Write(setting::CurrentHarmonicsInFundamental, 1);
    settings.Write(setting::CurrentHarmonicsInAbsolute, 0);
    settings.Write(setting::SelectionOfHarmonicsForTHD, 40);
    settings.Write(setting::PhaseLabeling, 1);
    int observed = 0;
    options.SetThdOrderObserver([&](int order) { observed = order; });
    ReadHarmonicOptions(settings, options);
    EXPECT_EQ(options.VoltageHarmonicReference(), kHarmonicsInRms);
    EXPECT_EQ(options.CurrentHarmonicReference(), kHarmonicsInFundamental);
    EXPECT_EQ(options.ThdOrder(), 40);
    EXPECT_EQ(observed, 40);
    EXPECT_EQ(options.PhaseLabeling(), PhaseLabels::ABC);
}

TEST_F(StartupSettingsTest, DisplaySwitchesFollowTheirKeys) {
    settings.Write(setting::IsFlickerDisabled, 1);
    settings.Write(setting::IsThdDisabled, 7);
    settings.Write(setting::IsEN50160Disabled, 0);
    ReadDisplaySwitches(settings, options);
    EXPECT_TRUE(options.FlickerHidden());
    EXPECT_TRUE(options.ThdHidden());
    EXPECT_FALSE(options.En50160WarningHidden());
}

TEST(CommandLine, ConfigureSwitchAndFile) {
    struct Case {
        std::vector<std::string_view> args;
        CommandLine::Action action;
        std::string file;
        bool configure;
    } cases[] = {
        {{}, CommandLine::Action::New, "", false},
        {{"/CONFIGURE"}, CommandLine::Action::New, "", true},
        {{"-Configure", "a.VXM"}, CommandLine::Action::Open, "a.VXM", true},
        {{"/p", "b.VXM"}, CommandLine::Action::Print, "b.VXM", false},
        {{"configure"}, CommandLine::Action::Open, "configure", false},
        // Absolute paths start with the switch character too.
        {{"/home/u/week.VXM"}, CommandLine::Action::Open, "/home/u/week.VXM", false},
        {{"/p", "/data/b.VXM"}, CommandLine::Action::Print, "/data/b.VXM", false},
        {{"/a.VXM"}, CommandLine::Action::Open, "/a.VXM", false},
    };
    for (const auto& c : cases) {
        CommandLine line = ParseCommandLine(c.args);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.configure, c.configure);
    }
}

TEST(SettingRules, IndexedKeysAndInterpretedValues) {
    EXPECT_EQ(setting::ChannelEntry("ASCII", 'A', 1).key, "A01");
    EXPECT_EQ(setting::ScreenColor("Graphical Summary", 2).key, "ScreenColor2");
    EXPECT_EQ(setting_rule::LeftBorderMm(31), 25);
    EXPECT_EQ(setting_rule::LeftBorderMm(-1), 25);
    EXPECT_EQ(setting_rule::LeftBorderMm(0), 0);
    EXPECT_EQ(setting_rule::CurveWidth(3), 0);
    EXPECT_EQ(setting_rule::Yscaling(-1), 1);
    EXPECT_EQ(setting_rule::TimePeriod(27), 26);
    EXPECT_EQ(setting_rule::ParseColor("255 0 128"), 0x8000FFu);
    EXPECT_EQ(setting_rule::ParseColor("1 2"), std::nullopt);
    EXPECT_EQ(setting_rule::ParseColor("1 2 x"), std::nullopt);
    EXPECT_EQ(setting_rule::FormatColor(0x8000FF), "255 0 128");
}

}  // namespace
}  // namespace varelo
