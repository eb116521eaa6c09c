#pragma once

#include <string>
#include <string_view>

namespace varelo {

// Number texts of the exports. They give the bytes printf gives for the same conversion, built
// without printf or streams: an export formats every value of every interval.

// "%.*f" with the decimals limited to 0..4, or "%.3e" when |value| > 1e20.
std::string FormatValue(double value, int decimals);
// Appends FormatValue's text to out.
void AppendValue(std::string& out, double value, int decimals);
// "%.*f" for any decimals 0..17.
std::string FormatFixed(double value, int decimals);
// "%.*E" with a signed exponent of at least three digits, e.g. "1.23E+004".
std::string FormatExponent(double value, int decimals);

// The report's number: above 10000 and between 1e-8 and 0.1 (exclusive) two decimals with an
// exponent, above 1 one decimal, otherwise two decimals; the decimal point becomes a comma.
// It is rounded half away from zero on the value's shortest decimal text.
std::string FormatReportNumber(double value);

// The text right-aligned in width by the fill character; a longer text stays whole.
std::string PadLeft(std::string_view text, size_t width, char fill = ' ');
// Every "." replaced by the separator.
void ReplaceDecimalPoint(std::string& text, char separator);

}  // namespace varelo
