#pragma once

#include <string>

#include "measurement/QuantityCatalogue.h"

namespace varelo {

// Decimals of the values shown beside a plain unit, until the quantities carry their own.
inline constexpr int kPlainDecimals = 2;

// The plain unit of a channel's values as the diagram computes them (powers in kW, harmonics in
// the reference of the settings); empty for quantities without a unit (flicker, power factor).
std::string QuantityUnit(int channelId, const QuantitySettings& settings);

}  // namespace varelo
