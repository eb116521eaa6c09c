#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "evaluation/PhasePresence.h"

namespace varelo {

class CMeasurementJob;

// How a cell of the statistical values is marked.
enum BlockMark : int {
    kMarkNone = 0,
    kMarkFramed = 1,  // the share within tolerance is below the required share
    kMarkGrey = 2,    // outside the band, above the limit, or a share below 100 % that suffices
};

// One header line of a block: label, unit and limit text.
struct BlockHeaderLine {
    std::string label;
    std::string unit;
    std::string limit;
};

// A row of the statistical values: three measured and three deviation cells (L1-L3), each
// with its mark. A merged row shows cell 1 (L2) across its group.
struct StatisticalRow {
    std::string label;
    std::string unit;
    std::string limit;
    bool merged = false;
    std::array<std::string, 3> measured;
    std::array<std::string, 3> deviation;
    std::array<int, 3> measuredMark{};
    std::array<int, 3> deviationMark{};
};

// A row of the most critical values: the value stands in the column of its phase; column 1,
// the middle, for values that belong to no phase.
struct CriticalRow {
    std::string unit;
    std::string time;
    int column = 1;
    std::string value;
    std::string duration;
};

// One quantity of a report: one to three header lines, then its rows (of one kind).
struct ReportBlock {
    std::vector<BlockHeaderLine> header;
    std::vector<StatisticalRow> statistical;
    std::vector<CriticalRow> critical;

    size_t RowCount() const { return statistical.size() + critical.size(); }
    size_t LineCount() const { return header.size() + RowCount(); }
};

// A block-table report: the statistical values or the most critical values.
struct BlockReport {
    enum class Kind { kStatistical, kCritical };

    Kind kind = Kind::kStatistical;
    PhasePresence presence;
    std::array<std::string, 3> phaseNames;
    std::vector<ReportBlock> blocks;

    void SetPhases(uint32_t voltPowSysType, PhaseLabels labels);
};

// Widths of a report's columns. Statistical values: label, unit, limit, measured group,
// deviation group. Most critical values: label, unit, date and time, measured group, duration.
struct BlockColumns {
    double label = 0;
    double unit = 0;
    double third = 0;  // limit, or date and time
    double group = 0;  // the measured group
    double last = 0;   // the deviation group, or the duration
    int phases = 0;

    double Total() const { return label + unit + third + group + last; }
    // Left edge and width, relative to the group's left edge, of the cell of a phase column
    // (0-2) among the present phases. A column whose phase is absent spans the whole group.
    std::array<double, 2> PhaseCell(int column, const PhasePresence& presence) const;
};

// A value as written with n decimals ("%.*f") and the number that text stands for. Marks and
// deviations are computed from the latter, so that they always agree with the digits shown.
struct WrittenValue {
    std::string text;
    double value = 0;
};
WrittenValue Written(double value, int decimals);

// A signalling level in %: above the top class edge 11.5 written "> 11.50" and counted as
// 11.5; at or below 1 % written "<= 1%"; otherwise with 2 decimals.
WrittenValue SignallingLevel(double percent);

// Label of an interharmonic or signalling channel: "V h" and its order for a channel measured
// synchronously with the system frequency, else its frequency in Hz; then the measuring
// principle in brackets.
std::string ChannelLabel(const CMeasurementJob& job, int channel);

// Width of a text in the drawing's font.
using TextWidth = std::function<double(const std::string&)>;

// Step 2 of the layout: the text columns share their part of the width in proportion to their
// widest text plus two average character widths; each group is divided among the phases.
BlockColumns LayoutColumns(const BlockReport& report, double width, const TextWidth& textWidth,
                           double averageCharWidth);

}  // namespace varelo
