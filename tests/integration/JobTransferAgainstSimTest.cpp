#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ProtocolSimFixture.h"
#include "app/StringTable.h"
#include "logger/LoggerProtocol.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"
#include "support/MeasurementJobPrinter.h"

namespace varelo {
namespace {

constexpr unsigned kIdentifyFlags =
    CLoggerProtocol::kQuietWakeUp | CLoggerProtocol::kJobFunctionFromJob;

CTimeStamp Stamp(const sim::SimDateTime& t) {
    return CTimeStamp(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

CTimeStamp WeeklyTime(int weekday, int hour, int minute) {
    CTimeStamp t;
    t.weekday = int16_t(weekday);
    t.hour = int16_t(hour);
    t.minute = int16_t(minute);
    return t;
}

// A job whose fields differ from the defaults and from each other.
CMeasurementJob DistinctJob(uint32_t function, uint32_t powerSystem, bool transformers) {
    CMeasurementJob job;
    job.MeasFunc = function;
    job.VoltPowSysType = powerSystem;
    job.JobTitle[0] = "Customer:";
    job.JobText[0] = "Stadtwerke Z\xC3\xBCrich";  // "Zürich"
    job.JobText[3] = "T4, 630 kVA";
    job.JobText[5] = std::string(40, 'm');
    job.JobType = kJobTimeActivated;
    job.ProgStartMeas = CTimeStamp(2024, 7, 1, 6, 0, 0);
    job.ProgStopMeas = CTimeStamp(2024, 7, 8, 6, 0, 0);
    job.NrMeasSectionsProg = 2;
    job.NrMeasSectionsProgStart = {WeeklyTime(1, 6, 30), WeeklyTime(0, 20, 0)};
    job.NrMeasSectionsProgEnd = {WeeklyTime(5, 18, 45), WeeklyTime(0, 23, 59)};
    job.Interval = 60;
    job.IntervalMemModel = 1;
    job.PowSysNomVolt = 120;
    job.PowSysNomFreq = 60;
    job.VoltMinMaxValInterval = 3;
    job.NomVoltRawVal = 12000;
    job.VoltInputRangeCode = 5;
    job.VoltTransformer = transformers ? 1 : 0;
    job.VoltPrimaryRawVal = 2000000;
    job.VoltSecondaryRawVal = 10000;
    job.NrInterHarm = 2;
    job.HarmOrder[0] = 175;
    job.HarmText[0] = "Ripple control 175 Hz";
    job.HarmFreqSync[0] = 1;
    job.HarmMeasPrinciple[0] = 2;
    job.HarmOrder[1] = 7;
    job.HarmText[1] = "7.5th";
    job.HarmMeasPrinciple[1] = 3;
    job.VoltUpperThreshShort = 112.5f;
    job.VoltLowerThreshShort = 88.25f;
    job.EventMemModel = 1;
    job.CurrPowSys = 1;
    job.PhMaxValInterval = 4;
    job.PhCurrClampRawVal = 50000;
    job.PhCurrTransformer = transformers ? 1 : 0;
    job.PhCurrPrimaryRawVal = 150000;
    job.PhCurrSecondaryRawVal = 500;
    job.NeutralMeas = 2;
    job.NeutralMaxValInterval = 6;
    job.NeutralClampCurrRawVal = 20000;
    job.NeutralCurrTransformer = transformers ? 1 : 0;
    job.NeutralCurrPrimaryRawVal = 40000;
    job.NeutralCurrSecondaryRawVal = 100;
    job.SpecialTransformerPhase = 1;
    job.PhaseCorrRawVal = -450;
    job.PowMinMaxValInterval = 3;
    job.EventHysteresis = 1.5;
    job.ClampId = 4;
    job.MaxClampCurr = 2000;
    return job;
}

// What reading a written job back from a Logger of the extended family gives.
CMeasurementJob ReadBackOf(const CMeasurementJob& written) {
    CMeasurementJob expected = written;
    const CMeasurementJob fresh;  // fields the wire does not carry keep the reader's values
    expected.NrIntervalMax = fresh.NrIntervalMax;
    expected.FactorVoltUpperLowerThresh = fresh.FactorVoltUpperLowerThresh;
    expected.ClampSerNr = fresh.ClampSerNr;
    expected.InstrHardwNr = 400;
    // A transformer not in use goes out as 100 : 100.
    if (written.VoltTransformer == 0)
        expected.VoltPrimaryRawVal = expected.VoltSecondaryRawVal = 100;
    if (written.PhCurrTransformer == 0)
        expected.PhCurrPrimaryRawVal = expected.PhCurrSecondaryRawVal = 100;
    if (written.NeutralCurrTransformer == 0)
        expected.NeutralCurrPrimaryRawVal = expected.NeutralCurrSecondaryRawVal = 100;
    // Unused interharmonic entries carry their not-measured text, read to 30 characters.
    for (int i = written.NrInterHarm; i < kInterharmonicCount; ++i) {
        char text[40];
        std::snprintf(text, sizeof text, "%d. interharmonic not measured!!!", i + 1);
        expected.HarmText[size_t(i)] = std::string(text).substr(0, 30);
    }
    // A job just written has not started: its effective start is all zero on the wire, which
    // reads as the placeholder date.
    expected.MeasStartMeasured = CTimeStamp(1997, 12, 31, 23, 58, 58);
    return expected;
}

class JobTransferAgainstSimTest : public ProtocolSimFixture {};

TEST_F(JobTransferAgainstSimTest, WrittenJobReadsBackInEveryFieldTheWireCarries) {
    StartSim(ShippedScenario("408b-function-A.ini"));
    CLoggerProtocol protocol(port, settings);
    CLoggerInfo info;
    ASSERT_EQ(protocol.Connect(info, kIdentifyFlags), CLoggerProtocol::kConnected);

    for (uint32_t function : {kMeasFuncA, kMeasFuncP}) {
        for (uint32_t powerSystem = kPowSysWye; powerSystem <= kPowSysSplitSinglePhase;
             ++powerSystem) {
            for (bool transformers : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << "function " << function << ", power system " << powerSystem
                             << ", transformers " << transformers);
                const CMeasurementJob written = DistinctJob(function, powerSystem, transformers);
                ASSERT_EQ(protocol.WriteMeasurementJob(written), 1);
                CMeasurementJob read;
                ASSERT_EQ(protocol.ReadMeasurementJob(read), 1);
                EXPECT_EQ(read, ReadBackOf(written));
            }
        }
    }
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 0);
}

TEST_F(JobTransferAgainstSimTest, JobReadCarriesTheLoggersReportOnEachJob) {
    const sim::Scenario s = ShippedScenario("408b-function-A.ini");
    for (uint16_t job : {0, 1}) {
        SCOPED_TRACE(job);
        StartSim(s);
        CLoggerProtocol protocol(port, settings, job);
        CLoggerInfo info;
        ASSERT_EQ(protocol.Connect(info, kIdentifyFlags), CLoggerProtocol::kConnected);
        ProtocolDiagnostics afterIdentification = protocol.Diagnostics();
        CMeasurementJob read;
        ASSERT_EQ(protocol.ReadMeasurementJob(read), 1);

        const sim::JobReport& r = s.jobs[job].report;
        EXPECT_EQ(read.MeasFunc, s.jobs[job].function == 'A' ? kMeasFuncA : kMeasFuncP);
        EXPECT_EQ(read.NrInterval, uint32_t(r.intervals));
        EXPECT_EQ(read.NrStat, r.statistics);
        EXPECT_EQ(read.EventReady, r.events);
        EXPECT_EQ(read.IntervalMem, r.intervalMemory);
        EXPECT_EQ(read.StatMem, r.statisticsMemory);
        EXPECT_EQ(read.EventMem, r.eventMemory);
        EXPECT_EQ(read.EventOpen, r.openEvents);
        EXPECT_EQ(read.MeasStartMeasured, Stamp(*r.start));
        EXPECT_EQ(read.MeasStopMeasured, Stamp(*r.end));
        EXPECT_EQ(read.MaxClampCurr, info.MaxClampCurr);
        // The Logger's own job block holds nothing the PC has to replace.
        EXPECT_EQ(protocol.Diagnostics().substitutionCount, afterIdentification.substitutionCount);
        EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 0);
        port.Close();
    }
}

TEST_F(JobTransferAgainstSimTest, LostHardwareAndJobAnswersAreFetchedAgainByTheRetry) {
    const sim::Scenario s = ShippedScenario("408b-function-A.ini");
    StartSim(s, {.drop = {{'y', 1}, {'a', 1}}});
    CLoggerProtocol protocol(port, settings);
    CLoggerInfo info;
    ASSERT_EQ(protocol.Connect(info, kIdentifyFlags), CLoggerProtocol::kConnected);
    EXPECT_EQ(info.HardwType, s.hardware.type);
    EXPECT_EQ(info.jobFunction[0], kMeasFuncA);
    CMeasurementJob read;
    ASSERT_EQ(protocol.ReadMeasurementJob(read), 1);
    EXPECT_EQ(read.NrInterval, uint32_t(s.jobs[0].report.intervals));

    EXPECT_EQ(Commands().substr(0, 5), "\x1by\x1bxb");
    EXPECT_NE(Commands().find("sa\x1bxJ"), std::string::npos) << Commands();
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 0);
}

// A damaged answer arrives complete, so the retry procedure does not repeat it: its test sum
// fails the read. The Logger's job is intact, and reading it again succeeds.
TEST_F(JobTransferAgainstSimTest, DamagedJobAnswerFailsTheReadAndTheNextReadSucceeds) {
    const sim::Scenario s = ShippedScenario("408b-function-A.ini");
    StartSim(s);
    CLoggerProtocol protocol(port, settings);
    CLoggerInfo info;
    ASSERT_EQ(protocol.Connect(info, kIdentifyFlags), CLoggerProtocol::kConnected);
    sim_->SetFaults({.corrupt = {{'a', 1, 100}}});

    CMeasurementJob read;
    EXPECT_EQ(protocol.ReadMeasurementJob(read), 0);
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 1);
    const std::string prefix = Str(429).substr(0, Str(429).find('%'));
    EXPECT_EQ(protocol.Diagnostics().texts.back().substr(0, prefix.size()), prefix);

    ASSERT_EQ(protocol.ReadMeasurementJob(read), 1);
    EXPECT_EQ(read.NrInterval, uint32_t(s.jobs[0].report.intervals));
    EXPECT_EQ(Commands().find('x'), std::string::npos);
}

}  // namespace
}  // namespace varelo
