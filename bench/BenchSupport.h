#pragma once

#include <filesystem>
#include <string>

#include "app/UserInterface.h"
#include "measurement/MeasurementFile.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/PosixSerialDevice.h"
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
class SilentUserInterface : public UserInterface {
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

// The pseudo-terminal, counting the bytes that cross it.
class CountingDevice final : public SerialDevice {
public:
    OsError Open(const std::string& path) override { return device_.Open(path); }
    void Close() override { device_.Close(); }
    bool IsOpen() const override { return device_.IsOpen(); }
    OsError SetQueueSizes(uint32_t input, uint32_t output) override {
        return device_.SetQueueSizes(input, output);
    }
    OsError GetTimeouts(SerialTimeouts& t) override { return device_.GetTimeouts(t); }
    OsError SetTimeouts(const SerialTimeouts& t) override { return device_.SetTimeouts(t); }
    OsError GetLineSettings(SerialLineSettings& s) override { return device_.GetLineSettings(s); }
    OsError SetLineSettings(const SerialLineSettings& s) override {
        return device_.SetLineSettings(s);
    }
    OsError Read(uint8_t* buffer, size_t count, size_t& received) override {
        OsError e = device_.Read(buffer, count, received);
        bytes += received;
        return e;
    }
    OsError Write(const uint8_t* data, size_t count, size_t& written) override {
        OsError e = device_.Write(data, count, written);
        bytes += written;
        return e;
    }
    OsError ClearErrors(uint32_t& flags, size_t& waiting) override {
        return device_.ClearErrors(flags, waiting);
    }

    uint64_t bytes = 0;

private:
    PosixSerialDevice device_;
};

// The real clock, adding up the waits the protocol asks for.
class CountingClock final : public Clock {
public:
    uint32_t TickCount() override { return SystemClock().TickCount(); }
    void Sleep(uint32_t ms) override {
        waitedMs += ms;
        SystemClock().Sleep(ms);
    }
    std::time_t Now() override { return SystemClock().Now(); }

    uint64_t waitedMs = 0;
};

}  // namespace varelo::bench
