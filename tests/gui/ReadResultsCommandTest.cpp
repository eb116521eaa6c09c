#include <QAction>
#include <QFileDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <regex>
#include <sstream>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "gui/app/ProgressWindow.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"
#include "logger/SaveDataProgress.h"
#include "support/SimProcess.h"

namespace varelo::test {
namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Two read-outs of one Logger differ in the Logger's clock at the time of reading and in
// nothing else.
std::string WithoutLoggerClock(const std::string& file) {
    return std::regex_replace(file, std::regex("<t>InstrTime=[^<]*</t>"), "<t>InstrTime=</t>");
}

class ReadResultsCommandTest : public ShellTest {
protected:
    // A Logger holding a measurement of the given number of intervals, on COM1.
    void ServeLogger(int intervals) {
        const std::string scenario = files.File("logger.ini");
        std::ofstream(scenario) << "[Logger]\nstate = +\n\n[Measurement]\nfunction = A\n"
                                   "intervals = "
                                << intervals << "\ninterval = 600\nseed = 3\n";
        ASSERT_TRUE(sim.Serve(link, {"--scenario", scenario})) << sim.Output();
        Start();
        CloseStartupScreen();
    }

    // "Read results" into the named file; the save dialog is answered with it, every other
    // dialog is cancelled.
    void ReadInto(const std::string& name) {
        const std::string target = files.File(name);
        respond = [target](QDialog& dialog) {
            auto* save = qobject_cast<QFileDialog*>(&dialog);
            if (!save) return int(QDialog::Rejected);
            save->selectFile(QString::fromStdString(target));
            return int(QDialog::Accepted);
        };
        app->RunCommand(cmd::kReadResults);
    }

    SimProcess sim{std::string(VARELO_BIN_DIR) + "/logger-sim"};
    const std::string link = files.File("ttyLogger");
    ScopedEnv port{"VARELO_COM1", link.c_str()};
};

// The Logger's interface needs seconds after the port opens, so few read-outs.
TEST_F(ReadResultsCommandTest, ReadResultsSavesTheMeasurementAndOpensIt) {
    ServeLogger(6);
    ReadInto("read.VXM");
    ASSERT_TRUE(app->Document()) << ::testing::PrintToString(messages);
    EXPECT_EQ(app->Document()->FilePath(true), files.File("read.VXM"));
    EXPECT_EQ(app->Document()->Data().intervals.size(), 6u);
    EXPECT_EQ(app->AppSettings().ReadString(setting::SavePathMeasurementfile), files.Path());
    EXPECT_EQ(app->Recent().Entries().front(), files.File("read.VXM"));
}

// Mid-transfer the window and every command are disabled and only Cancel is usable: a second
// read-out, the settings that reopen the port, a language change, Exit and closing the window
// all do nothing, and the file is the one an undisturbed read-out writes.
TEST_F(ReadResultsCommandTest, CommandsTriedDuringTheTransferDoNothing) {
    ServeLogger(24);
    ReadInto("undisturbed.VXM");
    ASSERT_TRUE(app->Document()) << ::testing::PrintToString(messages);
    MainWindow& window = *app->Window();

    bool tried = false, windowEnabled = true, commandEnabled = false, cancelUsable = false;
    size_t dialogsBefore = 0, dialogsAfter = 0;
    QTimer meanwhile;
    QObject::connect(&meanwhile, &QTimer::timeout, [&] {
        ProgressWindow* progress = app->Ui().Progress();
        if (tried || !progress || progress->BarCount() == 0 || progress->Bar(0)->value() < 3)
            return;
        tried = true;
        windowEnabled = window.isEnabled();
        for (const auto& [id, action] : window.Actions().All())
            commandEnabled = commandEnabled || action->isEnabled();
        cancelUsable = progress->isEnabled() && progress->CancelButton() &&
                       progress->CancelButton()->isEnabled();
        dialogsBefore = dialogs.size();
        window.Actions().Action(cmd::kReadResults)->trigger();
        for (int id : {cmd::kReadResults, cmd::kReadOldResults, cmd::kGeneralSettings, cmd::kOpen,
                       33083 /* Deutsch */, cmd::kExit})
            app->RunCommand(id);
        window.close();
        dialogsAfter = dialogs.size();
    });
    meanwhile.start(0);
    ReadInto("disturbed.VXM");
    meanwhile.stop();

    ASSERT_TRUE(tried) << "the transfer never pumped with the interval bar moving";
    EXPECT_FALSE(windowEnabled);
    EXPECT_FALSE(commandEnabled);
    EXPECT_TRUE(cancelUsable);
    EXPECT_EQ(dialogsAfter, dialogsBefore) << ::testing::PrintToString(dialogs);
    EXPECT_EQ(restarts, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(window.Actions().Action(cmd::kReadResults)->isEnabled());
    ASSERT_TRUE(app->Document()) << ::testing::PrintToString(messages);
    EXPECT_EQ(app->Document()->FilePath(true), files.File("disturbed.VXM"));

    const std::string undisturbed = Contents(files.File("undisturbed.VXM"));
    const std::string disturbed = Contents(files.File("disturbed.VXM"));
    ASSERT_GT(undisturbed.size(), 10000u);
    EXPECT_NE(WithoutLoggerClock(undisturbed), undisturbed) << "the clock is in the file";
    EXPECT_TRUE(WithoutLoggerClock(disturbed) == WithoutLoggerClock(undisturbed))
        << "the files differ beyond the Logger's clock";
}

// A firmware download shows the save-data window from wherever it runs; the program is
// locked for as long as the window is there.
TEST_F(ReadResultsCommandTest, ADownloadWindowLocksTheProgramUntilItCloses) {
    Start();
    CloseStartupScreen();
    MainWindow& window = *app->Window();
    {
        SaveDataProgress download(app->Ui());
        EXPECT_FALSE(window.isEnabled());
        EXPECT_TRUE(app->Ui().Progress()->isEnabled());
        EXPECT_FALSE(window.Actions().Action(cmd::kExit)->isEnabled());
        app->RunCommand(cmd::kExit);
        window.close();
        EXPECT_TRUE(window.isVisible());
    }
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(window.Actions().Action(cmd::kExit)->isEnabled());
}

}  // namespace
}  // namespace varelo::test
