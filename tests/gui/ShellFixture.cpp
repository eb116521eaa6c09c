#include "ShellFixture.h"

#include <QApplication>
#include <filesystem>

#include "gui/dialogs/EvaluationPeriodDialog.h"
#include "gui/main/StartupScreen.h"

namespace varelo::test {

namespace {
const std::string kBuildData = std::string(VARELO_BIN_DIR) + "/../share/varelo";
}  // namespace

void ShellTest::SetUp() {
    namespace fs = std::filesystem;
    fs::copy_file(kBuildData + "/VareloENG.lng", data.File("VareloENG.lng"));
    fs::copy_file(kBuildData + "/En50160-50Hz.gwd", data.File("En50160-50Hz.gwd"));
    AppOptions::Instance().Reset();
    ModalRunner::SetHook([this](QDialog& dialog) {
        dialogs.push_back(dialog.metaObject()->className());
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            messages.push_back(box->text().toStdString());
            return int(QMessageBox::Ok);
        }
        if (respond) return respond(dialog);
        return qobject_cast<EvaluationPeriodDialog*>(&dialog) ? int(QDialog::Accepted)
                                                              : int(QDialog::Rejected);
    });
}

void ShellTest::TearDown() {
    app.reset();
    ModalRunner::SetHook({});
    Strings::Instance().ClearModule();
    AppOptions::Instance().Reset();
}

VareloApp::StartResult ShellTest::Start(const QStringList& arguments) {
    app = std::make_unique<VareloApp>();
    app->SetRestart([this] { ++restarts; });
    return app->Start(arguments);
}

void ShellTest::CloseStartupScreen() {
    app->Startup()->Finish();
    QApplication::processEvents();
}

std::string ShellTest::Measurement(const std::string& name, int intervals) {
    const std::string path = files.File(name);
    const auto result =
        RunProgram(std::string(VARELO_BIN_DIR) + "/logger-sim generate --function A --intervals " +
                   std::to_string(intervals) + " --output " + ShellQuote(path));
    EXPECT_EQ(result.status, 0) << result.output;
    return path;
}

bool ShellTest::Saw(const std::string& dialogClass) const {
    return std::find(dialogs.begin(), dialogs.end(), dialogClass) != dialogs.end();
}

}  // namespace varelo::test
