#include "cli/CsvText.h"

#include <charconv>

namespace varelo {

// Four decimals at most, without trailing zeros, whatever the locale.
std::string ValueText(double value) {
    char text[64];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    if (ec != std::errc()) return "0";
    std::string s(text, end);
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace varelo
