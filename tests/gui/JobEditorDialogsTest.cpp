#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "gui/job/JobEditorDialog.h"
#include "gui/job/JobGeneralDialog.h"
#include "gui/job/JobSummaryDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"
#include "job/JobFile.h"
#include "measurement/MeasurementFileReader.h"
#include "support/SimProcess.h"

namespace varelo::test {
namespace {

// The job editor offline over the program's own user interface, so that every message box
// and file dialog runs through the test's answers.
class JobEditorDialogTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Start();
        CloseStartupScreen();
        const JobEditorContext context{app->AppSettings(), app->Ui(), data.Path(), data.Path(),
                                       files.Path()};
        std::optional<JobEditor> opened =
            JobEditor::Open(kMeasFuncA, nullptr, context, CTimeStamp(2024, 3, 5, 14, 37, 21));
        ASSERT_TRUE(opened.has_value());
        editor.emplace(std::move(*opened));
        dialog = std::make_unique<JobEditorDialog>(*editor, app->Ui(), app->AppSettings(), nullptr,
                                                   nullptr);
        dialog->show();
        messages.clear();
        dialogs.clear();
    }
    void TearDown() override {
        dialog.reset();
        ShellTest::TearDown();
    }

    std::optional<JobEditor> editor;
    std::unique_ptr<JobEditorDialog> dialog;
};

TEST_F(JobEditorDialogTest, RefusesTheFieldsInOrderWithTheFocusOnEach) {
    EXPECT_EQ(dialog->windowTitle(), "Set up a Logger for function A");
    dialog->TransformerBox()->setChecked(true);
    dialog->NominalVoltageField()->setText("0");
    dialog->PrimaryField()->setText("999001");
    dialog->SecondaryField()->setText("x");
    dialog->MaxClampField()->setText("12.5");
    const struct {
        QLineEdit* field;
        std::string message;
        const char* fix;
    } steps[] = {
        {dialog->NominalVoltageField(), Msg(1079, {"1", "999000"}), "400"},
        {dialog->PrimaryField(), Msg(1246, {"1", "999000"}), "20000"},
        {dialog->SecondaryField(), Msg(1247, {"1", "999000"}), "100"},
        {dialog->MaxClampField(), Msg(61714, {"1", "3000"}), "3001"},
        {dialog->MaxClampField(), Msg(61714, {"1", "3000"}), "3000"},
    };
    for (const auto& step : steps) {
        messages.clear();
        EXPECT_FALSE(dialog->ApplyPage());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages.back(), step.message);
        EXPECT_EQ(dialog->focusWidget(), step.field) << step.message;
        step.field->setText(step.fix);
    }
    messages.clear();
    EXPECT_TRUE(dialog->ApplyPage());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(editor->Job().NomVoltRawVal, 40000);
    EXPECT_EQ(editor->Job().VoltPrimaryRawVal, 2000000);
    EXPECT_EQ(editor->Job().MaxClampCurr, 3000);
    EXPECT_TRUE(editor->Changed());
}

TEST_F(JobEditorDialogTest, ShortIntervalsOfferOnlyOneSecondPowerAveraging) {
    QComboBox* power = dialog->PowerAveragingList();
    ASSERT_TRUE(power->isVisibleTo(dialog.get()));  // the offline 408b is of the extended family
    EXPECT_EQ(power->currentText(), "1 minute");
    dialog->IntervalList()->setCurrentIndex(dialog->IntervalList()->findData(10));
    EXPECT_EQ(power->findText("1 minute"), -1);
    EXPECT_EQ(power->currentText(), "1 second");
    ASSERT_TRUE(dialog->ApplyPage());
    EXPECT_EQ(editor->Job().Interval, 10);
    EXPECT_EQ(editor->Job().PowMinMaxValInterval, 3);
    dialog->IntervalList()->setCurrentIndex(dialog->IntervalList()->findData(600));
    EXPECT_NE(power->findText("1 minute"), -1);
    // Only a time activated job has a measurement period to edit.
    EXPECT_TRUE(dialog->PageButton(JobPageKind::Period)->isEnabled());
    dialog->JobTypeButton(2)->click();
    EXPECT_FALSE(dialog->PageButton(JobPageKind::Period)->isEnabled());
}

