#include "support/TableScaleSources.h"

#include <tuple>

namespace varelo::test {

ScaleSources TableScaleSources(const ValueRanges& ranges, const ValueRanges& extremes) {
    return {[&ranges](int id, double& begin, double& end) {
                if (auto it = ranges.find(id); it != ranges.end())
                    std::tie(begin, end) = it->second;
            },
            [&extremes](int id, double& minimum, double& maximum) {
                auto it = extremes.find(id);
                if (it == extremes.end()) return false;
                std::tie(minimum, maximum) = it->second;
                return true;
            }};
}

}  // namespace varelo::test
