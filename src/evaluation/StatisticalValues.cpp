#include "evaluation/StatisticalValues.h"

#include <algorithm>
#include <cmath>

#include "app/StringTable.h"
#include "app/TextKeys.h"
#include "evaluation/EvaluatedMeasurement.h"
#include "evaluation/EvaluationMath.h"
#include "evaluation/EvaluationResult.h"
#include "evaluation/LimitValues.h"
#include "measurement/EventRecord.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RawScaling.h"

namespace varelo {

namespace {

constexpr int kShortLimitText = 1308;  // "< %d%% of V n"
constexpr int kEventLimitText = 1287;  // "> %d%% V n"
constexpr int kNotDefinedText = 1333;
constexpr const char* kNoDeviation = "-";
constexpr double kSignallingShare = 99;
constexpr double kFrequencyShare = 99.5;
constexpr int kHarmonicOrders[] = {3, 5, 7, 9};

// A share or count written without needless decimals ("95", "99.5").
std::string ShareText(double share) {
    return Written(share, share == std::trunc(share) ? 0 : 1).text;
}

int WithinMark(double share, double required) {
    if (share < required) return kMarkFramed;
    return share < 100 ? kMarkGrey : kMarkNone;
}

StatisticalRow WithinRow(const std::string& limit) {
    StatisticalRow row;
    row.label = Txt(txt::statistics_withinTolerance);
    row.unit = "%";
    row.limit = limit;
    return row;
}

StatisticalRow ValueRow(const std::string& label, const std::string& unit,
                        const std::string& limit) {
    StatisticalRow row;
    row.label = label;
    row.unit = unit;
    row.limit = limit;
    return row;
}

// A within share against the required share: 2 decimals, its mark, and share - required.
void SetWithin(StatisticalRow& row, int cell, double share, double required) {
    const WrittenValue s = Written(share, 2);
    row.measured[size_t(cell)] = s.text;
    row.measuredMark[size_t(cell)] = WithinMark(s.value, required);
    row.deviation[size_t(cell)] = Written(s.value - required, 2).text;
}

// A maximum against an upper limit; a limit of 0 means there is none: no mark, no deviation.
void SetMaximum(StatisticalRow& row, int cell, const WrittenValue& value, double limit,
                int decimals) {
    row.measured[size_t(cell)] = value.text;
    if (limit <= 0) return;
    const WrittenValue l = Written(limit, decimals);
    row.measuredMark[size_t(cell)] = value.value > l.value ? kMarkGrey : kMarkNone;
    row.deviation[size_t(cell)] = Written(l.value - value.value, decimals).text;
}

class Builder {
public:
    Builder(const EvaluatedMeasurement& m, BlockReport& out)
        : eval_(m.evaluation),
          limits_(m.limits),
          job_(m.job),
          scaling_(m.scaling),
          out_(out),
          share_(m.limits.Histogram) {}

    void Build() {
        if (eval_.VoltageVariation()) {
            VoltageVariations(0, share_, limits_.NplusTol95, limits_.NminusTol95);
            VoltageVariations(1, 100, limits_.NplusTol100, limits_.NminusTol100);
        }
        if (eval_.Events()) {
            std::string shortLimit =
                FormatPrintf(Str(kShortLimitText), {(long long)limits_.InterruptionLimit});
            Interruptions(Txt(txt::statistics_shortInterruptions), shortLimit,
                          Txt(txt::events_underThreeMinutes), 0);
            Interruptions(Txt(txt::statistics_longInterruptions), shortLimit,
                          Txt(txt::events_threeMinutesOrMore), 1);
            Events();
        }
        if (const CHarmonicStatistics* h = eval_.VoltageHarmonics()) {
            for (int order : kHarmonicOrders)
                Relative(
                    {{FormatPositional(Txt(txt::statistics_harmonicOrder), {std::to_string(order)}),
                      "% [Vn]", ""}},
                    h->Order(order), limits_.HarmonicLimit(order), scaling_.HarmPercentScale);
        }
        if (const CRelativeHistogram* thd = eval_.VoltageThd())
            Relative({{Str(1338), "%", ""}}, *thd, limits_.THD, 1.0);
        if (eval_.Flicker()) Flicker();
        if (eval_.Unbalance()) Unbalance();
        if (eval_.Signalling()) Signalling();
        if (const CHarmonicStatistics* h = eval_.VoltageHarmonics()) Interharmonics(*h);
        if (eval_.Frequency()) {
            Frequency(0, kFrequencyShare, limits_.FplusTol95, limits_.FminusTol95);
            Frequency(1, 100, limits_.FplusTol100, limits_.FminusTol100);
        }
    }

private:
    bool Present(int p) const { return out_.presence.Has(p); }
    std::string LimitText(double limit, int decimals) const {
        return limit > 0 ? Written(limit, decimals).text : Txt(txt::statistics_noLimitValue);
    }
    void Add(ReportBlock block) { out_.blocks.push_back(std::move(block)); }

