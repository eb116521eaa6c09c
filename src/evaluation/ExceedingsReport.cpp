#include "evaluation/ExceedingsReport.h"

#include <algorithm>
#include <cstdio>

#include "app/StringTable.h"
#include "evaluation/EvaluatedMeasurement.h"
#include "evaluation/EvaluationResult.h"
#include "evaluation/EventListModel.h"
#include "evaluation/LimitValues.h"
#include "measurement/IntervalList.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr int kLimitValue = 1329;  // "limit value"
constexpr int kNotDefined = 1333;  // "not defined"
constexpr int kDataFromInterval = 1322;
constexpr int kNo = 1330;
constexpr int kVoltageHarmonicName = 333;  // "V h"
constexpr int kCurrentHarmonicName = 905;  // "I h"
constexpr int16_t kRawOverflow = 0x7FFF;
constexpr int kValueWidth = 6;

struct SectionKind {
    int quantity;
    int label;
    const char* unit;  // with the blanks around it
    bool single;
};

// Labels and units of the plain sections; the harmonic groups follow their own rules.
constexpr SectionKind kPlainKinds[] = {
    {11, 1337, " [V]", false},    {12, 1335, " [V]", false},    {13, 1336, " [V]", false},
    {17, 1327, " [Pst] ", false}, {18, 1326, " [Plt] ", false}, {1, 1339, " [%] ", true},
    {2, 1328, " [Hz] ", true},    {22, 1338, " [%] ", false},   {40, 1498, " [%] ", false},
};

bool IsVoltageHarmonic(int q) {
    return q >= kVoltageHarmonicFirst && q <= kVoltageHarmonicLast;
}
bool IsVoltageInterharmonic(int q) {
    return q >= kVoltageInterharmonicFirst && q <= kVoltageInterharmonicLast;
}
bool IsCurrentHarmonic(int q) {
    return q >= kCurrentHarmonicFirst && q <= kCurrentHarmonicLast;
}

std::string FixedWidth(double value, int width, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
    return text;
}

std::string Fixed(double value, int decimals) {
    return FixedWidth(value, 0, decimals);
}

std::string ToleranceText(int plus, int minus, bool leadingBlank) {
    const char* pattern = plus == minus ? "+/- %u%%" : "+%u/-%u%%";
    std::string text =
        plus == minus
            ? FormatPrintf(pattern, {(unsigned long long)plus})
            : FormatPrintf(pattern, {(unsigned long long)plus, (unsigned long long)minus});
    return leadingBlank ? " " + text : text;
}

std::string LimitPart(const ExceedingBand& band, double limit) {
    return Str(kLimitValue) + ": " + (band.active ? Fixed(limit, 2) : Str(kNotDefined));
}

// The name of an interharmonic channel: its order or its frequency, then how it is measured.
std::string InterharmonicText(const CMeasurementJob& job, int channel) {
    std::string text;
    if (job.HarmFreqSync[size_t(channel)] != 0) {
        char order[32];
        std::snprintf(order, sizeof order, "%04.2f", job.HarmOrder[size_t(channel)] * 0.01);
        text = order + Str(kVoltageHarmonicName);
    } else {
        text = FormatPrintf("%04d", {(long long)InterharmonicFrequency(job, channel)}) + " " +
               Str(824);
    }
    static const char* const kPrinciple[] = {"", " 200 ms Min", " 200 ms Max", " 3 s Max"};
    const int principle = job.HarmMeasPrinciple[size_t(channel)];
    if (principle > 0 && principle < 4) text += kPrinciple[principle];
    return text;
}

