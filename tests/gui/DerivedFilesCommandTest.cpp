#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "app/Settings.h"
#include "gui/app/QtText.h"
#include "gui/dialogs/TransformerDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"
#include "measurement/MeasurementFile.h"

namespace varelo::test {
namespace {

using test::ReadAll;

// A generated day of function A in 5-minute intervals.
class DerivedFilesCommandTest : public ShellTest {
protected:
    std::string source = files.File("day.VXM");
    std::string chosen;  // what the open dialog answers
    std::function<int(TransformerDialog&)> transformer;

    void SetUp() override {
        ShellTest::SetUp();
        const auto result = RunProgram(BuiltProgramLine(
            config.Path(), "logger-sim",
            "generate --function A --intervals 288 --interval 300 --output " + ShellQuote(source)));
        ASSERT_EQ(result.status, 0) << result.output;
        Start();
        CloseStartupScreen();
        respond = [this](QDialog& dialog) {
            if (auto* open = qobject_cast<QFileDialog*>(&dialog)) {
                open->selectFile(QString::fromStdString(chosen));
                return int(QDialog::Accepted);
            }
            if (auto* ct = qobject_cast<TransformerDialog*>(&dialog))
                return transformer ? transformer(*ct) : int(QDialog::Rejected);
            return int(QDialog::Accepted);  // the evaluation period
        };
    }
};

TEST_F(DerivedFilesCommandTest, ExportMenuWritesBothFilesAndTheStatusReturnsToReady) {
    ASSERT_NE(app->OpenMeasurement(QString::fromStdString(source)), nullptr);
    const std::string before = ReadAll(source);
    QAction* action = app->Window()->Actions().Action(cmd::kDerivedFiles);
    ASSERT_TRUE(action->isEnabled());
    messages.clear();
    action->trigger();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(app->Window()->StatusText(), QStr(57345));
    MeasurementData ten, fifteen;
    ASSERT_TRUE(ReadMeasurementFile(files.File("day10min.VXM"), ten));
    ASSERT_TRUE(ReadMeasurementFile(files.File("day15min.VXM"), fifteen));
    EXPECT_EQ(ten.intervals.size(), 144u);
    EXPECT_EQ(fifteen.intervals.size(), 96u);
    EXPECT_EQ(ReadAll(source), before);

    // The 10-minute name is another name of the source, and the save dialog then gets the
    // source itself: refused with the file's name, and the status still ends with "Ready".
    std::filesystem::remove(files.File("day10min.VXM"));
    std::filesystem::create_hard_link(source, files.File("day10min.VXM"));
    chosen = source;
    dialogs.clear();
    app->Window()->SetStatusText("something else");
    app->RunCommand(cmd::kDerivedFiles);
    EXPECT_TRUE(Saw("QFileDialog"));
    EXPECT_EQ(messages, (std::vector<std::string>{Msg(193, {source})}));
    EXPECT_EQ(app->Window()->StatusText(), QStr(57345));
    EXPECT_EQ(ReadAll(source), before);
}

TEST_F(DerivedFilesCommandTest, ChangeTransformerChecksThenWritesOnOkOnly) {
    chosen = source;
    app->AppSettings().Write(setting::SavePathMeasurementfile, files.Path());
    const std::string before = ReadAll(source);
    ASSERT_TRUE(app->Window()->Actions().Action(cmd::kChangeTransformer)->isEnabled());

    // Cancel: the file stays as it was.
    app->RunCommand(cmd::kChangeTransformer);
    EXPECT_TRUE(Saw("QFileDialog"));
    EXPECT_TRUE(Saw("varelo::TransformerDialog"));
    EXPECT_EQ(ReadAll(source), before);

    // OK with 0.005 keeps the dialog on the primary field; 999000 is then taken.
    std::vector<bool> tries;
    transformer = [&](TransformerDialog& dialog) {
        dialog.PhaseTransformerBox()->setChecked(true);
        QLineEdit* primary = dialog.Edit(TransformerForm::Field::PhasePrimary);
        primary->setText("0.005");
        dialog.Edit(TransformerForm::Field::PhaseSecondary)->setText("5");
        tries.push_back(dialog.TryAccept());
        EXPECT_EQ(dialog.focusWidget(), primary);
        primary->setText("999000");
        tries.push_back(dialog.TryAccept());
        return int(QDialog::Accepted);
    };
    messages.clear();
    app->RunCommand(cmd::kChangeTransformer);
    EXPECT_EQ(tries, (std::vector<bool>{false, true}));
    EXPECT_EQ(messages, (std::vector<std::string>{Msg(1422, {"0.01", "999000.00"})}));
    MeasurementData changed;
    ASSERT_TRUE(ReadMeasurementFile(source, changed));
    EXPECT_EQ(changed.job.PhCurrTransformer, 1);
    EXPECT_EQ(changed.job.PhCurrPrimaryRawVal, 99900000);
    EXPECT_EQ(changed.job.PhCurrSecondaryRawVal, 500);
    EXPECT_EQ(changed.intervals.size(), 288u);
}

TEST_F(DerivedFilesCommandTest, ChangeTransformerOnAFileThatIsNoMeasurementSays374) {
    chosen = files.File("notes.VXM");
    files.Write("notes.VXM", "not a measurement\r\n");
    transformer = [](TransformerDialog&) { return int(QDialog::Accepted); };
    app->RunCommand(cmd::kChangeTransformer);
    EXPECT_EQ(messages, (std::vector<std::string>{Str(374)}));
    EXPECT_FALSE(Saw("varelo::TransformerDialog"));
    EXPECT_EQ(ReadAll(chosen), "not a measurement\r\n");
}

}  // namespace
}  // namespace varelo::test
