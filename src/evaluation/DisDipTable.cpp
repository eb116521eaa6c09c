#include "evaluation/DisDipTable.h"

#include <algorithm>
#include <cstdio>

#include "app/StringTable.h"
#include "evaluation/EventClassification.h"
#include "evaluation/LimitValues.h"
#include "measurement/EventList.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr long long kColumnLimitsMs[] = {20, 100, 500, 1000, 3000, 20000, 60000};
constexpr std::pair<const char*, const char*> kColumnLabels[] = {
    {"< 20", "ms"},   {"20...< 100", "ms"}, {"100...< 500", "ms"}, {"0.5...< 1", "s"},
    {"1...< 3", "s"}, {"3...< 20", "s"},    {"20...< 60", "s"},    {">= 1", "min"},
};

std::string Printf(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

bool CDisDipTable::IsEventListEnabled(const CMeasurementJob& job) {
    return job.EventReady + job.EventOpen > 0;
}

int CDisDipTable::DurationColumn(long long durationMs) {
    int column = 0;
    while (column < kColumns - 1 && durationMs >= kColumnLimitsMs[column])
        ++column;
    return column;
}

int CDisDipTable::DepthRow(double v) const {
    if (v > swell_) return kSwellRow;
    if (v > dip_) return -1;
    if (v > un90_) return 1;
    if (v > un85_) return 2;
    if (v > un70_) return 3;
    if (v > un40_) return 4;
    if (v > interruption_) return 5;
    return kInterruptionRow;
}

void CDisDipTable::Build(const CEventList& events, const CMeasurementJob& job,
                         const CLimitValues& limits, int phaseFilter) {
    *this = CDisDipTable();
    presence_ = PhasePresence::FromPowerSystem(job.VoltPowSysType);
    phaseFilter_ = phaseFilter;
    upper_ = job.VoltUpperThreshShort;
    lower_ = job.VoltLowerThreshShort;
    interruptionLimit_ = limits.InterruptionLimit;
    allowedEvents_ = limits.NrEvents;
    const double un = job.NomVoltRawVal * 0.01;
    swell_ = un * upper_ / 100;
    dip_ = un * lower_ / 100;
    un90_ = un * 0.9;
    un85_ = un * 0.85;
    un70_ = un * 0.7;
    un40_ = un * 0.4;
    interruption_ = un * interruptionLimit_ / 100;

    if (phaseFilter < 0 || phaseFilter > 3 || (phaseFilter > 0 && !presence_.Has(phaseFilter - 1)))
        return;
    for (const CEventRecord& e : events) {
        const bool phased = e.Phase >= 1 && e.Phase <= 3;
        if (phaseFilter != 0 && phaseFilter != e.Phase) continue;
        if (phased && !presence_.Has(e.Phase - 1)) continue;
        const int row = DepthRow(e.Value);
        if (row < 0) continue;
        const long long duration = EventDurationMs(e);
        ++cells_[size_t(row)][size_t(DurationColumn(duration))];
        if (row == kInterruptionRow && duration >= kLongInterruptionMs) ++longInterruptions_;
    }
}

std::string CDisDipTable::RowLabel(int row) const {
    switch (row) {
        case 0: return Str(1375) + " > " + Printf("%.2f", upper_ - 100) + "%";
        case 1: return Str(1367) + " > " + Printf("%.2f", 100 - lower_) + "%";
        case 2: return Printf("%02.0f...< 15 %%", std::max(100 - lower_, 10.0));
        case 3: return "15...< 30 %";
        case 4: return "30...< 60 %";
        case 5: return Printf("60...< %02.0f %%", 100.0 - interruptionLimit_);
        case 6: return Str(1373);
        default: return {};
    }
}

std::pair<std::string, std::string> CDisDipTable::ColumnLabel(int column) {
    if (column < 0 || column >= kColumns) return {};
    return {kColumnLabels[column].first, kColumnLabels[column].second};
}

std::string CDisDipTable::CornerText(PhaseLabels labels) const {
    std::string phases;
    if (phaseFilter_ >= 1 && phaseFilter_ <= 3) {
        phases = PhaseLabel(1, phaseFilter_ - 1, labels);
    } else {
        for (int p = 0; p < 3; ++p) {
            if (!presence_.Has(p)) continue;
            if (!phases.empty()) phases += ", ";
            phases += PhaseLabel(1, p, labels);
        }
    }
    return Str(1374) + " " + phases;
}

std::string CDisDipTable::RecordingText() const {
    return Msg(1369, {Printf("%.2f", 100 - lower_), Printf("%.2f", upper_ - 100)});
}

std::string CDisDipTable::NoteText() {
    return Str(1372);
}

std::vector<std::pair<std::string, int>> CDisDipTable::Totals() const {
    const auto rowSum = [&](int first, int last) {
        int sum = 0;
        for (int r = first; r <= last; ++r) {
            for (int c : cells_[size_t(r)])
                sum += c;
        }
        return sum;
    };
    const int interruptions = rowSum(kInterruptionRow, kInterruptionRow);
    return {
        {Str(1365), rowSum(0, 0)},
        {Str(1364), rowSum(1, 5)},
        {Str(1091), interruptions - longInterruptions_},
        {Str(1090), longInterruptions_},
        {Str(1366), interruptions},
        {Str(1376), rowSum(0, kRows - 1)},
        {Str(1370), allowedEvents_},
        {Str(1371), allowedEvents_},
    };
}

}  // namespace varelo
