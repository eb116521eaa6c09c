#pragma once

#include <array>
#include <string>

#include "evaluation/LimitEditor/LimitEditorText.h"
#include "evaluation/LimitEditor/LimitItemLists.h"

namespace varelo {

class CLimitValues;

// The mains signalling voltages sub-dialog over 100 Hz to 3000 Hz in 5-Hz steps: a frequency
// with a limit is selected; the others offer the default signalling curve.
class CSignallingLimitsModel {
public:
    enum Field { kFrequency, kValue };
    static constexpr int kLowest = 100;
    static constexpr int kHighest = 3000;

    explicit CSignallingLimitsModel(const CLimitValues& limits);

    CLimitItemLists& Lists() { return lists_; }
    const CLimitItemLists& Lists() const { return lists_; }

    // "Set": the frequency is rounded down to a multiple of 5 and shown so (frequency gets the
    // shown text); within 100 to 3000 Hz (164); the value within 0 to 100 (166).
    LimitCheck Set(std::string& frequency, const std::string& value);
    // OK: the selected frequencies are all the signalling limits; unselected ones are dropped.
    std::array<float, 600> Limits() const;

private:
    CLimitItemLists lists_;
};

}  // namespace varelo
