#include "measurement/ItemBlock.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "platform/CodePage.h"

namespace varelo {

namespace {

constexpr std::string_view kItemEnd = "</t>";
constexpr int kUtf8 = 65001;

// Optional blanks, sign and decimal digits, as the standard integer conversion takes them.
bool ParseLeadingInteger(std::string_view text, long long& value, size_t& used) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    size_t digits = i;
    unsigned long long v = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (v < (1ull << 62)) v = v * 10 + unsigned(text[i] - '0');
        ++i;
    }
    used = i;
    value = negative ? -static_cast<long long>(v) : static_cast<long long>(v);
    return i > digits;
}

// The part of a text that the reader gives back: what comes before the item's end tag and
// before the closing tag of its block (which would end the block there), and at most
// ItemBlockReader::kMaxTextLength characters. Writing no more than that keeps a longer text
// from shifting every later value of the block. A line break cut in half loses its CR too.
std::string_view ReadableText(std::string_view text, std::string_view blockEnd) {
    const size_t end = std::min(text.find(kItemEnd), text.find(blockEnd));
    std::string_view kept = Utf8Prefix(text.substr(0, end), ItemBlockReader::kMaxTextLength);
    if (kept.size() < text.size() && kept.ends_with('\r') && text[kept.size()] == '\n')
        kept.remove_suffix(1);
    return kept;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

bool ItemBlockReader::NextValue(std::string_view& rest) {
    if (exhausted_) return false;
    size_t eq = block_.find('=', pos_);
    if (eq == std::string_view::npos) {
        exhausted_ = true;
        return false;
    }
    pos_ = eq + 1;
    rest = block_.substr(pos_);
    return true;
}

bool ItemBlockReader::NextInteger(long long& value) {
    std::string_view rest;
    if (!NextValue(rest)) return false;
    size_t used = 0;
    if (!ParseLeadingInteger(rest, value, used)) value = 0;  // no digits converts to 0
    pos_ += used;
    return true;
}

bool ItemBlockReader::NextReal(double& value) {
    std::string_view rest;
    if (!NextValue(rest)) return false;
    // Always "." as the decimal point, whatever the locale.
    size_t i = 0;
    while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
    if (i < rest.size() && rest[i] == '+') ++i;
    auto [end, ec] = std::from_chars(rest.data() + i, rest.data() + rest.size(), value);
    if (ec != std::errc()) {
        value = 0;
        return true;
    }
    pos_ += size_t(end - rest.data());
    return true;
}

void ItemBlockReader::Text(std::string_view, std::string& value) {
    std::string_view rest;
    if (!NextValue(rest)) return;
    size_t end = rest.find(kItemEnd);
    // A text without its end tag is empty. A longer text is cut after kMaxTextLength
    // characters, never inside one, and scanning goes on after the part kept: its further "="
    // then shift the later values, as files written elsewhere expect.
    std::string_view text = end == std::string_view::npos ? std::string_view() : rest.substr(0, end);
    // The 8-bit code pages of older files hold one character per byte.
    text = codePage_ == kUtf8 ? Utf8Prefix(text, kMaxTextLength) : text.substr(0, kMaxTextLength);
    pos_ += text.size();
    value = codePage_ == kUtf8 ? std::string(text) : CodePageToUtf8(text, codePage_);
}

void ItemBlockReader::Time(std::string_view, CTimeStamp& value) {
    std::string_view rest;
    if (!NextValue(rest)) return;
    CTimeStamp t;
    size_t used = t.ParseFilePrefix(rest);
    if (used > 0) value = t;
    pos_ += used;
}

void ItemBlockReader::SegmentTime(std::string_view name, CTimeStamp& value) {
    CTimeStamp t = value;
    Time(name, t);
    if (t.year == 0 && t.month == 0) {
        t.weekday = t.day;
        t.day = 0;
    }
    value = t;
}

void ItemBlockReader::Bytes(std::string_view, std::array<uint8_t, 6>& value) {
    std::string_view rest;
    if (!NextValue(rest)) return;
    std::array<uint8_t, 6> bytes{};
    for (size_t i = 0; i < bytes.size() && 2 * i + 1 < rest.size(); ++i) {
        int hi = HexDigit(rest[2 * i]), lo = HexDigit(rest[2 * i + 1]);
        if (hi < 0 || lo < 0) break;
        bytes[i] = uint8_t(hi << 4 | lo);
        pos_ += 2;
    }
    value = bytes;
}

void ItemBlockReader::Char(std::string_view, char& value) {
    std::string_view rest;
    if (!NextValue(rest)) return;
    if (!rest.empty() && !rest.starts_with(kItemEnd)) {
        value = rest.front();
        ++pos_;
    }
}

void ItemBlockReader::Discard() {
    std::string_view rest;
    NextValue(rest);
}

void ItemBlockWriter::Line(std::string_view name, std::string_view value) {
    out_ += "<t>";
    out_ += name;
    out_ += '=';
    out_ += value;
    out_ += "</t>\r\n";
}

void ItemBlockWriter::Text(std::string_view name, const std::string& value) {
    // Every line break of a free text becomes a line break of the file.
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue;
        if (value[i] == '\n') text += "\r\n";
        else text += value[i];
    }
    Line(name, ReadableText(text, blockEnd_));
}

void ItemBlockWriter::Real(std::string_view name, double value) {
    // "%g" with six significant digits, independent of the locale.
    char text[64];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    Line(name, ec == std::errc() ? std::string_view(text, size_t(end - text)) : "0");
}

void ItemBlockWriter::Time(std::string_view name, const CTimeStamp& value) {
    Line(name, value.FileText());
}

void ItemBlockWriter::SegmentTime(std::string_view name, const CTimeStamp& value) {
    CTimeStamp t = value;
    if (t.year == 0 && t.month == 0) t.day = t.weekday;
    Time(name, t);
}

void ItemBlockWriter::Bytes(std::string_view name, const std::array<uint8_t, 6>& value) {
    char text[13];
    for (size_t i = 0; i < value.size(); ++i) std::snprintf(text + 2 * i, 3, "%02X", value[i]);
    Line(name, std::string_view(text, 12));
}

void ItemBlockWriter::Char(std::string_view name, char value) {
    Line(name, std::string_view(&value, 1));
}

}  // namespace varelo
