#pragma once

#include <string>

namespace varelo {

// A value of a CSV row: four decimals at most, without trailing zeros, whatever the locale.
std::string ValueText(double value);
// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

}  // namespace varelo
