#pragma once

namespace varelo {

struct ScaleRange {
    double minimum = 0;
    double maximum = 0;
};

// A range of ten round divisions around minimum .. maximum of a stored measurement, never
// reaching below lowerBound (the beginning of the quantity's measuring range) by the room it
// adds. Range-limited quantities (power factors, between -1 and 1) are kept within -1 .. 1.
ScaleRange NiceScale(double minimum, double maximum, double lowerBound, bool rangeLimited);

// Whether a quantity's values lie between -1 and 1 and are drawn folded.
bool IsRangeLimited(int quantity);

}  // namespace varelo
