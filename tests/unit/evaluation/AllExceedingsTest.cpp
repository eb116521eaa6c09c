#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/EvaluatedMeasurement.h"
#include "evaluation/EvaluationResult.h"
#include "evaluation/ExceedingsChannelChoice.h"
#include "evaluation/ExceedingsReport.h"
#include "evaluation/LimitValues.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementFile.h"
#include "measurement/RawScaling.h"
#include "support/SteadyMeasurement.h"

namespace varelo {
namespace {

// Input range 230 V (code 6): a raw voltage r is r x 230 / 17600 V. Nominal 200 V with +15/-8 %
// puts the bands at 230 V (raw 17600) and 184 V (raw 14080), exactly on raw units.
constexpr int16_t kRawUpper = 17600;
constexpr int16_t kRawLower = 14080;
constexpr int16_t kRawNominal = 15304;

class AllExceedingsTest : public ::testing::Test {
protected:
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 4, kRawNominal);
    CLimitValues limits;
    CRawScaling scaling;
    CEvaluationResult result;
    std::string limitFile = "/limits/Plant.gwd";

    void SetUp() override {
        limits.SetDefaults(50);
        limits.NplusTol95 = 15.7f;  // truncated to 15
        limits.NminusTol95 = 8;
        limits.THD = 8;
        data.job.VoltInputRangeCode = 6;
        data.job.NomVoltRawVal = 20000;
        for (CIntervalRecord& r : data.intervals)
            r.VoltMaxPhaseLxRawVal =
                r.VoltMinPhaseLxRawVal = {kRawNominal, kRawNominal, kRawNominal};
        scaling.Build(data.job, data.fileVersion, 0);
        data.intervals.SetScaling(scaling);
    }

