#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "gui/views/ViewContext.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo::test {

// A measurement generated once per test suite by logger-sim and opened as the document of each
// test, over the whole measurement and against the default limits, with settings of its own.
class OpenedMeasurementTest : public ::testing::Test {
protected:
    // In a suite's SetUpTestSuite: "generate <arguments> --output <name>"; false on a failure.
    static bool Generate(const std::string& name, const std::string& arguments);
    static void TearDownTestSuite();
    void SetUp() override;

    ViewContext Context() { return {&doc, &settings, &options, &ui}; }
    static const std::string& File() { return file_; }

    TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    RecordingUserInterface ui;
    AppOptions options;
    CVamor800Doc doc{settings, ui, options};

private:
    static TempDir* folder_;
    static std::string file_;
};

}  // namespace varelo::test