std::string Heading(int q, const ExceedingBand& band, const CLimitValues& limits,
                    const CMeasurementJob& job) {
    for (const SectionKind& kind : kPlainKinds) {
        if (kind.quantity != q) continue;
        std::string heading = Str(kind.label) + kind.unit;
        if (!band.active) return heading + (q >= 11 && q <= 13 ? " " : "") + LimitPart(band, 0);
        if (q >= 11 && q <= 13)
            return heading + " " + Str(kLimitValue) + ": " + Fixed(job.NomVoltRawVal * 0.01, 2) +
                   "V " +
                   ToleranceText(TruncatedTolerance(limits.NplusTol95),
                                 TruncatedTolerance(limits.NminusTol95), false);
        if (q == 2)
            return heading + Str(kLimitValue) + ": " + std::to_string(NominalFrequencyOf(job)) +
                   "Hz" + ToleranceText(limits.FplusTol95, limits.FminusTol95, true) + " - " +
                   Str(kDataFromInterval);
        return heading + LimitPart(band, band.upper);
    }
    if (IsVoltageHarmonic(q))
        return Str(1334) + " [%] " + Str(kVoltageHarmonicName) +
               std::to_string(q - (kVoltageHarmonicFirst - 1)) + " " + LimitPart(band, band.upper);
    if (IsVoltageInterharmonic(q))
        return Str(1334) + " [%] " + InterharmonicText(job, q - kVoltageInterharmonicFirst) + " " +
               LimitPart(band, band.upper);
    return Str(1321) + " [A] " + Str(kCurrentHarmonicName) +
           std::to_string(q - (kCurrentHarmonicFirst - 1)) + " " + LimitPart(band, band.upper);
}

int DecimalsOf(int q, const CMeasurementJob& job) {
    if (q >= 11 && q <= 13) return CEventListModel::VoltageDecimals(job);
    return q == 17 || q == 18 ? 3 : 2;
}

// Reads one section's values of an interval: the catalogue's value in the section's units, the
// Plt by the interval's position in the flicker series.
class SectionValues {
public:
    SectionValues(const ExceedingsSection& section, const EvaluatedMeasurement& m)
        : section_(section), m_(m), settings_(QuantitySettings::Current()) {
        for (size_t c = 0; c < section.phases.size(); ++c) {
            const int id = section.single ? section.quantity
                                          : ChannelIdOf(section.phases[c], section.quantity);
            channels_[c].SetupChannel(id);
            // Harmonics in % of the nominal voltage, current harmonics in A.
            channels_[c].relative = false;
        }
    }

    double Value(const CIntervalRecord& record, size_t interval, size_t column) const {
        const int phase = section_.phases[column];
        if (section_.quantity == 18) {
            const CFlickerStatistics* flicker = m_.evaluation.Flicker();
            if (!flicker) return 0;
            const std::vector<double>& series = flicker->PltSeries(phase);
            return interval < series.size() ? series[interval] : 0;
        }
        return channels_[column].ChannelValue(record, m_.scaling, settings_);
    }

    bool Overflow(const CIntervalRecord& record, size_t column) const {
        if (!IsCurrentHarmonic(section_.quantity)) return false;
        return record.CurrHarm(section_.phases[column],
                               section_.quantity - (kCurrentHarmonicFirst - 1)) == kRawOverflow;
    }

private:
    const ExceedingsSection& section_;
    const EvaluatedMeasurement& m_;
    QuantitySettings settings_;
    std::array<CMeasurementChannel, 3> channels_;
};

}  // namespace

const std::vector<int>& ExceedingsReport::SectionOrder() {
    static const std::vector<int> order = [] {
        std::vector<int> o = {11, 12, 13, 17, 18, 1, 2, 22, 40};
        for (int q = kVoltageHarmonicFirst; q <= kVoltageHarmonicLast; ++q)
            o.push_back(q);
        for (int q = kVoltageInterharmonicFirst; q <= kVoltageInterharmonicLast; ++q)
            o.push_back(q);
        for (int q = kCurrentHarmonicFirst; q <= kCurrentHarmonicLast; ++q)
            o.push_back(q);
        return o;
    }();
    return order;
}

