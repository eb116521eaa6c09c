#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "measurement/EventList.h"
#include "measurement/IntervalList.h"
#include "measurement/MeasurementFileReader.h"
#include "measurement/MeasurementFileWriter.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RecordColumns.h"
#include "measurement/StatisticList.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

std::string Header(std::string_view version = "1.0.2") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!--x-->\r\n<Vamor>\r\n<Version>" +
           std::string(version) + "</Version>\r\n";
}

// Every column of a record filled with a different value of its whole range.
template <typename Record>
Record Filled(std::span<const RecordColumn> columns, std::mt19937& random, int index) {
    Record r;
    for (const RecordColumn& c : columns) {
        if (c.type == ColumnType::TimeStamp) {
            CTimeStamp t(2026, 1 + index % 12, 1 + index % 28, index % 24, index % 60, 30);
            SetColumnTimeStamp(r, c, t);
        } else {
            SetColumnValue(r, c, int64_t(random()));
        }
    }
    return r;
}

template <typename Record>
bool SameColumns(const Record& a, const Record& b, std::span<const RecordColumn> columns) {
    for (const RecordColumn& c : columns) {
        if (GetColumnValue(a, c) != GetColumnValue(b, c)) return false;
        if (GetColumnTimeStamp(a, c) != GetColumnTimeStamp(b, c)) return false;
    }
    return true;
}

class SeriesRoundTrip : public ::testing::TestWithParam<uint32_t> {};

TEST_P(SeriesRoundTrip, EveryValueOfEverySeriesComesBack) {
    std::mt19937 random(GetParam());
    CMeasurementJob job;
    job.MeasFunc = GetParam();
    job.MeasStopMeasured = CTimeStamp(2027, 1, 1, 0, 0, 0);
    CIntervalList intervals;
    CStatisticList statistics;
    CEventList events;
    auto intervalColumns = IntervalColumns(job.MeasFunc);
    for (int i = 0; i < 30; ++i)
        intervals.Add(Filled<CIntervalRecord>(intervalColumns, random, i));
    for (int i = 0; i < 4; ++i)
        statistics.Add(Filled<CStatisticSegment>(StatisticColumns(), random, i));
    for (int i = 0; i < 6; ++i) {
        CEventRecord e = Filled<CEventRecord>(EventColumns(), random, i);
        e.EndDateTime = e.StartDateTime;
        e.EndDateTime.AddSeconds(i + 1);
        events.Add(e);
    }
    job.NrInterval = 30;
    job.NrStat = 4;
    job.EventReady = 5;
    job.EventOpen = 1;

    test::TempDir dir;
    CMeasurementFileWriter writer(dir.File("m.VXM"));
    ASSERT_TRUE(writer.Create());
    writer.WriteJob(job);
    writer.WriteSeries(job, intervals, statistics, events);
    ASSERT_TRUE(writer.Close());

    CMeasurementFileReader reader;
    ASSERT_TRUE(reader.Open(dir.File("m.VXM")));
    CMeasurementJob readJob;
    CIntervalList readIntervals;
    CStatisticList readStatistics;
    CEventList readEvents;
    ASSERT_TRUE(reader.ReadJob(readJob));
    ASSERT_TRUE(reader.ReadIntervals(readJob, readIntervals));
    ASSERT_TRUE(reader.ReadStatistics(readJob, readStatistics));
    ASSERT_TRUE(reader.ReadEvents(readJob, readEvents));
    ASSERT_EQ(readIntervals.size(), intervals.size());
    ASSERT_EQ(readStatistics.size(), statistics.size());
    ASSERT_EQ(readEvents.size(), events.size());
    for (size_t i = 0; i < intervals.size(); ++i)
        EXPECT_TRUE(SameColumns(readIntervals[i], intervals[i], intervalColumns)) << i;
    for (size_t i = 0; i < statistics.size(); ++i)
        EXPECT_TRUE(SameColumns(readStatistics[i], statistics[i], StatisticColumns())) << i;
    for (size_t i = 0; i < events.size(); ++i)
        EXPECT_TRUE(SameColumns(readEvents[i], events[i], EventColumns())) << i;
}

INSTANTIATE_TEST_SUITE_P(Functions, SeriesRoundTrip, ::testing::Values(kMeasFuncA, kMeasFuncP));

