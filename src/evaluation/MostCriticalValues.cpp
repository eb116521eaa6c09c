#include "evaluation/MostCriticalValues.h"

#include <algorithm>

#include "app/StringTable.h"
#include "app/TextKeys.h"
#include "evaluation/EvaluatedMeasurement.h"
#include "evaluation/EvaluationMath.h"
#include "evaluation/EvaluationResult.h"
#include "evaluation/EventListModel.h"
#include "measurement/EventRecord.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RawScaling.h"

namespace varelo {

namespace {

constexpr int kNotDefinedText = 1333;
constexpr int kNoneText = 1330;  // "no"
constexpr const char* kNoTime = "-";
constexpr int kMiddle = 1;
constexpr int kRanks = 5;
constexpr int kHarmonicOrders[] = {3, 5, 7, 9};

CriticalRow Row(std::string unit, std::string time, int column, std::string value,
                std::string duration = "") {
    return {std::move(unit), std::move(time), column, std::move(value), std::move(duration)};
}

class Builder {
public:
    Builder(const EvaluatedMeasurement& m, BlockReport& out)
        : eval_(m.evaluation), job_(m.job), scaling_(m.scaling), out_(out) {}

    void Build() {
        if (const CVoltageVariation* v = eval_.VoltageVariation())
            TopValues({{Str(2101), "V", ""}}, v->TopFive(0), scaling_.VoltScale, 2);
        if (eval_.Events()) {
            Interruptions(Txt(txt::statistics_shortInterruptions), 0);
            Interruptions(Txt(txt::statistics_longInterruptions), 1);
            Events();
        }
        if (const CHarmonicStatistics* h = eval_.VoltageHarmonics()) {
            for (int order : kHarmonicOrders)
                TopValues(
                    {{FormatPositional(Txt(txt::statistics_harmonicOrder), {std::to_string(order)}),
                      "% [Vn]", ""}},
                    MergedTopFive(h->Order(order), out_.presence), scaling_.HarmPercentScale, 2);
        }
        if (const CRelativeHistogram* thd = eval_.VoltageThd())
            TopValues({{Str(1338), "%", ""}}, MergedTopFive(*thd, out_.presence), 1.0, 2);
        if (const CFlickerStatistics* f = eval_.Flicker(); f && HasValues(*f))
            TopValues({{Txt(txt::statistics_flicker), "Plt", ""}},
                      MergedTopFive(f->Histogram(), out_.presence), 1.0, 3);
        if (eval_.Unbalance()) Unbalance();
        if (eval_.Signalling()) Signalling();
        if (const CHarmonicStatistics* h = eval_.VoltageHarmonics()) {
            const int channels = std::min<int>(job_.NrInterHarm, h->ChannelCount());
            for (int j = 0; j < channels; ++j)
                TopValues({{Txt(txt::statistics_interharmonicShort), "% [Vn]", ""},
                           {ChannelLabel(job_, j), "", ""}},
                          MergedTopFive(h->Channel(j), out_.presence), scaling_.HarmPercentScale,
                          2);
        }
        if (eval_.Frequency()) Frequency();
    }

private:
    bool HasValues(const CFlickerStatistics& f) const {
        for (int p = 0; p < 3; ++p) {
            if (out_.presence.Has(p) && f.Count(p) > 0) return true;
        }
        return false;
    }

    // A block of top-five entries, each in the column of its phase.
    void TopValues(std::vector<BlockHeaderLine> header, const std::vector<TopFiveEntry>& top,
                   double scale, int decimals) {
        ReportBlock block;
        block.header = std::move(header);
        const std::string unit = block.header[0].unit;
        for (const TopFiveEntry& e : top)
            block.critical.push_back(Row(unit, CEventListModel::StartText(e.time), e.phase,
                                         Written(e.value * scale, decimals).text));
        out_.blocks.push_back(std::move(block));
    }

