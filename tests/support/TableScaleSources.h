#pragma once

#include <map>
#include <utility>

#include "timeplot/DiagramState.h"

namespace varelo::test {

using ValueRanges = std::map<int, std::pair<double, double>>;

// Scale sources read from tables by channel: measuring ranges (absent: left as set) and
// extremes (absent: no values). The tables must outlive the sources.
ScaleSources TableScaleSources(const ValueRanges& ranges, const ValueRanges& extremes);

}  // namespace varelo::test
