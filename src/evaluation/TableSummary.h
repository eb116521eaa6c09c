#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/AppOptions.h"

namespace varelo {

struct EvaluatedMeasurement;

// One row of the table summary: label, unit, limit text, and per phase L1-L3 a maximum cell
// and an x % cell. A merged part shows the L2 text across its three columns.
struct SummaryRow {
    enum Mark { kNone = 0, kShareReached = 1, kMaximumReached = 2 };

    std::string label;
    std::string unit;
    std::string limit;
    bool header = false;  // a group's header row
    bool subRow = false;  // a row under a group's header
    bool mergedMaximum = false;
    bool mergedShare = false;
    std::array<std::string, 6> cells;  // maximum L1-L3, then x % value L1-L3
    std::array<int, 6> marks{};

    void SetMaximum(int phase, const std::string& text, bool reached) {
        cells[size_t(phase)] = text;
        marks[size_t(phase)] = reached ? kMaximumReached : kNone;
    }
    void SetShare(int phase, const std::string& text, bool reached) {
        cells[size_t(3 + phase)] = text;
        marks[size_t(3 + phase)] = reached ? kShareReached : kNone;
    }
};

// The rows of the table summary of an evaluated document, in drawing order, and the texts of
// its heading and legend.
struct TableSummary {
    std::vector<SummaryRow> rows;
    std::array<bool, 3> phases{};  // present phases
    std::array<std::string, 3> phaseNames;
    std::string shareHeading;   // "95%-value"
    std::string limitFileName;  // the limit column's heading
    std::string maximumLegend;  // "Max value above limit value"
    std::string shareLegend;    // "95%-value above limit value"

    static TableSummary Build(const EvaluatedMeasurement& measurement, PhaseLabels labels);
};

}  // namespace varelo
