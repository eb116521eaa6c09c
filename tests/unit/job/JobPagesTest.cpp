#include <gtest/gtest.h>

#include "job/CurrentPage.h"
#include "job/GeneralPage.h"
#include "job/InterharmonicPage.h"
#include "job/JobSchedule.h"
#include "job/JobSummary.h"
#include "job/MeasurementPeriodPage.h"
#include "support/RecordingUserInterface.h"

namespace varelo {
namespace {

TEST(GeneralPage, TolerancesAndHysteresisAreCheckedInOrderThenRounded) {
    struct Case {
        double positive;
        double negative;
        double hysteresis;
        int message;
        JobField field;
    };
    const Case cases[] = {
        {20, 10, 0, 0, JobField::None},
        {20.1, 10, 0, 752, JobField::PositiveTolerance},
        {0.9, 10, 0, 753, JobField::PositiveTolerance},
        {10, 0.9, 0, 753, JobField::NegativeTolerance},
        {10, 100.1, 0, 751, JobField::NegativeTolerance},
        {10, 100, 4, 0, JobField::None},
        {10, 10, 4.01, 61715, JobField::Hysteresis},
        {10, 10, -0.1, 61715, JobField::Hysteresis},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.positive) + " " + std::to_string(c.negative));
        CMeasurementJob job;
        GeneralPage page = GeneralPage::Of(job);
        page.positiveTolerance = c.positive;
        page.negativeTolerance = c.negative;
        page.hysteresis = c.hysteresis;
        const PageCheck check = page.Apply(job);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.field, c.field);
    }
    CMeasurementJob job;
    GeneralPage page = GeneralPage::Of(job);
    EXPECT_DOUBLE_EQ(page.positiveTolerance, 10.0);
    EXPECT_EQ(page.Apply(job).message, 0);
    page.positiveTolerance = 20.1;
    EXPECT_EQ(page.Apply(job).text,
              "The maximum positive event tolerance level must not be greater than 20% !");
    page.positiveTolerance = 7.5;
    page.negativeTolerance = 12.3;
    page.titles[0] = std::string(25, 'x');
    ASSERT_TRUE(page.Apply(job).Accepted());
    EXPECT_FLOAT_EQ(job.VoltUpperThreshShort, 107.5f);
    EXPECT_FLOAT_EQ(job.VoltLowerThreshShort, 87.7f);
    EXPECT_EQ(job.JobTitle[0].size(), 20u);
}

// A time activated job of 600-s intervals on linear memory for 1008 intervals.
CMeasurementJob WeekJob() {
    CMeasurementJob job;
    job.Interval = 600;
    job.IntervalMemModel = 0;
    job.NrIntervalMax = 1008;
    job.ProgStartMeas = CTimeStamp(2024, 3, 4, 8, 0, 0);  // a Monday
    job.ProgStopMeas = CTimeStamp(2024, 3, 11, 8, 0, 0);
    return job;
}

TEST(MeasurementPeriodPage, EndBeyondTheCapacityIsCorrectedOnLinearMemory) {
    MeasurementPeriodPage kept(WeekJob());
    EXPECT_TRUE(kept.Accept().Accepted());
    EXPECT_EQ(kept.Job().ProgStopMeas, CTimeStamp(2024, 3, 11, 8, 0, 0));  // 1008 x 600 s

    CMeasurementJob later = WeekJob();
    later.ProgStopMeas = CTimeStamp(2024, 3, 11, 8, 10, 0);
    MeasurementPeriodPage corrected(later);
    const PageCheck check = corrected.Accept();
    EXPECT_EQ(check.message, 797);
    EXPECT_TRUE(check.Accepted());
    EXPECT_EQ(corrected.Job().ProgStopMeas, CTimeStamp(2024, 3, 11, 8, 0, 0));

    later.IntervalMemModel = 1;  // circular memory has no end
    MeasurementPeriodPage circular(later);
    EXPECT_EQ(circular.Accept().message, 0);
    EXPECT_EQ(circular.Job().ProgStopMeas, CTimeStamp(2024, 3, 11, 8, 10, 0));

    CMeasurementJob reversed = WeekJob();
    reversed.ProgStopMeas = CTimeStamp(2024, 3, 4, 8, 9, 59);  // rounds down onto the begin
    MeasurementPeriodPage refused(reversed);
    EXPECT_EQ(refused.Accept().message, 796);
    EXPECT_FALSE(refused.Accept().Accepted());
}

