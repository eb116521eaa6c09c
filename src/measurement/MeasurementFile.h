#pragma once

#include <string>

#include "measurement/EventList.h"
#include "measurement/IntervalList.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"
#include "measurement/StatisticList.h"

namespace varelo {

class UserInterface;

// Everything a measurement data file holds.
struct MeasurementData {
    int fileVersion = 0;
    CLoggerInfo logger;
    CMeasurementJob job;
    CIntervalList intervals;
    CStatisticList statistics;
    CEventList events;
};

// Reads a whole measurement file in its order; the series only for measurement functions A
// and P. False on any format error.
bool ReadMeasurementFile(const std::string& path, MeasurementData& data);
// Writes a whole measurement file in the newest version; false when it cannot be written.
bool WriteMeasurementFile(const std::string& path, const MeasurementData& data);

// Replaces the job of a measurement file. The new file is written beside the old one and put
// in its place when complete, so the file's own name always holds either the old or the new
// measurement. On failure message 374 is shown.
bool ReplaceJob(const std::string& path, const CMeasurementJob& newJob, UserInterface& ui);

}  // namespace varelo
