#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "logger/LoggerInfoTexts.h"
#include "measurement/MeasurementJob.h"

namespace varelo {
namespace {

CLoggerInfo ExtendedLogger() {
    CLoggerInfo info;
    info.HardwType = "408b Power Logger \xC3\xA9 1 with a long tail";  // from a file
    info.SerialNr = "408-100234-and-more-characters";
    info.FirmwDescription = "K\xC3\xBChlhaus";
    info.ClampId = 3;
    info.MaxClampCurr = 1000;
    info.HardwBasicUnit = "BU 408";
    info.HardwSupplyVoltage = 1;
    info.HardwNomFreq = 0;
    info.HardwVoltRange = 12;
    info.HardwCurrRange = 34;
    info.VersionBoot = "1.02";
    info.FuncBoot = "Boot";
    info.VersionCPU = "5.02";
    info.FuncCPU = "A;CPU";
    info.VersionDSP = "5.01";
    info.FuncDSP = "A;DSP";
    info.OperatingState = 'f';
    return info;
}

TEST(LoggerInfoTexts, JobFunctionsShowOnlyForJobsTheStateLetterAnnounces) {
    struct Case {
        char state;
        std::array<uint32_t, 2> functions;
        const char* job;
        const char* oldJob;
    };
    const Case cases[] = {
        {'K', {kMeasFuncA, kMeasFuncP}, "-", "-"},  // no job
        {'?', {kMeasFuncA, kMeasFuncP}, "-", "-"},
        {'A', {kMeasFuncA, kMeasFuncP}, "A", "-"},  // no old job
        {'V', {kMeasFuncP, kMeasFuncNotSet}, "P", "-"},
        {'f', {kMeasFuncP, kMeasFuncA}, "P", "A"},
        {'s', {kMeasFuncA, kMeasFuncNotSet}, "A", ""},  // a code without a letter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        CLoggerInfo info = ExtendedLogger();
        info.OperatingState = c.state;
        info.jobFunction = c.functions;
        LoggerInfoTexts t = MakeLoggerInfoTexts(info);
        EXPECT_EQ(t.job.function, c.job);
        EXPECT_EQ(t.oldJob.function, c.oldJob);
        EXPECT_EQ(t.status, OperatingStateText(c.state));
    }
}

TEST(LoggerInfoTexts, CountsAreMarkedWithTheirMemoryState) {
    const std::vector<std::pair<int16_t, std::string>> marks = {
        {0, ""}, {1, " (*)"}, {2, " (**)"}, {3, ""}};
    for (const auto& [state, mark] : marks) {
        SCOPED_TRACE(state);
        CLoggerInfo info = ExtendedLogger();
        info.currentJob = {state, 4032, state, 7, state, 17, 1};
        info.oldJob = {state, 1008, state, -3, state, 2, 2};
        LoggerInfoTexts t = MakeLoggerInfoTexts(info);
        EXPECT_EQ(t.job.intervals, "4032" + mark);
        EXPECT_EQ(t.job.statistics, "7" + mark);
        EXPECT_EQ(t.job.eventsCompleted, "17" + mark);
        EXPECT_EQ(t.job.eventsNotCompleted, "1");
        EXPECT_EQ(t.oldJob.intervals, "1008" + mark);
        EXPECT_EQ(t.oldJob.statistics, "0" + mark);  // a negative count shows as 0
        EXPECT_EQ(t.oldJob.eventsCompleted, "2" + mark);
        EXPECT_EQ(t.oldJob.eventsNotCompleted, "0");  // never counted for the old job
    }
}

TEST(LoggerInfoTexts, IdentityAndDetailTexts) {
    LoggerInfoTexts t = MakeLoggerInfoTexts(ExtendedLogger());
    EXPECT_EQ(t.deviceType, "Logger 408b");
    EXPECT_EQ(t.hardwareType, "408b Power Logger \xC3\xA9 1 with a l");  // 30 characters
    EXPECT_EQ(t.serialNumber, "408-100234-and-more-");
    EXPECT_EQ(t.designation, "K\xC3\xBChlhaus");
    EXPECT_TRUE(t.clampShown);
    EXPECT_EQ(t.clampType, "3");
    EXPECT_EQ(t.maxClampCurrent, "1000 A");
    EXPECT_EQ(t.basicUnit, "BU 408");
    EXPECT_EQ(t.hardwareCodes, "T: 1,  F: 0,  U: 12,  I: 34");
    EXPECT_EQ(t.bootSoftware, "1.02/  Boot");
    EXPECT_EQ(t.cpuSoftware, "5.02/  A;CPU");
    EXPECT_EQ(t.dspSoftware, "5.01/  A;DSP");

    CLoggerInfo basic = ExtendedLogger();
    basic.HardwType = "301b Power Logger";
    EXPECT_FALSE(MakeLoggerInfoTexts(basic).clampShown);
}

}  // namespace
}  // namespace varelo
