#include "timeplot/QuantityUnit.h"

#include <algorithm>
#include <initializer_list>

#include "app/AppOptions.h"

namespace varelo {

namespace {

struct UnitSet {
    const char* unit;
    std::initializer_list<int> quantities;
};

const UnitSet kUnits[] = {
    {"%", {1, 21, 22, 39, 40, 49, 50, 110, 111, 112}},
    {"Hz", {2}},
    {"V", {11, 12, 13, 20, 90, 91, 95, 102}},
    {"A", {31, 32, 33, 38, 41, 42, 43, 48, 92, 93, 94, 109}},
    {"kVA", {60, 61, 62, 63, 64, 65, 96, 97, 99, 100}},
    {"kW", {66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 103, 105}},
    {"kvar", {78, 79, 80, 81, 82, 83, 104, 106}},
    {"kWh", {88, 89}},
};

bool InRange(int q, int first, int last) {
    return q >= first && q <= last;
}

}  // namespace

std::string QuantityUnit(int channelId, const QuantitySettings& settings) {
    const int q = channelId % 1000;
    if (InRange(q, kVoltageHarmonicFirst, kVoltageHarmonicLast) ||
        InRange(q, kVoltageInterharmonicFirst, kVoltageInterharmonicLast))
        return settings.voltageReference == kHarmonicsAbsolute ? "V" : "%";
    if (InRange(q, kCurrentHarmonicFirst, kCurrentHarmonicLast) ||
        InRange(q, kCurrentInterharmonicFirst, kCurrentInterharmonicLast)) {
        const bool relative = settings.currentReference == kHarmonicsInFundamental ||
                              settings.currentReference == kHarmonicsInRms;
        return relative ? "%" : "A";
    }
    for (const UnitSet& set : kUnits) {
        if (std::find(set.quantities.begin(), set.quantities.end(), q) != set.quantities.end())
            return set.unit;
    }
    return {};
}

}  // namespace varelo