ExceedingsReport ExceedingsReport::Build(const EvaluatedMeasurement& m,
                                         const CIntervalList& intervals,
                                         const std::vector<int>& channels, bool status) {
    ExceedingsReport report;
    report.intervals_ = &intervals;
    report.job_ = &m.job;
    report.status_ = status;
    const PhasePresence presence = m.evaluation.Presence();
    for (int q : SectionOrder()) {
        if (std::none_of(channels.begin(), channels.end(),
                         [q](int id) { return id > 0 && id % 1000 == q; }))
            continue;
        ExceedingsSection section;
        section.quantity = q;
        const QuantityRow* row = FindQuantity(q);
        section.single = row && row->single;
        section.band = ExceedingBandOf(q, m.limits, m.job);
        section.heading = Heading(q, section.band, m.limits, m.job);
        section.decimals = DecimalsOf(q, m.job);
        if (section.single) {
            section.phases = {0};
        } else {
            for (int p = 0; p < kPhaseCount; ++p) {
                if (presence.Has(p)) section.phases.push_back(p);
            }
        }
        report.sections_.push_back(std::move(section));
    }

    for (ExceedingsSection& section : report.sections_) {
        if (!section.band.active) continue;
        const SectionValues values(section, m);
        for (size_t i = 0; i < intervals.size(); ++i) {
            const CIntervalRecord& record = intervals[i];
            ExceedingsRow row;
            for (size_t c = 0; c < section.phases.size(); ++c) {
                row.values[c] = values.Value(record, i, c);
                if (section.band.Exceeds(row.values[c])) row.exceeding |= uint8_t(1u << c);
                if (values.Overflow(record, c)) row.overflow |= uint8_t(1u << c);
            }
            if (row.exceeding == 0) continue;
            row.interval = int(i);
            section.rows.push_back(row);
        }
    }
    for (ExceedingsSection& section : report.sections_) {
        if (section.rows.empty()) section.rows.push_back(ExceedingsRow{});
    }
    return report;
}

size_t ExceedingsReport::RowCount() const {
    size_t n = 0;
    for (const ExceedingsSection& s : sections_)
        n += s.rows.size();
    return n;
}

std::string ExceedingsReport::TimeText(const ExceedingsRow& row) const {
    if (row.interval < 0 || !intervals_ || size_t(row.interval) >= intervals_->size()) return {};
    const CIntervalRecord& record = (*intervals_)[size_t(row.interval)];
    std::string text = record.DateTime.DisplayText();
    if (status_)
        text += FormatPrintf("%8d", {(long long)row.interval + 1}) + "  " +
                StatusLetterCode(uint16_t(record.Status));
    return text;
}

std::vector<std::string> ExceedingsReport::CellTexts(const ExceedingsSection& section,
                                                     const ExceedingsRow& row) const {
    std::vector<std::string> cells;
    for (size_t c = 0; c < section.phases.size(); ++c) {
        if (row.interval < 0) {
            cells.push_back(Str(kNo));
        } else if (!(row.exceeding & (1u << c))) {
            cells.push_back("-");
        } else {
            std::string text = FixedWidth(row.values[c], kValueWidth, section.decimals);
            if (row.overflow & (1u << c)) text = ">" + text;
            cells.push_back(text);
        }
    }
    return cells;
}

std::vector<std::string> ExceedingsReport::ColumnTitles(const ExceedingsSection& section,
                                                        PhaseLabels labels) const {
    std::vector<std::string> titles;
    if (section.single) return titles;
    const bool voltage = !IsCurrentHarmonic(section.quantity) && section.quantity != 40;
    const bool phaseToPhase = job_ && (job_->VoltPowSysType == kPowSysDelta ||
                                       job_->VoltPowSysType == kPowSysTwoElementDelta);
    const int set = voltage && phaseToPhase ? 2 : 1;
    for (int phase : section.phases)
        titles.push_back(PhaseLabel(set, phase, labels));
    return titles;
}

}  // namespace varelo
