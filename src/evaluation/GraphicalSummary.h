#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace varelo {

struct EvaluatedMeasurement;

// One pair of bars in per mille of the limit: the x % value and the maximum.
struct SummaryBarPair {
    int phase = 0;  // 0-2; 0 for the one pair of a system-wide quantity
    int share = 0;
    int maximum = 0;
    bool hasMaximum = true;
};

// One group of the graphical summary; a group that is not shown keeps its place with "---".
struct SummaryBarGroup {
    std::string label;
    bool shown = false;
    std::vector<SummaryBarPair> pairs;
};

// What decides the graphical summary beyond the document: the settings of the moment.
struct GraphicalSummaryOptions {
    bool thdDisabled = false;          // "IsThdDisabled"
    bool standardLimitFile = false;    // the default EN50160 limit file is selected
    bool en50160CheckEnabled = false;  // "IsEN50160Disabled" is 0
};

// The bars of the graphical summary, recomputed from the evaluation on every update.
struct GraphicalSummary {
    static constexpr int kGroups = 9;
    static constexpr int kLimitLine = 1000;
    static constexpr int kScaleTop = 1200;

    std::array<SummaryBarGroup, kGroups> groups;
    std::string limitName;  // the limit file name, cut before ".gwd"
    int histogram = 95;     // the share of the x % bars
    bool en50160Note = false;

    static GraphicalSummary Build(const EvaluatedMeasurement& measurement,
                                  const GraphicalSummaryOptions& options);
};

// trunc(value / limit x 1000), 0 for a limit of 0 or less, at most 1200 (never below 0).
int BarPerMille(double value, double limit);
// The file name part of a limit file path, cut before the first ".gwd" in any case.
std::string LimitFileDisplayName(const std::string& path);
// The period note stands when the check is on and the measurement is not 1008 x 600 s.
bool NeedsEn50160Note(bool checkEnabled, long long intervals, int intervalSeconds);

}  // namespace varelo
