#include "OpenedMeasurement.h"

#include "platform/Paths.h"
#include "support/RunProgram.h"

namespace varelo::test {

TempDir* OpenedMeasurementTest::folder_ = nullptr;
std::string OpenedMeasurementTest::file_;

bool OpenedMeasurementTest::Generate(const std::string& name, const std::string& arguments) {
    delete folder_;
    folder_ = new TempDir;
    file_ = folder_->File(name);
    const std::string line = BuiltProgramLine(
        folder_->Path(), "logger-sim", "generate " + arguments + " --output " + ShellQuote(file_));
    return RunProgram(line).status == 0;
}

void OpenedMeasurementTest::TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
}

void OpenedMeasurementTest::SetUp() {
    settings.Write(setting::LimitFile, DataFolder() + "/En50160-50Hz.gwd");
    ui.periodAnswer = std::pair{CTimeStamp(1980, 1, 1, 0, 0, 0), CTimeStamp(2037, 12, 31, 0, 0, 0)};
    ASSERT_TRUE(doc.OpenFile(file_));
}

}  // namespace varelo::test
