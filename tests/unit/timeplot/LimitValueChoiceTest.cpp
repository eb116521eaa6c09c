#include <gtest/gtest.h>

#include "evaluation/LimitValues.h"
#include "measurement/MeasurementJob.h"
#include "timeplot/LimitValueChoice.h"

namespace varelo {
namespace {

using Texts = std::vector<std::string>;

// The built-in 50 Hz limits over a 230 V job.
class LimitValueChoiceTest : public ::testing::Test {
protected:
    LimitValueChoiceTest() { limits.SetDefaults(50); }
    LimitValueChoice Choice(const std::vector<int>& curves, int curve = -1, int band = 0) {
        return LimitValueChoice(curves, {limits, job, settings}, PhaseLabels::L123, curve, band);
    }
    static Texts TextsOf(const LimitValueChoice& choice) {
        Texts texts;
        for (const auto& e : choice.Entries())
            texts.push_back(e.text);
        return texts;
    }
    CLimitValues limits;
    CMeasurementJob job;
    QuantitySettings settings{kHarmonicsInNominal, kHarmonicsAbsolute, 50};
};

TEST_F(LimitValueChoiceTest, PairsForFrequencyAndVoltagesOneEntryForOtherLimits) {
    const LimitValueChoice choice = Choice({1011, 1031, 2, 1305, 1017});
    EXPECT_EQ(TextsOf(choice), (Texts{
                                   "V average L1\t[95%]   +10/ -10 %",
                                   "V average L1\t[100%] +10/ -15 %",
                                   "frequency\t[99.5%] +1/ -1 %",
                                   "frequency\t[100%] +4/ -6 %",
                                   // The channels' decimals: none for harmonics up to 120 %,
                                   // three for flicker.
                                   "V h5 L1\t6 %",
                                   "Flicker Pst L1\t1.000",
                               }));
    std::vector<std::pair<int, int>> curveAndBand;
    for (const auto& e : choice.Entries())
        curveAndBand.emplace_back(e.curve, e.band);
    EXPECT_EQ(curveAndBand,
              (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {2, 0}, {2, 1}, {3, 0}, {4, 0}}));
    EXPECT_EQ(choice.Selection(), 0);  // no limit line: the first entry

    settings.voltageReference = kHarmonicsAbsolute;
    EXPECT_EQ(TextsOf(Choice({2305})), (Texts{"V h5 L2\t14 V"}));  // up to 276 V: none
    // Current harmonic limits keep two decimals.
    limits.CurrHarm[4] = 12.5f;
    EXPECT_EQ(TextsOf(Choice({1125})), (Texts{"I h5 L1\t12.50 A"}));
}

TEST_F(LimitValueChoiceTest, TheCurrentLimitLineIsSelectedAndWithoutMeansNone) {
    const std::vector<int> curves = {1011, 2, 1305};
    EXPECT_EQ(Choice(curves, 0, 1).Selection(), 1);
    EXPECT_EQ(Choice(curves, 1, 0).Selection(), 2);
    LimitValueChoice choice = Choice(curves, 2, 1);  // a single limit has one entry
    EXPECT_EQ(choice.Selection(), 4);
    EXPECT_EQ(choice.Curve(), 2);
    choice.Select(3);
    EXPECT_EQ(choice.Curve(), 1);
    EXPECT_EQ(choice.Band(), 1);
    choice.ChooseNone();
    EXPECT_EQ(choice.Curve(), -1);
    EXPECT_TRUE(choice.CanAccept());
}

TEST_F(LimitValueChoiceTest, HarmonicsOnlyGiveOneEntryPerHarmonicWithALimit) {
    const LimitValueChoice choice = Choice({1303, 2305, 3307, 1330});  // h30 has no limit
    EXPECT_EQ(TextsOf(choice), (Texts{"V h3 L1\t5 %", "V h5 L2\t6 %", "V h7 L3\t5 %"}));

    const LimitValueChoice none = Choice({1031, 1067});
    EXPECT_TRUE(none.Entries().empty());
    EXPECT_FALSE(none.CanAccept());
    EXPECT_EQ(none.Curve(), -1);
}

}  // namespace
}  // namespace varelo
