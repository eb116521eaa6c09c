#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "app/Settings.h"
#include "gui/logger/ResetWizardDialog.h"
#include "logger/LoggerLink.h"
#include "logger/SoftwareInformation.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SettingsStore.h"
#include "support/RecordingUserInterface.h"
#include "support/SimProcess.h"
#include "support/SimulatedClock.h"
#include "support/TempDir.h"

namespace varelo::test {
namespace {

// Dialog 122 that also looks at itself half-way through the CPU program.
class WatchedResetDialog : public ResetWizardDialog {
public:
    using ResetWizardDialog::ResetWizardDialog;

    void BarPosition(ResetStep step, long position) override {
        ResetWizardDialog::BarPosition(step, position);
        if (step != ResetStep::CpuProgram || !inStep4d.isNull() ||
            position < Bar(step)->maximum() / 2)
            return;
        inStep4d = grab().toImage();
        for (int n = 1; n <= 5; ++n)
            enabledIn4d.push_back(Group(n)->isEnabled());
        // Neither Esc nor the window's Close ends the wizard while the Logger is loaded.
        QTest::keyClick(this, Qt::Key_Escape);
        close();
        visibleAfterEscIn4d = isVisible();
    }

    QImage inStep4d;
    std::vector<bool> enabledIn4d;
    bool visibleAfterEscIn4d = false;
};

// Saves a picture for the documentation when VARELO_SCREENSHOT_DIR names a folder.
void SaveShot(const QImage& image, const char* name) {
    if (const char* folder = std::getenv("VARELO_SCREENSHOT_DIR"))
        image.save(QString::fromUtf8(folder) + "/" + name);
}

std::vector<bool> EnabledGroups(const ResetWizardDialog& dialog) {
    std::vector<bool> enabled;
    for (int n = 1; n <= 5; ++n)
        enabled.push_back(dialog.Group(n)->isEnabled());
    return enabled;
}

TEST(ResetWizardDialog, WalksThroughTheStepsAgainstALoggerInBootstrapMode) {
    TempDir dir;
    SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    const std::string link = dir.File("ttyLogger");
    ASSERT_TRUE(sim.Serve(link, {"--bootstrap"})) << sim.Output();

    SettingsStore store(dir.File("Varelo.conf"));
    Settings settings(store);
    settings.Write(setting::LastUsedBoxType, "Logger 408b");
    SimulatedClock clock(1000000, 20);
    PosixSerialDevice device;
    RecordingUserInterface ui;
    CSerialPort serial(device, clock, [&](const std::string&) { return link; });
    CLoggerLink port(serial, ui);

    WatchedResetDialog dialog(port, settings, FirmwareFolder());
    dialog.show();
    dialog.Start();
    EXPECT_EQ(EnabledGroups(dialog), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(dialog.TypeList()->currentText(), "Logger 408b");

    QTest::mouseClick(dialog.OkButton(ResetStep::SwitchOff), Qt::LeftButton);
    EXPECT_EQ(EnabledGroups(dialog), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_TRUE(dialog.DoneLabel(ResetStep::BootPort)->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.Bar(ResetStep::BootPort)->value(), 5);
    SaveShot(dialog.grab().toImage(), "dialog-122-step-3.png");

    QTest::mouseClick(dialog.OkButton(ResetStep::BootMode), Qt::LeftButton);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(dialog.Wizard().Step(), ResetStep::Ready);
    EXPECT_EQ(EnabledGroups(dialog), (std::vector<bool>{false, false, false, false, true}));
    for (ResetStep step : {ResetStep::Activate, ResetStep::HexLoader, ResetStep::Monitor,
                           ResetStep::CpuProgram, ResetStep::Restart})
        EXPECT_TRUE(dialog.DoneLabel(step)->isVisibleTo(&dialog)) << int(step);
    ASSERT_FALSE(dialog.inStep4d.isNull());
    EXPECT_EQ(dialog.enabledIn4d, (std::vector<bool>{false, false, false, true, false}));
    EXPECT_TRUE(dialog.visibleAfterEscIn4d);
    SaveShot(dialog.inStep4d, "dialog-122-step-4d.png");

    // Step 5: Esc does not close it either; its "OK" does, with success.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(dialog.OkButton(ResetStep::Ready), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// 1493 from a Logger that answers with the other ident: back to step 3, which Esc may close.
TEST(ResetWizardDialog, WrongIdentGoesBackToStep3) {
    TempDir dir;
    SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    const std::string link = dir.File("ttyLogger");
    dir.Write("bootstrap.ini", "[Logger]\npower = bootstrap\nbootstrap-ident = 0xC5\n");
    ASSERT_TRUE(sim.Serve(link, {"--scenario", dir.File("bootstrap.ini")})) << sim.Output();

    SettingsStore store(dir.File("Varelo.conf"));
    Settings settings(store);
    SimulatedClock clock(1000000, 20);
    PosixSerialDevice device;
    RecordingUserInterface ui;
    CSerialPort serial(device, clock, [&](const std::string&) { return link; });
    CLoggerLink port(serial, ui);
    ResetWizardDialog dialog(port, settings, FirmwareFolder());
    dialog.show();
    dialog.Start();
    dialog.ConfirmStep1();
    dialog.ConfirmStep3();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].id, 1493);
    EXPECT_EQ(EnabledGroups(dialog), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(dialog.Bar(ResetStep::Activate)->value(), 0);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace varelo::test
