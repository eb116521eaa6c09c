#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "measurement/MeasurementChannel.h"

namespace varelo {

class CIntervalList;
class CMeasurementJob;
class CTimeStamp;

// One column of the value list: a channel and the decimals its values are written with.
struct ValueListColumn {
    int channelId = 0;
    int decimals = 2;
};

// A print period of the value list: its command, its dialog entry and how long it runs
// (0: one page, -1: the whole measurement period).
struct ValueListPeriod {
    int period;  // 1 to 12
    int command;
    const char* entry;
    long long seconds;
};

// The entry of a period in the current language.
std::string ValueListPeriodLabel(const ValueListPeriod& period);

// Rows of the value list that a printout covers: [first, end), or one page from first.
struct ValueListRange {
    size_t first = 0;
    size_t end = 0;
    bool onePage = false;
};

// The interval records of a document as a table: the rows are the records by index, their
// texts are made when a row is drawn.
class MeasurementValueList {
public:
    static constexpr int kPeriods = 12;
    static constexpr int kOnePage = 1;
    static constexpr int kWholePeriod = 2;

    // The records stay the caller's; plt supplies the long-term flicker channels.
    MeasurementValueList(const CIntervalList& records, const CMeasurementJob& job,
                         std::vector<ValueListColumn> columns, int intervalSeconds,
                         PltProvider plt = {});

    size_t Rows() const;
    const std::vector<ValueListColumn>& Columns() const { return columns_; }
    bool Status() const { return status_; }
    void SetStatus(bool on) { status_ = on; }

    // Date and time; with the status its number, " *" after a gap (two blanks otherwise) and
    // its status letters; then each channel's value, at least three characters wide.
    std::vector<std::string> RowTexts(size_t row) const;
    // "Date and time", "Status" with the status on, and the channel names.
    std::vector<std::string> ColumnTitles(PhaseLabels labels) const;
    // The interval does not follow the previous one after one interval length.
    bool FollowsGap(size_t row) const;
    // The first row at or after the time; Rows() when there is none.
    size_t RowAtOrAfter(const CTimeStamp& time) const;

    // The rows a printout of the period covers starting at row first: one page, the whole list,
    // or up to the first row at or after first's time plus the period's duration.
    ValueListRange PrintRange(int period, size_t first) const;

    // The twelve print periods in order; a period outside 1 to 12 reads as 1.
    static const std::vector<ValueListPeriod>& Periods();
    static const ValueListPeriod& PeriodOf(int period);
    static int ValidPeriod(int period) { return period >= 1 && period <= kPeriods ? period : 1; }

private:
    const CIntervalList& records_;
    const CMeasurementJob& job_;
    std::vector<ValueListColumn> columns_;
    std::vector<CMeasurementChannel> channels_;
    QuantitySettings settings_;
    int intervalSeconds_;
    bool status_ = false;
};

}  // namespace varelo
