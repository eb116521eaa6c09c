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

// The range of a diagram fed while the Logger measures: a margin around the values seen so far.
ScaleRange OnlineMargin(double minimum, double maximum, int quantity);

// Whether a quantity's values lie between -1 and 1 and are drawn folded.
bool IsRangeLimited(int quantity);
// The folded value of a range-limited quantity: 1 - v above 0, -1 - v below, so that values
// near +-1 lie near 0; 0 where the result would cross zero.
double Fold(double value);
// The folded value of an entered or computed one, as the diagram keeps a manual range: a
// negative zero is the bottom of the folded scale (-1), a positive one its top (1).
double FoldEntered(double value);

}  // namespace varelo
