#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "ProtocolSimFixture.h"
#include "logger/LoggerProtocol.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"

namespace varelo {
namespace {

constexpr unsigned kIdentifyFlags =
    CLoggerProtocol::kQuietWakeUp | CLoggerProtocol::kJobFunctionFromJob;

auto Counts(const JobStatusCounts& c) {
    return std::make_tuple(c.intervalMemoryState, c.intervalCount, c.statisticsMemoryState,
                           c.statisticCount, c.eventMemoryState, c.completeEvents,
                           c.incompleteEvents);
}

auto Counts(const sim::JobReport& r) {
    return std::make_tuple(int16_t(r.intervalMemory), int32_t(r.intervals),
                           int16_t(r.statisticsMemory), r.statistics, int16_t(r.eventMemory),
                           r.events, int16_t(r.openEvents));
}

CTimeStamp Stamp(const sim::SimDateTime& t) {
    return CTimeStamp(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

// Identification of the shipped scenarios: what each paragraph says arrives in CLoggerInfo,
// and the protocol takes its decisions (clamp, job selection, Max Numbers) from it.
class IdentificationAgainstSimTest : public ProtocolSimFixture {
protected:
    int Identify(CLoggerInfo& info, unsigned flags = kIdentifyFlags) {
        CLoggerProtocol protocol(port, settings);
        int result = protocol.Connect(info, flags);
        protocol.EndConnection();
        diagnostics = protocol.Diagnostics();
        return result;
    }

    ProtocolDiagnostics diagnostics;
};

TEST_F(IdentificationAgainstSimTest, EachFamilyIsIdentifiedFromItsParagraphs) {
    struct Case {
        const char* file;
        const char* designation;
        const char* typeCode;
        char operatingState;
        int32_t intervalCapacity;
        std::string commands;  // through the end of the connection
        int dataErrors;
    };
    const Case cases[] = {
        {"408b-function-A.ini", "Logger 408b", "408b", 'f', 8066,
         "\x1b"
         "ybknsaJsaJX",
         0},
        {"404b-on-402.ini", "Logger 402b on 404b hardware, 3 voltage and 3 current inputs", "404b",
         'V', 4032,
         "\x1b"
         "ybknsX",
         0},
        // Basic family: no clamp command; a CPU program of 1.07 knows no job selection.
        {"301b-basic.ini", "Logger 301b, 3 voltage inputs", "301b", 'S', 1008,
         "\x1b"
         "yksX",
         0},
        // "b" stays unanswered; the ESC after it is answered and identification goes on.
        {"408b-old-firmware.ini", "Logger 408b", "408b", 'A', 8066,
         "\x1b"
         "yb\x1b"
         "knsaX",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const sim::Scenario s = ShippedScenario(c.file);
        StartSim(s);
        CLoggerInfo info;
        ASSERT_EQ(Identify(info), CLoggerProtocol::kConnected);
        ASSERT_TRUE(WaitForCommands(c.commands.size()));
        EXPECT_EQ(Commands(), c.commands);
        EXPECT_EQ(diagnostics.dataErrorCount, c.dataErrors);
        EXPECT_EQ(diagnostics.substitutionCount, 0);

        EXPECT_EQ(DeviceDesignation(info), c.designation);
        ASSERT_NE(DeviceTypeRowOf(info), nullptr);
        EXPECT_STREQ(DeviceTypeRowOf(info)->typeCode, c.typeCode);
        EXPECT_EQ(settings.ReadString(setting::LastUsedBoxType), c.designation);

        EXPECT_EQ(info.HardwType, s.hardware.type);
        EXPECT_EQ(info.SerialNr, s.hardware.serial);
        EXPECT_EQ(info.HardwBasicUnit, s.hardware.basicUnit);
        EXPECT_EQ(std::make_tuple(info.HardwSupplyVoltage, info.HardwNomFreq, info.HardwVoltRange,
                                  info.HardwCurrRange),
                  std::make_tuple(std::stoi(s.hardware.codes[0]), std::stoi(s.hardware.codes[1]),
                                  std::stoi(s.hardware.codes[2]), std::stoi(s.hardware.codes[3])));
        EXPECT_EQ(info.VersionBoot, s.hardware.bootVersion);
        EXPECT_EQ(info.FuncBoot, s.hardware.bootFunction);
        EXPECT_EQ(info.Calibration, s.hardware.calibration);

        EXPECT_EQ(info.MeasFunc, s.software.measurementFunction);
        EXPECT_EQ(info.VersionCPU, s.software.cpuVersion);
        EXPECT_EQ(info.FuncCPU, s.software.cpuFunction);
        EXPECT_EQ(info.VersionDSP, s.software.dspVersion);
        EXPECT_EQ(info.FuncDSP, s.software.dspFunction);

        if (s.IsExtendedFamily() && s.clamp.known) {
            EXPECT_EQ(info.ClampId, s.clamp.id);
            EXPECT_EQ(info.MaxClampCurr, uint16_t(std::trunc(s.clamp.maxCurrent)));
            EXPECT_EQ(info.ClampSerNr, s.clamp.serial);
        } else {
            EXPECT_EQ(info.ClampId, 0);
            EXPECT_EQ(info.MaxClampCurr, 1500);
        }
        EXPECT_EQ(info.intervalCapacity, c.intervalCapacity);

        EXPECT_EQ(info.FirmwDescription, s.designation);
        if (s.clock) {
            EXPECT_EQ(info.InstrTime, Stamp(*s.clock));
        }
        EXPECT_EQ(info.OnlineState, char(s.online));
        EXPECT_EQ(info.OperatingState, c.operatingState);
        EXPECT_EQ(Counts(info.currentJob), Counts(s.jobs[0].report));
        port.Close();
    }
}

TEST_F(IdentificationAgainstSimTest, OldJobIsReadWithJobOneSelectedAndJobZeroSelectedAgain) {
    const sim::Scenario s = ShippedScenario("408b-function-A.ini");
    ASSERT_TRUE(s.hasOldJob);
    StartSim(s);
    CLoggerInfo info;
    ASSERT_EQ(Identify(info), CLoggerProtocol::kConnected);
    ASSERT_TRUE(WaitForCommands(12));

    // Status and job data of the old job are read between the two selections.
    EXPECT_EQ(Commands().substr(5), "saJsaJX");
    EXPECT_EQ(DataOf('J'), (std::vector<std::vector<uint8_t>>{{1}, {0}}));
    EXPECT_EQ(Counts(info.oldJob), Counts(s.jobs[1].report));
    EXPECT_EQ(Counts(info.currentJob), Counts(s.jobs[0].report));
    // Each job's function comes from its own job block.
    EXPECT_EQ(info.jobFunction, (std::array{kMeasFuncA, kMeasFuncP}));
    EXPECT_EQ(sim_->CurrentScenario().selectedJob, 0);
}

}  // namespace
}  // namespace varelo