    void VoltageVariations(int set, double required, double plus, double minus) {
        const double nom = scaling_.NomVolt;
        std::string tolerance =
            plus == minus ? "+/- " + Written(plus, 2).text + "%"
                          : "+" + Written(plus, 2).text + "/-" + Written(minus, 2).text + "%";
        ReportBlock block;
        block.header.push_back({Str(2101), "V", Written(nom, 2).text + "V " + tolerance});
        const WrittenValue upper = Written(nom * (100 + plus) / 100, 2);
        const WrittenValue lower = Written(nom * (100 - minus) / 100, 2);
        StatisticalRow within = WithinRow(ShareText(required));
        StatisticalRow max = ValueRow(Txt(txt::statistics_max), "V", upper.text);
        StatisticalRow min = ValueRow(Txt(txt::statistics_min), "V", lower.text);
        const CVoltageVariation& v = *eval_.VoltageVariation();
        auto band = [&](StatisticalRow& row, int p, int raw) {
            const WrittenValue value = Written(raw * scaling_.VoltScale, 2);
            row.measured[size_t(p)] = value.text;
            row.measuredMark[size_t(p)] =
                value.value < lower.value || value.value > upper.value ? kMarkGrey : kMarkNone;
            row.deviation[size_t(p)] = kNoDeviation;
        };
        for (int p = 0; p < 3; ++p) {
            if (!Present(p) || v.Count(p) == 0) continue;
            SetWithin(within, p, v.WithinPercent(set, p), required);
            band(max, p, v.Maximum(p));
            band(min, p, v.Minimum(p));
        }
        block.statistical = {within, max, min};
        Add(std::move(block));
    }

    // The count rows of an event block: the counts per phase against NrEvents.
    void CountRows(ReportBlock& block, int kind) {
        StatisticalRow count =
            ValueRow("", Txt(txt::statistics_number), std::to_string(limits_.NrEvents));
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            const int n = eval_.Events()->Count(p, kind);
            count.measured[size_t(p)] = std::to_string(n);
            count.measuredMark[size_t(p)] = n > limits_.NrEvents ? kMarkGrey : kMarkNone;
            count.deviation[size_t(p)] = std::to_string(limits_.NrEvents - n);
        }
        block.statistical = {count, ValueRow("", Txt(txt::statistics_perMeasurementPeriod), "")};
    }

    void Interruptions(const std::string& label, const std::string& limit,
                       const std::string& duration, int kind) {
        ReportBlock block;
        block.header = {{label, Txt(txt::statistics_number), limit},
                        {Str(769), Txt(txt::statistics_perMeasurementPeriod), duration}};
        CountRows(block, kind);
        Add(std::move(block));
    }

    void Events() {
        ReportBlock block;
        const long long above = TruncToInt64(job_.VoltUpperThreshShort - 100);
        const long long below = TruncToInt64(job_.VoltLowerThreshShort - 100);
        block.header = {
            {Str(758), Txt(txt::statistics_number), "> Vn +" + std::to_string(above) + "%"},
            {"", Txt(txt::statistics_perMeasurementPeriod),
             FormatPositional(Txt(txt::statistics_orBelow), {std::to_string(below)})},
            {"", "", FormatPrintf(Str(kEventLimitText), {(long long)limits_.InterruptionLimit})}};
        CountRows(block, kEventOther);
        Add(std::move(block));
    }

    // Harmonics, THD and interharmonics: values in % of the nominal voltage after `scale`.
    void Relative(std::vector<BlockHeaderLine> header, const CRelativeHistogram& h, double limit,
                  double scale) {
        ReportBlock block;
        block.header = std::move(header);
        block.header[0].limit = LimitText(limit, 2);
        StatisticalRow within = WithinRow(ShareText(share_));
        StatisticalRow max = ValueRow(Txt(txt::statistics_max), block.header[0].unit, "");
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            if (limit > 0) SetWithin(within, p, h.WithinPercent(p), share_);
            SetMaximum(max, p, Written(h.Maximum(p) * scale, 2), limit, 2);
        }
        block.statistical = {within, max};
        Add(std::move(block));
    }

    void Flicker() {
        const CFlickerStatistics& f = *eval_.Flicker();
        const double limit = limits_.FlickPlt;
        ReportBlock block;
        block.header = {{Txt(txt::statistics_flicker), "Plt", LimitText(limit, 3)}};
        StatisticalRow within = WithinRow(ShareText(share_));
        StatisticalRow max = ValueRow(Txt(txt::statistics_max), "Plt", "");
        for (int p = 0; p < 3; ++p) {
            if (!Present(p) || f.Count(p) == 0) continue;
            if (limit > 0) SetWithin(within, p, f.WithinPercent(p), share_);
            SetMaximum(max, p, Written(f.Maximum(p), 3), limit, 3);
        }
        block.statistical = {within, max};
        Add(std::move(block));
    }

