#include "evaluation/EventListModel.h"

#include <cstdio>
#include <cstdlib>

#include "app/StringTable.h"
#include "app/TextKeys.h"
#include "evaluation/EventClassification.h"
#include "measurement/EventList.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr int kPhaseText = 243;
// The measuring range of a voltage is 1.2 times the input range.
constexpr double kMeasuringRangeFactor = 1.2;

}  // namespace

int CEventListModel::KindIndex(int kind) {
    switch (kind) {
        case kEventOther: return kEvents;
        case kEventShortInterruption: return kShortInterruptions;
        case kEventLongInterruption: return kLongInterruptions;
        default: return 0;
    }
}

int CEventListModel::VoltageDecimals(const CMeasurementJob& job) {
    return job.VoltageRange() * kMeasuringRangeFactor < 1000 ? 2 : 0;
}

void CEventListModel::Build(const CEventList& events, const CMeasurementJob& job) {
    *this = CEventListModel();
    presence_ = PhasePresence::FromPowerSystem(job.VoltPowSysType);
    decimals_ = VoltageDecimals(job);
    for (const CEventRecord& e : events) {
        const int kind = KindIndex(e.Kind);
        if (kind == 0) continue;
        ++counts_[0][size_t(kind)];
        if (e.Phase >= 1 && e.Phase <= 3) ++counts_[size_t(e.Phase)][size_t(kind)];
    }
    for (auto& row : counts_)
        row[0] = row[1] + row[2] + row[3];
    phaseFilter_ = presence_.Count() == 1 ? 1 : 0;
}

int CEventListModel::Count(int phaseFilter, int kindFilter) const {
    if (phaseFilter < 0 || phaseFilter > 3 || kindFilter < 0 || kindFilter > 3) return 0;
    return counts_[size_t(phaseFilter)][size_t(kindFilter)];
}

void CEventListModel::SetPhaseFilter(int phaseFilter) {
    if (phaseFilter < 0 || phaseFilter > 3) return;
    phaseFilter_ = phaseFilter;
    if (kindFilter_ != kAllKinds && Count(phaseFilter_, kindFilter_) == 0) kindFilter_ = kAllKinds;
}

void CEventListModel::SetKindFilter(int kindFilter) {
    if (kindFilter >= kAllKinds && kindFilter <= kLongInterruptions) kindFilter_ = kindFilter;
}

bool CEventListModel::IsKindEnabled(int kindFilter) const {
    return kindFilter == kAllKinds || Count(phaseFilter_, kindFilter) > 0;
}

std::vector<int> CEventListModel::ColumnPhases() const {
    std::vector<int> phases;
    for (int p = 0; p < 3; ++p) {
        if (presence_.Has(p) && (phaseFilter_ == 0 || phaseFilter_ == p + 1)) phases.push_back(p);
    }
    return phases;
}

std::vector<std::string> CEventListModel::ColumnTitles(PhaseLabels labels) const {
    std::vector<std::string> titles;
    for (int p : ColumnPhases())
        titles.push_back(Str(kPhaseText) + " " + PhaseLabel(1, p, labels));
    return titles;
}

bool CEventListModel::Passes(int phase, int kind) const {
    if (phase < 1 || phase > 3) {
        if (phaseFilter_ != 0) return false;
    } else if ((phaseFilter_ != 0 && phaseFilter_ != phase) || !presence_.Has(phase - 1)) {
        return false;
    }
    return kindFilter_ == kAllKinds || KindIndex(kind) == kindFilter_;
}

std::string CEventListModel::StartText(const CTimeStamp& start) {
    char ms[8];
    std::snprintf(ms, sizeof ms, ".%03d", start.millisecond % 1000);
    return start.DisplayDate() + " " + start.DisplayTime() + ms;
}

std::string CEventListModel::DurationText(long long durationMs) {
    const char* sign = durationMs < 0 ? "-" : "";
    const long long ms = std::llabs(durationMs);
    const TimeSpanParts parts = SplitSeconds(ms / 1000);
    char text[64];
    if (parts.days > 0)
        std::snprintf(text, sizeof text, "%s%lldd %02d:%02d:%02d.%03lld", sign, parts.days,
                      parts.hours, parts.minutes, parts.seconds, ms % 1000);
    else
        std::snprintf(text, sizeof text, "%s%02d:%02d:%02d.%03lld", sign, parts.hours,
                      parts.minutes, parts.seconds, ms % 1000);
    return text;
}

std::vector<EventListRow> CEventListModel::Rows(const CEventList& events) const {
    const std::vector<int> columns = ColumnPhases();
    std::vector<EventListRow> rows;
    for (size_t i = 0; i < events.size(); ++i) {
        const CEventRecord& e = events[i];
        if (!Passes(e.Phase, e.Kind)) continue;
        EventListRow row;
        row.eventIndex = i;
        row.start = e.StartDateTime;
        row.durationMs = EventDurationMs(e);
        for (size_t c = 0; c < columns.size(); ++c) {
            if (columns[c] == e.Phase - 1) row.column = int(c);
        }
        row.startText = StartText(e.StartDateTime);
        row.durationText = DurationText(row.durationMs);
        if (e.Kind == kEventShortInterruption) {
            row.cellText = Txt(txt::events_underThreeMinutes);
        } else if (e.Kind == kEventLongInterruption) {
            row.cellText = Txt(txt::events_threeMinutesOrMore);
        } else {
            char value[64];
            std::snprintf(value, sizeof value, "%.*f V", decimals_, e.Value);
            row.cellText = value;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace varelo
