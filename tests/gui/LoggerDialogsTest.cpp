#include <QCheckBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <fstream>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "gui/app/ModalRunner.h"
#include "gui/job/JobTemplatesDialog.h"
#include "gui/logger/LoggerClockDialog.h"
#include "gui/logger/LoggerDesignationDialog.h"
#include "gui/logger/LoggerDetailsDialog.h"
#include "gui/logger/LoggerInformationDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"
#include "logger/LoggerOperations.h"
#include "support/SimProcess.h"
#include "support/SimulatedClock.h"

namespace varelo::test {
namespace {

bool HasLabel(const QWidget& dialog, const QString& text) {
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == text) return true;
    return false;
}

TEST(LoggerClockDialog, FollowsThePcClockOnlyWhileTicked) {
    SimulatedClock clock;
    clock.wallStart = CTimeStamp(2030, 6, 1, 12, 0, 0).ToCalendarTime();
    LoggerClockDialog dialog(CTimeStamp(2024, 5, 6, 7, 8, 9), clock);
    EXPECT_EQ(dialog.Picked(), CTimeStamp(2024, 5, 6, 7, 8, 9));
    // Years before 1982 would come back from the Logger as 2070 and later.
    EXPECT_EQ(dialog.DatePicker()->minimumDate(), QDate(1982, 1, 1));

    dialog.PcClockBox()->setChecked(true);
    EXPECT_FALSE(dialog.DatePicker()->isEnabled());
    EXPECT_FALSE(dialog.TimePicker()->isEnabled());
    EXPECT_TRUE(dialog.Following());
    EXPECT_EQ(dialog.Picked(), CTimeStamp::FromCalendarTime(clock.Now()));
    EXPECT_TRUE(dialog.UsePcClock());

    dialog.PcClockBox()->setChecked(false);
    EXPECT_TRUE(dialog.DatePicker()->isEnabled());
    EXPECT_FALSE(dialog.Following());

    dialog.PcClockBox()->setChecked(true);
    dialog.reject();
    EXPECT_FALSE(dialog.Following()) << "Cancel stops the timer";
}

TEST(LoggerDesignationDialog, TakesTwentyCharactersAtMost) {
    LoggerDesignationDialog dialog("Feeder 7");
    EXPECT_EQ(dialog.Designation(), "Feeder 7");
    dialog.Field()->clear();
    QTest::keyClicks(dialog.Field(), "Umspannwerk Nord-West 2");
    EXPECT_EQ(dialog.Designation(), "Umspannwerk Nord-Wes");
}

TEST(LoggerInformationDialog, ShowsClampRowsForTheExtendedFamilyOnly) {
    CLoggerInfo info;
    info.FirmwDescription = "Feeder 7";
    info.HardwType = "308 Power Logger";
    LoggerInformationDialog basic(info);
    EXPECT_TRUE(HasLabel(basic, "Feeder 7"));
    EXPECT_FALSE(HasLabel(basic, "Current sensor type:"));

    info.HardwType = "408b Power Logger";
    info.ClampId = 3;
    LoggerInformationDialog extended(info);
    EXPECT_TRUE(HasLabel(extended, "Current sensor type:"));
    EXPECT_TRUE(HasLabel(extended, "1500 A"));

    QPoint detailsAt;
    ModalRunner::SetHook([&](QDialog& dialog) {
        EXPECT_TRUE(qobject_cast<LoggerDetailsDialog*>(&dialog));
        detailsAt = dialog.pos();
        return int(QDialog::Accepted);
    });
    extended.move(40, 50);
    extended.DetailsButton()->click();
    ModalRunner::SetHook({});
    EXPECT_EQ(detailsAt, extended.frameGeometry().topLeft());
}

TEST_F(ShellTest, JobTemplatesDialogStoresOnOkOnly) {
    int answer = QDialog::Rejected;
    Start();
    CloseStartupScreen();
    const std::string job = files.File("week.AUP");
    std::ofstream(job) << "x";
    // The P row's box clicked: the file dialog chooses the job file.
    respond = [&](QDialog& dialog) {
        if (auto* templates = qobject_cast<JobTemplatesDialog*>(&dialog)) {
            templates->InitialValuesBox(JobTemplatesForm::kRowP)->click();
            EXPECT_FALSE(templates->InitialValuesBox(JobTemplatesForm::kRowP)->isChecked());
            EXPECT_TRUE(templates->SelectButton(JobTemplatesForm::kRowP)->isEnabled());
            EXPECT_EQ(templates->PathLine(JobTemplatesForm::kRowP)->text().toStdString(), job);
            return answer;
        }
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files) return int(QDialog::Rejected);
        files->selectFile(QString::fromStdString(job));
        return int(QDialog::Accepted);
    };
    app->RunCommand(cmd::kJobTemplates);
    EXPECT_EQ(app->AppSettings().ReadString(setting::JobTemplateP), "");
    answer = QDialog::Accepted;
    app->RunCommand(cmd::kJobTemplates);
    EXPECT_EQ(app->AppSettings().ReadString(setting::JobTemplateP), job);
}

class LoggerCommandsTest : public ShellTest {
protected:
    SimProcess sim{std::string(VARELO_BIN_DIR) + "/logger-sim"};
    const std::string link = files.File("ttyLogger");
    ScopedEnv port{"VARELO_COM1", link.c_str()};
};

TEST_F(LoggerCommandsTest, HousekeepingCommandsAreOfferedAndNeedALogger) {
    Start();
    CloseStartupScreen();
    for (int id : {cmd::kStopMeasurement, cmd::kSetClock, cmd::kSetName, cmd::kLoggerInfo})
        EXPECT_TRUE(app->Window()->Actions().Action(id)->isEnabled()) << id;
    messages.clear();
    app->RunCommand(cmd::kStopMeasurement);  // nothing serves COM1: the port's own message first
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), Str(322));
    EXPECT_TRUE(app->Window()->isEnabled());
}

TEST_F(LoggerCommandsTest, InformationAboutTheLoggerShowsItsDialog) {
    const std::string scenario = files.File("logger.ini");
    std::ofstream(scenario) << "[Logger]\nstate = +\ndesignation = Feeder 7\n";
    ASSERT_TRUE(sim.Serve(link, {"--scenario", scenario})) << sim.Output();
    Start();
    CloseStartupScreen();
    std::string designation;
    respond = [&](QDialog& dialog) {
        if (auto* info = qobject_cast<LoggerInformationDialog*>(&dialog))
            designation = info->Texts().designation;
        return int(QDialog::Accepted);
    };
    app->RunCommand(cmd::kLoggerInfo);
    EXPECT_TRUE(Saw("varelo::LoggerInformationDialog")) << ::testing::PrintToString(dialogs);
    EXPECT_EQ(designation.substr(0, 8), "Feeder 7");
}

}  // namespace
}  // namespace varelo::test
