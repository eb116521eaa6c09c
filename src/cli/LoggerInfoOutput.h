#pragma once

#include <string>

#include "measurement/LoggerInfo.h"

namespace varelo {

// What "logger info" prints of an identified Logger: the rows of the Logger information
// dialog with its details and the interval capacity, as labelled lines or as JSON.
std::string LoggerInfoText(const CLoggerInfo& info);
std::string LoggerInfoJson(const CLoggerInfo& info);

}  // namespace varelo
