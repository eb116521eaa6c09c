#include <gtest/gtest.h>

#include "measurement/VoltageRangeTable.h"

namespace varelo {
namespace {

TEST(VoltageRangeTable, EveryKeptRangeCodeHasBothPhaseToNeutralAndPhaseToPhaseValues) {
    struct Case {
        int code;
        double phaseToNeutral, phaseToPhase;
    };
    const Case cases[] = {{1, 69, 120},  {2, 138.5, 240}, {3, 277, 480}, {4, 416, 720},
                          {5, 115, 200}, {6, 230, 400},   {7, 480, 830}, {0, 0, 0},
                          {8, 0, 0},     {-1, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(VoltageInputRange(c.code, false), c.phaseToNeutral) << c.code;
        EXPECT_EQ(VoltageInputRange(c.code, true), c.phaseToPhase) << c.code;
    }
}

}  // namespace
}  // namespace varelo
