#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "gui/app/InstanceChannel.h"
#include "gui/dialogs/ChannelSelectionDialog.h"
#include "gui/dialogs/StartMenuDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"
#include "gui/main/StartupScreen.h"
#include "gui/views/PzdView.h"

namespace varelo::test {
namespace {

using StartupTest = ShellTest;

TEST_F(StartupTest, EmptySettingsStoreStartsWithTheDefaultsAndTheStartupScreen) {
    ASSERT_EQ(Start(), VareloApp::StartResult::Running);
    Settings& settings = app->AppSettings();
    const AppOptions& options = AppOptions::Instance();
    EXPECT_EQ(app->Languages().LoadedLanguage(), 2);
    EXPECT_EQ(settings.ReadInt(setting::Frequency), 50);
    EXPECT_EQ(settings.ReadInt(setting::ComPort), 1);
    EXPECT_EQ(settings.ReadString(setting::BaudRate), "115200");
    EXPECT_EQ(settings.ReadString(setting::LimitFile), data.File("En50160-50Hz.gwd"));
    EXPECT_TRUE(options.En50160WarningHidden());
    EXPECT_EQ(options.VoltageHarmonicReference(), kHarmonicsInNominal);
    EXPECT_EQ(options.CurrentHarmonicReference(), kHarmonicsAbsolute);
    EXPECT_EQ(options.ThdOrder(), 50);
    EXPECT_EQ(options.PhaseLabeling(), PhaseLabels::L123);
    EXPECT_EQ(app->Window()->windowTitle().toStdString(), "Varelo");
    EXPECT_TRUE(app->Window()->isMaximized());

    // The start menu waits for the startup screen, which a key closes.
    ASSERT_TRUE(app->Startup());
    EXPECT_TRUE(app->Startup()->IsShowing());
    EXPECT_FALSE(Saw("varelo::StartMenuDialog"));
    QTest::keyClick(app->Window(), Qt::Key_A);
    EXPECT_FALSE(app->Startup()->IsShowing());
    QApplication::processEvents();
    EXPECT_EQ(std::count(dialogs.begin(), dialogs.end(), "varelo::StartMenuDialog"), 1);
}

TEST_F(StartupTest, AClickOnTheStartupScreenIsSwallowed) {
    ASSERT_EQ(Start(), VareloApp::StartResult::Running);
    bool clicked = false;
    QPushButton button("probe");
    QObject::connect(&button, &QPushButton::clicked, [&] { clicked = true; });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_FALSE(clicked);
    EXPECT_FALSE(app->Startup()->IsShowing());
    QApplication::processEvents();  // the start menu that waited
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(clicked);
}

TEST_F(StartupTest, StartMenuOpenRunsFileOpenAndOffersTheSetUpButtons) {
    bool setUpEnabled = false;
    respond = [&](QDialog& dialog) {
        if (auto* menu = qobject_cast<StartMenuDialog*>(&dialog)) {
            setUpEnabled = menu->SetUpPButton()->isEnabled() && menu->SetUpAButton()->isEnabled();
            return int(StartMenuDialog::kOpen);
        }
        return int(QDialog::Rejected);
    };
    Start();
    CloseStartupScreen();
    EXPECT_TRUE(setUpEnabled);
    EXPECT_TRUE(Saw("QFileDialog"));
}

TEST_F(StartupTest, DisabledStartMenuMakesFileNewDoNothing) {
    Start();
    CloseStartupScreen();
    dialogs.clear();
    app->AppSettings().Write(setting::IsStartupScreenDisabled, 1);
    app->RunCommand(cmd::kNew);
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(StartupTest, CommandLineFileOpensWhileTheStartupScreenClosesAtOnce) {
    const std::string path = Measurement("week.VXM", 1008);
    ASSERT_EQ(Start({"-Configure", QString::fromStdString(path)}), VareloApp::StartResult::Running);
    EXPECT_TRUE(AppOptions::Instance().Configure());
    ASSERT_TRUE(app->Startup());
    EXPECT_FALSE(app->Startup()->IsShowing());
    ASSERT_TRUE(app->Document());
    EXPECT_TRUE(Saw("varelo::EvaluationPeriodDialog"));
    EXPECT_FALSE(Saw("varelo::StartMenuDialog"));
    EXPECT_EQ(app->Recent().Entries().front(), path);
}

TEST_F(StartupTest, UnreadableCommandLineFileEndsTheStart) {
    files.Write("broken.VXM", "not a measurement");
    EXPECT_EQ(Start({QString::fromStdString(files.File("broken.VXM"))}),
              VareloApp::StartResult::Failed);
    EXPECT_FALSE(messages.empty());
}

TEST_F(StartupTest, OpeningASecondFileClosesTheFirstBeforeReadingIt) {
    const std::string first = Measurement("first.VXM", 20);
    const std::string second = Measurement("second.VXM", 30);
    Start();
    ASSERT_TRUE(app->OpenMeasurement(QString::fromStdString(first)));
    bool firstOpenWhileReading = true;
    respond = [&](QDialog& dialog) {
        // The evaluation period is asked while the file is read; the channel choice follows.
        if (std::string(dialog.metaObject()->className()) == "varelo::EvaluationPeriodDialog")
            firstOpenWhileReading = app->Document() != nullptr;
        return int(QDialog::Accepted);
    };
    CVamor800Doc* doc = app->OpenMeasurement(QString::fromStdString(second));
    ASSERT_TRUE(doc);
    EXPECT_FALSE(firstOpenWhileReading);
    EXPECT_EQ(doc->FilePath(true), second);
    EXPECT_EQ(doc->Data().intervals.size(), 30u);
    EXPECT_EQ(app->Recent().Entries(), (std::vector<std::string>{second, first}));
}

TEST_F(StartupTest, ReopenReadsTheSameFileAgainAndAsksForThePeriodAgain) {
    const std::string path = Measurement("week.VXM", 20);
    Start();
    CloseStartupScreen();
    ASSERT_TRUE(app->OpenMeasurement(QString::fromStdString(path)));
    dialogs.clear();
    app->RunCommand(cmd::kReopen);
    ASSERT_TRUE(app->Document());
    EXPECT_EQ(app->Document()->FilePath(true), path);
    // Opened again: the period question, then the channels of the first diagram.
    EXPECT_EQ(dialogs, (std::vector<std::string>{"varelo::EvaluationPeriodDialog",
                                                 "varelo::ChannelSelectionDialog"}));
}

TEST_F(StartupTest, FileOpenRemembersTheFolderUnlessPinned) {
    const std::string path = Measurement("week.VXM", 10);
    Start();
    respond = [&](QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            EXPECT_EQ(files->windowTitle().toStdString(), "Open a data file");
            EXPECT_EQ(files->nameFilters().size(), 4);
            files->selectFile(QString::fromStdString(path));
        }
        return int(QDialog::Accepted);
    };
    app->FileOpen();
    ASSERT_TRUE(app->Document());
    EXPECT_EQ(app->AppSettings().ReadString(setting::SavePathMeasurementfile), files.Path());
}

TEST_F(StartupTest, CommandEnablingWithoutAndWithAMeasurement) {
    Start();
    CommandActions& actions = app->Window()->Actions();
    EXPECT_TRUE(actions.Action(cmd::kReadResults)->isEnabled());
    EXPECT_TRUE(actions.Action(cmd::kReadOldResults)->isEnabled());
    EXPECT_TRUE(actions.Action(cmd::kSetUpA)->isEnabled());
    EXPECT_TRUE(actions.Action(cmd::kSetUpP)->isEnabled());
    EXPECT_TRUE(actions.Action(cmd::kLoggerInfo)->isEnabled());
    EXPECT_FALSE(actions.Action(cmd::kReopen)->isEnabled());
    app->OpenMeasurement(QString::fromStdString(Measurement("week.VXM", 10)));
    EXPECT_TRUE(actions.Action(cmd::kReopen)->isEnabled());
    EXPECT_EQ(actions.Action(cmd::kOpen)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(actions.Action(cmd::kReopen)->shortcut(), QKeySequence("Ctrl+R"));
}

TEST_F(StartupTest, SecondStartHandsItsFileToTheRunningProgram) {
    const std::string path = Measurement("week.VXM", 10);
    Start();
    CloseStartupScreen();
    dialogs.clear();
    // A second program on the same settings store finds the first one.
    VareloApp second;
    EXPECT_EQ(second.Start({QString::fromStdString(path)}), VareloApp::StartResult::HandedOver);
    EXPECT_TRUE(QTest::qWaitFor([&] { return app->Document() != nullptr; }, 5000));
    ASSERT_TRUE(app->Document());
    EXPECT_EQ(app->Document()->FilePath(true), path);
}

TEST_F(StartupTest, ShellRequestsAreIgnoredWhenTooLongOrWhileADialogIsOpen) {
    const std::string path = Measurement("week.VXM", 10);
    Start();
    app->ShellOpenRequest(QString(520, 'a'));
    EXPECT_FALSE(app->Document());
    app->Window()->setEnabled(false);
    app->ShellOpenRequest(QString::fromStdString(path));
    EXPECT_FALSE(app->Document());
    app->Window()->setEnabled(true);
    app->ShellOpenRequest(QString::fromStdString(path));
    EXPECT_TRUE(app->Document());
}

// A measurement opens into a diagram of the chosen channels; without a choice the phase
// labelling decides between the graphical summary and a diagram of V average L1.
TEST_F(StartupTest, OpeningAMeasurementAsksForTheChannelsOfItsFirstDiagram) {
    const std::string path = Measurement("week.VXM", 20);
    Start();
    CloseStartupScreen();
    struct Case {
        PhaseLabels labels;
        bool choose;
        int templateId;
        std::vector<int> curves;
    } cases[] = {
        {PhaseLabels::L123, true, 181, {1011, 2011, 3011}},
        {PhaseLabels::L123, false, 186, {}},
        {PhaseLabels::ABC, false, 181, {1011}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choose ? "OK" : "Cancel");
        AppOptions::Instance().SetPhaseLabeling(c.labels);
        respond = [&](QDialog& dialog) {
            auto* channels = qobject_cast<ChannelSelectionDialog*>(&dialog);
            if (!channels) return int(QDialog::Accepted);
            if (!c.choose) return int(QDialog::Rejected);
            for (QCheckBox* phase :
                 {channels->PhaseBox(0), channels->PhaseBox(1), channels->PhaseBox(2)})
                phase->setChecked(true);
            channels->OfferedList()->setCurrentRow(0);  // V average
            channels->AddButton()->click();
            return int(QDialog::Accepted);
        };
        ASSERT_TRUE(app->OpenMeasurement(QString::fromStdString(path)));
        ResultView* view = app->Window()->ActiveView();
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->TemplateId(), c.templateId);
        if (auto* diagram = dynamic_cast<CPzdView*>(view)) {
            std::vector<int> curves;
            for (const Curve& curve : diagram->State().Curves())
                curves.push_back(curve.channelId);
            EXPECT_EQ(curves, c.curves);
        }
    }
    AppOptions::Instance().SetPhaseLabeling(PhaseLabels::L123);
}

}  // namespace
}  // namespace varelo::test
