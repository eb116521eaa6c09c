#pragma once

#include <array>
#include <string>
#include <vector>

#include "export/AsciiFormat.h"
#include "export/ExportFile.h"
#include "measurement/TimeStamp.h"

namespace varelo {

struct ExportSource;
struct MeasurementData;
class UserInterface;

// What the dialogs or the command line decided for an ASCII export.
struct AsciiExportTarget {
    AsciiFormat format;
    char localeDecimal = '.';  // the user locale's separator, for "WinDecimal"
    std::string path;
    int codePage = 1252;
};

struct IntervalExportRequest {
    AsciiExportTarget target;
    std::vector<int> channels;  // none: "V average" L1
    CTimeStamp start;           // intervals with start < t <= end
    CTimeStamp end;
};

struct StatisticExportRequest {
    AsciiExportTarget target;
    bool frequency = true;
    bool signalling = true;
};

// The event kinds in their order: short and long interruptions, events.
inline constexpr int kEventGroups = 3;

struct EventExportRequest {
    AsciiExportTarget target;
    std::array<bool, kEventGroups> groups{true, true, true};
    CTimeStamp start;  // events with start <= end and end >= start
    CTimeStamp end;
};

inline constexpr int kDefaultExportChannel = 1011;  // "V average" L1

// The three ASCII exports. Each writes the whole file or, after showing the file-error
// message, leaves the old one untouched.
ExportResult ExportIntervals(const ExportSource& source, const IntervalExportRequest& request,
                             UserInterface& ui);
ExportResult ExportStatistics(const ExportSource& source, const StatisticExportRequest& request,
                              UserInterface& ui);
ExportResult ExportEvents(const ExportSource& source, const EventExportRequest& request,
                          UserInterface& ui);

// The period the event export proposes: first start to last end (milliseconds cleared, one
// second added to the end), or the measurement period without events.
void DefaultEventPeriod(const MeasurementData& data, CTimeStamp& start, CTimeStamp& end);
// Which groups the event export proposes: those the evaluation found events of.
std::array<bool, kEventGroups> EventGroupsPresent(const MeasurementData& data);
// The proposed file: the measurement's path without its extension, the suffix and ".ASC".
std::string ProposedExportPath(const std::string& measurementPath, const std::string& suffix);

}  // namespace varelo
