#include "evaluation/TableSummary.h"

#include <cstdio>
#include <filesystem>

#include "app/StringTable.h"
#include "app/TextKeys.h"
#include "evaluation/EvaluatedMeasurement.h"
#include "evaluation/EvaluationResult.h"
#include "evaluation/LimitValues.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RawScaling.h"

namespace varelo {

namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

constexpr const char* kNoValue = "-";

SummaryRow Row(std::string label, std::string unit, std::string limit) {
    SummaryRow row;
    row.label = std::move(label);
    row.unit = std::move(unit);
    row.limit = std::move(limit);
    return row;
}

SummaryRow SubRow(std::string label, std::string unit, std::string limit) {
    SummaryRow row = Row(std::move(label), std::move(unit), std::move(limit));
    row.subRow = true;
    return row;
}

SummaryRow Header(std::string label, std::string unit = "", std::string limit = "") {
    SummaryRow row = Row(std::move(label), std::move(unit), std::move(limit));
    row.header = row.mergedMaximum = row.mergedShare = true;
    return row;
}

// Fills every present phase with "-" where its object is absent.
void NoValues(SummaryRow& row, const std::array<bool, 3>& phases) {
    for (int p = 0; p < 3; ++p) {
        if (!phases[size_t(p)]) continue;
        row.SetMaximum(p, kNoValue, false);
        row.SetShare(p, kNoValue, false);
    }
}

class Builder {
public:
    Builder(const EvaluatedMeasurement& m, TableSummary& out)
        : eval_(m.evaluation),
          limits_(m.limits),
          job_(m.job),
          scaling_(m.scaling),
          out_(out),
          share_(m.limits.Histogram) {}

    void Build() {
        bool aOrP = job_.MeasFunc == kMeasFuncA || job_.MeasFunc == kMeasFuncP;
        VoltageVariations();
        EventCounts(Msg1362(), {0, 1});
        EventCounts(Str(758), {2});
        if (aOrP) Harmonics(false);
        if (job_.MeasFunc == kMeasFuncA) Harmonics(true);
        if (eval_.Flicker()) Flicker();
        if (aOrP) Unbalance();
        if (job_.MeasFunc == kMeasFuncA) Signalling();
        if (aOrP) Frequency();
    }

private:
    std::string Msg1362() const {
        return FormatPrintf(Str(1362), {static_cast<long long>(limits_.InterruptionLimit)});
    }
    std::string Percent(double share) const { return Fixed(share, share == int(share) ? 0 : 1); }
    bool Present(int p) const { return out_.phases[size_t(p)]; }
    double NomPercent(double volts) const {
        return scaling_.NomVolt > 0 ? volts / scaling_.NomVolt * 100 : 0;
    }

    void VoltageVariations() {
        out_.rows.push_back(Header(Str(2101), "", Fixed(scaling_.NomVolt, 0) + "V "));
        std::string suffix = " 100% / " + Percent(share_) + "%";
        SummaryRow upper =
            SubRow(Txt(txt::summary_maximum) + suffix, "% [Vn]",
                   "+" + Fixed(limits_.NplusTol100, 2) + "/+" + Fixed(limits_.NplusTol95, 2));
        SummaryRow lower =
            SubRow(Txt(txt::summary_minimum) + suffix, "% [Vn]",
                   "-" + Fixed(limits_.NminusTol100, 2) + "/-" + Fixed(limits_.NminusTol95, 2));
        const CVoltageVariation* v = eval_.VoltageVariation();
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            if (!v || v->Count(p) == 0) {
                NoValues(upper, out_.phases);
                NoValues(lower, out_.phases);
                break;
            }
            double max = NomPercent(v->Maximum(p) * scaling_.VoltScale) - 100;
            double min = NomPercent(v->Minimum(p) * scaling_.VoltScale) - 100;
            auto reached100 = [&](double d) {
                return d >= limits_.NplusTol100 || d <= -limits_.NminusTol100;
            };
            auto reached95 = [&](double d) {
                return d >= limits_.NplusTol95 || d <= -limits_.NminusTol95;
            };
            upper.SetMaximum(p, Fixed(max, 2), reached100(max));
            lower.SetMaximum(p, Fixed(min, 2), reached100(min));
            long long lo = 0, hi = 0;
            if (v->Range(0, p, share_, lo, hi)) {
                double up = NomPercent(double(hi) * scaling_.VoltScale);
                double down = NomPercent(double(lo) * scaling_.VoltScale);
                upper.SetShare(p, Fixed(up, 2), reached95(up));
                lower.SetShare(p, Fixed(down, 2), reached95(down));
            } else {
                upper.SetShare(p, kNoValue, false);
                lower.SetShare(p, kNoValue, false);
            }
        }
        out_.rows.push_back(upper);
        out_.rows.push_back(lower);
    }

