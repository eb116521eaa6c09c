#pragma once

#include <cstdint>
#include <string>

#include "app/UserInterface.h"
#include "job/JobPageCheck.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

// The voltage interharmonics page (111) of function A: up to five channels, each an absolute
// frequency (Hz) or an order relative to the nominal frequency, with a measuring principle
// and a text.
struct InterharmonicEntry {
    bool relative = false;
    double value = 0;  // Hz, or the order
    int16_t principle = 2;
    std::string text;  // at most 30 characters
};

// The value shown when the frequency measurement switches: Hz (limited to 5..2500) to an
// order with two decimals, and an order back to whole Hz within 5..2500.
double HertzToOrder(double hertz, int nominalFrequency);
double OrderToHertz(double order, int nominalFrequency);

// "Add": a sixth channel only beeps; 1100 for an order out of range, 826 (with a beep) for a
// frequency out of range, 883 (with a beep) for a channel already in the list.
PageCheck AddInterharmonic(CMeasurementJob& job, const InterharmonicEntry& entry);
// "Delete" of channel selected (-1: none, then 964 asks to delete all); no channels beeps.
PageCheck DeleteInterharmonic(CMeasurementJob& job, int selected, UserInterface& ui);

}  // namespace varelo