    void Unbalance() {
        const CUnbalanceStatistics& u = *eval_.Unbalance();
        const double limit = limits_.VoltUnbal;
        ReportBlock block;
        block.header = {{Str(958), "%", LimitText(limit, 2)}};
        StatisticalRow within = WithinRow(ShareText(share_));
        StatisticalRow max = ValueRow(Txt(txt::statistics_max), "%", "");
        within.merged = max.merged = true;
        if (!u.IsDefined()) {
            within.measured[1] = Str(kNotDefinedText);
        } else if (u.Count() > 0) {
            if (limit > 0) SetWithin(within, 1, u.WithinPercent(), share_);
            SetMaximum(max, 1, Written(u.Maximum() / 100, 2), limit, 2);  // raw 0.01 %
        }
        block.statistical = {within, max};
        Add(std::move(block));
    }

    void Signalling() {
        const CSignallingStatistics& s = *eval_.Signalling();
        const int channels = std::min<int>(job_.NrInterHarm, CSignallingStatistics::kChannels);
        for (int j = 0; j < channels; ++j) {
            const double limit = s.Limit(j);
            if (limit <= 0) continue;
            ReportBlock block;
            block.header = {{Str(767), "% [Vn]", Written(limit, 2).text},
                            {ChannelLabel(job_, j), "", ""}};
            StatisticalRow within = WithinRow(ShareText(kSignallingShare));
            StatisticalRow max = ValueRow(Txt(txt::statistics_max), "% [Vn]", "");
            for (int p = 0; p < 3; ++p) {
                if (!Present(p)) continue;
                SetWithin(within, p, s.WithinPercent(p, j), kSignallingShare);
                SetMaximum(max, p, SignallingLevel(s.Maximum(p, j)), limit, 2);
            }
            block.statistical = {within, max};
            Add(std::move(block));
        }
    }

    void Interharmonics(const CHarmonicStatistics& h) {
        const int channels = std::min<int>(job_.NrInterHarm, h.ChannelCount());
        for (int j = 0; j < channels; ++j) {
            const double limit = limits_.InterharmonicLimit(ChannelFrequency(job_, j));
            if (limit <= 0) continue;
            Relative({{Txt(txt::statistics_interharmonicShort), "% [Vn]", ""},
                      {ChannelLabel(job_, j), "", ""}},
                     h.Channel(j), limit, scaling_.HarmPercentScale);
        }
    }

    void Frequency(int set, double required, int plus, int minus) {
        const CFrequencyStatistics& f = *eval_.Frequency();
        const int f0 = JobNominalFrequency(job_);
        std::string tolerance =
            plus == minus ? FormatPrintf(" +/- %hu%%", {(long long)plus})
                          : FormatPrintf(" +%hu/-%hu%%", {(long long)plus, (long long)minus});
        ReportBlock block;
        block.header = {{Str(900) + " " + ShareText(required) + "%", "Hz",
                         std::to_string(f0) + "Hz" + tolerance}};
        const WrittenValue upper = Written(f0 * (100.0 + plus) / 100, 2);
        const WrittenValue lower = Written(f0 * (100.0 - minus) / 100, 2);
        StatisticalRow within = WithinRow(ShareText(required));
        StatisticalRow max = ValueRow(Txt(txt::statistics_max), "Hz", upper.text);
        StatisticalRow min = ValueRow(Txt(txt::statistics_min), "Hz", lower.text);
        within.merged = max.merged = min.merged = true;
        if (f.HasValues()) {
            const WrittenValue share = Written(f.WithinPercent(set), 2);
            within.measured[1] = share.text;
            within.measuredMark[1] = share.value < required ? kMarkFramed : kMarkNone;
            within.deviation[1] = Written(share.value - required, 2).text;
            for (auto [row, value] : {std::pair{&max, f.Maximum()}, std::pair{&min, f.Minimum()}}) {
                const WrittenValue v = Written(value, 2);
                row->measured[1] = v.text;
                row->measuredMark[1] =
                    v.value > upper.value || v.value < lower.value ? kMarkGrey : kMarkNone;
            }
        }
        block.statistical = {within, max, min};
        Add(std::move(block));
    }

    const CEvaluationResult& eval_;
    const CLimitValues& limits_;
    const CMeasurementJob& job_;
    const CRawScaling& scaling_;
    BlockReport& out_;
    double share_;
};

}  // namespace

BlockReport StatisticalValues::Build(const EvaluatedMeasurement& m, PhaseLabels labels) {
    BlockReport report;
    report.kind = BlockReport::Kind::kStatistical;
    report.SetPhases(m.job.VoltPowSysType, labels);
    Builder(m, report).Build();
    return report;
}

}  // namespace varelo
