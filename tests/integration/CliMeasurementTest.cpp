#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

#include "measurement/IntervalNormalisation.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementFile.h"
#include "measurement/StatusCounts.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

// A generated measurement in the folder; its path.
std::string Generate(const test::TempDir& dir, const std::string& name, const std::string& args) {
    const std::string path = dir.File(name);
    const test::ProgramResult run = RunProgram(test::BuiltProgramLine(
        dir.Path(), "logger-sim", "generate " + args + " --output " + ShellQuote(path)));
    EXPECT_EQ(run.status, 0) << run.output;
    return path;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    return fields;
}

// The text after a label at the start of a line, blanks removed; empty when no line has it.
std::string After(const std::string& output, const std::string& label) {
    for (const std::string& line : Lines(output)) {
        if (line.starts_with(label)) {
            const size_t begin = line.find_first_not_of(' ', label.size());
            return begin == std::string::npos ? "" : line.substr(begin);
        }
    }
    return {};
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(CliMeasurement, GenerateWritesTheSameBytesForTheSameOptions) {
    test::TempDir dir;
    const std::string a = Generate(dir, "a.VXM", "--function P --intervals 144 --seed 5");
    const std::string b = Generate(dir, "b.VXM", "--function P --intervals 144 --seed 5");
    const std::string c = Generate(dir, "c.VXM", "--function P --intervals 144 --seed 6");
    EXPECT_FALSE(FileBytes(a).empty());
    EXPECT_EQ(FileBytes(a), FileBytes(b));
    EXPECT_NE(FileBytes(a), FileBytes(c));
    const test::ProgramResult bad = RunProgram(
        test::BuiltProgramLine(dir.Path(), "logger-sim", "generate --function A --intervals 10"));
    EXPECT_EQ(bad.status, 2) << bad.output;
    EXPECT_NE(bad.output.find("--output"), std::string::npos) << bad.output;
}

TEST(CliMeasurement, InfoShowsLoggerJobPeriodAndCounts) {
    test::TempDir dir;
    const std::string path = Generate(dir, "week.VXM", "--function A --intervals 1008 --seed 3");
    MeasurementData data;
    ASSERT_TRUE(ReadMeasurementFile(path, data));
    const MeasurementStatusCounts n = CountStatusConditions(data.intervals, data.statistics,
                                                            data.events, data.job.MeasStopMeasured);
    ASSERT_GT(n.intervalLineInterruptions, 0u);

    const test::ProgramResult run =
        RunProgram(test::BuiltProgramLine(dir.Path(), "varelo-cli", "info " + path));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string& out = run.output;
    EXPECT_EQ(After(out, "  Device type:"), "Logger 408b");
    EXPECT_EQ(After(out, "  Serial number:"), data.logger.SerialNr);
    EXPECT_EQ(After(out, "  CPU software:"), "5.02/  A;CPU 408");
    EXPECT_EQ(After(out, "  Measurement function:"), "A");
    EXPECT_EQ(After(out, "  Nominal system:"), "230 V, 50 Hz");
    EXPECT_EQ(After(out, "  Interval:"), "600 s, linear");
    EXPECT_EQ(After(out, "  Power system type:"), "Wye");
    EXPECT_EQ(After(out, "  Current range:"), "phase 1000 A, neutral 1000 A");
    EXPECT_EQ(After(out, "Measurement period:"), "2024-01-01 00:00:00 - 2024-01-08 00:00:00");
    EXPECT_EQ(After(out, "Intervals:"), "1008");
    EXPECT_EQ(After(out, "Statistic segments:"), "168");
    EXPECT_EQ(After(out, "Events:"), std::to_string(data.events.size()) + " (finished " +
                                         std::to_string(n.finishedEvents) + ", not finished " +
                                         std::to_string(n.unfinishedEvents) + ")");
    EXPECT_EQ(After(out, "  Line interruption:"),
              std::to_string(n.intervalLineInterruptions) + " intervals, " +
                  std::to_string(n.statisticLineInterruptions) + " statistic segments");
    EXPECT_EQ(After(out, "  Current overflow:"),
              std::to_string(n.intervalCurrentOverflows) + " intervals");
}

TEST(CliMeasurement, ValuesAreTheCataloguesValuesOfTheLoadedIntervals) {
    test::TempDir dir;
    const std::string path = Generate(dir, "day.VXM", "--function A --intervals 144 --seed 8");
    const std::vector<int> ids = {1011, 2, 1305, 3022, 70};
    std::string args = "values " + path;
    for (int id : ids)
        args += " --channel " + std::to_string(id);
    const test::ProgramResult run =
        RunProgram(test::BuiltProgramLine(dir.Path(), "varelo-cli", args));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::vector<std::string> lines = Lines(run.output);
    ASSERT_EQ(lines.size(), 145u);
    EXPECT_EQ(lines[0],
              "Date/Time,V average L1,frequency,V h5 L1,THD V average L3,P total average");
    EXPECT_TRUE(lines[1].starts_with("2024-01-01 00:10:00,")) << lines[1];
    EXPECT_TRUE(lines[144].starts_with("2024-01-02 00:00:00,")) << lines[144];

    // The same values in-process, after the load-time normalisation.
    MeasurementData data;
    ASSERT_TRUE(ReadMeasurementFile(path, data));
    CRawScaling scaling;
    scaling.Build(data.job, data.fileVersion, data.logger.FirmwareGeneration());
    data.intervals.SetScaling(scaling);
    NormaliseIntervals(data.intervals, data.job.VoltPowSysType, 50);
    const QuantitySettings settings{kHarmonicsInNominal, kHarmonicsAbsolute, 50};
    for (size_t i = 0; i < ids.size(); ++i) {
        CMeasurementChannel channel;
        ASSERT_TRUE(channel.SetupChannel(ids[i]));
        for (size_t row = 0; row < data.intervals.size(); ++row) {
            const double expected = channel.ChannelValue(data.intervals[row], scaling, settings);
            const std::vector<std::string> fields = Fields(lines[row + 1]);
            ASSERT_EQ(fields.size(), ids.size() + 1);
            EXPECT_NEAR(std::stod(fields[i + 1]), expected, 0.00005) << ids[i] << " " << row;
        }
    }
}

TEST(CliMeasurement, ChannelsTheMeasurementDoesNotOfferAreUsageErrors) {
    test::TempDir dir;
    const std::string a = Generate(dir, "a.VXM", "--function A --intervals 12");
    const std::string p = Generate(dir, "p.VXM", "--function P --intervals 12");
    const struct {
        std::string args;
        std::string message;
    } cases[] = {
        {"values " + a + " --channel 9999", "unknown channel 9999"},
        {"values " + a + " --channel 11 --channel L1", "unknown channel L1"},
        {"values " + a + " --channel 4011", "unknown channel 4011"},
        {"values " + a, "--channel is required"},
        {"values " + p + " --channel 1305", "channel 1305 (V h5 L1) is not available"},
        {"values " + a + " --channel 1018", "channel 1018 (Flicker Plt L1) is not available"},
        {"values " + a + " --channel 1090", "channel 1090 (V max act L1) is not available"},
        {"info", "name one measurement file"},
        {"info " + a + " --csv", "unknown option --csv"},
    };
    for (const auto& c : cases) {
        const test::ProgramResult run =
            RunProgram(test::BuiltProgramLine(dir.Path(), "varelo-cli", c.args));
        EXPECT_EQ(run.status, 2) << c.args << "\n" << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.args << "\n" << run.output;
    }
}

TEST(CliMeasurement, UnreadableFilesShowMessage374) {
    test::TempDir dir;
    dir.Write("text.VXM", "not a measurement\n");
    const std::string a = Generate(dir, "a.VXM", "--function A --intervals 12");
    std::string cut = FileBytes(a);
    cut.resize(cut.size() / 2);
    dir.Write("cut.VXM", cut);
    for (const char* file : {"text.VXM", "missing.VXM", "cut.VXM"}) {
        for (const std::string command : {"info ", "values --channel 11 "}) {
            const test::ProgramResult run = RunProgram(test::BuiltProgramLine(
                dir.Path(), "varelo-cli", command + ShellQuote(dir.File(file))));
            EXPECT_EQ(run.status, 1) << command << file << "\n" << run.output;
            EXPECT_NE(run.output.find("374: Unable to read the measurement data file. The file "
                                      "may be corrupted."),
                      std::string::npos)
                << run.output;
        }
    }
}

}  // namespace
}  // namespace varelo
