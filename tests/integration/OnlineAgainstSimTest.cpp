#include <gtest/gtest.h>

#include "ProtocolSimFixture.h"
#include "app/AppOptions.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitValueFile.h"
#include "logger/LoggerOperations.h"
#include "logger/OnlineSession.h"

namespace varelo {
namespace {

sim::SimDateTime SimTime(const CTimeStamp& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

class OnlineTest : public ProtocolSimFixture {
protected:
    void SetUp() override {
        CLimitValues limits;
        limits.SetDefaults(50);
        ASSERT_TRUE(WriteLimitFile(dir.File("limits.gwd"), limits));
        settings.Write(setting::LimitFile, dir.File("limits.gwd"));
    }
    // A recording Logger whose clock stands `ahead` seconds before the PC's.
    void StartLogger(sim::Scenario scenario = {}, long long ahead = 0) {
        scenario.clock = SimTime(CTimeStamp::FromCalendarTime(clock.Now() + ahead));
        port.Close();
        StartSim(scenario);
    }
    // Polls after the PC's clock moved on by whole seconds.
    void PollAfter(uint32_t seconds) {
        clock.Advance(seconds * 1000);
        CIntervalRecord record;
        EXPECT_TRUE(doc.ReadOnlineRecord(record)) << "poll after " << seconds << " s";
    }
    std::vector<long long> SecondsFromFirst() const {
        std::vector<long long> seconds;
        const CIntervalList& list = doc.Data().intervals;
        for (const CIntervalRecord& r : list)
            seconds.push_back(r.DateTime.SecondsSince(list[0].DateTime));
        return seconds;
    }

    CLoggerOperations operations{port, settings};
    AppOptions options;
    CVamor800Doc doc{settings, ui, options};
};

TEST_F(OnlineTest, LoggersThatCannotSendOnlineDataAreRefused) {
    struct Case {
        const char* what;
        void (*change)(sim::Scenario&);
        int message;
    } cases[] = {
        {"no job", [](sim::Scenario& s) { s.jobs[0].report.state = 'K'; }, 1097},
        {"function P firmware",
         [](sim::Scenario& s) {
             s.software.measurementFunction = "P Power";
             s.software.cpuFunction = "P;CPU";
             s.software.dspFunction = "P;DSP";
         },
         1089},
        {"basic family", [](sim::Scenario& s) { s.hardware.type = "304b Power Logger   1"; }, 1089},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui = {};
        sim::Scenario scenario;
        c.change(scenario);
        StartLogger(scenario);
        EXPECT_EQ(operations.StartOnline(), nullptr);
        EXPECT_EQ(ui.MessageIds(), std::vector<int>{c.message});
    }
}

TEST_F(OnlineTest, PollsFillOneMissedSecondAndFollowTheLoggersClock) {
    StartLogger({}, 90);
    const std::time_t before = clock.Now();
    std::unique_ptr<COnlineSession> session = operations.StartOnline();
    ASSERT_NE(session, nullptr) << ui.MessageIds().size();
    // The simulated Logger's clock stands still while connecting takes the PC a few seconds.
    const long long offset = session->ClockOffset();
    EXPECT_EQ(offset, 90 - (clock.Now() - before));
    ASSERT_TRUE(doc.OpenOnline(std::move(session)));
    EXPECT_TRUE(doc.IsOnline());
    EXPECT_EQ(doc.MeasurementLetter(), 'A');

    CIntervalRecord first;
    ASSERT_TRUE(doc.ReadOnlineRecord(first));
    EXPECT_EQ(first.DateTime, CTimeStamp::FromCalendarTime(clock.Now() + offset));
    EXPECT_GT(first.VoltAvgPhaseLxRawVal[0], 0);
    PollAfter(1);
    PollAfter(2);  // one poll lost: its second is the one before, again
    PollAfter(4);  // three lost: a gap stays
    EXPECT_EQ(SecondsFromFirst(), (std::vector<long long>{0, 1, 2, 3, 7}));
    const CIntervalList& list = doc.Data().intervals;
    EXPECT_EQ(list[2].VoltAvgPhaseLxRawVal, list[1].VoltAvgPhaseLxRawVal);
    EXPECT_EQ(doc.Data().job.MeasStartMeasured, list[0].DateTime);
    EXPECT_EQ(doc.Data().job.MeasStopMeasured, list[4].DateTime);

    // Closing the document ends the connection.
    doc.ClearContents();
    ASSERT_TRUE(WaitForCommands(1));
    EXPECT_EQ(Commands().back(), 'X');
}

TEST_F(OnlineTest, AFunctionPJobOnTheNewestFirmwareReadsTheFunctionALayout) {
    sim::Scenario scenario;
    scenario.jobs[0].function = 'P';
    StartLogger(scenario);
    std::unique_ptr<COnlineSession> session = operations.StartOnline();
    ASSERT_NE(session, nullptr);
    ASSERT_TRUE(doc.OpenOnline(std::move(session)));
    EXPECT_EQ(doc.MeasurementLetter(), 'A');
    CIntervalRecord record;
    EXPECT_TRUE(doc.ReadOnlineRecord(record));
}

}  // namespace
}  // namespace varelo
