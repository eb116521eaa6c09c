#include "timeplot/TimePeriodTable.h"

#include <iterator>

#include "app/TextKeys.h"

namespace varelo {

namespace {

constexpr TimePeriod kPeriods[] = {
    {1054, {}, 60, 6, 6, 10},
    {0, txt::timeplot_period_twoMinutes, 120, 2, 1, 60},
    {0, txt::timeplot_period_fiveMinutes, 300, 5, 1, 60},
    {0, txt::timeplot_period_tenMinutes, 600, 5, 2, 60},
    {0, txt::timeplot_period_fifteenMinutes, 900, 3, 5, 60},
    {0, txt::timeplot_period_thirtyMinutes, 1800, 6, 5, 60},
    {0, txt::timeplot_period_fortyFiveMinutes, 2700, 3, 15, 60},
    {33001, {}, 3600, 6, 10, 60},
    {33003, {}, 7200, 4, 12, 300},
    {0, txt::timeplot_period_threeHours, 10800, 6, 12, 300},
    {0, txt::timeplot_period_fourHours, 14400, 4, 12, 300},
    {33007, {}, 21600, 6, 12, 300},
    {33009, {}, 28800, 4, 12, 300},
    {33000, {}, 43200, 6, 12, 300},
    {0, txt::timeplot_period_eighteenHours, 64800, 3, 12, 300},
    {33002, {}, 86400, 6, 24, 3600},
    {33004, {}, 172800, 2, 24, 3600},
    {0, txt::timeplot_period_threeDays, 259200, 3, 24, 3600},
    {0, txt::timeplot_period_fourDays, 345600, 4, 24, 3600},
    {33006, {}, 432000, 5, 24, 3600},
    {0, txt::timeplot_period_sixDays, 518400, 6, 24, 3600},
    {33008, {}, 604800, 7, 24, 3600},
    {0, txt::timeplot_period_eightDays, 691200, 8, 24, 3600},
    {0, txt::timeplot_period_fourteenDays, 1209600, 2, 7, 86400},
    {33140, {}, 2419200, 4, 7, 86400},
    {33012, {}, 0, 1, 0, 0},
};
static_assert(std::size(kPeriods) == kMeasurementPeriod);

}  // namespace

const TimePeriod& TimePeriodAt(int index) {
    if (index < kFirstPeriod || index > kMeasurementPeriod) index = kMeasurementPeriod;
    return kPeriods[index - 1];
}

std::string TimePeriodLabel(int index) {
    const TimePeriod& period = TimePeriodAt(index);
    return period.labelId ? Str(period.labelId) : Txt(period.labelKey);
}

}  // namespace varelo
