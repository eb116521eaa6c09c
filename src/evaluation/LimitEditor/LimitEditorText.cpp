#include "evaluation/LimitEditor/LimitEditorText.h"

#include <charconv>
#include <cmath>

namespace varelo {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.starts_with('+')) text.remove_prefix(1);
    return text;
}

}  // namespace

std::string FormatFixed2(double value) {
    char text[64];
    // -0.00 would read as a negated (unselected) limit.
    if (std::fabs(value) < 0.005) value = 0;
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return ec == std::errc() ? std::string(text, end) : std::string("0.00");
}

bool ParseDecimal(std::string_view text, double& value) {
    text = Trimmed(text);
    if (text.empty()) return false;
    double v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool ParseInteger(std::string_view text, long long& value) {
    text = Trimmed(text);
    if (text.empty()) return false;
    long long v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    value = v;
    return true;
}

double RoundTo2(double value) {
    return std::round(value * 100.0) / 100.0;
}

}  // namespace varelo
