#include "logger/JobWireFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <string>

#include "app/StringTable.h"
#include "logger/ByteReader.h"
#include "logger/ByteWriter.h"
#include "platform/CodePage.h"

namespace varelo {

namespace {

constexpr int kIntervalSeconds[] = {5, 10, 30, 60, 300, 600, 900, 3600, 3, 1800, 1};
constexpr int kFallbackInterval = 600;

constexpr size_t kLineSize = 62;  // caption and content of one descriptive line
constexpr size_t kCaptionSize = 21;
constexpr size_t kContentSize = 41;
constexpr size_t kInterharmonicSize = 36;
constexpr size_t kInterharmonicTextSize = 32;
constexpr size_t kInterharmonicTextRead = 30;

// Substitutes of dates that are not valid, as (two-digit year, month, day, hour, minute, second).
constexpr int kSubstituteStart[6] = {97, 12, 31, 23, 58, 58};
constexpr int kSubstituteEnd[6] = {97, 12, 31, 23, 59, 59};

// Texts of the six fields of each date; the programmed dates skip the weekday's entry.
constexpr int kProgStartTexts[6] = {431, 432, 433, 435, 436, 437};
constexpr int kProgEndTexts[6] = {438, 439, 440, 442, 443, 444};
constexpr int kEffectiveStartTexts[6] = {491, 492, 493, 494, 495, 496};
constexpr int kEffectiveEndTexts[6] = {497, 498, 499, 500, 501, 502};

// ---- writing --------------------------------------------------------------------------------

int BasicFamilyCurrentRangeCode(const CMeasurementJob& job) {
    const double clampAmperes = job.PhCurrClampRawVal * 0.01;
    if (clampAmperes <= 15)
        return 8;
    if (clampAmperes <= 150)
        return 9;
    return 10;
}

// Total apparent power in kVA over the voltage and phase current ranges.
double TotalApparentPower(const CMeasurementJob& job) {
    double power = job.VoltageRange() * job.PhCurrClampRawVal * 0.00003;
    if (job.PhCurrTransformer == 1) {
        power *= TransformerRatio(job.PhCurrPrimaryRawVal, job.PhCurrSecondaryRawVal);
    }
    return power;
}

void WriteDate(ByteWriter& w, size_t offset, const CTimeStamp& t) {
    w.U8(offset, uint32_t((t.year % 100 + 100) % 100));
    w.U8(offset + 1, uint32_t(t.month));
    w.U8(offset + 2, uint32_t(t.day));
    w.U8(offset + 3, uint32_t(t.hour));
    w.U8(offset + 4, uint32_t(t.minute));
    w.U8(offset + 5, uint32_t(t.second));
}

void WriteSegment(ByteWriter& w, size_t offset, const CTimeStamp& start, const CTimeStamp& end) {
    const int16_t fields[] = {start.weekday, start.hour, start.minute,
                              end.weekday,   end.hour,   end.minute};
    for (size_t i = 0; i < std::size(fields); ++i)
        w.U8(offset + i, uint32_t(fields[i]));
}

std::string NotMeasuredText(int entry) {
    char text[48];
    std::snprintf(text, sizeof text, "%d. interharmonic not measured!!!", entry);
    return text;
}

// ---- reading --------------------------------------------------------------------------------

enum class Width { U8, U16, I16, I32 };

// Six date bytes: two-digit year (below 82 in this century), month, day, hour, minute, second.
struct WireDate {
    uint8_t bytes[6] = {};