TEST(MeasurementPeriodPage, CapacityCountsOnlyIntervalsInsideTheSegments) {
    CMeasurementJob job = WeekJob();
    job.Interval = 3600;
    job.NrIntervalMax = 10;
    MeasurementPeriodPage page(job);
    // Daily 08:00 - 13:00: five hourly intervals a day, ten take two days.
    ASSERT_TRUE(page.AddSegment(SegmentTime(0, 8, 0), SegmentTime(3, 13, 0)).Accepted());
    EXPECT_EQ(page.Job().NrMeasSectionsProgEnd[0].weekday, 0);  // daily end
    page.SetBegin(CTimeStamp(2024, 3, 4, 8, 0, 0));
    EXPECT_EQ(page.Job().ProgStopMeas,
              EndAfterIntervals(page.Job(), CTimeStamp(2024, 3, 4, 8, 0, 0), 1008));
    page.SetEnd(CTimeStamp(2024, 3, 6, 0, 0, 0));
    const PageCheck check = page.Accept();
    EXPECT_EQ(check.message, 797);
    EXPECT_EQ(page.Job().ProgStopMeas, CTimeStamp(2024, 3, 5, 13, 0, 0));
}

TEST(MeasurementPeriodPage, SegmentsRefuseEqualEndsOverlapsAndAThird) {
    struct Case {
        const char* name;
        CTimeStamp begin;
        CTimeStamp end;
        int message;
    };
    // Against an existing Monday 08:00 - Friday 17:00.
    const Case cases[] = {
        {"Monday 08:00 to Monday 08:00", SegmentTime(1, 8, 0), SegmentTime(1, 8, 0), 783},
        {"inside the existing one", SegmentTime(2, 9, 0), SegmentTime(2, 10, 0), 790},
        {"daily crosses the weekdays", SegmentTime(0, 6, 0), SegmentTime(0, 7, 0), 790},
        {"wrapping Sunday to Monday into it", SegmentTime(7, 20, 0), SegmentTime(1, 9, 0), 790},
        {"touching its end", SegmentTime(5, 17, 0), SegmentTime(6, 10, 0), 0},
        {"wrapping to touch its begin", SegmentTime(7, 20, 0), SegmentTime(1, 8, 0), 0},
        {"daily begin equals daily end", SegmentTime(0, 1, 0), SegmentTime(4, 1, 0), 783},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeasurementPeriodPage page(WeekJob());
        ASSERT_TRUE(page.AddSegment(SegmentTime(1, 8, 0), SegmentTime(5, 17, 0)).Accepted());
        const PageCheck check = page.AddSegment(c.begin, c.end);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(page.Job().NrMeasSectionsProg, c.message ? 1 : 2);
    }
    MeasurementPeriodPage page(WeekJob());
    ASSERT_TRUE(page.AddSegment(SegmentTime(1, 8, 0), SegmentTime(1, 9, 0)).Accepted());
    ASSERT_TRUE(page.AddSegment(SegmentTime(2, 8, 0), SegmentTime(2, 9, 0)).Accepted());
    EXPECT_EQ(page.AddSegment(SegmentTime(3, 8, 0), SegmentTime(3, 9, 0)).message, 791);

    test::RecordingUserInterface ui;
    EXPECT_TRUE(page.DeleteSegment(0, ui).Accepted());
    ASSERT_EQ(page.Job().NrMeasSectionsProg, 1);
    EXPECT_EQ(page.Job().NrMeasSectionsProgStart[0].weekday, 2);
    ui.answerYes = true;
    page.DeleteSegment(-1, ui);  // none selected: 779 deletes all on Yes
    EXPECT_EQ(ui.asked.at(0).id, 779);
    EXPECT_EQ(page.Job().NrMeasSectionsProg, 0);
}

