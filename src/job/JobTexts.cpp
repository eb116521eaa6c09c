#include "job/JobTexts.h"

#include <algorithm>
#include <cstdio>

#include "app/StringTable.h"
#include "app/TextKeys.h"
#include "measurement/MeasurementJob.h"
#include "measurement/VoltageRangeTable.h"

namespace varelo::job_text {

namespace {

constexpr int kDaily = 1426;  // then 1427 "Monday" ... 1433 "Sunday"

std::string DayText(int weekday) {
    if (weekday == 0) return Str(kDaily);
    if (weekday < 1 || weekday > 7) return "?";
    return Str(kDaily + weekday).substr(0, 2);
}

std::string Clock(const CTimeStamp& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    return text;
}

}  // namespace

std::string Fixed(double value, int decimals, int width) {
    char text[64];
    std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
    return text;
}

std::string MemoryModel(uint32_t model) {
    return Str(model == 1 ? 1444 : 970);
}

std::string Transformer(int32_t primary, int32_t secondary, const char* unit) {
    return Fixed(primary * 0.01, 2) + " " + unit + "/ " + Fixed(secondary * 0.01, 2) + " " + unit;
}

std::string PhaseCurrentTransformer(const CMeasurementJob& job) {
    if (job.PhCurrTransformer != 1) return "-";
    return Transformer(job.PhCurrPrimaryRawVal, job.PhCurrSecondaryRawVal, "A");
}

std::string NeutralCurrentTransformer(const CMeasurementJob& job) {
    if (job.NeutralMeas == 0 || job.NeutralCurrTransformer != 1) return "-";
    return Transformer(job.NeutralCurrPrimaryRawVal, job.NeutralCurrSecondaryRawVal, "A");
}

std::string IntervalLength(int seconds) {
    if (seconds == 1) return "1 " + Str(1197);
    if (seconds < 60) return std::to_string(seconds) + " " + Str(1198);
    if (seconds == 60) return "1 " + Str(1063);
    return std::to_string(seconds / 60) + " " + Str(1064);
}

std::string Averaging(int code) {
    switch (code) {
        case 0: return Txt(txt::job_period_halfPeriod);
        case 1: return Txt(txt::job_period_onePeriod);
        case 2: return "200 ms";
        case 3: return Str(1056);  // "1 second"
        case 4: return Txt(txt::job_period_threeSeconds);
        case 5: return Txt(txt::job_period_fiveSeconds);
        case 6: return Txt(txt::job_period_tenSeconds);
        case 7: return Txt(txt::job_period_thirtySeconds);
        case 8: return Txt(txt::job_period_fortyFiveSeconds);
        default: return "";
    }
}

int InputRangeVolts(const CMeasurementJob& job) {
    // The range table's 138.5 V shows as 138 V.
    return int(VoltageInputRange(int(job.VoltInputRangeCode), job.IsPhaseToPhase()));
}

std::string SegmentList(const CMeasurementJob& job, const std::string& separator) {
    const int count = std::min<int>(job.NrMeasSectionsProg, kMeasSectionCount);
    if (count <= 0) return Str(963);
    std::string text;
    for (int n = 0; n < count; ++n)
        text += (n ? separator : std::string()) + SegmentLine(job, n);
    return text;
}

std::string MeasuredPeriod(const CMeasurementJob& job) {
    if (job.MeasStartMeasured.IsZero() && job.MeasStopMeasured.IsZero()) return "??? - ???";
    auto text = [](const CTimeStamp& t) {
        return t.IsZero() ? std::string("???") : t.DisplayText();
    };
    return text(job.MeasStartMeasured) + " - " + text(job.MeasStopMeasured);
}

std::string SegmentLine(const CMeasurementJob& job, int segment) {
    const CTimeStamp& start = job.NrMeasSectionsProgStart[size_t(segment)];
    const CTimeStamp& end = job.NrMeasSectionsProgEnd[size_t(segment)];
    std::string line = DayText(start.weekday) + " " + Clock(start) + " - ";
    if (end.weekday != 0) line += DayText(end.weekday) + " ";
    return line + Clock(end);
}

std::string EventThresholds(const CMeasurementJob& job) {
    std::string band = Msg(370, {Fixed(100 - job.VoltLowerThreshShort, 2, 5),
                                 Fixed(job.VoltUpperThreshShort - 100, 2, 5)});
    return Msg(371, {band, Fixed(job.NomVoltRawVal * 0.01, 0)});
}

}  // namespace varelo::job_text
