#include "timeplot/ReferenceRanges.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "app/AppOptions.h"
#include "measurement/ExtremeValues.h"
#include "measurement/MeasurementJob.h"
#include "measurement/QuantityCatalogue.h"

namespace varelo {

namespace {

constexpr int kNeutralConductor = 4;  // thousands digit of a neutral channel

// What a range or a nominal value is a multiple of.
enum class Base {
    One,
    NominalVoltage,
    NominalFrequency,
    VoltageRange,
    PhaseCurrent,
    NeutralCurrent,
    NeutralMeasuring,
    PhasePower,
    TotalPower
};

struct RangeRule {
    std::initializer_list<int> quantities;
    Base base;
    double begin, end;  // factors of the base
};

const RangeRule kRanges[] = {
    {{2}, Base::NominalFrequency, 0.9, 1.1},
    {{11, 12, 13, 20, 90, 91, 95, 102}, Base::VoltageRange, 0, 1.2},
    {{1, 111}, Base::One, 0, 5},
    {{112}, Base::One, 0, 200},
    {{17, 18, 37, 47}, Base::One, 0, 4},
    {{21, 22, 39, 40, 49, 50, 110}, Base::One, 0, 300},
    {{31, 32, 33, 38, 92, 93, 94}, Base::PhaseCurrent, 0, 1.2},
    {{41, 42, 43, 48}, Base::NeutralMeasuring, 0, 1.2},
    {{60, 61, 62, 72, 73, 74, 96, 97}, Base::PhasePower, 0, 1.44},
    {{63, 64, 65, 75, 76, 77, 99, 100}, Base::TotalPower, 0, 1.44},
    {{66, 67, 68, 78, 79, 80, 88, 103, 104, 105, 106}, Base::PhasePower, -1.44, 1.44},
    {{69, 70, 71, 81, 82, 83, 89}, Base::TotalPower, -1.44, 1.44},
    {{84, 85, 107, 108}, Base::One, -1, 1},
    {{86, 87}, Base::One, -1000, 1000},
};

struct NominalRule {
    std::initializer_list<int> quantities;
    Base base;
    double factor;
};

const NominalRule kNominals[] = {
    {{1}, Base::One, 2},
    {{2}, Base::NominalFrequency, 1},
    {{11, 12, 13, 20, 90, 91, 95, 102}, Base::NominalVoltage, 1},
    {{17, 18, 107, 108}, Base::One, 1},
    {{21, 22, 39, 40, 49, 50}, Base::One, 10},
    {{31, 32, 38, 92, 93, 94}, Base::PhaseCurrent, 1},
    {{33}, Base::PhaseCurrent, std::sqrt(2.0)},
    {{37, 47}, Base::One, 3 * std::sqrt(2.0)},
    {{41, 42, 48}, Base::NeutralCurrent, 1},
    {{43}, Base::NeutralCurrent, std::sqrt(2.0)},
    {{60, 61, 62, 66, 67, 68, 72, 73, 74, 78, 79, 80, 88, 96, 97, 103, 104}, Base::PhasePower, 1},
    {{63, 64, 65, 69, 70, 71, 75, 76, 77, 81, 82, 83, 89, 99, 100, 105, 106}, Base::TotalPower, 1},
};

bool Lists(std::initializer_list<int> quantities, int quantity) {
    return std::find(quantities.begin(), quantities.end(), quantity) != quantities.end();
}

bool InRange(int id, int first, int last) {
    return id >= first && id <= last;
}

// The phase current range's transformer ratio applies to the powers as well.
double PhaseRatio(const CMeasurementJob& job) {
    return job.PhCurrTransformer == 1
               ? TransformerRatio(job.PhCurrPrimaryRawVal, job.PhCurrSecondaryRawVal)
               : 1.0;
}

double BaseValue(const CMeasurementJob& job, Base base) {
    switch (base) {
        case Base::One: return 1;
        case Base::NominalVoltage: return job.NomVoltRawVal * 0.01;
        case Base::NominalFrequency: return job.PowSysNomFreq;
        case Base::VoltageRange: return job.VoltageRange();
        case Base::PhaseCurrent: return job.PhaseCurrentRange();
        case Base::NeutralCurrent: return job.NeutralCurrentRange();
        case Base::NeutralMeasuring: return job.NeutralMeasuringRange();
        case Base::PhasePower:
            return job.VoltageRange() * job.PhCurrClampRawVal * 0.00001 * PhaseRatio(job);
        case Base::TotalPower:
            return job.VoltageRange() * job.PhCurrClampRawVal * 0.00003 * PhaseRatio(job);
    }
    return 0;
}

double LargestMaximum(const ExtremeValueTable* extremes, int firstQuantity, int lastQuantity) {
    double largest = 0;
    if (!extremes) return largest;
    for (int conductor = 1; conductor <= kNeutralConductor; ++conductor) {
        for (int q = firstQuantity; q <= lastQuantity; ++q) {
            if (const ExtremeValue* e = extremes->Find(conductor * 1000 + q))
                largest = std::max(largest, e->maximum);
        }
    }
    return largest;
}

// Current harmonics take their nominal value from what was recorded: the fundamental's
// rounded maximum, a tenth of it for the higher orders, unless these reach 12 % of it.
double CurrentHarmonicNominal(const ExtremeValueTable* extremes, int quantity) {
    const double b = LargestMaximum(extremes, kCurrentHarmonicFirst, kCurrentHarmonicFirst);
    const double h = LargestMaximum(extremes, kCurrentHarmonicFirst + 1, kCurrentHarmonicLast);
    const double e = RoundUp(b);
    if (e * 0.12 > h) return quantity == kCurrentHarmonicFirst ? e : e * 0.1;
    return RoundUp(std::max(b, h));
}

}  // namespace

double RoundUp(double x) {
    if (x < 10) return 10;
    const double step = x <= 1000 ? 10 : 100;
    return std::ceil(x / step) * step;
}

void MeasuringRange(const ReferenceInputs& in, int channelId, double& begin, double& end) {
    const int quantity = channelId % 1000;
    const bool neutral = channelId / 1000 == kNeutralConductor;
    const bool current = InRange(quantity, kCurrentHarmonicFirst, kCurrentHarmonicLast) ||
                         InRange(quantity, kCurrentInterharmonicFirst, kCurrentInterharmonicLast);
    const bool voltage = InRange(quantity, kVoltageHarmonicFirst, kVoltageHarmonicLast) ||
                         InRange(quantity, kVoltageInterharmonicFirst, kVoltageInterharmonicLast);
    if (current || voltage) {
        const bool absolute =
            (current ? in.currentReference : in.voltageReference) == kHarmonicsAbsolute;
        begin = 0;
        end = !absolute ? 120
              : current ? 1.2 * in.job.PhaseCurrentRange()
                        : in.job.NomVoltRawVal * 0.012;
        return;
    }
    if (quantity == 109) {
        begin = 0;
        end = 1.2 * (neutral ? in.job.NeutralMeasuringRange() : in.job.PhaseCurrentRange());
        return;
    }
    for (const RangeRule& rule : kRanges) {
        if (!Lists(rule.quantities, quantity)) continue;
        const double base = BaseValue(in.job, rule.base);
        begin = rule.begin * base;
        end = rule.end * base;
        return;
    }
}

double NominalValue(const ReferenceInputs& in, int channelId) {
    const int quantity = channelId % 1000;
    const bool absolute = in.voltageReference == kHarmonicsAbsolute;
    const double un = in.job.NomVoltRawVal * 0.01;
    if (quantity == kVoltageHarmonicFirst) return absolute ? un : 100;
    if (InRange(quantity, kVoltageHarmonicFirst + 1, kVoltageHarmonicLast) ||
        InRange(quantity, kVoltageInterharmonicFirst, kVoltageInterharmonicLast))
        return absolute ? in.job.NomVoltRawVal * 0.001 : 10;
    if (InRange(quantity, kCurrentHarmonicFirst, kCurrentHarmonicLast))
        return CurrentHarmonicNominal(in.extremes, quantity);
    if (InRange(quantity, kCurrentInterharmonicFirst, kCurrentInterharmonicLast))
        return RoundUp(
            LargestMaximum(in.extremes, kCurrentInterharmonicFirst, kCurrentInterharmonicLast));
    if (quantity == 109)
        return channelId / 1000 == kNeutralConductor ? in.job.NeutralCurrentRange()
                                                     : in.job.PhaseCurrentRange();
    for (const NominalRule& rule : kNominals) {
        if (Lists(rule.quantities, quantity)) return rule.factor * BaseValue(in.job, rule.base);
    }
    return 0;
}

}  // namespace varelo
