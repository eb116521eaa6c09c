#pragma once

#include <string>

#include "measurement/MeasurementFile.h"

namespace varelo {

// What "info" prints of a measurement file: the Logger, the job, the period, the numbers of
// records and of their status conditions, as counted when a measurement is loaded.
std::string MeasurementInfoText(const std::string& path, const MeasurementData& data);

// The rows of the information dialogs as JSON: the job (129), the EN50160 conditions and the
// diagnosis counts (128) and the interharmonic channels (131), each line split at its fields.
std::string MeasurementInfoJson(const std::string& path, const MeasurementData& data);

// "YYYY-MM-DD HH:MM:SS"; "???" for a timestamp that is not set.
std::string IsoTimeText(const CTimeStamp& t);

}  // namespace varelo
