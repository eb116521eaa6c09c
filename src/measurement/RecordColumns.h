#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <type_traits>

#include "measurement/TimeStamp.h"

namespace varelo {

enum class ColumnType : uint8_t {
    Number,  // the row number: written, ignored when read
    Skip,    // a value of an older file version that is read and discarded
    Int16,
    UInt16,  // written as the signed 16-bit value of the same bits
    UInt32,
    TimeStamp,
};

// One column of a record row in a measurement file: where its value lives in the record and
// how its title is built (stem followed by up to three indices joined by "_").
struct RecordColumn {
    const char* stem;
    uint16_t offset;  // byte offset of the field in the record
    ColumnType type;
    int8_t index[3];
    int8_t conductor;  // interval columns: 0-2 phase, 3 neutral, -1 measurement-wide
    bool total;        // interval columns: a power total
};

// Columns of the interval rows, "Nr" first, in file order: function A (10) and every older
// file version of it carry the harmonics; any other function has the P layout.
std::span<const RecordColumn> IntervalColumns(uint32_t measFunc, int fileVersion = 102);
std::span<const RecordColumn> StatisticColumns();
std::span<const RecordColumn> EventColumns();

// Title of a column, e.g. "VoltHarmPhaseLxRawVal2_7"; empty for a skipped column.
std::string ColumnName(const RecordColumn& column);

// Reads and writes a record's field by its column. Values are stored in the field's width, so
// a written -25536 restores an unsigned 40000; unsigned fields read back unsigned. Number,
// Skip and timestamp columns read as 0 and ignore integer writes.
template <typename Record>
int64_t GetColumnValue(const Record& record, const RecordColumn& column) {
    static_assert(std::is_trivially_copyable_v<Record> && std::is_standard_layout_v<Record>);
    const char* at = reinterpret_cast<const char*>(&record) + column.offset;
    switch (column.type) {
        case ColumnType::Int16: {
            int16_t v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        case ColumnType::UInt16: {
            uint16_t v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        case ColumnType::UInt32: {
            uint32_t v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        default:
            return 0;
    }
}

template <typename Record>
void SetColumnValue(Record& record, const RecordColumn& column, int64_t value) {
    static_assert(std::is_trivially_copyable_v<Record> && std::is_standard_layout_v<Record>);
    char* at = reinterpret_cast<char*>(&record) + column.offset;
    switch (column.type) {
        case ColumnType::Int16: {
            const auto v = int16_t(value);
            std::memcpy(at, &v, sizeof v);
            break;
        }
        case ColumnType::UInt16: {
            const auto v = uint16_t(value);
            std::memcpy(at, &v, sizeof v);
            break;
        }
        case ColumnType::UInt32: {
            const auto v = uint32_t(value);
            std::memcpy(at, &v, sizeof v);
            break;
        }
        default:
            break;
    }
}

template <typename Record>
CTimeStamp GetColumnTimeStamp(const Record& record, const RecordColumn& column) {
    CTimeStamp t;
    if (column.type == ColumnType::TimeStamp)
        std::memcpy(&t, reinterpret_cast<const char*>(&record) + column.offset, sizeof t);
    return t;
}

template <typename Record>
void SetColumnTimeStamp(Record& record, const RecordColumn& column, const CTimeStamp& t) {
    if (column.type == ColumnType::TimeStamp)
        std::memcpy(reinterpret_cast<char*>(&record) + column.offset, &t, sizeof t);
}

}  // namespace varelo
