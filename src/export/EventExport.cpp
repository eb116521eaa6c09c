// The event data export: the counts of the three kinds and one line per event of each kind
// chosen.
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "export/AsciiExport.h"
#include "export/AsciiLineWriter.h"
#include "export/ExportSource.h"
#include "measurement/EventList.h"
#include "measurement/MeasurementChannel.h"

namespace varelo {

namespace {

constexpr int kShortTime = 1184;
constexpr int kMinutes = 1064;
constexpr int kShortText = 762;
constexpr int kLongText = 763;
constexpr int kInterruptions = 769;
constexpr int kEventsText = 758;
constexpr int kVoltage = 768;
constexpr int kDuration = 757;
constexpr int kDate = 756;
constexpr int kTime = 771;
constexpr int kShortMinutes = 3;

constexpr int kFirstColumn = 28;
constexpr int kFieldWidth = 18;
constexpr int kMsOffset = 20;  // from a duration to its milliseconds
constexpr int kMsWidth = 3;
constexpr int kPhaseBlock = 25;
constexpr int kVoltageBlock = 20;
constexpr int kLabelSetPhases = 1;

bool InPeriod(const CEventRecord& e, const CTimeStamp& start, const CTimeStamp& end) {
    return !(end < e.StartDateTime) && !(e.EndDateTime < start);
}

std::string CountLabel(int kind) {
    if (kind == kEventOther) return Str(kEventsText);
    return Str(kind == kEventShortInterruption ? kShortText : kLongText) + " " +
           Str(kInterruptions);
}

std::string Milliseconds(long long ms) {
    std::string text = std::to_string(((ms % 1000) + 1000) % 1000);
    return std::string(3 - text.size(), '0') + text;
}

long long SpanMs(const CTimeStamp& from, const CTimeStamp& to) {
    return to.SecondsSince(from) * 1000 + (to.millisecond - from.millisecond);
}

}  // namespace

void DefaultEventPeriod(const MeasurementData& data, CTimeStamp& start, CTimeStamp& end) {
    if (data.events.empty()) {
        start = data.job.MeasStartMeasured;
        end = data.job.MeasStopMeasured;
        return;
    }
    start = data.events[0].StartDateTime;
    end = data.events[data.events.size() - 1].EndDateTime;
    for (const CEventRecord& e : data.events) {
        if (e.StartDateTime < start) start = e.StartDateTime;
        if (end < e.EndDateTime) end = e.EndDateTime;
    }
    start.millisecond = 0;
    end.millisecond = 0;
    end.AddSeconds(1);
}

std::array<bool, kEventGroups> EventGroupsPresent(const MeasurementData& data) {
    std::array<bool, kEventGroups> present{};
    for (const CEventRecord& e : data.events)
        if (e.Kind >= 0 && e.Kind < kEventGroups) present[size_t(e.Kind)] = true;
    return present;
}

ExportResult ExportEvents(const ExportSource& source, const EventExportRequest& request,
                          UserInterface& ui) {
    const AsciiExportTarget& target = request.target;
    const bool table = target.format.TableFormat();
    auto col = [table](int column) { return table ? column : -1; };
    auto width = [table](int w) { return table ? w : 0; };
    std::array<size_t, kEventGroups> counts{};
    for (const CEventRecord& e : source.data.events)
        if (e.Kind >= 0 && e.Kind < kEventGroups && InPeriod(e, request.start, request.end))
            ++counts[size_t(e.Kind)];

    ExportFile file(target.path, target.codePage, ui);
    if (!file.Open()) return {};
    WaitCursor wait(ui);
    AsciiLineWriter w(target.format, target.format.DecimalSeparator(target.localeDecimal));
    w.WriteHeaderBlock(ExportHeader::Of(source.data, request.start, request.end));
    w.NewLine();
    w.WriteLabeled(Str(kShortTime), std::to_string(kShortMinutes) + " " + Str(kMinutes));
    for (int kind = 0; kind < kEventGroups; ++kind) {
        w.NewLine();
        w.WriteLabeled(CountLabel(kind), std::to_string(counts[size_t(kind)]));
    }

    ExportResult result;
    bool writing = true;
    for (int kind = 0; kind < kEventGroups && writing; ++kind) {
        if (!request.groups[size_t(kind)]) continue;
        const bool voltage = kind == kEventOther;
        const int block = kPhaseBlock + (voltage ? kVoltageBlock : 0);
        w.NewLine();
        w.WriteLabeled(CountLabel(kind), std::to_string(counts[size_t(kind)]));
        w.NewLine();
        w.WriteField(Str(kDate));
        w.WriteField(Str(kTime));
        w.WriteField("ms ");
        for (int p = 0; p < kPhaseCount; ++p) {
            const std::string label = PhaseLabel(kLabelSetPhases, p, source.labels);
            int column = kFirstColumn + p * block;
            if (voltage) {
                w.WriteField(Str(kVoltage) + " " + label, col(column), width(kFieldWidth));
                column += kVoltageBlock;
            }
            w.WriteField(Str(kDuration) + " " + label, col(column), width(kFieldWidth));
            w.WriteField("ms ", col(column + kMsOffset), width(kMsWidth));
        }
        for (const CEventRecord& e : source.data.events) {
            if (e.Kind != kind || !InPeriod(e, request.start, request.end)) continue;
            w.NewLine();
            w.WriteTimestamp(e.StartDateTime);
            w.WriteField(Milliseconds(e.StartDateTime.millisecond));
            const long long ms = SpanMs(e.StartDateTime, e.EndDateTime);
            for (int p = 0; p < kPhaseCount; ++p) {
                const bool here = e.Phase == p + 1;
                int column = kFirstColumn + p * block;
                if (voltage) {
                    here ? w.WriteNumber(e.Value, 2, col(column), width(kFieldWidth))
                         : w.WriteField("", col(column), width(kFieldWidth));
                    column += kVoltageBlock;
                }
                w.WriteField(here ? DurationText(ms) : "", col(column), width(kFieldWidth));
                w.WriteField(here ? Milliseconds(ms) : "", col(column + kMsOffset),
                             width(kMsWidth));
            }
            ++result.rows;
            writing = file.Take(w.Text());
            if (!writing) break;
        }
    }
    w.NewLine();
    result.written = file.Finish(w.Text());
    return result;
}

}  // namespace varelo
