#pragma once

#include <span>
#include <string>
#include <string_view>

#include "measurement/RecordColumns.h"

namespace varelo {

// Record rows of a measurement file: "<i>,value,value,...,</i>", one value per column.
namespace row_codec {

enum class Result { Row, End, Bad };

// The values of a row line into a fresh record. End: the line is the section's closing tag.
// Bad: not a row. Values missing at the end leave their fields 0. Counters of statistic rows
// are read as reals and truncated.
template <typename Record>
Result Parse(std::string_view line, std::string_view closingTag,
             std::span<const RecordColumn> columns, bool realCounters, Record& record);

// The row of a record with its number; unsigned 16-bit fields of interval rows are written as
// the signed value of the same bits, those of statistic rows as they are.
template <typename Record>
void Format(const Record& record, int number, std::span<const RecordColumn> columns,
            bool signedUInt16, std::string& line);

// "<Title>,name,...,</Title>" of a column table.
std::string TitleLine(std::span<const RecordColumn> columns);

}  // namespace row_codec

}  // namespace varelo
