#pragma once

#include <string>
#include <string_view>

#include "export/AsciiFormat.h"
#include "measurement/TimeStamp.h"

namespace varelo {

struct MeasurementData;

// What the seven header lines of an ASCII export say about the measurement.
struct ExportHeader {
    std::string program;   // the program's name
    std::string function;  // "Power" or "V-Quality"
    std::string designation;
    std::string firmware;
    std::string serial;
    std::string jobTitle;
    std::string jobText;
    int intervalSeconds = 0;
    double nominalVoltage = 0;
    double voltageRange = 0;
    double voltageRatio = 0;
    double current = 0;
    double currentRatio = 0;
    CTimeStamp start;
    CTimeStamp end;

    static ExportHeader Of(const MeasurementData& data, const CTimeStamp& start,
                           const CTimeStamp& end);
};

// Writes the lines of an ASCII export into a text buffer: fields separated by the delimiter,
// optional quoting and line numbers, and in table format fixed columns and widths. Columns are
// given as without line numbers; the line number's five characters are added here.
class AsciiLineWriter {
public:
    static constexpr int kLineNumberWidth = 3;
    static constexpr int kLineNumberColumns = 5;  // "  1, "

    AsciiLineWriter(const AsciiFormat& format, char decimalSeparator);

    // Ends the line before (the first line of the file has none before it) and starts the next
    // with its number.
    void NewLine();
    // A field after the delimiter or the separator set for it. In table format it starts at
    // column (when the line is not past it) and is right-aligned in width; in delimiter mode
    // it is trimmed. A field holding the delimiter or a quote is quoted in delimiter mode.
    void WriteField(std::string_view text, int column = -1, int width = 0);
    // A value with the decimal separator of the format.
    void WriteNumber(double value, int decimals, int column = -1, int width = 0);
    // The separator before the next field only, instead of the delimiter.
    void SetSeparator(std::string_view separator);
    // A label and its value: ": " between them, or the delimiter when quoting.
    void WriteLabeled(std::string_view label, std::string_view value, int column = -1);
    // Date and time as two fields.
    void WriteTimestamp(const CTimeStamp& time, int column = -1);
    void WriteHeaderBlock(const ExportHeader& header);

    // The date, the delimiter and the time with milliseconds.
    std::string TimestampText(const CTimeStamp& time) const;
    // "Date" and "Time" joined as the header's period line has them.
    std::string DateTimeLabel() const;

    const AsciiFormat& Format() const { return format_; }
    char DecimalSeparator() const { return decimal_; }
    int LineNumber() const { return lineNumber_; }
    int Column() const { return column_; }
    // The text written so far; the caller may take it away between lines.
    std::string& Text() { return out_; }

private:
    void Append(std::string_view text);
    void AppendQuoted(std::string_view text);
    int Target(int column) const;

    AsciiFormat format_;
    char delimiter_;
    char decimal_;
    std::string out_;
    std::string scratch_;
    std::string number_;
    std::string separator_;
    bool oneShotSeparator_ = false;
    bool fieldInLine_ = false;
    bool firstLine_ = true;
    int lineNumber_ = 0;  // of the current line, from 1
    int column_ = 0;
};

// "HH:MM:SS" of a span in milliseconds; the hours run on past 24.
std::string DurationText(long long milliseconds);

}  // namespace varelo
