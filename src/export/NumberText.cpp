#include "export/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace varelo {

namespace {

constexpr int kMaxValueDecimals = 4;
constexpr double kExponentAbove = 1e20;

// to_chars with a precision is specified to give printf's digits in the "C" locale.
void AppendChars(std::string& out, double value, std::chars_format format, int precision) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    out.append(buffer, result.ptr);
}

// A finite value as its shortest round-trip decimal digits: value = 0.digits x 10^exponent.
struct ShortDecimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    int exponent = 0;
};

ShortDecimal Shortest(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::scientific);
    *result.ptr = '\0';
    const std::string_view text(buffer, size_t(result.ptr - buffer));
    ShortDecimal d;
    size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    const size_t e = text.find('e');
    for (; i < e; ++i)
        if (text[i] != '.') d.digits.push_back(text[i]);
    d.exponent = std::atoi(text.data() + e + 1) + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty()) d.exponent = 0;
    return d;
}

// Keeps the first keep digits, rounding half away from zero on the decimal digits.
void RoundDigits(ShortDecimal& d, int keep) {
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (size_t(keep) >= d.digits.size()) return;
    const bool up = d.digits[size_t(keep)] >= '5';
    d.digits.resize(size_t(keep));
    if (!up) return;
    int i = keep - 1;
    for (; i >= 0; --i) {
        if (d.digits[size_t(i)] != '9') {
            ++d.digits[size_t(i)];
            break;
        }
        d.digits[size_t(i)] = '0';
    }
    if (i < 0) {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exponent;
    }
}

char DigitAt(const ShortDecimal& d, int index) {
    return index >= 0 && size_t(index) < d.digits.size() ? d.digits[size_t(index)] : '0';
}

bool IsZero(const ShortDecimal& d) {
    return d.digits.find_first_not_of('0') == std::string::npos;
}

// "%.*f" of the decimal text rather than of the binary value: 230.45 gives 230.5.
std::string DecimalFixed(double value, int decimals) {
    ShortDecimal d = Shortest(value);
    RoundDigits(d, d.exponent + decimals);
    // As printf: a negative value keeps its sign even when it rounds to zero.
    std::string text = d.negative ? "-" : "";
    const int whole = std::max(d.exponent, 1);
    for (int i = 0; i < whole; ++i)
        text.push_back(DigitAt(d, i - (whole - d.exponent)));
    if (decimals > 0) text.push_back('.');
    for (int i = 0; i < decimals; ++i)
        text.push_back(DigitAt(d, d.exponent + i));
    return text;
}

// "%.*E" of the decimal text, with a three-digit exponent.
std::string DecimalExponent(double value, int decimals) {
    ShortDecimal d = Shortest(value);
    RoundDigits(d, decimals + 1);
    std::string text = d.negative ? "-" : "";
    text.push_back(DigitAt(d, 0));
    if (decimals > 0) text.push_back('.');
    for (int i = 1; i <= decimals; ++i)
        text.push_back(DigitAt(d, i));
    const int exponent = IsZero(d) ? 0 : d.exponent - 1;
    text += exponent < 0 ? "E-" : "E+";
    std::string digits = std::to_string(std::abs(exponent));
    text += std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
    return text;
}

}  // namespace

void AppendValue(std::string& out, double value, int decimals) {
    if (std::fabs(value) > kExponentAbove) {
        AppendChars(out, value, std::chars_format::scientific, 3);
        return;
    }
    AppendChars(out, value, std::chars_format::fixed, std::clamp(decimals, 0, kMaxValueDecimals));
}

std::string FormatValue(double value, int decimals) {
    std::string text;
    AppendValue(text, value, decimals);
    return text;
}

std::string FormatFixed(double value, int decimals) {
    std::string text;
    AppendChars(text, value, std::chars_format::fixed, std::clamp(decimals, 0, 17));
    return text;
}

std::string FormatExponent(double value, int decimals) {
    std::string text;
    AppendChars(text, value, std::chars_format::scientific, std::clamp(decimals, 0, 17));
    const size_t e = text.find('e');
    if (e == std::string::npos) return text;  // inf or nan
    text[e] = 'E';
    // The exponent has a sign and at least two digits; widen it to three.
    const size_t digits = text.size() - (e + 2);
    if (digits < 3) text.insert(e + 2, 3 - digits, '0');
    return text;
}

std::string FormatReportNumber(double value) {
    const double m = std::fabs(value);
    if (!std::isfinite(value)) return FormatFixed(value, 2);
    // Rounded as the value reads, so that 230.45 (in binary a little less) gives 230,5.
    std::string text;
    if (m > 10000)
        text = DecimalExponent(value, 2);
    else if (m > 1)
        text = DecimalFixed(value, 1);
    else if (m > 1e-8 && m < 0.1)
        text = DecimalExponent(value, 2);
    else
        text = DecimalFixed(value, 2);
    ReplaceDecimalPoint(text, ',');
    return text;
}

std::string PadLeft(std::string_view text, size_t width, char fill) {
    std::string out;
    if (text.size() < width) out.assign(width - text.size(), fill);
    out.append(text);
    return out;
}

void ReplaceDecimalPoint(std::string& text, char separator) {
    if (separator == '.') return;
    std::replace(text.begin(), text.end(), '.', separator);
}

}  // namespace varelo