    void Interruptions(const std::string& label, int kind) {
        ReportBlock block;
        block.header = {{label, Txt(txt::statistics_number), ""},
                        {Str(769), Txt(txt::statistics_perMeasurementPeriod), ""}};
        const CEventStatistics& events = *eval_.Events();
        if (events.Total(kind) == 0) {
            block.critical.push_back(Row("", "", kMiddle, Str(kNoneText)));
        } else {
            for (const EventEntry& e : events.Longest(kind))
                block.critical.push_back(Row("", CEventListModel::StartText(e.start), e.phase, "x",
                                             CEventListModel::DurationText(e.durationMs)));
        }
        out_.blocks.push_back(std::move(block));
    }

    void Events() {
        ReportBlock block;
        block.header = {{Str(758), Txt(txt::statistics_number), ""},
                        {"", Txt(txt::statistics_perMeasurementPeriod), ""}};
        const CEventStatistics& events = *eval_.Events();
        if (events.Total(kEventOther) == 0) {
            block.critical.push_back(Row("V", "", kMiddle, Str(kNoneText)));
        } else {
            for (const EventEntry& e : events.TopDeviations())
                block.critical.push_back(Row("V", CEventListModel::StartText(e.start), e.phase,
                                             Written(e.voltage, 1).text,
                                             CEventListModel::DurationText(e.durationMs)));
        }
        out_.blocks.push_back(std::move(block));
    }

    void Unbalance() {
        const CUnbalanceStatistics& u = *eval_.Unbalance();
        ReportBlock block;
        block.header = {{Str(958), "%", ""}};
        if (!u.IsDefined()) {
            block.critical.push_back(Row("%", "", kMiddle, Str(kNotDefinedText)));
        } else {
            for (const TopFiveEntry& e : u.TopFive())  // raw 0.01 %
                block.critical.push_back(Row("%", CEventListModel::StartText(e.time), kMiddle,
                                             Written(e.value / 100, 2).text));
        }
        out_.blocks.push_back(std::move(block));
    }

    void Signalling() {
        const CSignallingStatistics& s = *eval_.Signalling();
        const int channels = std::min<int>(job_.NrInterHarm, CSignallingStatistics::kChannels);
        for (int j = 0; j < channels; ++j) {
            // Each phase's 1st to 5th highest values, merged: equal values keep phase order.
            CTopFive<> merged;
            for (int p = 0; p < 3; ++p) {
                if (!out_.presence.Has(p)) continue;
                for (int rank = 1; rank <= kRanks; ++rank)
                    merged.Insert({s.HighestValue(p, j, rank), {}, p, true});
            }
            ReportBlock block;
            block.header = {{Str(767), "% [Vn]", ""}, {ChannelLabel(job_, j), "", ""}};
            for (const TopFiveEntry& e : merged)
                block.critical.push_back(
                    Row("% [Vn]", kNoTime, e.phase, SignallingLevel(e.value).text));
            out_.blocks.push_back(std::move(block));
        }
    }

    void Frequency() {
        const std::vector<TopFiveEntry> top = eval_.Frequency()->TopFive(1);
        ReportBlock block;
        block.header = {
            {FormatPositional(Txt(txt::statistics_frequencyBothBands), {Str(900)}), "Hz", ""},
            {Str(900) + " 100%", "", ""}};
        for (size_t i = 0; i < size_t(kRanks); ++i) {
            std::string value = i < top.size() ? Written(top[i].value, 2).text : "-";
            block.critical.push_back(Row("Hz", kNoTime, kMiddle, value));
        }
        out_.blocks.push_back(std::move(block));
    }

    const CEvaluationResult& eval_;
    const CMeasurementJob& job_;
    const CRawScaling& scaling_;
    BlockReport& out_;
};

}  // namespace

BlockReport MostCriticalValues::Build(const EvaluatedMeasurement& m, PhaseLabels labels) {
    BlockReport report;
    report.kind = BlockReport::Kind::kCritical;
    report.SetPhases(m.job.VoltPowSysType, labels);
    Builder(m, report).Build();
    return report;
}

}  // namespace varelo