    void EventCounts(std::string label, std::initializer_list<int> kinds) {
        SummaryRow row = Row(std::move(label), Str(754), std::to_string(limits_.NrEvents));
        row.mergedShare = true;
        const CEventStatistics* events = eval_.Events();
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            if (!events) {
                row.SetMaximum(p, kNoValue, false);
                continue;
            }
            int count = 0;
            for (int kind : kinds)
                count += events->Count(p, kind);
            row.SetMaximum(p, std::to_string(count), count >= limits_.NrEvents);
        }
        row.SetShare(1, kNoValue, false);
        out_.rows.push_back(row);
    }

    void Harmonics(bool current) {
        size_t headerAt = out_.rows.size();
        out_.rows.push_back(Header(current ? Str(2105) : Str(2104)));
        std::vector<std::pair<int, size_t>> orderRows;  // order -> row index
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            WorstOrderResult worst =
                current ? eval_.WorstCurrentOrder(p, share_) : eval_.WorstVoltageOrder(p, share_);
            if (worst.order < 0) continue;
            size_t at = 0;
            for (auto [order, index] : orderRows) {
                if (order == worst.order) at = index;
            }
            if (at == 0) {
                at = out_.rows.size();
                orderRows.push_back({worst.order, at});
                out_.rows.push_back(HarmonicRow(current, worst.order));
            }
            // Harmonic results are raw; THD (order 0) is in % already.
            double scale = worst.order == 0 ? 1.0
                           : current        ? scaling_.CurrH1Scale
                                            : scaling_.HarmPercentScale;
            double max = worst.maximum * scale, value = worst.percentValue * scale;
            double limit = worst.limit * scale;
            out_.rows[at].SetMaximum(p, Fixed(max, 2), max >= limit);
            out_.rows[at].SetShare(p, Fixed(value, 2), value >= limit);
        }
        if (orderRows.empty()) {
            SummaryRow& header = out_.rows[headerAt];
            header.unit = current ? "A" : "% [Vn]";
            header.SetMaximum(1, Str(838), false);
        }
    }

    SummaryRow HarmonicRow(bool current, int order) const {
        if (order == 0) {
            return SubRow(current ? Str(1498) : Str(1338), "%",
                          Fixed(current ? limits_.CurrTHD : limits_.THD, 2));
        }
        double limit = current ? limits_.CurrentHarmonicLimit(order) : limits_.HarmonicLimit(order);
        return SubRow(FormatPositional(Txt(txt::summary_harmonicOrder), {std::to_string(order)}),
                      current ? "A" : "% [Vn]", Fixed(limit, 2));
    }

    void Flicker() {
        const CFlickerStatistics& f = *eval_.Flicker();
        SummaryRow row = Row(Str(898), "Plt", Fixed(limits_.FlickPlt, 3));
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            double max = f.Maximum(p), value = f.PercentValue(p, share_);
            row.SetMaximum(p, Fixed(max, 3), max >= limits_.FlickPlt);
            row.SetShare(p, Fixed(value, 3), value >= limits_.FlickPlt);
        }
        out_.rows.push_back(row);
    }

    void Unbalance() {
        SummaryRow row = Row(Str(958), "%", Fixed(limits_.VoltUnbal, 2));
        row.mergedMaximum = row.mergedShare = true;
        const CUnbalanceStatistics* u = eval_.Unbalance();
        if (!u) {
            row.SetMaximum(1, kNoValue, false);
            row.SetShare(1, kNoValue, false);
        } else if (!u->IsDefined()) {
            row.SetMaximum(1, Txt(txt::summary_notDefined), false);
            row.SetShare(1, kNoValue, false);
        } else {
            double max = u->Maximum() / 100, value = u->PercentValue(share_) / 100;  // 0.01 %
            row.SetMaximum(1, Fixed(max, 2), max >= limits_.VoltUnbal);
            row.SetShare(1, Fixed(value, 2), value >= limits_.VoltUnbal);
        }
        out_.rows.push_back(row);
    }

    void Signalling() {
        size_t headerAt = out_.rows.size();
        SummaryRow header = Header(Txt(txt::summary_signallingVoltages));
        header.SetShare(1, Msg(1363, {"99"}), false);
        out_.rows.push_back(header);
        const CSignallingStatistics* s = eval_.Signalling();
        std::vector<std::pair<int, size_t>> channelRows;
        for (int p = 0; s && p < 3; ++p) {
            if (!Present(p)) continue;
            int channel = s->WorstOrder(p, 99);
            if (channel < 0) continue;
            size_t at = 0;
            for (auto [c, index] : channelRows) {
                if (c == channel) at = index;
            }
            if (at == 0) {
                at = out_.rows.size();
                channelRows.push_back({channel, at});
                out_.rows.push_back(SubRow(std::to_string(s->Frequency(channel)) + " Hz", "% [Vn]",
                                           Fixed(s->Limit(channel), 2)));
            }
            double max = s->Maximum(p, channel), value = s->PercentValue(p, channel, 99);
            out_.rows[at].SetMaximum(p, Fixed(max, 2), max > s->Limit(channel));
            out_.rows[at].SetShare(p, Fixed(value, 2), value > s->Limit(channel));
        }
        if (channelRows.empty()) {
            out_.rows[headerAt].unit = "% [Vn]";
            out_.rows[headerAt].SetMaximum(1, Str(838), false);
        }
    }

    void Frequency() {
        SummaryRow header = Header(Str(900), "", std::to_string(job_.PowSysNomFreq) + " Hz");
        header.SetShare(1, Msg(1363, {"99.5"}), false);
        out_.rows.push_back(header);
        std::string suffix = " 100% / 99.5%";
        SummaryRow upper = SubRow(
            Txt(txt::summary_maximum) + suffix, "%",
            "+" + std::to_string(limits_.FplusTol100) + "/+" + std::to_string(limits_.FplusTol95));
        SummaryRow lower = SubRow(Txt(txt::summary_minimum) + suffix, "%",
                                  "-" + std::to_string(limits_.FminusTol100) + "/-" +
                                      std::to_string(limits_.FminusTol95));
        upper.mergedMaximum = upper.mergedShare = lower.mergedMaximum = lower.mergedShare = true;
        const CFrequencyStatistics* f = eval_.Frequency();
        if (f && f->HasValues()) {
            double f0 = f->NominalFrequency();
            auto percent = [&](double deviation) { return deviation * 100 / f0; };
            auto reached100 = [&](double d) {
                return d <= -limits_.FminusTol100 || d >= limits_.FplusTol100;
            };
            auto reached95 = [&](double d) {
                return d <= -limits_.FminusTol95 || d >= limits_.FplusTol95;
            };
            double max = percent(f->Maximum() - f0), min = percent(f->Minimum() - f0);
            upper.SetMaximum(1, Fixed(max, 2), reached100(max));
            lower.SetMaximum(1, Fixed(min, 2), reached100(min));
            double lo = 0, hi = 0;
            if (f->Range(0, 99.5, lo, hi)) {
                upper.SetShare(1, Fixed(percent(hi), 2), reached95(percent(hi)));
                lower.SetShare(1, Fixed(percent(lo), 2), reached95(percent(lo)));
            }
        }
        out_.rows.push_back(upper);
        out_.rows.push_back(lower);
    }

    const CEvaluationResult& eval_;
    const CLimitValues& limits_;
    const CMeasurementJob& job_;
    const CRawScaling& scaling_;
    TableSummary& out_;
    double share_;
};

}  // namespace

TableSummary TableSummary::Build(const EvaluatedMeasurement& m, PhaseLabels labels) {
    TableSummary summary;
    PhasePresence presence = PhasePresence::FromPowerSystem(m.job.VoltPowSysType);
    for (int p = 0; p < 3; ++p) {
        summary.phases[size_t(p)] = presence.Has(p);
        summary.phaseNames[size_t(p)] = PhaseLabel(1, p, labels);
    }
    std::string share = std::to_string(m.limits.Histogram);
    summary.shareHeading = Msg(1363, {share});
    summary.maximumLegend = Txt(txt::summary_maxAboveLimit);
    summary.shareLegend = Msg(1356, {share});
    uint32_t f = m.job.MeasFunc;
    if (f == kMeasFuncA || f == kMeasFuncP) {
        size_t at = summary.shareLegend.find("%-");
        if (at != std::string::npos) summary.shareLegend.replace(at, 2, "% (99.5%) - ");
    }
    summary.limitFileName = std::filesystem::path(m.limitFilePath).filename().string();
    Builder(m, summary).Build();
    return summary;
}

}  // namespace varelo
