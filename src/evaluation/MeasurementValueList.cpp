#include "evaluation/MeasurementValueList.h"

#include <algorithm>
#include <cstdio>

#include "app/StringTable.h"
#include "app/TextKeys.h"
#include "measurement/IntervalList.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr int kDateAndTime = 367;
constexpr int kStatus = 1051;
constexpr int kMinimumWidth = 3;
constexpr long long kHour = 3600;
constexpr long long kDay = 24 * kHour;

// A value right-aligned in a width with the decimals.
std::string FixedWidth(double value, int width, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
    return text;
}

constexpr int kOnePageCommand = 33011;
constexpr int kFourHoursCommand = 33005;  // "4 hours"; the list writes "4 Hours"

}  // namespace

const std::vector<ValueListPeriod>& MeasurementValueList::Periods() {
    static const std::vector<ValueListPeriod> periods = {
        {1, 33011, "one page", 0},          {2, 33013, "Measurement period", -1},
        {3, 33008, "7 days", 7 * kDay},     {4, 33006, "5 days", 5 * kDay},
        {5, 33004, "2 days", 2 * kDay},     {6, 33002, "1 day", kDay},
        {7, 33000, "12 hours", 12 * kHour}, {8, 33009, "8 hours", 8 * kHour},
        {9, 33007, "6 hours", 6 * kHour},   {10, 33005, "4 Hours", 4 * kHour},
        {11, 33003, "2 hours", 2 * kHour},  {12, 33001, "1 hour", kHour},
    };
    return periods;
}

std::string ValueListPeriodLabel(const ValueListPeriod& period) {
    if (period.command == kFourHoursCommand) return Txt(txt::timeplot_period_fourHours);
    // The other entries have the wording of their command's text; "one page" has none.
    return period.command == kOnePageCommand ? period.entry : Str(period.command);
}

const ValueListPeriod& MeasurementValueList::PeriodOf(int period) {
    return Periods()[size_t(ValidPeriod(period) - 1)];
}

MeasurementValueList::MeasurementValueList(const CIntervalList& records, const CMeasurementJob& job,
                                           std::vector<ValueListColumn> columns,
                                           int intervalSeconds, PltProvider plt)
    : records_(records),
      job_(job),
      settings_(QuantitySettings::Current()),
      intervalSeconds_(intervalSeconds) {
    for (const ValueListColumn& column : columns) {
        CMeasurementChannel channel;
        if (!channel.SetupChannel(column.channelId)) continue;
        channel.plt = plt;
        channels_.push_back(std::move(channel));
        columns_.push_back(column);
    }
}

size_t MeasurementValueList::Rows() const {
    return records_.size();
}

bool MeasurementValueList::FollowsGap(size_t row) const {
    if (row == 0 || row >= records_.size()) return false;
    CTimeStamp expected = records_[row - 1].DateTime;
    expected.AddSeconds(intervalSeconds_);
    return records_[row].DateTime.Compare(expected) != 0;
}

std::vector<std::string> MeasurementValueList::RowTexts(size_t row) const {
    std::vector<std::string> texts;
    if (row >= records_.size()) return texts;
    const CIntervalRecord& record = records_[row];
    texts.reserve(columns_.size() + 2);
    texts.push_back(record.DateTime.DisplayText());
    if (status_)
        texts.push_back(std::to_string(row + 1) + (FollowsGap(row) ? " *" : "  ") +
                        StatusLetterCode(uint16_t(record.Status)));
    for (size_t c = 0; c < columns_.size(); ++c)
        texts.push_back(FixedWidth(channels_[c].ChannelValue(record, records_.Scaling(), settings_),
                                   kMinimumWidth, columns_[c].decimals));
    return texts;
}

std::vector<std::string> MeasurementValueList::ColumnTitles(PhaseLabels labels) const {
    std::vector<std::string> titles = {Str(kDateAndTime)};
    if (status_) titles.push_back(Str(kStatus));
    for (const CMeasurementChannel& channel : channels_)
        titles.push_back(channel.ChannelName(job_, labels));
    return titles;
}

size_t MeasurementValueList::RowAtOrAfter(const CTimeStamp& time) const {
    // The records ascend in time.
    size_t lo = 0, hi = records_.size();
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        if (records_[mid].DateTime < time)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

ValueListRange MeasurementValueList::PrintRange(int period, size_t first) const {
    const size_t rows = records_.size();
    const ValueListPeriod& p = PeriodOf(period);
    if (p.seconds < 0) return {0, rows, false};
    first = std::min(first, rows);
    if (p.seconds == 0) return {first, rows, true};
    if (first == rows) return {rows, rows, false};
    CTimeStamp end = records_[first].DateTime;
    end.AddSeconds(p.seconds);
    return {first, std::max(first, RowAtOrAfter(end)), false};
}

}  // namespace varelo
