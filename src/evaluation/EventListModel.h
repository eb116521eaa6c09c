#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "evaluation/PhasePresence.h"
#include "measurement/TimeStamp.h"

namespace varelo {

class CEventList;
class CMeasurementJob;

// One line of the event list.
struct EventListRow {
    size_t eventIndex = 0;  // position in the event list
    CTimeStamp start;
    long long durationMs = 0;
    int column = -1;  // column of the event's phase, -1 when no column shows it (phase 0)
    std::string startText;
    std::string durationText;
    std::string cellText;  // "< 3 min.", ">= 3 min." or the event voltage
};

// What the event list shows: counts per phase and kind, the filters and the rows passing them.
class CEventListModel {
public:
    // Kind filters; the count table uses the same indices.
    enum KindFilter { kAllKinds = 0, kEvents = 1, kShortInterruptions = 2, kLongInterruptions = 3 };

    // Counts the events; the phase filter starts at L1 when it is the only phase, otherwise
    // at all phases, and the kind filter at all kinds.
    void Build(const CEventList& events, const CMeasurementJob& job);

    // Count of a phase filter (0 all, 1-3) and kind filter; kind 0 sums the other three.
    int Count(int phaseFilter, int kindFilter) const;
    int PhaseFilter() const { return phaseFilter_; }
    int GetKindFilter() const { return kindFilter_; }
    // A phase without events of the current kind falls back to all kinds.
    void SetPhaseFilter(int phaseFilter);
    void SetKindFilter(int kindFilter);
    // A kind can be chosen when the current phase filter has an event of that kind.
    bool IsKindEnabled(int kindFilter) const;

    PhasePresence Presence() const { return presence_; }
    // Phases (0-2) of the value columns: every present phase, or the selected one.
    std::vector<int> ColumnPhases() const;
    // "Phase" and the phase name for each column.
    std::vector<std::string> ColumnTitles(PhaseLabels labels) const;
    std::vector<EventListRow> Rows(const CEventList& events) const;

    // Kind index of an event's Kind: 1 dip or swell, 2 short, 3 long interruption; 0 unknown.
    static int KindIndex(int kind);
    // Decimals of the voltage quantities: 2 below a measuring range of 1000 V, else 0.
    static int VoltageDecimals(const CMeasurementJob& job);
    static std::string StartText(const CTimeStamp& start);
    static std::string DurationText(long long durationMs);

private:
    bool Passes(int phase, int kind) const;

    PhasePresence presence_;
    int decimals_ = 2;
    std::array<std::array<int, 4>, 4> counts_{};
    int phaseFilter_ = 0;
    int kindFilter_ = kAllKinds;
};

}  // namespace varelo