TEST(MeasurementPeriodPage, SetChoicesAndRoundingFollowTheInterval) {
    const CTimeStamp now(2024, 3, 5, 14, 37, 21);
    struct Case {
        StartChoice choice;
        int32_t interval;
        CTimeStamp begin;
    };
    const Case cases[] = {
        {StartChoice::Plus1, 30, CTimeStamp(2024, 3, 5, 14, 38, 30)},  // 14:38:21 up to :30
        {StartChoice::Plus2, 600, CTimeStamp(2024, 3, 5, 14, 40, 0)},  // 14:39:21 up to :40
        {StartChoice::Plus15, 900, CTimeStamp(2024, 3, 5, 15, 0, 0)},  // 14:52:21 up to 15:00
        {StartChoice::Plus5, 60, CTimeStamp(2024, 3, 5, 14, 43, 0)},   // 14:42:21 up to :43
        {StartChoice::NextHour, 600, CTimeStamp(2024, 3, 5, 15, 0, 0)},
        {StartChoice::NextDay, 600, CTimeStamp(2024, 3, 6, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        CMeasurementJob job = WeekJob();
        job.Interval = c.interval;
        MeasurementPeriodPage page(job);
        page.Set(c.choice, now);
        EXPECT_EQ(page.Job().ProgStartMeas, c.begin) << StartChoiceMessage(c.choice);
        CTimeStamp end = c.begin;
        end.AddSeconds(1008LL * c.interval);
        EXPECT_EQ(page.Job().ProgStopMeas, end);
    }
    EXPECT_EQ(RoundDownToInterval(CTimeStamp(2024, 3, 5, 14, 37, 21), 5),
              CTimeStamp(2024, 3, 5, 14, 37, 20));
    EXPECT_EQ(RoundDownToInterval(CTimeStamp(2024, 3, 5, 14, 37, 21), 300),
              CTimeStamp(2024, 3, 5, 14, 35, 0));
    EXPECT_EQ(RoundDownToInterval(CTimeStamp(2024, 3, 5, 14, 37, 21), 3600),
              CTimeStamp(2024, 3, 5, 14, 0, 0));
}

TEST(CurrentPage, RangesTransformersAndPhaseShiftAreChecked) {
    CMeasurementJob sensorJob;  // extended family with a 1000 A sensor
    sensorJob.InstrHardwNr = 400;
    sensorJob.ClampId = 2;
    sensorJob.MaxClampCurr = 1000;
    struct Case {
        const char* name;
        double phaseRange;
        bool phaseTransformer;
        double secondary;
        int16_t neutral;
        double neutralRange;
        bool special;
        double shift;
        int message;
        JobField field;
    };
    const Case cases[] = {
        {"fine", 1000, true, 5, 1, 100, true, 9.9, 0, JobField::None},
        {"phase above Imax", 1000.01, false, 5, 0, 0, false, 0, 872, JobField::PhaseRange},
        {"phase below 0.01", 0.001, false, 5, 0, 0, false, 0, 872, JobField::PhaseRange},
        {"secondary 0", 1000, true, 0, 0, 0, false, 0, 1423, JobField::PhaseSecondary},
        {"neutral measured above Imax", 1000, false, 5, 1, 1001, false, 0, 870,
         JobField::NeutralRange},
        {"neutral calculated unchecked", 1000, false, 5, 2, 1001, false, 0, 0, JobField::None},
        {"phase shift", 1000, false, 5, 0, 0, true, -10, 1106, JobField::PhaseShift},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMeasurementJob job = sensorJob;
        CurrentPage page = CurrentPage::Of(job);
        page.phaseRange = c.phaseRange;
        page.phaseTransformer = c.phaseTransformer;
        page.phaseSecondary = c.secondary;
        page.neutral = c.neutral;
        page.neutralRange = c.neutralRange;
        page.specialTransformer = c.special;
        page.phaseShift = c.shift;
        const PageCheck check = page.Apply(job);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.field, c.field);
    }
    CMeasurementJob job = sensorJob;
    CurrentPage page = CurrentPage::Of(job);
    page.phaseRange = 1000.01;
    EXPECT_EQ(page.Apply(job).text,
              "The entered value for the phase current input range is out of range.\nValues must "
              "be within 0.01 to 1000 A.");
    // Without transformers both sides become 1.00 A; a basic-family neutral not measured 15 A.
    CMeasurementJob basic;
    page = CurrentPage::Of(basic);
    page.phaseRange = 150;
    page.neutral = 0;
    page.specialTransformer = true;
    page.phaseShift = -1.25;
    ASSERT_TRUE(page.Apply(basic).Accepted());
    EXPECT_EQ(basic.PhCurrClampRawVal, 15000);
    EXPECT_EQ(basic.PhCurrPrimaryRawVal, 100);
    EXPECT_EQ(basic.PhCurrSecondaryRawVal, 100);
    EXPECT_EQ(basic.NeutralCurrPrimaryRawVal, 100);
    EXPECT_EQ(basic.NeutralClampCurrRawVal, 1500);
    EXPECT_EQ(basic.PhaseCorrRawVal, -125);
}

TEST(InterharmonicPage, ChannelsAreRangeCheckedStoredAndUnique) {
    struct Case {
        const char* name;
        int16_t frequency;
        bool relative;
        double value;
        int message;
        bool beep;
        int16_t stored;
    };
    const Case cases[] = {
        {"order 50.0", 50, true, 50.0, 0, false, 5000},
        {"order 50.01", 50, true, 50.01, 1100, false, 0},
        {"order 0.1", 50, true, 0.1, 0, false, 10},
        {"order 0.09", 50, true, 0.09, 1100, false, 0},
        {"order 41.67 at 60 Hz", 60, true, 41.67, 0, false, 4167},
        {"order 41.68 at 60 Hz", 60, true, 41.68, 1100, false, 0},
        {"2500 Hz", 50, false, 2500, 0, false, 5000},
        {"2501 Hz", 50, false, 2501, 826, true, 0},
        {"4 Hz", 50, false, 4, 826, true, 0},
        {"175 Hz at 60 Hz", 60, false, 175, 0, false, 292},  // 175 / 60 = 2.9167
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMeasurementJob job;
        job.PowSysNomFreq = c.frequency;
        const PageCheck check = AddInterharmonic(job, {c.relative, c.value, 2, "ripple"});
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.beep, c.beep);
        EXPECT_EQ(job.NrInterHarm, c.message ? 0 : 1);
        if (c.message == 0) {
            EXPECT_EQ(job.HarmOrder[0], c.stored);
            EXPECT_EQ(job.HarmFreqSync[0], c.relative ? 1 : 0);
        }
    }
    CMeasurementJob job;
    EXPECT_EQ(AddInterharmonic(job, {true, 50.01, 2, ""}).text,
              "The entered value for order must be within 0.1 to 50.0 !");
    ASSERT_TRUE(AddInterharmonic(job, {true, 3.5, 2, "a"}).Accepted());
    const PageCheck duplicate = AddInterharmonic(job, {true, 3.5, 2, "b"});
    EXPECT_EQ(duplicate.message, 883);
    EXPECT_TRUE(duplicate.beep);
    // The same order measured another way is another channel.
    EXPECT_TRUE(AddInterharmonic(job, {true, 3.5, 1, ""}).Accepted());
    EXPECT_TRUE(AddInterharmonic(job, {false, 175, 2, ""}).Accepted());
    EXPECT_TRUE(AddInterharmonic(job, {true, 7.5, 2, ""}).Accepted());
    EXPECT_TRUE(AddInterharmonic(job, {true, 9.5, 2, ""}).Accepted());
    const PageCheck sixth = AddInterharmonic(job, {true, 11.5, 2, ""});
    EXPECT_TRUE(sixth.beep);
    EXPECT_EQ(sixth.message, 0);
    EXPECT_FALSE(sixth.Accepted());
    EXPECT_EQ(job.NrInterHarm, 5);

    test::RecordingUserInterface ui;
    EXPECT_TRUE(DeleteInterharmonic(job, 0, ui).Accepted());
    EXPECT_EQ(job.NrInterHarm, 4);
    EXPECT_EQ(job.HarmMeasPrinciple[0], 1);
    ui.answerYes = true;
    DeleteInterharmonic(job, -1, ui);
    EXPECT_EQ(job.NrInterHarm, 0);
    EXPECT_TRUE(DeleteInterharmonic(job, -1, ui).beep);  // nothing left to delete

    EXPECT_DOUBLE_EQ(HertzToOrder(175, 50), 3.5);
    EXPECT_DOUBLE_EQ(HertzToOrder(3000, 60), 41.67);  // limited to 2500 Hz first
    EXPECT_DOUBLE_EQ(OrderToHertz(2.92, 60), 175);
    EXPECT_DOUBLE_EQ(OrderToHertz(0.01, 50), 5);
}

