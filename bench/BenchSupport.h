#pragma once

#include <filesystem>
#include <string>

#include "app/UserInterface.h"
#include "measurement/MeasurementFile.h"
#include "platform/Paths.h"
#include "sim/MeasurementGenerator.h"

namespace varelo::bench {

// A generated one-year function A measurement (52,560 intervals of 600 s), written once
// beside the build's programs and shared by the benchmarks that read it.
inline std::string YearFile() {
    static const std::string path = [] {
        std::string folder = ProgramFolder() + "/../bench-data";
        std::filesystem::create_directories(folder);
        std::string file = folder + "/year-function-A.VXM";
        if (!std::filesystem::exists(file)) {
            sim::GeneratorSettings settings;
            settings.intervals = 52560;
            MeasurementData data;
            sim::MeasurementGenerator(settings).Generate(data);
            WriteMeasurementFile(file, data);
        }
        return file;
    }();
    return path;
}

// Answers nothing and shows nothing: the cancelled evaluation period question means the whole
// measurement.
class SilentUserInterface final : public UserInterface {
public:
    void ShowMessage(int, const std::string&, MessageIcon) override {}
    bool AskYesNo(int, const std::string&, MessageIcon) override { return false; }
    Answer Ask(const Question&) override { return Answer::No; }
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    bool AskEvaluationPeriod(PeriodQuestion&) override { return false; }
    void BeginProgress(const ProgressLayout&) override {}
    void SetProgress(int, long, long, const std::string&) override {}
    bool Pump() override { return false; }
    void EndProgress() override {}
    bool ChooseSaveFile(const std::string&, const std::string&, const std::string&,
                        const std::string&, std::string&) override {
        return false;
    }
    bool AskLoggerDesignation(std::string&) override { return false; }
    bool AskLoggerClock(LoggerClockChoice&) override { return false; }
    void ShowLoggerInformation(const CLoggerInfo&) override {}
    bool AskOldBootProgram(int) override { return false; }
};

}  // namespace varelo::bench
