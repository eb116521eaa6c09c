#pragma once

#include <string>
#include <utility>
#include <vector>

#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

class CVamor800Doc;

// One line of the measurement information printout: a label and its values, one per column.
// A heading starts a group (its values are the group's column heads); the lines below it are
// indented. A path is shortened inside when it does not fit.
struct InfoPrintLine {
    InfoPrintLine() = default;
    InfoPrintLine(std::string label, std::vector<std::string> columns, bool heading = false,
                  bool indented = false, bool path = false)
        : label(std::move(label)),
          columns(std::move(columns)),
          heading(heading),
          indented(indented),
          path(path) {}

    std::string label;
    std::vector<std::string> columns;
    bool heading = false;
    bool indented = false;
    bool path = false;
};

// The lines of the "&Print" button of the information dialog, in their order.
std::vector<InfoPrintLine> MeasurementInformationLines(const CMeasurementJob& job,
                                                       const CLoggerInfo& logger,
                                                       const std::string& path);
std::vector<InfoPrintLine> MeasurementInformationLines(const CVamor800Doc& doc);

}  // namespace varelo
