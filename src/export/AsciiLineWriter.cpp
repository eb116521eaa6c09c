#include "export/AsciiLineWriter.h"

#include <algorithm>
#include <cmath>

#include "app/StringTable.h"
#include "export/NumberText.h"
#include "job/JobTexts.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementFile.h"
#include "platform/CodePage.h"

namespace varelo {

namespace {

constexpr int kProgramName = 174;
constexpr int kPowerFunction = 766;
constexpr int kQualityFunction = 770;
constexpr int kSerialNumber = 988;
constexpr int kMeasurementPeriod = 237;
constexpr int kNominalVoltage = 240;
constexpr int kVoltage = 1181;
constexpr int kVoltageRatio = 1381;
constexpr int kCurrent = 1182;
constexpr int kCurrentRatio = 324;
constexpr int kDate = 756;
constexpr int kTime = 771;
constexpr int kRatioColumn = 29;
constexpr size_t kSerialLength = 20;

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string WithoutColon(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.back() == ':') text.remove_suffix(1);
    return std::string(Trim(text));
}

std::string Whole(double value) {
    return FormatFixed(value, 0);
}

void AppendDigits(std::string& out, int value, int digits) {
    char buffer[12];
    int n = 0;
    unsigned v = value < 0 ? 0u : unsigned(value);
    do {
        buffer[n++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0 && n < 11);
    for (int i = n; i < digits; ++i)
        out.push_back('0');
    while (n > 0)
        out.push_back(buffer[--n]);
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

ExportHeader ExportHeader::Of(const MeasurementData& data, const CTimeStamp& start,
                              const CTimeStamp& end) {
    const CMeasurementJob& job = data.job;
    ExportHeader h;
    h.program = Str(kProgramName);
    h.function = Str(job.MeasFunc == kMeasFuncP || job.MeasFunc == kMeasFuncA ? kPowerFunction
                                                                              : kQualityFunction);
    h.designation = DeviceDesignation(data.logger);
    h.firmware = data.logger.FirmwDescription;
    h.serial = std::string(Utf8Prefix(data.logger.SerialNr, kSerialLength));
    h.jobTitle = WithoutColon(job.JobTitle[5]);
    h.jobText = job.JobText[5];
    h.intervalSeconds = job.Interval;
    h.nominalVoltage = job.NomVoltRawVal * 0.01;
    h.voltageRange = job_text::InputRangeVolts(job);
    h.voltageRatio = TransformerRatio(job.VoltPrimaryRawVal, job.VoltSecondaryRawVal);
    h.current = job.PhCurrClampRawVal * 0.01;
    h.currentRatio = TransformerRatio(job.PhCurrPrimaryRawVal, job.PhCurrSecondaryRawVal);
    h.start = start;
    h.end = end;
    return h;
}

AsciiLineWriter::AsciiLineWriter(const AsciiFormat& format, char decimalSeparator)
    : format_(format), delimiter_(format.Delimiter()), decimal_(decimalSeparator) {
    out_.reserve(1 << 16);
}

void AsciiLineWriter::Append(std::string_view text) {
    out_.append(text);
    column_ +=
        int(std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

void AsciiLineWriter::AppendQuoted(std::string_view text) {
    Append("\"");
    size_t from = 0;
    for (size_t quote = text.find('"'); quote != std::string_view::npos;
         quote = text.find('"', from)) {
        Append(text.substr(from, quote + 1 - from));
        Append("\"");
        from = quote + 1;
    }
    Append(text.substr(from));
    Append("\"");
}

int AsciiLineWriter::Target(int column) const {
    if (column < 0) return -1;
    return format_.lineNumbers ? column + kLineNumberColumns : column;
}

void AsciiLineWriter::NewLine() {
    if (!firstLine_) out_.append("\r\n");
    firstLine_ = false;
    column_ = 0;
    fieldInLine_ = false;
    oneShotSeparator_ = false;
    ++lineNumber_;
    if (!format_.lineNumbers) return;
    scratch_.clear();
    AppendDigits(scratch_, lineNumber_, 0);
    Append(PadLeft(scratch_, kLineNumberWidth));
    // After the tab the next field needs no blank to stand apart.
    Append(delimiter_ == '\t' ? std::string_view("\t") : std::string_view(&delimiter_, 1));
    if (delimiter_ != '\t') Append(" ");
}

void AsciiLineWriter::SetSeparator(std::string_view separator) {
    separator_.assign(separator);
    oneShotSeparator_ = true;
}

void AsciiLineWriter::WriteField(std::string_view text, int column, int width) {
    if (oneShotSeparator_)
        Append(separator_);
    else if (fieldInLine_)
        Append(std::string_view(&delimiter_, 1));
    oneShotSeparator_ = false;
    fieldInLine_ = true;

    if (!format_.TableFormat()) {
        text = Trim(text);
        const bool needsQuotes = format_.quote || text.find(delimiter_) != std::string_view::npos ||
                                 text.find('"') != std::string_view::npos;
        needsQuotes ? AppendQuoted(text) : Append(text);
        return;
    }
    const int target = Target(column);
    if (target > column_) Append(std::string(size_t(target - column_), ' '));
    const size_t length = size_t(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
    std::string& padded = scratch_;
    padded.assign(width > 0 && length < size_t(width) ? size_t(width) - length : 0, ' ');
    padded.append(text);
    format_.quote ? AppendQuoted(padded) : Append(padded);
}

void AsciiLineWriter::WriteNumber(double value, int decimals, int column, int width) {
    number_.clear();
    AppendValue(number_, value, decimals);
    ReplaceDecimalPoint(number_, decimal_);
    WriteField(number_, column, width);
}

void AsciiLineWriter::WriteLabeled(std::string_view label, std::string_view value, int column) {
    WriteField(label, column);
    if (!format_.quote) SetSeparator(": ");
    WriteField(value);
}

std::string AsciiLineWriter::TimestampText(const CTimeStamp& t) const {
    std::string text;
    if (format_.regionalTime) {
        text = t.DisplayDate();
        text.push_back(delimiter_);
        text += t.DisplayTime();
    } else {
        AppendDigits(text, t.year, 4);
        text.push_back('-');
        AppendDigits(text, t.month, 2);
        text.push_back('-');
        AppendDigits(text, t.day, 2);
        text.push_back(delimiter_);
        AppendDigits(text, t.hour, 2);
        text.push_back(':');
        AppendDigits(text, t.minute, 2);
        text.push_back(':');
        AppendDigits(text, t.second, 2);
    }
    text.push_back('.');
    AppendDigits(text, t.millisecond, 3);
    return text;
}

void AsciiLineWriter::WriteTimestamp(const CTimeStamp& time, int column) {
    const std::string text = TimestampText(time);
    const size_t split = text.find(delimiter_, format_.regionalTime ? 0 : 10);
    WriteField(std::string_view(text).substr(0, split), column);
    WriteField(std::string_view(text).substr(split + 1));
}

std::string AsciiLineWriter::DateTimeLabel() const {
    return Str(kDate) + (delimiter_ == '\t' ? ' ' : delimiter_) + Str(kTime);
}

void AsciiLineWriter::WriteHeaderBlock(const ExportHeader& h) {
    if (format_.noHeader) return;
    NewLine();
    WriteField(h.program);
    WriteField(h.function);
    NewLine();
    WriteField(h.designation);
    WriteField(h.firmware);
    WriteLabeled(WithoutColon(Str(kSerialNumber)), h.serial);
    NewLine();
    WriteLabeled(h.jobTitle, h.jobText);
    NewLine();
    WriteLabeled(Str(kMeasurementPeriod), job_text::IntervalLength(h.intervalSeconds));
    NewLine();
    WriteLabeled(Str(kNominalVoltage), Whole(h.nominalVoltage) + " V");
    WriteLabeled(Str(kVoltage), Whole(h.voltageRange) + " V");
    WriteLabeled(Str(kVoltageRatio), Whole(h.voltageRatio), kRatioColumn);
    NewLine();
    WriteLabeled(Str(kCurrent), Whole(h.current) + " A");
    WriteLabeled(Str(kCurrentRatio), Whole(h.currentRatio), kRatioColumn);
    NewLine();
    WriteLabeled(DateTimeLabel(), TimestampText(h.start) + " - " + TimestampText(h.end));
}

std::string DurationText(long long milliseconds) {
    const long long seconds = std::max(0LL, milliseconds) / 1000;
    std::string text;
    const long long hours = seconds / 3600;
    if (hours > 99)
        text = std::to_string(hours);
    else
        AppendDigits(text, int(hours), 2);
    text.push_back(':');
    AppendDigits(text, int(seconds / 60 % 60), 2);
    text.push_back(':');
    AppendDigits(text, int(seconds % 60), 2);
    return text;
}

}  // namespace varelo