TEST(JobSummary, ExtendedFamilyHidesTheNeutralAndTheCurrentsWithoutThem) {
    CMeasurementJob job;
    job.MeasFunc = kMeasFuncA;
    job.InstrHardwNr = 400;
    job.ClampId = 0;
    job.NeutralMeas = 0;
    const JobSummaryColumns hidden = SummaryColumns(job);
    EXPECT_FALSE(hidden.neutral);
    EXPECT_FALSE(hidden.currents);
    job.InstrHardwNr = 300;
    EXPECT_TRUE(SummaryColumns(job).neutral);
    EXPECT_TRUE(SummaryColumns(job).currents);

    job.JobTitle[0] = "Company:";
    job.JobText[0] = "Orbant";
    job.VoltUpperThreshShort = 110;
    job.VoltLowerThreshShort = 90;
    const std::vector<JobSummaryLine> lines = JobSummary(job);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].label, "Company:");
    EXPECT_EQ(lines[0].value, "Orbant");
    bool events = false;
    for (const JobSummaryLine& line : lines)
        if (line.label == "Recording as events") {
            events = true;
            EXPECT_EQ(line.value, "-10.00/+10.00% of 230 V");
        }
    EXPECT_TRUE(events);

    // Without a sensor the extended family's summary has no current rows at all.
    job.InstrHardwNr = 400;
    auto hasLabel = [](const std::vector<JobSummaryLine>& all, const std::string& label) {
        for (const JobSummaryLine& line : all)
            if (line.label == label) return true;
        return false;
    };
    EXPECT_FALSE(hasLabel(JobSummary(job), "Max-value"));
    job.ClampId = 1;
    EXPECT_TRUE(hasLabel(JobSummary(job), "Max-value"));
}

}  // namespace
}  // namespace varelo
