#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "app/GeneralSettings.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

class GeneralSettingsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsStore store{dir.File("Orbant/Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
    AppOptions options;

    std::vector<std::string> KeysOf(const std::vector<SettingWrite>& writes) {
        std::vector<std::string> keys;
        for (const auto& w : writes)
            keys.push_back(w.key->key);
        return keys;
    }
};

TEST_F(GeneralSettingsTest, OkWritesTheKeysInTheStatedOrder) {
    GeneralSettingsForm form;
    const std::vector<std::string> base = {"LimitFile",
                                           "PrintHeader",
                                           "AoaFileName",
                                           "ComPort",
                                           "BaudRate",
                                           "AutoTimeSync",
                                           "VoltageHarmonicsInFundamental",
                                           "VoltageHarmonicsInNominal",
                                           "VoltageHarmonicsInRMS",
                                           "VoltageHarmonicsInAbsolute",
                                           "CurrentHarmonicsInFundamental",
                                           "CurrentHarmonicsInRMS",
                                           "CurrentHarmonicsInAbsolute",
                                           "SelectionOfHarmonicsForTHD",
                                           "PhaseLabeling",
                                           "IsSplashScreenDisabled",
                                           "IsStartupScreenDisabled",
                                           "IsEN50160Disabled"};
    EXPECT_EQ(KeysOf(GeneralSettingsWrites(form, false)), base);
    auto withSwitches = base;
    withSwitches.push_back("IsFlickerDisabled");
    withSwitches.push_back("IsThdDisabled");
    EXPECT_EQ(KeysOf(GeneralSettingsWrites(form, true)), withSwitches);
    // Steps never go backwards.
    int step = 0;
    for (const auto& w : GeneralSettingsWrites(form, true)) {
        EXPECT_GE(w.step, step) << w.key->key;
        step = w.step;
    }
}

TEST_F(GeneralSettingsTest, FlickerAndThdNeedTheConfigureSwitchAndNoMeasurement) {
    EXPECT_FALSE(FlickerThdEditable(options, false));
    options.SetConfigure(true);
    EXPECT_TRUE(FlickerThdEditable(options, false));
    EXPECT_FALSE(FlickerThdEditable(options, true));
}

TEST_F(GeneralSettingsTest, OpeningValuesFollowTheStoreAndTheOptions) {
    settings.Write(setting::PrintHeader, std::string(60, 'x'));
    settings.Write(setting::ComPort, 4);
    settings.Write(setting::BaudRate, "9600");
    settings.Write(setting::IsSplashScreenDisabled, 1);
    options.SetThdOrder(40);
    options.SetPhaseLabeling(PhaseLabels::ABC);
    options.SetThdHidden(true);
    options.SetEn50160WarningHidden(true);
    const auto form = LoadGeneralSettings(settings, options);
    EXPECT_EQ(form.printHeader.size(), 50u);
    EXPECT_EQ(form.comPortIndex, 3);
    EXPECT_EQ(form.baudRate, "9600");
    EXPECT_FALSE(form.thdUpTo50);
    EXPECT_TRUE(form.phasesAbc);
    EXPECT_FALSE(form.showSplash);
    EXPECT_TRUE(form.showStartMenu);
    EXPECT_FALSE(form.showEn50160Warning);
    EXPECT_TRUE(form.showFlicker);
    EXPECT_FALSE(form.showThd);
    // Absent harmonic keys read as their defaults: nominal and absolute.
    EXPECT_TRUE(form.voltage[1]);
    EXPECT_FALSE(form.voltage[0]);
    EXPECT_TRUE(form.current[2]);
}

TEST_F(GeneralSettingsTest, ApplyWritesTheFormAndSetsTheOptions) {
    options.SetVoltageHarmonicReference(kHarmonicsInNominal);
    options.SetCurrentHarmonicReference(kHarmonicsAbsolute);
    std::vector<std::string> calls;
    int thdSeen = 0;
    options.SetThdOrderObserver([&](int order) {
        thdSeen = order;
        calls.push_back("thd");
    });
    GeneralSettingsForm form = LoadGeneralSettings(settings, options);
    form.comPortIndex = -1;
    form.baudRate = "38400";
    form.thdUpTo50 = false;
    form.phasesAbc = true;
    form.voltage[1] = false;
    form.voltage[3] = true;
    form.showStartMenu = false;
    form.showFlicker = false;  // not editable: must not be written
    GeneralSettingsHooks hooks{
        [&](const std::string& port, const std::string& baud) {
            calls.push_back("port " + port + " " + baud);
        },
        [&] { calls.push_back("recalculate " + std::to_string(ui.waitCursorDepth)); }};
    ApplyGeneralSettings(form, settings, options, ui, false, hooks);

    EXPECT_EQ(settings.ReadInt(setting::ComPort), 1);  // nothing selected
    EXPECT_EQ(settings.ReadInt(setting::VoltageHarmonicsInNominal), 0);
    EXPECT_EQ(settings.ReadInt(setting::VoltageHarmonicsInAbsolute), 1);
    EXPECT_EQ(settings.ReadInt(setting::SelectionOfHarmonicsForTHD), 40);
    EXPECT_EQ(settings.ReadInt(setting::PhaseLabeling), 1);
    EXPECT_EQ(settings.ReadInt(setting::IsStartupScreenDisabled), 1);
    EXPECT_FALSE(store.Has(settings.SettingsSection("Main"), "IsFlickerDisabled"));
    EXPECT_FALSE(options.FlickerHidden());
    EXPECT_EQ(options.VoltageHarmonicReference(), kHarmonicsAbsolute);
    EXPECT_EQ(options.ThdOrder(), 40);
    EXPECT_EQ(thdSeen, 40);
    EXPECT_EQ(options.PhaseLabeling(), PhaseLabels::ABC);
    const std::vector<std::string> expected = {"port COM1 38400", "thd", "recalculate 1"};
    EXPECT_EQ(calls, expected);
    const std::vector<std::string> status = {Str(281), Str(57345)};
    EXPECT_EQ(ui.statusTexts, status);
    EXPECT_EQ(ui.waitCursorDepth, 0);
}

TEST_F(GeneralSettingsTest, UnchangedReferencesSkipTheRecalculation) {
    options.SetVoltageHarmonicReference(kHarmonicsInNominal);
    options.SetCurrentHarmonicReference(kHarmonicsAbsolute);
    options.SetConfigure(true);
    bool recalculated = false;
    GeneralSettingsForm form = LoadGeneralSettings(settings, options);
    form.showThd = false;
    ApplyGeneralSettings(form, settings, options, ui, false, {{}, [&] { recalculated = true; }});
    EXPECT_FALSE(recalculated);
    EXPECT_TRUE(ui.statusTexts.empty());
    EXPECT_EQ(settings.ReadInt(setting::IsThdDisabled), 1);
    EXPECT_EQ(settings.ReadInt(setting::IsFlickerDisabled), 0);
    EXPECT_TRUE(options.ThdHidden());
}

}  // namespace
}  // namespace varelo
