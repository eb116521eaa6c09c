#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "ShellFixture.h"
#include "app/ColorSlots.h"
#include "app/CommandTable.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "gui/dialogs/ColorsDialog.h"
#include "gui/dialogs/GeneralSettingsDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"

namespace varelo::test {
namespace {

class SettingsDialogsTest : public ShellTest {
protected:
    void StartQuietly(const QStringList& arguments = {}) {
        Start(arguments);
        CloseStartupScreen();
        dialogs.clear();
    }
    // Answers the general settings dialog after edit has changed it.
    void AnswerGeneralSettings(std::function<void(GeneralSettingsDialog&)> edit, int answer) {
        respond = [edit, answer](QDialog& dialog) {
            if (auto* settings = qobject_cast<GeneralSettingsDialog*>(&dialog)) {
                edit(*settings);
                return answer;
            }
            return int(QDialog::Accepted);
        };
    }
    std::string Store(const char* section, const char* key) {
        return app->AppSettings().Store().GetString(app->AppSettings().SettingsSection(section),
                                                    key, "<absent>");
    }
};

TEST_F(SettingsDialogsTest, GeneralSettingsOkWritesAndReloadsTheLimitsOfTheOpenMeasurement) {
    StartQuietly();
    ASSERT_TRUE(app->OpenMeasurement(QString::fromStdString(Measurement("week.VXM", 30))));
    const std::string limits = files.File("Other.gwd");
    std::filesystem::copy_file(data.File("En50160-50Hz.gwd"), limits);
    AnswerGeneralSettings(
        [&](GeneralSettingsDialog& dialog) {
            dialog.LimitFileEdit()->setText(QString::fromStdString(limits));
            dialog.PrintHeaderEdit()->setText("Feeder 7");
            dialog.PortBox()->setCurrentIndex(2);
            dialog.Thd40Button()->setChecked(true);
        },
        QDialog::Accepted);
    app->RunCommand(cmd::kGeneralSettings);
    EXPECT_EQ(app->AppSettings().ReadString(setting::LimitFile), limits);
    EXPECT_EQ(app->AppSettings().ReadString(setting::PrintHeader), "Feeder 7");
    EXPECT_EQ(app->AppSettings().ReadInt(setting::ComPort), 3);
    EXPECT_EQ(AppOptions::Instance().ThdOrder(), 40);
    EXPECT_EQ(app->Document()->LimitFilePath(), limits);  // re-evaluated with the new file
}

TEST_F(SettingsDialogsTest, AFailedReloadKeepsTheResultsAndNoMeasurementMeansNoReload) {
    StartQuietly();
    const auto missing = QString::fromStdString(files.File("missing.gwd"));
    AnswerGeneralSettings([&](GeneralSettingsDialog& d) { d.LimitFileEdit()->setText(missing); },
                          QDialog::Accepted);
    app->RunCommand(cmd::kGeneralSettings);
    EXPECT_TRUE(messages.empty());  // nothing open: nothing evaluated, nothing reported
    EXPECT_EQ(app->AppSettings().ReadString(setting::LimitFile), missing.toStdString());

    app->AppSettings().Write(setting::LimitFile, data.File("En50160-50Hz.gwd"));
    ASSERT_TRUE(app->OpenMeasurement(QString::fromStdString(Measurement("week.VXM", 30))));
    app->RunCommand(cmd::kGeneralSettings);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("missing.gwd"), std::string::npos);
    EXPECT_EQ(app->Document()->LimitFilePath(), data.File("En50160-50Hz.gwd"));
}

TEST_F(SettingsDialogsTest, GeneralSettingsCancelWritesNothing) {
    StartQuietly();
    AnswerGeneralSettings([](GeneralSettingsDialog& d) { d.PrintHeaderEdit()->setText("x"); },
                          QDialog::Rejected);
    app->RunCommand(cmd::kGeneralSettings);
    EXPECT_EQ(Store("Main", "PrintHeader"), "<absent>");
    EXPECT_EQ(Store("Main", "VoltageHarmonicsInNominal"), "<absent>");
}

TEST_F(SettingsDialogsTest, WithoutTheConfigureSwitchFlickerAndThdAreDisabledAndNeverWritten) {
    StartQuietly();
    bool enabled = true;
    AnswerGeneralSettings(
        [&](GeneralSettingsDialog& d) {
            enabled = d.FlickerBox()->isEnabled() || d.ThdBox()->isEnabled();
            d.FlickerBox()->setChecked(false);
            d.ThdBox()->setChecked(false);
        },
        QDialog::Accepted);
    app->RunCommand(cmd::kGeneralSettings);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(Store("Main", "IsFlickerDisabled"), "<absent>");
    EXPECT_EQ(Store("Main", "IsThdDisabled"), "<absent>");
    EXPECT_FALSE(AppOptions::Instance().FlickerHidden());
}

TEST_F(SettingsDialogsTest, TheConfigureSwitchUnlocksFlickerAndThdUntilAMeasurementIsOpen) {
    StartQuietly({"/CONFIGURE"});
    bool enabled = false;
    AnswerGeneralSettings(
        [&](GeneralSettingsDialog& d) {
            enabled = d.FlickerBox()->isEnabled() && d.ThdBox()->isEnabled();
            d.ThdBox()->setChecked(false);
        },
        QDialog::Accepted);
    app->RunCommand(cmd::kGeneralSettings);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(app->AppSettings().ReadInt(setting::IsThdDisabled), 1);
    EXPECT_EQ(app->AppSettings().ReadInt(setting::IsFlickerDisabled), 0);
    EXPECT_TRUE(AppOptions::Instance().ThdHidden());

    ASSERT_TRUE(app->OpenMeasurement(QString::fromStdString(Measurement("week.VXM", 10))));
    AnswerGeneralSettings([&](GeneralSettingsDialog& d) { enabled = d.ThdBox()->isEnabled(); },
                          QDialog::Rejected);
    app->RunCommand(cmd::kGeneralSettings);
    EXPECT_FALSE(enabled);
}

TEST_F(SettingsDialogsTest, ColoursStandardThenCancelLeavesTheStoredColours) {
    StartQuietly();
    const auto key = setting::ScreenColor("Graphical Summary", 1);
    app->AppSettings().Write(key, "10 20 30");
    bool showedDefaults = false;
    respond = [&](QDialog& dialog) {
        auto& colors = dynamic_cast<ColorsDialog&>(dialog);
        colors.StandardButton()->click();
        showedDefaults = colors.Colors() == DefaultColors();
        return int(QDialog::Rejected);
    };
    app->RunCommand(cmd::kColors);
    EXPECT_TRUE(showedDefaults);
    EXPECT_EQ(app->AppSettings().ReadString(key), "10 20 30");
    EXPECT_EQ(Store("Level-Time Diagram", "ScreenColor0"), "<absent>");
}

TEST_F(SettingsDialogsTest, ColoursOkStoresAllSeventeenSlots) {
    StartQuietly();
    respond = [&](QDialog& dialog) {
        auto& colors = dynamic_cast<ColorsDialog&>(dialog);
        colors.SetChooser([](const QColor&, QWidget*) { return QColor(1, 2, 3); });
        colors.ColorButton(10)->click();  // the graphical summary's first colour
        return int(QDialog::Accepted);
    };
    app->RunCommand(cmd::kColors);
    EXPECT_EQ(Store("Graphical Summary", "ScreenColor1"), "1 2 3");
    EXPECT_EQ(Store("Graphical Summary", "ScreenColor0"), "0 0 0");
    EXPECT_EQ(Store("Level-Time Diagram", "ScreenColor9"), "255 0 128");
    EXPECT_EQ(Store("Cumulativ frequency", "ScreenColor3"), "0 255 0");
}

TEST_F(SettingsDialogsTest, ColourButtonsNameTheirCurveOrTheirColourNumber) {
    ColorsDialog colors(DefaultColors());
    for (int n = 1; n <= 14; ++n) {
        const QString label = n <= 9 ? QString("Curve &%1").arg(n) : QString("Color %1").arg(n);
        EXPECT_EQ(colors.ColorButton(n)->text(), label) << n;
    }
}

TEST_F(SettingsDialogsTest, ChoosingTheCurrentLanguageDoesNothing) {
    StartQuietly();
    QAction* english = app->Window()->Actions().Action(33078);
    EXPECT_TRUE(english->isChecked());
    EXPECT_FALSE(english->isEnabled());
    EXPECT_EQ(english->text().toStdString(), "English");
    app->RunCommand(33078);
    app->ChangeLanguage(2);
    EXPECT_EQ(restarts, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsDialogsTest, AMissingLanguageModuleKeepsTheLanguage) {
    StartQuietly();
    app->RunCommand(33083);  // Deutsch, whose module is not there
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("VareloGER.lng"), std::string::npos);
    EXPECT_EQ(restarts, 0);
    EXPECT_EQ(app->AppSettings().ReadInt(setting::DialogLanguage), 2);
}

TEST_F(SettingsDialogsTest, AnotherLanguageIsStoredAndRestartsTheProgram) {
    data.Write("VareloGER.lng", "174\tVarelo\n");
    StartQuietly();
    app->RunCommand(33083);
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(app->AppSettings().ReadInt(setting::DialogLanguage), 1);
}

}  // namespace
}  // namespace varelo::test