TEST_F(JobEditorDialogTest, APageClosedWithOkHandsItsJobBackAndCancelDoesNot) {
    for (int answer : {int(QDialog::Rejected), int(QDialog::Accepted)}) {
        respond = [&](QDialog& shown) {
            auto* general = qobject_cast<JobGeneralDialog*>(&shown);
            if (!general) return int(QDialog::Rejected);
            general->TextEdit(0)->setText("Feeder 7");
            return general->TryAccept() ? answer : int(QDialog::Rejected);
        };
        dialog->PageButton(JobPageKind::General)->click();
        EXPECT_TRUE(Saw("varelo::JobGeneralDialog"));
        EXPECT_EQ(editor->Job().JobText[0], answer == QDialog::Accepted ? "Feeder 7" : "");
    }
    EXPECT_TRUE(editor->Changed());
}

TEST_F(JobEditorDialogTest, NextShowsTheSummaryWhoseSaveWritesTheJobFile) {
    const std::string path = files.File("week.aua");
    dialog->NominalVoltageField()->setText("400");
    bool closed = false;
    respond = [&](QDialog& shown) {
        if (auto* summary = qobject_cast<JobSummaryDialog*>(&shown)) {
            EXPECT_EQ(summary->windowTitle(), "Set up a Logger for function A");
            EXPECT_GT(summary->Lines()->topLevelItemCount(), 10);
            summary->SavePcButton()->click();  // no file yet: asks for one
            EXPECT_EQ(summary->windowTitle(), QString::fromStdString(Str(269)).arg("A") + " - " +
                                                  QString::fromStdString(path));
            return int(JobSummaryDialog::kClose);
        }
        if (auto* save = qobject_cast<QFileDialog*>(&shown)) {
            save->selectFile(QString::fromStdString(path));
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    };
    closed = dialog->Next();
    EXPECT_TRUE(closed);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(editor->Changed());
    EXPECT_EQ(editor->FilePath(), path);
    CMeasurementJob read;
    ASSERT_TRUE(CheckFile(path));
    ASSERT_TRUE(ReadJobFile(path, read));
    EXPECT_EQ(read, editor->Job());
    EXPECT_EQ(read.NomVoltRawVal, 40000);
}

TEST_F(JobEditorDialogTest, OpenFromThePcAsksToSaveChangesFirst) {
    dialog->NominalVoltageField()->setText("400");
    ASSERT_TRUE(dialog->ApplyPage());
    std::vector<std::string> asked;
    // Cancel stops before the file dialog; No drops the changes and opens it.
    int answer = QMessageBox::Cancel;
    ModalRunner::SetHook([&](QDialog& shown) {
        dialogs.push_back(shown.metaObject()->className());
        if (auto* box = qobject_cast<QMessageBox*>(&shown)) {
            asked.push_back(box->text().toStdString());
            return answer;
        }
        return int(QDialog::Rejected);
    });
    dialog->OpenPcButton()->click();
    EXPECT_EQ(asked, std::vector<std::string>{Str(1186)});
    EXPECT_FALSE(Saw("QFileDialog"));
    answer = QMessageBox::No;
    dialog->OpenPcButton()->click();
    EXPECT_TRUE(Saw("QFileDialog"));
    EXPECT_EQ(editor->Job().NomVoltRawVal, 40000) << "a cancelled file dialog changes nothing";
}

class SetUpCommandTest : public ShellTest {
protected:
    const std::string link = files.File("ttyLogger");
    ScopedEnv port{"VARELO_COM1", link.c_str()};
};

TEST_F(SetUpCommandTest, WithoutALoggerTheEditorOpensOffline) {
    Start();
    CloseStartupScreen();
    ASSERT_TRUE(app->Window()->Actions().Action(cmd::kSetUpA)->isEnabled());
    QString title;
    bool lockedMeanwhile = false;
    respond = [&](QDialog& shown) {
        if (qobject_cast<JobEditorDialog*>(&shown)) {
            title = shown.windowTitle();
            lockedMeanwhile = app->Window()->LoggerFunctionRunning();
        }
        return int(QDialog::Rejected);
    };
    messages.clear();
    app->RunCommand(cmd::kSetUpA);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), Str(322));
    EXPECT_EQ(title, "Set up a Logger for function A");
    EXPECT_TRUE(lockedMeanwhile);
    EXPECT_FALSE(app->Window()->LoggerFunctionRunning());
}

}  // namespace
}  // namespace varelo::test
