#pragma once

#include <string>
#include <string_view>

namespace varelo {

// Numbers in the limit editor's fields, independent of the locale: "." is the decimal point.
std::string FormatFixed2(double value);
// The whole text (blanks around it allowed) as a decimal number; false when it is none.
bool ParseDecimal(std::string_view text, double& value);
// The whole text as an integer (a sign allowed); false when it is none.
bool ParseInteger(std::string_view text, long long& value);
// Rounded to two decimals, as the fields show it.
double RoundTo2(double value);

// A message that refuses a field: its number, text and the field that gets the focus.
struct LimitCheck {
    int message = 0;  // 0: accepted
    std::string text;
    int field = 0;  // which field of the dialog, numbered by the dialog's model

    bool Ok() const { return message == 0; }
};

}  // namespace varelo
