#include <gtest/gtest.h>

#include "app/Settings.h"
#include "support/TempDir.h"
#include "timeplot/DiagramSettings.h"

namespace varelo {
namespace {

TEST(DiagramSettings, StoredChoicesAndTheirDefaults) {
    test::TempDir dir;
    SettingsStore store(dir.File("Varelo.conf"));
    Settings settings(store);
    EXPECT_EQ(DiagramSettings::Read(settings).period, 26);  // absent: the whole measurement
    struct Case {
        int storedPeriod, period;
    } periods[] = {{16, 16}, {0, 26}, {27, 26}, {1, 1}, {26, 26}};
    for (const Case& c : periods) {
        settings.Write(setting::TimePeriod, c.storedPeriod);
        EXPECT_EQ(DiagramSettings::Read(settings).period, c.period) << c.storedPeriod;
    }

    // A scaling mode of 4 reads as 1 and is written back; so is a curve width of 3.
    settings.Write(setting::Yscaling, 4);
    settings.Write(setting::CurveWidth, 3);
    const DiagramSettings d = DiagramSettings::Read(settings);
    EXPECT_EQ(d.scalingMode, 1);
    EXPECT_EQ(settings.ReadInt(setting::Yscaling), 1);
    EXPECT_EQ(d.widthChoice, 0);
    EXPECT_EQ(settings.ReadInt(setting::CurveWidth), 0);
    settings.Write(setting::Yscaling, 3);
    EXPECT_EQ(DiagramSettings::Read(settings).scalingMode, 3);
}

TEST(DiagramSettings, WidthsInTenthsOfAMillimetreRoundedUp) {
    struct Case {
        const char* text;
        int highest, fallback, tenths;
    } cases[] = {{"0.5", 50, 5, 5},  {"0.51", 50, 5, 6},   {"5", 50, 5, 50},
                 {"5.01", 50, 5, 5}, {"0", 50, 5, 5},      {"", 50, 5, 5},
                 {"x", 100, 10, 10}, {"1.0", 100, 10, 10}, {"9.99", 100, 10, 100}};
    for (const Case& c : cases)
        EXPECT_EQ(WidthTenths(c.text, c.highest, c.fallback), c.tenths) << c.text;
}

}  // namespace
}  // namespace varelo