    WireDate(const ByteReader& r, size_t offset) {
        for (size_t i = 0; i < 6; ++i)
            bytes[i] = r.U8(offset + i);
    }
    int FullYear() const { return bytes[0] < 82 ? 2000 + bytes[0] : 1900 + bytes[0]; }
    bool IsZero() const {
        return std::all_of(std::begin(bytes), std::end(bytes), [](uint8_t b) { return b == 0; });
    }
    bool IsValid() const {
        return bytes[0] <= 99 && bytes[1] >= 1 && bytes[1] <= 12 && bytes[2] >= 1 &&
               bytes[2] <= CTimeStamp::DaysInMonth(FullYear(), bytes[1]) && bytes[3] <= 23 &&
               bytes[4] <= 59 && bytes[5] <= 59;
    }
    CTimeStamp ToTimeStamp() const {
        return CTimeStamp(FullYear(), bytes[1], bytes[2], bytes[3], bytes[4], bytes[5]);
    }
};

CTimeStamp SubstituteDate(const int (&fields)[6]) {
    return CTimeStamp(1900 + fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
}

// Reads fields of the block, keeps the plausible values and reports every replaced one.
class JobBlockChecker {
  public:
    JobBlockChecker(ByteReader reader, ProtocolDiagnostics& diagnostics)
        : r_(reader), diagnostics_(diagnostics) {}

    const ByteReader& Reader() const { return r_; }

    int32_t Value(size_t offset, Width width) const {
        switch (width) {
            case Width::U8:
                return r_.U8(offset);
            case Width::U16:
                return r_.U16(offset);
            case Width::I16:
                return r_.I16(offset);
            case Width::I32:
                return r_.I32(offset);
        }
        return 0;
    }

    // A value within [lo, hi] is kept; any other becomes the substitute.
    int32_t InRange(size_t offset, Width width, int32_t lo, int32_t hi, int32_t substitute,
                    int textId, bool hundredths = false) {
        const int32_t value = Value(offset, width);
        if (value >= lo && value <= hi)
            return value;
        Substituted(textId, {Shown(value, hundredths), Shown(substitute, hundredths)});
        return substitute;
    }

    int32_t OneOf(size_t offset, Width width, std::initializer_list<int32_t> kept,
                  int32_t substitute, int textId) {
        const int32_t value = Value(offset, width);
        if (std::find(kept.begin(), kept.end(), value) != kept.end())
            return value;
        Substituted(textId, {Shown(value), Shown(substitute)});
        return substitute;
    }

    // A raw voltage or current of the job.
    int32_t RawValue(size_t offset, int32_t substitute, int textId) {
        return InRange(offset, Width::I32, kRawValueMin, kRawValueMax, substitute, textId);
    }

    // A value the job does not keep: an implausible one is only reported, as it stands.
    void ReportOnly(size_t offset, Width width, int32_t lo, int32_t hi, int textId) {
        const int32_t value = Value(offset, width);
        if (value < lo || value > hi)
            Substituted(textId, {Shown(value), Shown(value)});
    }

    // Texts with the received value as %1 and the substitute as %2 (unless the text says
    // otherwise).
    void Substituted(int textId, std::initializer_list<std::string> values) {
        diagnostics_.Substitution(Msg(textId, values));
    }
    void DataError(int textId, std::initializer_list<std::string> values) {
        diagnostics_.DataError(Msg(textId, values));
    }

    static std::string Shown(int32_t value, bool hundredths = false) {
        if (!hundredths)
            return std::to_string(value);
        return FormatPrintf("%.2f", {value / 100.0});
    }

  private:
    ByteReader r_;
    ProtocolDiagnostics& diagnostics_;
};

// The six per-field texts of a replaced date, each with the received byte and the substitute.
void ReportDate(const WireDate& received, const int (&substitute)[6], const int (&textIds)[6],
                bool asDataError, JobBlockChecker& check) {
    for (size_t i = 0; i < 6; ++i) {
        const std::string value = std::to_string(received.bytes[i]);
        const std::string replacement = std::to_string(substitute[i]);
        if (asDataError) {
            check.DataError(textIds[i], {value, replacement});
        } else {
            check.Substituted(textIds[i], {value, replacement});
        }
    }
}

// An effective start or end; the end may also be "not set" (all zero).
CTimeStamp DecodeEffectiveDate(const WireDate& date, bool zeroAllowed, const int (&substitute)[6],
                               const int (&textIds)[6], JobBlockChecker& check) {
    if (zeroAllowed && date.IsZero())
        return CTimeStamp();
    if (date.IsValid())
        return date.ToTimeStamp();
    ReportDate(date, substitute, textIds, false, check);
    return SubstituteDate(substitute);
}

std::string InterharmonicText(std::span<const uint8_t> field, int codePage) {
    std::string text;
    for (uint8_t b : field.first(std::min(field.size(), kInterharmonicTextRead))) {
        if (b >= 32)
            text += char(b);
    }
    return CodePageToUtf8(text, codePage);
}

void DecodeDescriptiveLines(const ByteReader& r, CMeasurementJob& job, int codePage) {
    for (size_t i = 0; i < kJobLineCount; ++i) {
        job.JobTitle[i] = CodePageToUtf8(r.Text(i * kLineSize, kCaptionSize), codePage);
        job.JobText[i] =
            CodePageToUtf8(r.Text(i * kLineSize + kCaptionSize, kContentSize), codePage);
    }
}

void DecodeProgrammedPeriod(JobBlockChecker& check, CMeasurementJob& job) {
    const int32_t type = check.Value(372, Width::U8);
    job.JobType = type <= kJobContinuous ? type : kJobContinuous;
    if (type > kJobContinuous)
        check.DataError(430, {std::to_string(type), std::to_string(job.JobType)});

    // Start and end only make sense together: one bad date replaces both.
    const WireDate start(check.Reader(), 373);
    const WireDate end(check.Reader(), 379);
    if (start.IsValid() && end.IsValid()) {
        job.ProgStartMeas = start.ToTimeStamp();
        job.ProgStopMeas = end.ToTimeStamp();
    } else {
        ReportDate(start, kSubstituteStart, kProgStartTexts, true, check);
        ReportDate(end, kSubstituteEnd, kProgEndTexts, true, check);
        job.ProgStartMeas = SubstituteDate(kSubstituteStart);
        job.ProgStopMeas = SubstituteDate(kSubstituteEnd);
    }

    job.NrMeasSectionsProg = int16_t(check.InRange(385, Width::U8, 0, 2, 0, 451));
    for (size_t s = 0; s < kMeasSectionCount; ++s) {
        const size_t offset = 386 + 6 * s;
        CTimeStamp sectionStart, sectionEnd;
        sectionStart.weekday = int16_t(check.InRange(offset, Width::U8, 0, 7, 0, 445));
        sectionStart.hour = int16_t(check.InRange(offset + 1, Width::U8, 0, 23, 0, 446));
        sectionStart.minute = int16_t(check.InRange(offset + 2, Width::U8, 0, 59, 0, 447));
        sectionEnd.weekday = int16_t(check.InRange(offset + 3, Width::U8, 0, 7, 0, 448));
        sectionEnd.hour = int16_t(check.InRange(offset + 4, Width::U8, 0, 23, 0, 449));
        sectionEnd.minute = int16_t(check.InRange(offset + 5, Width::U8, 0, 59, 0, 450));
        job.NrMeasSectionsProgStart[s] = sectionStart;
        job.NrMeasSectionsProgEnd[s] = sectionEnd;
    }

    const int32_t code = check.Value(410, Width::U8);
    job.Interval = IntervalFromCode(code);
    if (job.Interval < 0) {
        job.Interval = kFallbackInterval;
        check.Substituted(452, {std::to_string(code), std::to_string(kFallbackInterval)});
    }
    job.IntervalMemModel = uint32_t(check.InRange(411, Width::U8, 0, 1, 0, 453));
}

void DecodeInterharmonics(JobBlockChecker& check, CMeasurementJob& job, int codePage) {
    job.NrInterHarm = int16_t(check.InRange(431, Width::U8, 0, kInterharmonicCount, 0, 464));
    for (size_t i = 0; i < kInterharmonicCount; ++i) {
        const size_t offset = 432 + kInterharmonicSize * i;
        job.HarmFreqSync[i] = check.Value(offset, Width::U8) != 0 ? 1 : 0;
        const int32_t principle = check.Value(offset + 1, Width::U8);
        job.HarmMeasPrinciple[i] = int16_t(std::min(principle, 3));
        if (principle > 3) {
            check.Substituted(463, {std::to_string(i + 1), std::to_string(principle), "3"});
        }
        job.HarmOrder[i] = int16_t(check.Value(offset + 2, Width::I16));
        job.HarmText[i] =
            InterharmonicText(check.Reader().Bytes(offset + 4, kInterharmonicTextSize), codePage);
    }
}

// Returns the voltage line type (1 = between phases).
int32_t DecodeVoltageInputs(JobBlockChecker& check, CMeasurementJob& job) {
    job.PowSysNomVolt = int16_t(check.OneOf(412, Width::U16, {230, 120}, 230, 454));
    job.PowSysNomFreq = int16_t(check.OneOf(414, Width::U8, {50, 60}, 50, 455));
    job.VoltMinMaxValInterval = int16_t(check.InRange(415, Width::U8, 0, 5, 0, 456));
    const int32_t phaseToPhase = check.InRange(416, Width::U8, 0, 1, 0, 457);
    job.NomVoltRawVal = check.RawValue(417, 23000, 458);
    job.VoltInputRangeCode = int16_t(check.OneOf(421, Width::U8, {4, 8, 9, 10}, 9, 459) - 3);
    const uint8_t inputFlags = check.Reader().U8(422);
    job.VoltTransformer = inputFlags & 0x01;
    if ((inputFlags & ~0x03) != 0) {
        job.VoltTransformer = 0;
        check.Substituted(460, {std::to_string(inputFlags), "0"});
    }
    job.MeasFunc = (inputFlags & 0x02) != 0 ? kMeasFuncP : kMeasFuncA;
    job.VoltPrimaryRawVal = check.RawValue(423, 23000, 461);
    job.VoltSecondaryRawVal = check.RawValue(427, 23000, 462);
    return phaseToPhase;
}

// Event settings, clamp and current inputs; returns the flag of two phase current probes.
int32_t DecodeCurrentInputs(JobBlockChecker& check, CMeasurementJob& job, bool extendedFamily) {
    job.EventMemModel = check.InRange(612, Width::U8, 0, 1, 0, 465);
    job.VoltUpperThreshShort =
        float(check.InRange(613, Width::U16, 10050, 12000, 11000, 466, true) / 100.0);
    job.VoltLowerThreshShort = float(check.InRange(615, Width::I16, 0, 9950, 9000, 467) / 100.0);
    if (extendedFamily) {
        job.ClampId = uint8_t(check.InRange(617, Width::U8, 0, 10, 0, 740));
    } else {
        check.ReportOnly(617, Width::U8, 8, 10, 468);
    }
    job.CurrPowSys = int16_t(check.InRange(618, Width::U8, 0, 1, 0, 469));
    const int32_t twoProbes = check.InRange(619, Width::U8, 0, 1, 0, 470);
    job.PhMaxValInterval = int16_t(check.InRange(620, Width::U8, 0, 8, 2, 471));
    check.ReportOnly(621, Width::I32, kRawValueMin, kRawValueMax, 472);
    job.PhCurrClampRawVal = check.RawValue(625, 10000, 712);
    job.PhCurrTransformer = check.Reader().U8(629) & 0x01;
    job.PhCurrPrimaryRawVal = check.RawValue(630, 1, 474);
    job.PhCurrSecondaryRawVal = check.RawValue(634, 1, 475);
    job.NeutralMeas = int16_t(check.InRange(638, Width::U8, 0, 2, 1, 476));
    job.NeutralMaxValInterval = int16_t(check.InRange(639, Width::U8, 0, 8, 2, 477));
    check.ReportOnly(640, Width::I32, kRawValueMin, kRawValueMax, 478);
    job.NeutralClampCurrRawVal = check.RawValue(644, 10000, 479);
    job.NeutralCurrTransformer = check.Reader().U8(648) & 0x01;
    job.NeutralCurrPrimaryRawVal = check.RawValue(649, 1, 481);
    job.NeutralCurrSecondaryRawVal = check.RawValue(653, 1, 482);
    return twoProbes;
}

// The hardware number or clamp maximum, the powers and the remaining settings. Needs the clamp
// and sensor currents decoded before it.
void DecodeHardwareAndPowers(JobBlockChecker& check, CMeasurementJob& job, bool extendedFamily) {
    const int32_t hardware = check.Reader().I32(657) / 100;
    if (!extendedFamily) {
        if (hardware != 300)
            check.Substituted(483, {std::to_string(hardware), "300"});
        job.InstrHardwNr = 300;
    } else {
        if (hardware >= 1 && hardware <= 65535) {
            job.MaxClampCurr = uint16_t(hardware);
        } else {
            if (job.ClampId == 0) {
                // The larger sensor current, held within the field (a sensor of more than
                // 65535 A would otherwise wrap to a small current).
                const double amperes =
                    std::max(job.PhCurrClampRawVal * 0.01, job.NeutralClampCurrRawVal * 0.01);
                job.MaxClampCurr = uint16_t(std::clamp(amperes, 1.0, 65535.0));
            }
            check.Substituted(741, {std::to_string(hardware), std::to_string(job.MaxClampCurr)});
        }
        job.InstrHardwNr = 400;
    }
    check.ReportOnly(661, Width::I32, kRawValueMin, kRawValueMax, 621);
    check.ReportOnly(665, Width::I32, kRawValueMin, kRawValueMax, 622);
    job.PowMinMaxValInterval = int16_t(check.OneOf(669, Width::U8, {3, 8}, 8, 623));
    job.SpecialTransformerPhase = int16_t(check.InRange(670, Width::U8, 0, 1, 1, 624));
    const int32_t phaseShift = check.Reader().I16(671);
    job.PhaseCorrRawVal = int16_t(std::clamp(phaseShift, -990, 990));
    if (job.PhaseCorrRawVal != phaseShift) {
        check.Substituted(625, {std::to_string(phaseShift), std::to_string(job.PhaseCorrRawVal)});
    }
    job.EventHysteresis = check.InRange(673, Width::I16, 0, 400, 0, 860) / 100.0;
}

// The Logger's report on the measurement, after the job proper.
void DecodeReport(JobBlockChecker& check, CMeasurementJob& job) {
    job.IntervalMem = int16_t(check.InRange(675, Width::U8, 0, 1, 0, 484));
    job.StatMem = int16_t(check.InRange(678, Width::U8, 0, 2, 0, 486));
    job.EventMem = int16_t(check.InRange(680, Width::U8, 0, 2, 0, 488));
    job.EventOpen = int16_t(check.InRange(683, Width::U8, 0, 3, 0, 490));
    job.MeasStartMeasured = DecodeEffectiveDate(WireDate(check.Reader(), 684), false,
                                                kSubstituteStart, kEffectiveStartTexts, check);
    job.MeasStopMeasured = DecodeEffectiveDate(WireDate(check.Reader(), 690), true, kSubstituteEnd,
                                               kEffectiveEndTexts, check);
}

}  // namespace

int IntervalFromCode(int code) {
    if (code < 0 || code >= int(std::size(kIntervalSeconds)))
        return -1;
    return kIntervalSeconds[code];
}

int CodeFromInterval(int seconds) {
    const auto* found =
        std::find(std::begin(kIntervalSeconds), std::end(kIntervalSeconds), seconds);
    if (found == std::end(kIntervalSeconds))
        return CodeFromInterval(kFallbackInterval);
    return int(found - std::begin(kIntervalSeconds));
}

int32_t WireHundredths(double value) {
    const double scaled = value * 100 + 0.5;
    if (std::isnan(scaled))
        return 0;
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    return int32_t(std::clamp(scaled, kMin, kMax));
}

std::array<uint8_t, kJobWriteBlockSize> EncodeJob(const CMeasurementJob& job, bool extendedFamily,
                                                  int codePage) {
    std::array<uint8_t, kJobWriteBlockSize> block{};
    ByteWriter w(block);
    for (size_t i = 0; i < kJobLineCount; ++i) {
        w.Text(i * kLineSize, kCaptionSize, Utf8ToCodePage(job.JobTitle[i], codePage));
        w.Text(i * kLineSize + kCaptionSize, kContentSize,
               Utf8ToCodePage(job.JobText[i], codePage));
    }
    w.U8(372, uint32_t(job.JobType == kJobTimeActivated || job.JobType == kJobSwitchActivated
                           ? job.JobType
                           : kJobContinuous));
    WriteDate(w, 373, job.ProgStartMeas);
    WriteDate(w, 379, job.ProgStopMeas);
    w.U8(385, uint32_t(job.NrMeasSectionsProg));
    for (size_t s = 0; s < kMeasSectionCount; ++s) {
        WriteSegment(w, 386 + 6 * s, job.NrMeasSectionsProgStart[s], job.NrMeasSectionsProgEnd[s]);
    }
    // 398 to 409 stay zero.
    w.U8(410, uint32_t(CodeFromInterval(job.Interval)));
    w.U8(411, job.IntervalMemModel != 0 ? 1 : 0);
    w.U16(412, uint32_t(job.PowSysNomVolt));
    w.U8(414, uint32_t(job.PowSysNomFreq));
    w.U8(415, uint32_t(job.VoltMinMaxValInterval));
    w.U8(416, job.IsPhaseToPhase() ? 1 : 0);
    w.U32(417, uint32_t(job.NomVoltRawVal));
    w.U8(421, uint32_t(job.VoltInputRangeCode + 3));
    const bool voltTransformer = job.VoltTransformer == 1;
    w.U8(422, (voltTransformer ? 1 : 0) | (job.MeasFunc == kMeasFuncP ? 2 : 0));
    w.U32(423, uint32_t(voltTransformer ? job.VoltPrimaryRawVal : 100));
    w.U32(427, uint32_t(voltTransformer ? job.VoltSecondaryRawVal : 100));

    w.U8(431, uint32_t(job.NrInterHarm));
    for (size_t i = 0; i < kInterharmonicCount; ++i) {
        const size_t offset = 432 + kInterharmonicSize * i;
        if (int(i) < job.NrInterHarm) {
            w.U8(offset, job.HarmFreqSync[i] != 0 ? 1 : 0);
            w.U8(offset + 1, uint32_t(job.HarmMeasPrinciple[i]));
            w.U16(offset + 2, uint32_t(job.HarmOrder[i]));
            w.Text(offset + 4, kInterharmonicTextSize, Utf8ToCodePage(job.HarmText[i], codePage));
        } else {
            w.Text(offset + 4, kInterharmonicTextSize, NotMeasuredText(int(i) + 1));
        }
    }

    w.U8(612, job.EventMemModel != 0 ? 1 : 0);
    w.U16(613, uint32_t(WireHundredths(job.VoltUpperThreshShort)));
    w.U16(615, uint32_t(WireHundredths(job.VoltLowerThreshShort)));
    w.U8(617, uint32_t(extendedFamily ? job.ClampId : BasicFamilyCurrentRangeCode(job)));
    w.U8(618, uint32_t(job.CurrPowSys));
    w.U8(619, job.VoltPowSysType == kPowSysTwoElementDelta ? 1 : 0);
    w.U8(620, uint32_t(job.PhMaxValInterval));
    w.U32(621, uint32_t(WireHundredths(job.PhaseCurrentRange())));
    w.U32(625, uint32_t(job.PhCurrClampRawVal));
    w.U8(629, (job.VoltPowSysType * 32) ^ uint32_t(job.PhCurrTransformer & 1));
    const bool phaseTransformer = job.PhCurrTransformer == 1;
    w.U32(630, uint32_t(phaseTransformer ? job.PhCurrPrimaryRawVal : 100));
    w.U32(634, uint32_t(phaseTransformer ? job.PhCurrSecondaryRawVal : 100));
    w.U8(638, uint32_t(job.NeutralMeas));
    w.U8(639, uint32_t(job.NeutralMaxValInterval));
    w.U32(640, uint32_t(WireHundredths(job.NeutralCurrentRange())));
    w.U32(644, uint32_t(job.NeutralClampCurrRawVal));
    const bool neutralTransformer = job.NeutralCurrTransformer == 1;
    w.U8(648, neutralTransformer ? 1 : 0);
    w.U32(649, uint32_t(neutralTransformer ? job.NeutralCurrPrimaryRawVal : 100));
    w.U32(653, uint32_t(neutralTransformer ? job.NeutralCurrSecondaryRawVal : 100));
    w.U32(657, extendedFamily ? uint32_t(job.MaxClampCurr) * 100 : uint32_t(job.InstrHardwNr));
    const double totalPower = TotalApparentPower(job);
    w.U32(661, uint32_t(WireHundredths(totalPower)));
    w.U32(665, uint32_t(WireHundredths(totalPower / (job.IsPhaseToPhase() ? 2 : 3))));
    w.U8(669, uint32_t(job.PowMinMaxValInterval));
    w.U8(670, uint32_t(job.SpecialTransformerPhase));
    w.U16(671, uint32_t(job.PhaseCorrRawVal));
    w.U16(673, uint32_t(WireHundredths(job.EventHysteresis)));
    return block;
}

bool DecodeJob(std::span<const uint8_t> block, CMeasurementJob& job, bool extendedFamily,
               ProtocolDiagnostics& diagnostics, int codePage) {
    if (block.size() < kJobReadBlockSize)
        return false;
    const ByteReader r(block.first(kJobReadBlockSize));
    JobBlockChecker check(r, diagnostics);

    DecodeDescriptiveLines(r, job, codePage);
    DecodeProgrammedPeriod(check, job);
    const int32_t phaseToPhase = DecodeVoltageInputs(check, job);
    DecodeInterharmonics(check, job, codePage);
    const int32_t twoProbes = DecodeCurrentInputs(check, job, extendedFamily);
    DecodeHardwareAndPowers(check, job, extendedFamily);
    DecodeReport(check, job);

    // Delta systems are announced by the line type, the others by the flag byte's top bits.
    if (phaseToPhase == 1) {
        job.VoltPowSysType = twoProbes == 1 ? kPowSysTwoElementDelta : kPowSysDelta;
    } else {
        const uint32_t type = r.U8(629) >> 5;
        job.VoltPowSysType =
            (type == kPowSysWye || type == kPowSysSinglePhase || type == kPowSysSplitSinglePhase)
                ? type
                : kPowSysWye;
    }
    job.THDVoltMaxValInterval = 2;
    job.THDPhaseMaxValInterval = 2;
    job.THDNeutralMaxValInterval = 2;
    return true;
}

uint32_t DecodeJobFunction(std::span<const uint8_t> block) {
    if (block.size() <= 422)
        return kMeasFuncNotSet;
    return (block[422] & 0x02) != 0 ? kMeasFuncP : kMeasFuncA;
}

}  // namespace varelo
