#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "measurement/TimeStamp.h"

namespace varelo {

// Values of an item block, taken by position: each value starts after the next "=". Item
// names are not compared. When the text runs out, the remaining fields keep their values.
class ItemBlockReader {
public:
    // Characters of a text value that are read; the writer writes no more.
    static constexpr size_t kMaxTextLength = 360;

    // codePage: 65001 for UTF-8 text, else the 8-bit code page the texts are converted from.
    ItemBlockReader(std::string_view block, int codePage) : block_(block), codePage_(codePage) {}

    void Text(std::string_view name, std::string& value);
    template <class T>
    void Integer(std::string_view, T& value) {
        long long v;
        if (NextInteger(v)) value = static_cast<T>(v);
    }
    template <class T>
    void Real(std::string_view, T& value) {
        double v;
        if (NextReal(v)) value = static_cast<T>(v);
    }
    void Time(std::string_view name, CTimeStamp& value);
    // A weekly segment time: its weekday travels in the day field, which a segment leaves
    // unused, because the file's time text has no weekday of its own.
    void SegmentTime(std::string_view name, CTimeStamp& value);
    void Bytes(std::string_view name, std::array<uint8_t, 6>& value);
    void Char(std::string_view name, char& value);
    // A value that older files carry and nothing keeps.
    void Discard();

    bool Exhausted() const { return exhausted_; }

private:
    // Moves past the next "=" and returns the text after it; false when there is none.
    bool NextValue(std::string_view& rest);
    bool NextInteger(long long& value);
    bool NextReal(double& value);

    std::string_view block_;
    size_t pos_ = 0;
    int codePage_;
    bool exhausted_ = false;
};

// Writes items as "<t>name=value</t>" lines into a text, lines ending with CR LF. A text is
// written only as far as the reader reads it back, so that it cannot shift later values.
class ItemBlockWriter {
public:
    // blockName: the element the items go into; its closing tag ends a text.
    explicit ItemBlockWriter(std::string_view blockName)
        : blockEnd_("</" + std::string(blockName) + ">") {}

    void Text(std::string_view name, const std::string& value);
    template <class T>
    void Integer(std::string_view name, const T& value) {
        Line(name, std::to_string(static_cast<long long>(value)));
    }
    void Real(std::string_view name, double value);
    void Time(std::string_view name, const CTimeStamp& value);
    void SegmentTime(std::string_view name, const CTimeStamp& value);
    void Bytes(std::string_view name, const std::array<uint8_t, 6>& value);
    void Char(std::string_view name, char value);
    // Only older versions carry discarded items; the writer writes the newest.
    void Discard() {}

    const std::string& Result() const { return out_; }

private:
    void Line(std::string_view name, std::string_view value);
    std::string blockEnd_;
    std::string out_;
};

}  // namespace varelo
