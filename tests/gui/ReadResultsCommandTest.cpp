#include <QFileDialog>
#include <fstream>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "support/SimProcess.h"

namespace varelo::test {
namespace {

using ReadResultsCommandTest = ShellTest;

// The Logger's interface needs seconds after the port opens, so one read-out only.
TEST_F(ReadResultsCommandTest, ReadResultsSavesTheMeasurementAndOpensIt) {
    SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    const std::string link = files.File("ttyLogger");
    const std::string scenario = files.File("small.ini");
    std::ofstream(scenario) << "[Logger]\nstate = +\n\n[Measurement]\nfunction = A\nintervals = "
                               "6\ninterval = 600\nseed = 3\n";
    ASSERT_TRUE(sim.Serve(link, {"--scenario", scenario})) << sim.Output();
    ScopedEnv port("VARELO_COM1", link.c_str());

    Start();
    CloseStartupScreen();
    const std::string target = files.File("read.VXM");
    respond = [&](QDialog& dialog) {
        if (auto* save = qobject_cast<QFileDialog*>(&dialog))
            save->selectFile(QString::fromStdString(target));
        return int(QDialog::Accepted);
    };
    app->RunCommand(cmd::kReadResults);
    ASSERT_TRUE(app->Document()) << ::testing::PrintToString(messages);
    EXPECT_EQ(app->Document()->FilePath(true), target);
    EXPECT_EQ(app->Document()->Data().intervals.size(), 6u);
    EXPECT_EQ(app->AppSettings().ReadString(setting::SavePathMeasurementfile), files.Path());
    EXPECT_EQ(app->Recent().Entries().front(), target);
}

}  // namespace
}  // namespace varelo::test
