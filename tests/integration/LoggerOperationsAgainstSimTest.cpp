#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "ProtocolSimFixture.h"
#include "app/Settings.h"
#include "logger/LoggerOperations.h"
#include "logger/LoggerProtocol.h"
#include "logger/SoftwareInformation.h"
#include "measurement/MeasurementJob.h"

namespace varelo {
namespace {

using Bytes = std::vector<uint8_t>;

class LoggerOperationsTest : public ProtocolSimFixture {
protected:
    // A Logger whose current job is in the given state, its clock fixed.
    void StartLogger(char jobState) {
        sim::Scenario scenario;
        scenario.jobs[0].report.state = jobState;
        scenario.clock = sim::SimDateTime{2024, 5, 6, 7, 8, 9};
        port.Close();  // the next operation opens the new Logger's line
        StartSim(scenario);
    }
    sim::Scenario LoggerNow() { return sim_->CurrentScenario(); }

    CLoggerOperations operations{port, settings};
};

TEST_F(LoggerOperationsTest, StopAsksWithNoAsDefaultOnlyForAnActiveJob) {
    struct Case {
        char state;
        bool yes;
        OperationResult result;
        std::vector<int> messages;
        std::string stopCommands;  // what reached the Logger after its identification
    };
    const Case cases[] = {
        {'F', true, OperationResult::Refused, {880}, ""},
        {'V', true, OperationResult::Refused, {880}, ""},
        {'S', false, OperationResult::Refused, {}, ""},
        {'S', true, OperationResult::Done, {882}, "H\x1B"},
        {'A', true, OperationResult::Done, {882}, "H\x1B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("state ") + c.state + (c.yes ? ", yes" : ", no"));
        ui = {};
        ui.answerYes = c.yes;
        StartLogger(c.state);
        EXPECT_EQ(operations.StopMeasurement(), c.result);
        EXPECT_EQ(ui.MessageIds(), c.messages);
        const bool active = c.state == 'S' || c.state == 'A';
        ASSERT_EQ(ui.asked.size(), active ? 1u : 0u);
        if (active) {
            EXPECT_EQ(ui.asked[0].id, 257);
            EXPECT_TRUE(ui.asked[0].noIsDefault);
            EXPECT_EQ(ui.asked[0].icon, MessageIcon::Warning);
        }
        ASSERT_TRUE(WaitForCommands(Commands().size()));
        const std::string commands = Commands();
        EXPECT_EQ(
            commands.find('H') == std::string::npos ? "" : commands.substr(commands.find('H'), 2),
            c.stopCommands)
            << commands;
        if (c.result == OperationResult::Done) {
            EXPECT_EQ(LoggerNow().jobs[0].report.state, 'F');
            EXPECT_EQ(LoggerNow().jobs[0].report.end, (sim::SimDateTime{2024, 5, 6, 7, 8, 9}));
        }
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
}

TEST_F(LoggerOperationsTest, ClockBytesAndTestSumReachTheLogger) {
    struct Case {
        CTimeStamp time;
        Bytes data;
    };
    const Case cases[] = {
        {CTimeStamp(2001, 3, 5, 14, 7, 9), {0x01, 0x03, 0x05, 0x01, 0x0E, 0x07, 0x09}},
        {CTimeStamp(1999, 12, 31, 23, 59, 58), {0x63, 0x0C, 0x1F, 0x05, 0x17, 0x3B, 0x3A}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time.FileText());
        ui = {};
        ui.clockAnswer = LoggerClockChoice{.loggerTime = {}, .usePcClock = false, .picked = c.time};
        StartLogger('V');
        EXPECT_EQ(operations.SetDateTime(), OperationResult::Done);
        EXPECT_TRUE(ui.asked.empty()) << "a job that has not started is not asked about";
        EXPECT_EQ(ui.shownLoggerClocks, std::vector<CTimeStamp>{CTimeStamp(2024, 5, 6, 7, 8, 9)});
        ASSERT_EQ(DataOf('Z'), std::vector<Bytes>{c.data});
        EXPECT_EQ(Commands().find('R'), std::string::npos);
        EXPECT_EQ(LoggerNow().Clock(),
                  (sim::SimDateTime{c.time.year, c.time.month, c.time.day, c.time.hour,
                                    c.time.minute, c.time.second}));
        // Done means the Logger answered the sum of the bytes (40 = 0x28 for the first).
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
}

TEST_F(LoggerOperationsTest, ClockOfAnActiveLoggerIsSetOnlyAfterItWasClearedWithNoAsDefault) {
    ui.clockAnswer = LoggerClockChoice{
        .loggerTime = {}, .usePcClock = false, .picked = CTimeStamp(2024, 1, 2, 3, 4, 5)};
    StartLogger('A');
    EXPECT_EQ(operations.SetDateTime(), OperationResult::Done);
    ASSERT_EQ(ui.asked.size(), 1u);
    EXPECT_EQ(ui.asked[0].id, 258);
    EXPECT_TRUE(ui.asked[0].noIsDefault);
    const std::string commands = Commands();
    ASSERT_NE(commands.find('R'), std::string::npos) << commands;
    EXPECT_LT(commands.find('R'), commands.find('Z'));
    EXPECT_EQ(LoggerNow().jobs[0].report.state, 'K');
}

TEST_F(LoggerOperationsTest, ThePcClockIsTakenJustAfterItsSecondChanged) {
    ui.clockAnswer = LoggerClockChoice{.loggerTime = {}, .usePcClock = true, .picked = {}};
    StartLogger('K');
    EXPECT_EQ(operations.SetDateTime(), OperationResult::Done);
    const CTimeStamp sent = CTimeStamp::FromCalendarTime(clock.Now());
    const auto expected = DateTimeBytes(sent);
    EXPECT_EQ(DataOf('Z'), std::vector<Bytes>{Bytes(expected.begin(), expected.end())});
}

TEST_F(LoggerOperationsTest, NameIsPaddedWithBlanksAndConfirmedByItsXor) {
    ui.designationAnswer = "abc";
    StartLogger('K');
    EXPECT_EQ(operations.SetDesignation(), OperationResult::Done);
    EXPECT_EQ(ui.shownDesignations, std::vector<std::string>{"Simulated Logger"});
    Bytes expected{'a', 'b', 'c'};
    expected.resize(20, ' ');
    ASSERT_EQ(DataOf('K'), std::vector<Bytes>{expected});
    uint8_t x = 0;
    for (uint8_t b : expected)
        x ^= b;
    EXPECT_EQ(x, 0x40);
    EXPECT_EQ(LoggerNow().designation, "abc" + std::string(17, ' '));
}

TEST_F(LoggerOperationsTest, RefusedOrCancelledDialogsWriteNothing) {
    ui.answerYes = false;
    ui.designationAnswer = "never";
    StartLogger('F');
    EXPECT_EQ(operations.SetDesignation(), OperationResult::Refused);
    ASSERT_EQ(ui.asked.size(), 1u);
    EXPECT_EQ(ui.asked[0].id, 1022);
    EXPECT_FALSE(ui.asked[0].noIsDefault);
    EXPECT_TRUE(ui.shownDesignations.empty());

    ui = {};
    ui.designationAnswer.reset();
    StartLogger('K');
    EXPECT_EQ(operations.SetDesignation(), OperationResult::Refused);
    ui.clockAnswer.reset();
    EXPECT_EQ(operations.SetDateTime(), OperationResult::Refused);
    ASSERT_TRUE(WaitForCommands(Commands().size()));
    EXPECT_EQ(Commands().find_first_of("KZR"), std::string::npos) << Commands();
}

TEST_F(LoggerOperationsTest, WithoutALoggerEveryOperationShows322AndEndsItsWaitCursor) {
    settings.Write(setting::DeviceForPort(1), dir.File("no-such-port"));
    ui.clockAnswer = LoggerClockChoice{};
    ui.designationAnswer = "x";
    for (auto operation :
         {&CLoggerOperations::StopMeasurement, &CLoggerOperations::SetDateTime,
          &CLoggerOperations::SetDesignation, &CLoggerOperations::ShowLoggerInformation}) {
        ui = {};
        EXPECT_EQ((operations.*operation)(), OperationResult::Failed);
        const std::vector<int> ids = ui.MessageIds();
        ASSERT_FALSE(ids.empty());
        EXPECT_EQ(ids.back(), 322);
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
}

TEST_F(LoggerOperationsTest, InformationShowsTheIdentifiedLogger) {
    StartLogger('F');
    EXPECT_EQ(operations.ShowLoggerInformation(), OperationResult::Done);
    ASSERT_EQ(ui.shownInformation.size(), 1u);
    EXPECT_EQ(ui.shownInformation[0].FirmwDescription.substr(0, 16), "Simulated Logger");
    EXPECT_EQ(ui.shownInformation[0].OperatingState, 'F');
    EXPECT_EQ(ui.shownInformation[0].InstrTime, CTimeStamp(2024, 5, 6, 7, 8, 9));
}

TEST(LoggerDesignationBytes, CutsAtACharacterBoundary) {
    // 25 characters, the umlauts two bytes each in UTF-8 and one on the wire.
    const auto bytes = DesignationBytes(
        "Umspannwerk S\xC3\xBC"
        "d \xC3\xA4\xC3\xB6\xC3\xBC"
        "abcdef");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "Umspannwerk S\xFC"
              "d \xE4\xF6\xFC"
              "a");
}

// A 408b whose firmware is that of the demonstration package.
sim::Scenario UpToDateLogger(char jobState) {
    sim::Scenario s;
    s.hardware.bootVersion = " 1.20";
    s.software.cpuVersion = " 5.03";
    s.software.dspVersion = " 5.03";
    s.jobs[0].report.state = jobState;
    s.clock = sim::SimDateTime{2024, 5, 6, 7, 8, 9};
    return s;
}

CMeasurementJob JobFor(uint32_t function) {
    CMeasurementJob job;
    job.MeasFunc = function;
    job.JobType = 1;  // started by hand: no programmed start to be late for
    return job;
}

class JobWriteTest : public LoggerOperationsTest {
protected:
    void StartWith(const sim::Scenario& scenario) {
        port.Close();
        StartSim(scenario);
    }
    OperationResult Write(const CMeasurementJob& job) {
        return operations.WriteJobToLogger(job, {.extendedFamily = true, .clampId = 0});
    }
    size_t Count(char command) const {
        const std::string commands = Commands();
        return size_t(std::count(commands.begin(), commands.end(), command));
    }
};

TEST_F(JobWriteTest, TheLoggersJobStateDecidesTheQuestion) {
    struct Case {
        char state;
        int question;  // 0: none
    };
    for (const Case& c :
         {Case{'K', 0}, Case{'A', 298}, Case{'S', 298}, Case{'F', 317}, Case{'V', 318}}) {
        for (bool yes : {true, false}) {
            if (c.question == 0 && !yes) continue;
            SCOPED_TRACE(std::string("state ") + c.state + (yes ? ", yes" : ", no"));
            ui = {};
            ui.answerYes = yes;
            StartWith(UpToDateLogger(c.state));
            EXPECT_EQ(Write(JobFor(kMeasFuncA)),
                      yes ? OperationResult::Done : OperationResult::Refused);
            std::vector<int> asked;
            for (const Question& q : ui.asked)
                asked.push_back(q.id);
            EXPECT_EQ(asked, c.question ? std::vector<int>{c.question} : std::vector<int>{});
            EXPECT_EQ(ui.MessageIds(), yes ? std::vector<int>{248} : std::vector<int>{});
            ASSERT_TRUE(WaitForCommands(sim_->Log().Entries().size()));
            EXPECT_EQ(Count('A'), yes ? 1u : 0u);
            // Nothing to update and no other function: no restart.
            EXPECT_EQ(Count('R'), 0u);
            EXPECT_EQ(ui.waitCursorDepth, 0);
        }
    }
}

TEST_F(JobWriteTest, RefusalsComeInTheirOrderAndWriteNothing) {
    CMeasurementJob late = JobFor(kMeasFuncA);
    late.JobType = kJobTimeActivated;
    late.ProgStartMeas = CTimeStamp(2024, 5, 1, 0, 0, 0);  // before the Logger clock
    ui.answerYes = false;
    StartWith(UpToDateLogger('A'));
    EXPECT_EQ(Write(late), OperationResult::Refused);
    ASSERT_EQ(ui.asked.size(), 1u);
    EXPECT_EQ(ui.asked[0].id, 319) << "the late start is asked before the job state";

    ui = {};
    CMeasurementJob odd = JobFor(kMeasFuncA);
    odd.PowSysNomFreq = 55;
    EXPECT_EQ(Write(odd), OperationResult::Refused);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].id, 785);
    EXPECT_NE(ui.messages[0].text.find("55 Hz"), std::string::npos);

    ui = {};
    EXPECT_EQ(
        operations.WriteJobToLogger(JobFor(kMeasFuncA), {.extendedFamily = true, .clampId = 4}),
        OperationResult::Refused);
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{282}) << "another clamp than the editor's";

    sim::Scenario oldBoot = UpToDateLogger('K');
    oldBoot.hardware.bootVersion = " 1.00";
    ui = {};
    StartWith(oldBoot);
    EXPECT_EQ(Write(JobFor(kMeasFuncA)), OperationResult::Refused);
    EXPECT_EQ(ui.oldBootDialogs, std::vector<int>{137});
    ASSERT_TRUE(WaitForCommands(sim_->Log().Entries().size()));
    EXPECT_EQ(Commands().find_first_of("ARBW"), std::string::npos) << Commands();
}

TEST_F(JobWriteTest, OlderFirmwareIsUpdatedBeforeTheJob) {
    StartWith(ShippedScenario("408b-firmware-update.ini"));
    EXPECT_EQ(Write(JobFor(kMeasFuncA)), OperationResult::Done);
    EXPECT_EQ(ui.oldBootDialogs, std::vector<int>{138}) << "boot program 1.10 asks";
    EXPECT_EQ(settings.ReadString(setting::BaudRate), "19200");
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{248});
    ASSERT_EQ(ui.progressLayouts.size(), 1u);
    ASSERT_TRUE(WaitForCommands(sim_->Log().Entries().size()));
    const std::string commands = Commands();
    // Restart, the download ending in the restart of the new firmware, a fresh
    // identification, the job.
    EXPECT_EQ(Count('R'), 2u) << commands;
    EXPECT_LT(commands.find('R'), commands.find('B'));
    EXPECT_LT(commands.rfind('R'), commands.rfind('y'));
    EXPECT_LT(commands.rfind('y'), commands.find('A'));
    EXPECT_EQ(LoggerNow().software.cpuVersion, "5.03");
    EXPECT_EQ(LoggerNow().jobs[0].report.state, 'V');
    EXPECT_EQ(ui.waitCursorDepth, 0);
}

// The function P flag of the job block.
bool SentAsFunctionP(const Bytes& block) {
    return block.size() > 422 && (block[422] & 0x02) != 0;
}

TEST_F(JobWriteTest, PJobGoesOutAsFunctionAOnlyOnGenerationZeroFirmware) {
    StartWith(UpToDateLogger('K'));  // CPU 5.03: generation 2
    EXPECT_EQ(Write(JobFor(kMeasFuncP)), OperationResult::Done);
    ASSERT_EQ(DataOf('A').size(), 1u);
    EXPECT_TRUE(SentAsFunctionP(DataOf('A')[0]));
    EXPECT_EQ(Count('B'), 0u) << "the function A firmware runs function P jobs too";

    // Packages and Logger both at 4.00, before the generations began.
    const std::string firmware = dir.File("firmware");
    std::filesystem::create_directories(firmware);
    std::filesystem::copy(FirmwareFolder() + "/408b", firmware + "/408b");
    const std::string kvr = firmware + "/408b/408b.kvr";
    std::stringstream text;
    text << std::ifstream(kvr).rdbuf();
    std::ofstream(kvr) << std::regex_replace(text.str(), std::regex(" 5\\.03"), " 4.00");
    operations.UseFirmwareFolder(firmware);
    sim::Scenario old = UpToDateLogger('K');
    old.software.cpuVersion = old.software.dspVersion = " 4.00";
    StartWith(old);
    EXPECT_EQ(Write(JobFor(kMeasFuncP)), OperationResult::Done);
    ASSERT_EQ(DataOf('A').size(), 1u);
    EXPECT_FALSE(SentAsFunctionP(DataOf('A')[0]));
    EXPECT_EQ(Count('B'), 0u);
}

TEST_F(JobWriteTest, AutoTimeSyncSetsTheClockToThePcPlusFourSecondsJustBeforeTheJob) {
    settings.Write(setting::AutoTimeSync, 1);
    StartWith(UpToDateLogger('K'));
    EXPECT_EQ(Write(JobFor(kMeasFuncA)), OperationResult::Done);
    ASSERT_TRUE(WaitForCommands(sim_->Log().Entries().size()));
    const std::string commands = Commands();
    ASSERT_NE(commands.find("ZA"), std::string::npos) << commands;
    CTimeStamp expected = CTimeStamp::FromCalendarTime(clock.Now());
    expected.AddSeconds(4);
    const auto bytes = DateTimeBytes(expected);
    EXPECT_EQ(DataOf('Z'), std::vector<Bytes>{Bytes(bytes.begin(), bytes.end())});
}

}  // namespace
}  // namespace varelo
