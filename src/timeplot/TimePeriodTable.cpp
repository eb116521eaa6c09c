#include "timeplot/TimePeriodTable.h"

#include <iterator>

namespace varelo {

namespace {

constexpr TimePeriod kPeriods[] = {
    {"1 minute", 60, 6, 6, 10},        {"2 minutes", 120, 2, 1, 60},
    {"5 minutes", 300, 5, 1, 60},      {"10 minutes", 600, 5, 2, 60},
    {"15 minutes", 900, 3, 5, 60},     {"30 minutes", 1800, 6, 5, 60},
    {"45 minutes", 2700, 3, 15, 60},   {"1 hour", 3600, 6, 10, 60},
    {"2 hours", 7200, 4, 12, 300},     {"3 hours", 10800, 6, 12, 300},
    {"4 Hours", 14400, 4, 12, 300},    {"6 hours", 21600, 6, 12, 300},
    {"8 hours", 28800, 4, 12, 300},    {"12 hours", 43200, 6, 12, 300},
    {"18 hours", 64800, 3, 12, 300},   {"1 day", 86400, 6, 24, 3600},
    {"2 days", 172800, 2, 24, 3600},   {"3 days", 259200, 3, 24, 3600},
    {"4 days", 345600, 4, 24, 3600},   {"5 days", 432000, 5, 24, 3600},
    {"6 days", 518400, 6, 24, 3600},   {"7 days", 604800, 7, 24, 3600},
    {"8 days", 691200, 8, 24, 3600},   {"14 days", 1209600, 2, 7, 86400},
    {"28 days", 2419200, 4, 7, 86400}, {"Measurement period", 0, 1, 0, 0},
};
static_assert(std::size(kPeriods) == kMeasurementPeriod);

}  // namespace

const TimePeriod& TimePeriodAt(int index) {
    if (index < kFirstPeriod || index > kMeasurementPeriod) index = kMeasurementPeriod;
    return kPeriods[index - 1];
}

}  // namespace varelo
