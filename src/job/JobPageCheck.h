#pragma once

#include <initializer_list>
#include <string>

namespace varelo {

// The fields a refused page value puts the focus on.
enum class JobField {
    None,
    NominalVoltage,
    PrimaryVoltage,
    SecondaryVoltage,
    MaxClampCurrent,
    PositiveTolerance,
    NegativeTolerance,
    Hysteresis,
    SegmentBegin,
    SegmentList,
    Begin,
    End,
    PhaseRange,
    PhasePrimary,
    PhaseSecondary,
    NeutralRange,
    NeutralPrimary,
    NeutralSecondary,
    PhaseShift,
    InterharmonicValue,
    InterharmonicList,
};

// The outcome of a page's check or button: message 0 when the values were taken over,
// otherwise the message (its text formatted) and the field to focus. A beep comes alone or
// with its message.
struct PageCheck {
    int message = 0;
    JobField field = JobField::None;
    std::string text;
    bool beep = false;
    // The values were taken over after the correction the message tells of.
    bool corrected = false;

    bool Accepted() const { return (message == 0 || corrected) && !beep; }
};

// A refusal with message id formatted with its arguments.
PageCheck Refusal(int message, JobField field, std::initializer_list<std::string> args = {},
                  bool beep = false);

}  // namespace varelo
