#include "measurement/OnlineRecords.h"

#include <gtest/gtest.h>

#include <vector>

namespace varelo {
namespace {

const CTimeStamp kZero(2026, 3, 2, 10, 0, 0);

// The seconds after kZero of the list's records when polls arrive at these seconds.
std::vector<long long> AfterPolls(const std::vector<int>& polls) {
    CIntervalList list;
    CMeasurementJob job;
    for (int second : polls) {
        CIntervalRecord r;
        r.DateTime = kZero;
        r.DateTime.AddSeconds(second);
        r.VoltAvgPhaseLxRawVal[0] = int16_t(second);
        AppendOnlineRecord(list, job, r, 1);
    }
    std::vector<long long> seconds;
    for (const CIntervalRecord& r : list)
        seconds.push_back(r.DateTime.SecondsSince(kZero));
    return seconds;
}

TEST(OnlineRecords, ExactlyOneMissedPollIsFilled) {
    const struct {
        std::vector<int> polls;
        std::vector<long long> kept;
    } cases[] = {
        {{10, 11, 13}, {10, 11, 12, 13}},
        {{10, 14}, {10, 14}},
        {{10, 12, 13}, {10, 11, 12, 13}},
        {{10, 10}, {10, 10}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AfterPolls(c.polls), c.kept);
}

TEST(OnlineRecords, TheListKeepsTheLastThousandAndThePeriodFollowsIt) {
    CIntervalList list;
    CMeasurementJob job;
    for (int second = 0; second < 1005; ++second) {
        CIntervalRecord r;
        r.DateTime = kZero;
        r.DateTime.AddSeconds(second);
        AppendOnlineRecord(list, job, r, 1);
        if (second == 0) {
            EXPECT_EQ(job.MeasStartMeasured, kZero);
        }
    }
    ASSERT_EQ(list.size(), 1000u);
    CTimeStamp oldest = kZero;
    oldest.AddSeconds(5);
    EXPECT_EQ(list[0].DateTime, oldest);
    EXPECT_EQ(job.MeasStartMeasured, oldest);
    EXPECT_EQ(job.MeasStopMeasured, list.back().DateTime);
    EXPECT_EQ(job.NrInterval, 1000u);
}

}  // namespace
}  // namespace varelo
