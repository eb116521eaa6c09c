#pragma once

#include <cstdint>
#include <string>

#include "app/StringTable.h"

namespace varelo {

// One period of the level-time diagram's time axis: the window length, the divisions of the
// axis, and the page and step a scroll moves by.
struct TimePeriod {
    // The label: a numbered text where the table has one in that wording, else a keyed text.
    int labelId;
    TextKey labelKey;
    int64_t seconds;  // 0 for the whole measurement
    int divisions;
    int pageSteps;
    int64_t stepSeconds;

    int64_t DivisionSeconds() const { return divisions > 0 ? seconds / divisions : 0; }
};

inline constexpr int kFirstPeriod = 1;
inline constexpr int kOneDayPeriod = 16;
inline constexpr int kSevenDaysPeriod = 22;
inline constexpr int kTwentyEightDaysPeriod = 25;
inline constexpr int kMeasurementPeriod = 26;

// Periods 1 to 26; an index outside gives the measurement period.
const TimePeriod& TimePeriodAt(int index);
// The period's label in the current language.
std::string TimePeriodLabel(int index);

}  // namespace varelo
