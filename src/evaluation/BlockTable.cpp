#include "evaluation/BlockTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/StringTable.h"
#include "evaluation/EvaluationMath.h"
#include "measurement/MeasurementChannel.h"

namespace varelo {

namespace {

constexpr int kParameterUnitText = 1277;  // "Unit"
constexpr int kDurationText = 1276;
constexpr double kTopSignallingEdge = 11.5;

}  // namespace

WrittenValue Written(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return {text, std::strtod(text, nullptr)};
}

WrittenValue SignallingLevel(double percent) {
    if (percent > kTopSignallingEdge) {
        WrittenValue top = Written(kTopSignallingEdge, 2);
        return {"> " + top.text, top.value};
    }
    if (percent <= 1.0) return {"<= 1%", percent};
    return Written(percent, 2);
}

std::string ChannelLabel(const CMeasurementJob& job, int channel) {
    const size_t j = size_t(channel);
    std::string label;
    if (job.HarmFreqSync[j] != 0)
        label = "V h" + Written(job.HarmOrder[j] * 0.01, 2).text;
    else
        label = std::to_string(ChannelFrequency(job, channel)) + " Hz";
    return label + " (" + (job.HarmMeasPrinciple[j] != 0 ? "Max-value" : "Average value") + ")";
}

void BlockReport::SetPhases(uint32_t voltPowSysType, PhaseLabels labels) {
    presence = PhasePresence::FromPowerSystem(voltPowSysType);
    for (int p = 0; p < 3; ++p)
        phaseNames[size_t(p)] = PhaseLabel(1, p, labels);
}

std::array<double, 2> BlockColumns::PhaseCell(int column, const PhasePresence& presence) const {
    if (phases <= 0 || !presence.Has(column)) return {0, group};
    const double w = group / phases;
    int before = 0;
    for (int p = 0; p < column; ++p)
        before += presence.Has(p) ? 1 : 0;
    return {before * w, w};
}

BlockColumns LayoutColumns(const BlockReport& report, double width, const TextWidth& textWidth,
                           double averageCharWidth) {
    const bool critical = report.kind == BlockReport::Kind::kCritical;
    double label = 0, unit = textWidth(Str(kParameterUnitText)), third = 0, duration = 0;
    if (critical) duration = textWidth(Str(kDurationText));
    for (const ReportBlock& block : report.blocks) {
        for (const BlockHeaderLine& line : block.header) {
            label = std::max(label, textWidth(line.label));
            unit = std::max(unit, textWidth(line.unit));
            third = std::max(third, textWidth(line.limit));
        }
        for (const StatisticalRow& row : block.statistical) {
            label = std::max(label, textWidth(row.label));
            unit = std::max(unit, textWidth(row.unit));
            third = std::max(third, textWidth(row.limit));
        }
        for (const CriticalRow& row : block.critical) {
            unit = std::max(unit, textWidth(row.unit));
            third = std::max(third, textWidth(row.time));
            duration = std::max(duration, textWidth(row.duration));
        }
    }
    const double pad = 2 * averageCharWidth;
    label += pad;
    unit += pad;
    third += pad;
    duration += pad;
    BlockColumns c;
    c.phases = report.presence.Count();
    const double shared = critical ? width * 0.75 : width * 0.5;
    const double sum = label + unit + third + (critical ? duration : 0);
    c.label = shared * label / sum;
    c.unit = shared * unit / sum;
    c.third = shared * third / sum;
    if (critical) {
        c.last = shared * duration / sum;
        c.group = width - shared;
    } else {
        c.group = c.last = (width - shared) / 2;
    }
    return c;
}

}  // namespace varelo