struct ReadOutcome {
    bool ok = false;
    size_t rows = 0;
    CIntervalList list;
};

ReadOutcome ReadIntervalSection(const std::string& rows, uint32_t announced,
                                std::string_view version = "1.0.2",
                                uint32_t function = kMeasFuncP) {
    test::TempDir dir;
    dir.Write("m.VXM", Header(version) +
                           "<KelvaroIntervals>\r\n<Title>,</Title>\r\n<Unit>,</Unit>\r\n"
                           "<Scale>,</Scale>\r\n" +
                           rows + "</KelvaroIntervals>\r\n");
    CMeasurementFileReader reader;
    EXPECT_TRUE(reader.Open(dir.File("m.VXM")));
    CMeasurementJob job;
    job.MeasFunc = function;
    job.NrInterval = announced;
    ReadOutcome outcome;
    outcome.ok = reader.ReadIntervals(job, outcome.list);
    outcome.rows = outcome.list.size();
    return outcome;
}

TEST(MeasurementFileSeries, RowRules) {
    struct Case {
        std::string rows;
        uint32_t announced;
        bool ok;
        size_t rowsRead;
    } cases[] = {
        {"<i>,0,</i>\r\n", 5, true, 1},                    // number only: all-zero record
        {"<i>,0,1,</i>\r\n<i>,1,2,</i>\r\n", 5, true, 2},  // fewer rows than announced
        {"<i>,0,1,</i>\r\n<i>,1,2,</i>\r\n<i>,2,3,</i>\r\n", 2, true, 2},  // more: ignored
        {"<i>,0,1,</i>\r\n,1,2,\r\n", 5, false, 1},                        // a row without its tags
        {"<i>0,1,</i>\r\n", 5, false, 0},                                  // no comma after "<i>"
        {"<i></i>\r\n", 5, false, 0},
        {"<i>,0,1,</i>\r\n<i>,1,2,</i>\r\n", 1000000000, true,
         2},  // huge count: only what is there
    };
    for (const auto& c : cases) {
        ReadOutcome r = ReadIntervalSection(c.rows, c.announced);
        EXPECT_EQ(r.ok, c.ok) << c.rows;
        EXPECT_EQ(r.rows, c.rowsRead) << c.rows;
    }
    ReadOutcome zero = ReadIntervalSection("<i>,0,</i>\r\n", 1);
    EXPECT_EQ(zero.list[0].Status, 0);
    EXPECT_TRUE(zero.list[0].DateTime.IsZero());
}

TEST(MeasurementFileSeries, MinusOneInAnUnsignedFieldRestores65535) {
    // Function P row: Nr, Status, DateTime, 18 more measurement-wide values, then phase L1's
    // block whose half-period values come last (34 per phase).
    auto columns = IntervalColumns(kMeasFuncP);
    size_t halfp = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (std::string(columns[i].stem) == "VoltHalfpMaxPhaseLxRaw") {
            halfp = i;
            break;
        }
    }
    ASSERT_GT(halfp, 0u);
    std::string row = "<i>";
    for (size_t i = 0; i < halfp; ++i)
        row += i == 2 ? ",2026-3-1 10:0:0.0" : ",5";
    row += ",-1,-25536,</i>\r\n";
    ReadOutcome r = ReadIntervalSection(row, 1);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.list[0].VoltHalfpMaxPhaseLxRaw[0], 65535);
    EXPECT_EQ(r.list[0].VoltHalfpMinPhaseLxRaw[0], 40000);
    EXPECT_EQ(r.list[0].DateTime, CTimeStamp(2026, 3, 1, 10, 0, 0));
}

TEST(MeasurementFileSeries, OlderFunctionARowsDropTheirExtraColumns) {
    // The 1.0.0 and 1.0.1 layouts have extra columns; mark each real field with its column
    // number and check that the fields land where the newest layout puts them.
    for (int version : {100, 101}) {
        auto old = IntervalColumns(kMeasFuncA, version);
        std::string row = "<i>";
        for (size_t i = 0; i < old.size(); ++i) {
            row += ',';
            row += old[i].type == ColumnType::TimeStamp ? "2026-1-1 0:10:0.0" : std::to_string(i);
        }
        row += ",</i>\r\n";
        ReadOutcome r = ReadIntervalSection(row, 1, version == 100 ? "1.0.0" : "1.0.1", kMeasFuncA);
        ASSERT_TRUE(r.ok) << version;
        for (size_t i = 0; i < old.size(); ++i) {
            if (old[i].type == ColumnType::Int16 || old[i].type == ColumnType::UInt16) {
                EXPECT_EQ(GetColumnValue(r.list[0], old[i]), int64_t(i)) << version << " " << i;
            }
        }
        if (version == 100) {
            EXPECT_EQ(r.list[0].CurrZHarmPhaseLxRawVal[3][4], 0);  // none in 1.0.0 files
        }
    }
}

