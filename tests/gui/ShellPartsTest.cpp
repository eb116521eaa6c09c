#include <gtest/gtest.h>
#include <QAction>
#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/CommandTable.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/ProgressWindow.h"
#include "gui/app/QtUserInterface.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/EvaluationPeriodDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/LockIndicators.h"
#include "gui/main/MainWindow.h"
#include "logger/ReadOutProgress.h"
#include "logger/SaveDataProgress.h"

namespace varelo {
namespace {

PeriodQuestion Question(const EvaluationPeriod& proposal) {
    return {CTimeStamp(2024, 1, 1, 0, 0, 0), CTimeStamp(2024, 1, 8, 0, 0, 0), proposal.start,
            proposal.end};
}

TEST(EvaluationPeriodDialog, OkWithAnInvalidPeriodResetsTheFieldsAndStaysOpen) {
    const EvaluationPeriod backwards{CTimeStamp(2024, 1, 8, 0, 0, 0),
                                     CTimeStamp(2024, 1, 1, 0, 0, 0)};
    EvaluationPeriodDialog dialog(Question(backwards));
    dialog.show();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Period().start, EvaluationPeriod::Everything().start);
    EXPECT_EQ(dialog.Period().end, EvaluationPeriod::Everything().end);
    dialog.accept();  // the reset period is valid
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(EvaluationPeriodDialog, PickersAreLimitedAndShowTheProposal) {
    const EvaluationPeriod week{CTimeStamp(2024, 1, 1, 0, 0, 0), CTimeStamp(2024, 1, 7, 23, 50, 0)};
    EvaluationPeriodDialog dialog(Question(week));
    const auto edits = dialog.findChildren<QDateEdit*>();
    ASSERT_EQ(edits.size(), 2);
    EXPECT_EQ(edits[0]->minimumDate(), QDate(1970, 1, 2));
    EXPECT_EQ(edits[0]->maximumDate(), QDate(2038, 1, 18));
    EXPECT_EQ(dialog.Period().start, week.start);
    EXPECT_EQ(dialog.Period().end, week.end);
}

TEST(QtUserInterface, CancelledEvaluationPeriodQuestionReportsFalse) {
    QtUserInterface ui;
    ModalRunner::SetHook([](QDialog&) { return int(QDialog::Rejected); });
    PeriodQuestion question = Question(EvaluationPeriod::Everything());
    EXPECT_FALSE(ui.AskEvaluationPeriod(question));
    ModalRunner::SetHook({});
}

TEST(QtUserInterface, ProgressBarsCountersAndCancel) {
    QtUserInterface ui;
    ui.BeginProgress(ReadOutProgress::Layout());
    EXPECT_FALSE(ui.Pump());
    ui.SetProgress(1, 5000000000L, 10000000000L, "5 of 10");
    ProgressWindow* window = ui.Progress();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Logger - Read results");
    EXPECT_TRUE(window->TextLines().empty());
    ASSERT_EQ(window->BarCount(), 2);
    EXPECT_EQ(window->Caption(0)->text(), "interval data");
    EXPECT_EQ(window->Caption(1)->text(), "Statistics");
    EXPECT_EQ(window->Counter(1)->text(), "5 of 10");
    EXPECT_NEAR(double(window->Bar(1)->value()) / window->Bar(1)->maximum(), 0.5, 0.01);
    ui.SetProgress(2, 0, 0, "0");  // no events: an empty bar, not a busy indicator
    EXPECT_EQ(window->Caption(2)->text(), "Events");
    EXPECT_GT(window->Bar(2)->maximum(), window->Bar(2)->value());
    ASSERT_TRUE(window->CancelButton());
    window->CancelButton()->click();
    EXPECT_TRUE(ui.Pump());
    ui.EndProgress();
    EXPECT_FALSE(ui.Progress());
}

TEST(QtUserInterface, SaveDataWindowWarnsInRedAndCannotBeCancelled) {
    QtUserInterface ui;
    SaveDataProgress progress(ui);
    ProgressWindow* window = ui.Progress();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Logger - Save data");
    ASSERT_EQ(window->TextLines().size(), 2u);
    const QLabel* caution = window->TextLines()[0];
    EXPECT_EQ(caution->text(), "Caution: Do not interrupt this process!");
    EXPECT_EQ(caution->font().pixelSize(), 12);
    EXPECT_EQ(caution->font().weight(), QFont::DemiBold);
    EXPECT_EQ(caution->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(window->TextLines()[1]->text(), "Please follow the instructions in the user manual.");
    EXPECT_FALSE(window->CancelButton());
    EXPECT_TRUE(window->findChildren<QPushButton*>().isEmpty());
    EXPECT_EQ(window->BarCount(), 0);  // the job bar and its caption wait for their range
    progress.AddToTotal(256);
    ASSERT_EQ(window->BarCount(), 1);
    EXPECT_EQ(window->Caption(0)->text(), "Measurement function");
    progress.SetJobRange(675);
    ASSERT_EQ(window->BarCount(), 2);
    EXPECT_EQ(window->Caption(1)->text(), "Job");
    EXPECT_EQ(window->Counter(1)->text(), "675");
}

TEST(QtUserInterface, SaveDialogGetsTheConvertedFilterAndAsksBeforeOverwriting) {
    QtUserInterface ui;
    ModalRunner::SetHook([](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        EXPECT_EQ(files.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(files.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(files.nameFilters(),
                  QStringList({"Varelo measurement files (*.VXM)", "All files (*.*)"}));
        EXPECT_EQ(files.defaultSuffix(), "VXM");
        return int(QDialog::Rejected);
    });
    std::string path;
    EXPECT_FALSE(ui.ChooseSaveFile("Save",
                                   "Varelo measurement files (*.VXM)|*.VXM|All files (*.*)|*.*||",
                                   "VXM", "/tmp", path));
    ModalRunner::SetHook({});
}

TEST(QtUserInterface, StatusTextsGoToTheSinkAndWaitCursorsNest) {
    QtUserInterface ui;
    QString shown;
    ui.SetStatusSink([&](const QString& text) { shown = text; });
    ui.SetStatusText("Ready");
    EXPECT_EQ(shown, "Ready");
    ui.BeginWaitCursor();
    ui.BeginWaitCursor();
    ui.EndWaitCursor();
    ASSERT_TRUE(QApplication::overrideCursor());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.EndWaitCursor();
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST(MainWindow, ToolBarMenusAndStatusBar) {
    MainWindow window;
    const QList<QAction*> buttons = window.ToolBar()->actions();
    const auto expected = MainToolBar();
    ASSERT_EQ(buttons.size(), static_cast<int>(expected.size()));
    for (int i = 0; i < buttons.size(); ++i) {
        if (expected[i] == kSeparator) {
            EXPECT_TRUE(buttons[i]->isSeparator()) << i;
        } else {
            EXPECT_EQ(buttons[i], window.Actions().Action(expected[i])) << i;
            EXPECT_FALSE(buttons[i]->icon().isNull()) << expected[i];
            EXPECT_FALSE(buttons[i]->toolTip().isEmpty()) << expected[i];
        }
    }
    QStringList titles;
    for (QAction* popup : window.menuBar()->actions())
        titles << popup->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Logger", "S&ettings", "&?"}));
    EXPECT_EQ(window.Actions().Action(cmd::kOpen)->text(), "&Open a data file...");
    EXPECT_EQ(window.StatusText(), "Ready");
    window.SetStatusText("Testing the Logger status, please wait...");
    EXPECT_EQ(window.StatusText(), "Testing the Logger status, please wait...");
}

TEST(MainWindow, LockPanesFollowTheLockKeys) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    EXPECT_TRUE(window.Locks().Pane(0)->text().isEmpty());
    QTest::keyClick(window.windowHandle(), Qt::Key_CapsLock);
    EXPECT_EQ(window.Locks().Pane(0)->text(), "CAP");
    QTest::keyClick(window.windowHandle(), Qt::Key_CapsLock);
    EXPECT_TRUE(window.Locks().Pane(0)->text().isEmpty());
}

TEST(AboutDialog, VersionLine) {
    AboutDialog about;
    EXPECT_TRUE(about.VersionText().startsWith("Version: "));
    EXPECT_TRUE(about.VersionText().endsWith(" Unicode (rev 3206)"));
}

}  // namespace
}  // namespace varelo
