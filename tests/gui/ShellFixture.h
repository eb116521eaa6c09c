#pragma once

#include <gtest/gtest.h>
#include <QDialog>
#include <QMessageBox>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "app/StringTable.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/VareloApp.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo::test {

// A desktop program on an empty settings store of its own, with a data folder holding the
// English strings and the default limit file, and every modal dialog answered by the test.
class ShellTest : public ::testing::Test {
protected:
    TempDir config;
    TempDir data;
    TempDir files;
    ScopedEnv configHome{"XDG_CONFIG_HOME", config.Path().c_str()};
    ScopedEnv dataDir{"VARELO_DATA_DIR", data.Path().c_str()};
    std::unique_ptr<VareloApp> app;
    // Class names of the dialogs shown, in order, and the message box texts.
    std::vector<std::string> dialogs;
    std::vector<std::string> messages;
    // Answers a dialog; the default accepts the evaluation period and closes everything else.
    std::function<int(QDialog&)> respond;
    int restarts = 0;

    void SetUp() override;
    void TearDown() override;

    // Makes the program and runs its start-up.
    VareloApp::StartResult Start(const QStringList& arguments = {});
    // Closes the startup screen and lets what waited for it run.
    void CloseStartupScreen();
    // A generated measurement of function A with this many 600-s intervals.
    std::string Measurement(const std::string& name, int intervals);
    bool Saw(const std::string& dialogClass) const;
};

}  // namespace varelo::test
