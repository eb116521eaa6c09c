#include "measurement/RowCodec.h"

#include <charconv>
#include <cstring>

#include "measurement/EventRecord.h"
#include "measurement/IntervalRecord.h"
#include "measurement/StatisticSegment.h"
#include "measurement/TimeStamp.h"

namespace varelo::row_codec {

namespace {

constexpr std::string_view kOpen = "<i>";
constexpr std::string_view kClose = "</i>";

// The standard integer conversion: blanks, sign, digits; no digits gives 0.
int64_t ParseInteger(const char* p, const char* end) {
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    uint64_t v = 0;
    while (p < end && unsigned(*p - '0') < 10) {
        if (v < (1ull << 60)) v = v * 10 + unsigned(*p - '0');
        ++p;
    }
    return negative ? -int64_t(v) : int64_t(v);
}

int64_t ParseRealTruncated(const char* p, const char* end) {
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    if (p < end && *p == '+') ++p;
    double v = 0;
    auto [next, ec] = std::from_chars(p, end, v);
    if (ec != std::errc() || !(v > -9.2e18 && v < 9.2e18)) return 0;
    return int64_t(v);
}

void AppendInteger(std::string& line, int64_t value) {
    char text[24];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    line.append(text, end);
    line += ',';
}

}  // namespace

template <typename Record>
Result Parse(std::string_view line, std::string_view closingTag,
             std::span<const RecordColumn> columns, bool realCounters, Record& record) {
    if (line == closingTag) return Result::End;
    if (line.size() <= kOpen.size() + kClose.size() || !line.starts_with(kOpen) ||
        !line.ends_with(kClose))
        return Result::Bad;
    std::string_view content = line.substr(kOpen.size(), line.size() - kOpen.size() - kClose.size());
    if (content.front() != ',') return Result::Bad;
    record = Record();
    // One pass over the values: p stands on the comma before the next value.
    const char* p = content.data();
    const char* end = p + content.size();
    for (const RecordColumn& column : columns) {
        if (p >= end) break;  // no further comma: the row has ended
        const char* value = ++p;
        if (column.type == ColumnType::TimeStamp) {
            const char* valueEnd = static_cast<const char*>(std::memchr(value, ',', size_t(end - value)));
            if (!valueEnd) valueEnd = end;
            CTimeStamp t;
            if (t.ParseFilePrefix(std::string_view(value, size_t(valueEnd - value))) > 0)
                SetColumnTimeStamp(record, column, t);
            p = valueEnd;
            continue;
        }
        // Integers: sign and digits, read where they stand; anything else up to the next comma
        // is passed over. Counters of statistic rows are reals, but nearly always whole.
        // The row's "</i>" follows the content, so the scan stops at its "<" without a bound
        // check; a number too long for 64 bits only wraps, it is stored in 16 or 32 bits.
        bool negative = false;
        if (*p == '-' || *p == '+') negative = *p++ == '-';
        uint64_t v = 0;
        for (unsigned digit; (digit = unsigned(*p - '0')) < 10; ++p) v = v * 10 + digit;
        if (p < end && *p != ',') {
            if (realCounters || *value == ' ' || *value == '\t') {  // the slow, general way
                const char* valueEnd = static_cast<const char*>(std::memchr(value, ',', size_t(end - value)));
                if (!valueEnd) valueEnd = end;
                int64_t parsed = realCounters ? ParseRealTruncated(value, valueEnd)
                                              : ParseInteger(value, valueEnd);
                negative = parsed < 0;
                v = uint64_t(negative ? -parsed : parsed);
            }
            const char* comma = static_cast<const char*>(std::memchr(p, ',', size_t(end - p)));
            p = comma ? comma : end;
        }
        if (column.type != ColumnType::Number && column.type != ColumnType::Skip)
            SetColumnValue(record, column, negative ? -int64_t(v) : int64_t(v));
    }
    return Result::Row;
}

template <typename Record>
void Format(const Record& record, int number, std::span<const RecordColumn> columns,
            bool signedUInt16, std::string& line) {
    line.assign(kOpen);
    line += ',';
    for (const RecordColumn& column : columns) {
        switch (column.type) {
            case ColumnType::Number: AppendInteger(line, number); break;
            case ColumnType::Skip: break;
            case ColumnType::TimeStamp:
                line += GetColumnTimeStamp(record, column).FileText();
                line += ',';
                break;
            case ColumnType::UInt16: {
                int64_t v = GetColumnValue(record, column);
                AppendInteger(line, signedUInt16 ? int64_t(int16_t(uint16_t(v))) : v);
                break;
            }
            default: AppendInteger(line, GetColumnValue(record, column)); break;
        }
    }
    line += kClose;
}

std::string TitleLine(std::span<const RecordColumn> columns) {
    std::string line = "<Title>,";
    for (const RecordColumn& column : columns) {
        if (column.type == ColumnType::Skip) continue;
        line += ColumnName(column);
        line += ',';
    }
    return line + "</Title>";
}

template Result Parse(std::string_view, std::string_view, std::span<const RecordColumn>, bool,
                      CIntervalRecord&);
template Result Parse(std::string_view, std::string_view, std::span<const RecordColumn>, bool,
                      CStatisticSegment&);
template Result Parse(std::string_view, std::string_view, std::span<const RecordColumn>, bool,
                      CEventRecord&);
template void Format(const CIntervalRecord&, int, std::span<const RecordColumn>, bool, std::string&);
template void Format(const CStatisticSegment&, int, std::span<const RecordColumn>, bool,
                     std::string&);
template void Format(const CEventRecord&, int, std::span<const RecordColumn>, bool, std::string&);

}  // namespace varelo::row_codec
