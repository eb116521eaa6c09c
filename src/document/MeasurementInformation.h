#pragma once

#include <string>
#include <utility>
#include <vector>

#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"
#include "measurement/StatusCounts.h"

namespace varelo {

// One row of an information dialog: its label and value; rows of the current carry the
// neutral's value beside the phases'. The key names the row for machine-readable output.
struct InformationRow {
    InformationRow() = default;
    InformationRow(std::string key, std::string label, std::string value, std::string neutral = {},
                   bool twoColumns = false)
        : key(std::move(key)),
          label(std::move(label)),
          value(std::move(value)),
          neutral(std::move(neutral)),
          twoColumns(twoColumns) {}

    std::string key;
    std::string label;
    std::string value;
    std::string neutral;
    bool twoColumns = false;
};

// Dialog 129: the job's texts and settings in the order the dialog shows them. A row that does
// not apply to the job's function is left out.
struct MeasurementInformation {
    std::vector<InformationRow> rows;
    bool interharmonicButton = false;  // function A with at least one channel
};

MeasurementInformation MakeMeasurementInformation(const CMeasurementJob& job);

// The caption of dialog 129: "title - path" while it stays short, else the path alone.
std::string InformationCaption(const std::string& title, const std::string& path);

// Dialog 128: the formal conditions of an EN50160 measurement and the counts of the records and
// their error conditions. Without counts (nullptr) every diagnosis row shows "?".
struct MeasurementAssessment {
    std::vector<InformationRow> en50160;  // "Yes" or "No"
    std::string intervalsCaption;
    std::vector<InformationRow> intervals;
    std::string statisticsCaption;
    std::vector<InformationRow> statistics;
    std::string eventsCaption;
    std::vector<InformationRow> events;
};

MeasurementAssessment MakeMeasurementAssessment(const CMeasurementJob& job,
                                                const MeasurementStatusCounts* counts);

// True when the measurement lasted exactly one week of 1008 linear intervals without segments.
bool IsEn50160Week(const CMeasurementJob& job);

// Dialog 127: the Logger the measurement was recorded with; the rows after "Details" are the
// details of the Logger information.
std::vector<InformationRow> LoggerInformationRows(const CLoggerInfo& info);

// One interharmonic channel of the job: its order ("V h2.50") or frequency, relative or
// absolute, the measuring principle and the channel's text, joined by the separator.
std::string InterharmonicChannelLine(const CMeasurementJob& job, int channel, int nominalFrequency,
                                     const std::string& separator);

}  // namespace varelo
