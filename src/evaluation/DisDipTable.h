#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "app/AppOptions.h"
#include "evaluation/PhasePresence.h"

namespace varelo {

class CEventList;
class CLimitValues;
class CMeasurementJob;

// The UNIPEDE DISDIP table: events counted by depth (rows) and duration (columns), with its
// labels and totals. Rebuilt from the event list whenever the phase filter changes.
class CDisDipTable {
public:
    static constexpr int kRows = 7;
    static constexpr int kColumns = 8;
    static constexpr int kSwellRow = 0;
    static constexpr int kInterruptionRow = 6;

    // phaseFilter: 0 all phases, 1-3 one phase; a phase the system does not have leaves the
    // table empty.
    void Build(const CEventList& events, const CMeasurementJob& job, const CLimitValues& limits,
               int phaseFilter);

    int PhaseFilter() const { return phaseFilter_; }
    int Cell(int row, int column) const { return cells_[size_t(row)][size_t(column)]; }
    // Interruptions of 3 minutes or more.
    int LongInterruptions() const { return longInterruptions_; }

    // Duration column of an event, 0 (< 20 ms) to 7 (>= 1 min).
    static int DurationColumn(long long durationMs);
    // Depth row of an event voltage in V; -1 between the dip and the swell threshold.
    int DepthRow(double volts) const;

    std::string RowLabel(int row) const;
    // The two lines of a column label.
    static std::pair<std::string, std::string> ColumnLabel(int column);
    // "Phase" and the selected phase, or the present phases joined by ", ".
    std::string CornerText(PhaseLabels labels) const;
    // "Recording as events from -x/+y% of the nominal voltage".
    std::string RecordingText() const;
    static std::string NoteText();
    // The totals below the table: label and number.
    std::vector<std::pair<std::string, int>> Totals() const;

    // The command "List of all events" needs a job that recorded events.
    static bool IsEventListEnabled(const CMeasurementJob& job);

private:
    PhasePresence presence_;
    int phaseFilter_ = 0;
    double upper_ = 0;  // VoltUpperThreshShort, %
    double lower_ = 0;  // VoltLowerThreshShort, %
    int interruptionLimit_ = 0;
    int allowedEvents_ = 0;
    // Thresholds in V: swell, dip, 0.9, 0.85, 0.7 and 0.4 Un, interruption.
    double swell_ = 0, dip_ = 0, un90_ = 0, un85_ = 0, un70_ = 0, un40_ = 0, interruption_ = 0;
    std::array<std::array<int, kColumns>, kRows> cells_{};
    int longInterruptions_ = 0;
};

}  // namespace varelo
