#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitValueFile.h"
#include "gui/limits/HarmonicLimitsDialog.h"
#include "gui/limits/InterharmonicLimitsDialog.h"
#include "gui/limits/LimitEditorDialog.h"
#include "gui/limits/LimitListPair.h"
#include "gui/limits/SignallingLimitsDialog.h"
#include "gui/limits/VseDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"

namespace varelo::test {
namespace {

using Button = LimitEditorDialog::Button;

class LimitEditorDialogsTest : public ShellTest {
protected:
    // Runs the editor from its command; inside answers the editor itself.
    void RunEditor(std::function<void(LimitEditorDialog&)> inside) {
        respond = [this, inside](QDialog& dialog) {
            if (auto* editor = qobject_cast<LimitEditorDialog*>(&dialog)) {
                inside(*editor);
                return int(QDialog::Rejected);
            }
            return subDialog ? subDialog(dialog) : int(QDialog::Rejected);
        };
        app->RunCommand(cmd::kLimitEditor);
    }
    // Sub-dialogs and file dialogs; OK goes through the dialog's own accept.
    std::function<int(QDialog&)> subDialog;
};

int Accept(QDialog& dialog) {
    dialog.accept();
    return dialog.result();
}

TEST_F(LimitEditorDialogsTest, EditorSubDialogsSaveAsAndReevaluation) {
    ASSERT_EQ(Start(), VareloApp::StartResult::Running);
    CloseStartupScreen();
    ASSERT_TRUE(app->Window()->Actions().Action(cmd::kLimitEditor)->isEnabled());
    ASSERT_TRUE(app->OpenMeasurement(QString::fromStdString(Measurement("day.VXM", 144))));
    const std::string limitFile = data.File("En50160-50Hz.gwd");
    const std::string saved = files.File("mine.gwd");
    ASSERT_EQ(app->Document()->Limits().NrEvents, 100);

    RunEditor([&](LimitEditorDialog& editor) {
        EXPECT_EQ(editor.windowTitle().toStdString(), "Limit value level file - " + limitFile);
        EXPECT_EQ(editor.Field(LimitField::NrEvents)->text(), "100");
        EXPECT_EQ(editor.HistogramLabel(0)->text(), " 95 % of the time");

        // Each sub-dialog: Cancel changes nothing, OK takes its values.
        std::vector<std::string> seen;
        subDialog = [&](QDialog& dialog) {
            seen.push_back(dialog.metaObject()->className());
            if (auto* h = qobject_cast<HarmonicLimitsDialog*>(&dialog)) {
                EXPECT_EQ(h->Lists()->Right()->count() + h->Lists()->Left()->count(), 49);
                if (!h->VseButton()->isHidden()) {
                    h->VseButton()->click();  // VSE dialog answered below
                    EXPECT_EQ(h->ThdField()->text(), "20.00");
                }
                return Accept(dialog);
            }
            if (auto* vse = qobject_cast<VseDialog*>(&dialog)) {
                vse->Field(CVseModel::kRatedCurrent)->setText("10");
                vse->Field(CVseModel::kRatedPower)->setText("100");
                vse->Field(CVseModel::kShortCircuitPower)->setText("10000");
                return Accept(dialog);
            }
            if (auto* s = qobject_cast<SignallingLimitsDialog*>(&dialog)) {
                s->FrequencyField()->setText("1052");
                s->ValueField()->setText("3.5");
                s->SetButton()->click();
                EXPECT_EQ(s->FrequencyField()->text(), "1050");
                return int(QDialog::Rejected);  // Cancel: dropped
            }
            if (auto* i = qobject_cast<InterharmonicLimitsDialog*>(&dialog)) {
                i->FrequencyField()->setText("100");
                i->ValueField()->setText("0.5");
                i->SetButton()->click();
                EXPECT_EQ(i->List()->item(0)->text().toStdString(), "0095-0104\t0.50");
                return Accept(dialog);
            }
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                files->selectFile(QString::fromStdString(saved));
                return int(QDialog::Accepted);
            }
            return int(QDialog::Rejected);
        };
        for (Button b :
             {Button::Voltage, Button::Current, Button::Signalling, Button::Interharmonics})
            editor.ButtonOf(b)->click();
        EXPECT_EQ(seen, (std::vector<std::string>{
                            "varelo::HarmonicLimitsDialog", "varelo::HarmonicLimitsDialog",
                            "varelo::VseDialog", "varelo::SignallingLimitsDialog",
                            "varelo::InterharmonicLimitsDialog"}));

        // A bad interruption limit keeps everything, with the focus on the field.
        editor.Field(LimitField::InterruptionLimit)->setText("41");
        editor.ButtonOf(Button::SaveAs)->click();
        EXPECT_FALSE(std::filesystem::exists(saved));
        editor.Field(LimitField::InterruptionLimit)->setText("5");
        editor.Field(LimitField::NrEvents)->setText("32768");
        editor.Field(LimitField::NrEvents)->editingFinished();
        EXPECT_EQ(editor.Field(LimitField::NrEvents)->text(), "100");
        editor.Field(LimitField::NrEvents)->setText("7");
        editor.ButtonOf(Button::SaveAs)->click();
        EXPECT_EQ(editor.windowTitle().toStdString(), "Limit value level file - " + saved);
        // Saved: Close asks nothing.
        editor.reject();
        EXPECT_EQ(editor.result(), int(QDialog::Rejected));
    });
    EXPECT_EQ(messages, std::vector<std::string>{"Please enter an integer between 1 and 40."});

    CLimitValues read;
    ASSERT_TRUE(ReadLimitFile(saved, read));
    EXPECT_EQ(read.NrEvents, 7);
    EXPECT_EQ(read.InterruptionLimit, 5);
    EXPECT_EQ(read.InterharmonicLimit(100), 0.5f);
    EXPECT_EQ(read.SignallingLimit(1050), 5.0f);    // the cancelled dialog's 3.5 was dropped
    EXPECT_EQ(read.CurrentHarmonicLimit(5), 0.0f);  // unselected: written as 0
    EXPECT_EQ(read.RatedCurrent, 10.0f);
    EXPECT_EQ(read.CurrTHD, 20.0f);

    // The editor does not name the current file; closing it re-reads that file.
    app->AppSettings().Write(setting::LimitFile, saved);
    RunEditor([](LimitEditorDialog& editor) { editor.reject(); });
    EXPECT_EQ(app->Document()->Limits().NrEvents, 7);
}

}  // namespace
}  // namespace varelo::test