TEST(MeasurementFileSeries, EventEndAndValueAreCompletedOnReading) {
    test::TempDir dir;
    dir.Write("m.VXM", Header() +
                           "<KelvaroEvents>\r\n<Title>,</Title>\r\n<Unit>,</Unit>\r\n"
                           "<Scale>,</Scale>\r\n"
                           "<i>,0,64,1,2026-3-1 10:0:0.0,2026-3-1 10:0:0.0,1100,</i>\r\n"
                           "</KelvaroEvents>\r\n");
    CMeasurementJob job;
    job.EventReady = 1;
    job.VoltInputRangeCode = 6;  // 230 V
    job.MeasStopMeasured = CTimeStamp(2026, 3, 8, 10, 0, 0);
    CMeasurementFileReader reader;
    ASSERT_TRUE(reader.Open(dir.File("m.VXM")));
    CEventList events;
    ASSERT_TRUE(reader.ReadEvents(job, events));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].EndDateTime, job.MeasStopMeasured);
    EXPECT_DOUBLE_EQ(events[0].Value, 1100 * 230.0 / 2200);
}

TEST(MeasurementFileSeries, TimestampsWithoutMillisecondsAreRead) {
    test::TempDir dir;
    dir.Write("m.VXM", Header() +
                           "<KelvaroEvents>\r\n<Title>,</Title>\r\n<Unit>,</Unit>\r\n"
                           "<Scale>,</Scale>\r\n"
                           "<i>,0,0,2,2024-3-8 0:0:0,2024-3-8 0:0:1.500,900,</i>\r\n"
                           "</KelvaroEvents>\r\n");
    CMeasurementFileReader reader;
    ASSERT_TRUE(reader.Open(dir.File("m.VXM")));
    CMeasurementJob job;
    job.EventReady = 1;
    CEventList events;
    ASSERT_TRUE(reader.ReadEvents(job, events));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].StartDateTime, CTimeStamp(2024, 3, 8, 0, 0, 0));
    EXPECT_EQ(events[0].EndDateTime, CTimeStamp(2024, 3, 8, 0, 0, 1, 500));
    EXPECT_EQ(events[0].Val, 900);
}

TEST(MeasurementFileSeries, StatisticCountersAreRealsTruncated) {
    test::TempDir dir;
    dir.Write("m.VXM",
              Header() +
                  "<KelvaroStatistics>\r\n<Title>,</Title>\r\n<Unit>,</Unit>\r\n"
                  "<Scale>,</Scale>\r\n<i>,0,0,2026-3-1 10:0:0.0,12.7,3e2, 7,40000,</i>\r\n"
                  "</KelvaroStatistics>\r\n");
    CMeasurementJob job;
    job.NrStat = 1;
    CMeasurementFileReader reader;
    ASSERT_TRUE(reader.Open(dir.File("m.VXM")));
    CStatisticList list;
    ASSERT_TRUE(reader.ReadStatistics(job, list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Freq10sec[0], 12u);
    EXPECT_EQ(list[0].Freq10sec[1], 300u);
    EXPECT_EQ(list[0].Freq10sec[2], 7u);
    EXPECT_EQ(list[0].Freq10sec[3], 40000u);
}

TEST(MeasurementFileSeries, MissingSectionIsAFailure) {
    test::TempDir dir;
    dir.Write("m.VXM", Header() + "<KelvaroIntervals>\r\n</KelvaroIntervals>\r\n</Vamor>\r\n");
    CMeasurementFileReader reader;
    ASSERT_TRUE(reader.Open(dir.File("m.VXM")));
    CMeasurementJob job;
    CStatisticList statistics;
    EXPECT_FALSE(reader.ReadStatistics(job, statistics));
}

}  // namespace
}  // namespace varelo