    ExceedingsReport Build(const std::vector<int>& channels, bool status = false) {
        const EvaluationInput input{data.intervals, data.statistics, data.events,
                                    data.job,       limits,          scaling};
        EXPECT_TRUE(result.Evaluate(input, true));
        return ExceedingsReport::Build({data.job, scaling, limits, limitFile, result},
                                       data.intervals, channels, status);
    }
    AvailabilityContext Availability() const {
        return AvailabilityContext::Build(data.job, CLoggerInfo{}, 102, false, true, true);
    }
};

TEST_F(AllExceedingsTest, ValuesOnEitherBandAreListedAndValuesInsideAreNot) {
    struct Case {
        int16_t raw;
        bool listed;
        const char* why;
    } cases[] = {
        {kRawUpper, true, "on the upper band 200 x 1.15"},
        {kRawUpper - 1, false, "just below the upper band"},
        {kRawLower, true, "on the lower band 200 x 0.92"},
        {kRawLower + 1, false, "just above the lower band"},
    };
    for (const Case& c : cases) {
        data.intervals[1].VoltAvgPhaseLxRawVal = {c.raw, c.raw, c.raw};
        const ExceedingsReport report = Build({1011});
        ASSERT_EQ(report.Sections().size(), 1u) << c.why;
        const ExceedingsSection& s = report.Sections()[0];
        ASSERT_EQ(s.rows.size(), 1u) << c.why;
        EXPECT_EQ(s.rows[0].interval, c.listed ? 1 : ExceedingsRow::kNoExceeding) << c.why;
    }
}

TEST_F(AllExceedingsTest, ThdEqualToItsLimitIsListed) {
    data.intervals[2].VoltTHDAvgCalc = {1.0, 8.0, 7.99};
    const ExceedingsReport report = Build({1022});
    const ExceedingsSection& s = report.Sections()[0];
    ASSERT_EQ(s.rows.size(), 1u);
    EXPECT_EQ(s.rows[0].interval, 2);
    EXPECT_EQ(report.CellTexts(s, s.rows[0]), (std::vector<std::string>{"-", "  8.00", "-"}));
}

TEST_F(AllExceedingsTest, OnlyL2ExceedingShowsDashesForL1AndL3AndAnL2ChoiceListsAllPhases) {
    data.intervals[3].VoltMaxPhaseLxRawVal = {kRawNominal, 17700, kRawNominal};
    const ExceedingsReport report = Build({2012}, true);
    const ExceedingsSection& s = report.Sections()[0];
    EXPECT_EQ(s.phases, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(report.ColumnTitles(s, PhaseLabels::L123),
              (std::vector<std::string>{"L1", "L2", "L3"}));
    ASSERT_EQ(s.rows.size(), 1u);
    // 17700 x 230 / 17600 = 231.31 V, with the voltages' two decimals.
    EXPECT_EQ(report.CellTexts(s, s.rows[0]), (std::vector<std::string>{"-", "231.31", "-"}));
    // The interval number padded to 8, two blanks and the status letters.
    EXPECT_NE(report.TimeText(s.rows[0]).find("       4  LG---------"), std::string::npos)
        << report.TimeText(s.rows[0]);
    EXPECT_NE(s.heading.find("200.00V +15/-8%"), std::string::npos) << s.heading;
}

TEST_F(AllExceedingsTest, SectionsFollowTheFixedOrderWhateverTheChoiceOrder) {
    const ExceedingsReport report = Build({1125, 3022, 1305, 2, 1011, 1013});
    std::vector<int> order;
    for (const ExceedingsSection& s : report.Sections())
        order.push_back(s.quantity);
    EXPECT_EQ(order, (std::vector<int>{11, 13, 2, 22, 305, 125}));
}

TEST_F(AllExceedingsTest, AZeroLimitGivesNotDefinedAndTheSingleNoRow) {
    limits.FlickPst = 0;
    for (CIntervalRecord& r : data.intervals)
        r.FlickPstPhaseLxRawVal = {5000, 5000, 5000};
    const ExceedingsReport report = Build({1017});
    const ExceedingsSection& s = report.Sections()[0];
    EXPECT_FALSE(s.band.active);
    EXPECT_NE(s.heading.find("not defined"), std::string::npos) << s.heading;
    ASSERT_EQ(s.rows.size(), 1u);
    EXPECT_EQ(report.TimeText(s.rows[0]), "");
    EXPECT_EQ(report.CellTexts(s, s.rows[0]), (std::vector<std::string>{"no", "no", "no"}));
}

TEST_F(AllExceedingsTest, VoltageAndFrequencySectionsNeedBothTolerancesAboveZero) {
    // A limit file changed while the view is open: with a tolerance of 0.5 % (truncated to 0)
    // the band would sit on the nominal voltage and list every interval.
    limits.NminusTol95 = 0.5f;
    limits.FplusTol95 = 0;
    for (CIntervalRecord& r : data.intervals)
        r.Freq10min = 5100;
    const ExceedingsReport report = Build({1011, 2});
    for (const ExceedingsSection& s : report.Sections()) {
        EXPECT_FALSE(s.band.active) << s.quantity;
        ASSERT_EQ(s.rows.size(), 1u) << s.quantity;
        EXPECT_EQ(s.rows[0].interval, ExceedingsRow::kNoExceeding) << s.quantity;
    }
    EXPECT_FALSE(ExceedingsChannelChoice(limits, data.job, Availability()).IsOffered(11));
}

TEST_F(AllExceedingsTest, AnOverflowingCurrentHarmonicIsMarked) {
    data.intervals[0].CurrAvgPhaseLxRawVal = {1000, 1000, 1000};
    data.intervals[0].SetCurrHarm(0, 3, 0x7FFF);
    limits.CurrHarm[2] = 2.3f;
    const ExceedingsReport report = Build({1123});
    const ExceedingsSection& s = report.Sections()[0];
    ASSERT_EQ(s.rows.size(), 1u);
    const std::vector<std::string> cells = report.CellTexts(s, s.rows[0]);
    EXPECT_EQ(cells[0].substr(0, 1), ">");
    EXPECT_EQ(cells[1], "-");
}

TEST_F(AllExceedingsTest, ChoiceAddsPresentPhasesSkipsDuplicatesAndRemovesWholeQuantities) {
    ExceedingsChannelChoice choice(limits, data.job, Availability());
    ASSERT_GE(choice.Offered().size(), 3u);
    EXPECT_EQ(std::vector<int>(choice.Offered().begin(), choice.Offered().begin() + 3),
              (std::vector<int>{11, 13, 12}));
    EXPECT_FALSE(choice.CanAccept());
    choice.SelectOffered(0);
    choice.Add();
    EXPECT_EQ(choice.Chosen(), (std::vector<int>{1011, 2011, 3011}));
    EXPECT_FALSE(choice.CanAdd());  // every channel of V average is in the list
    choice.SelectOffered(1);
    choice.Add();
    EXPECT_EQ(choice.CountText(), "6 channels selected (maximum 99)");
    choice.SelectChosen(4);  // V min L2
    choice.Remove();
    EXPECT_EQ(choice.Chosen(), (std::vector<int>{1011, 2011, 3011}));
    EXPECT_EQ(choice.ChosenSelection(), 2);  // the last entry
    choice.RemoveAll();
    EXPECT_FALSE(choice.CanRemoveAll());
    EXPECT_FALSE(choice.CanAccept());
}

TEST_F(AllExceedingsTest, ThirtyFourQuantitiesOfThreePhasesStopAtNinetyNineChannels) {
    limits.CurrHarm.fill(1);
    ExceedingsChannelChoice choice(limits, data.job, Availability());
    int added = 0;
    for (int row = 0; row < int(choice.Offered().size()) && added < 34; ++row) {
        if (choice.ChannelsOf(choice.Offered()[size_t(row)]).size() != 3) continue;
        choice.SelectOffered(row);
        choice.Add();
        ++added;
    }
    ASSERT_EQ(added, 34);
    EXPECT_EQ(choice.Chosen().size(), 99u);
    EXPECT_FALSE(choice.CanAdd());
}

}  // namespace
}  // namespace varelo
