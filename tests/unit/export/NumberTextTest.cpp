#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "export/NumberText.h"

namespace varelo {
namespace {

std::string Printf(const char* pattern, int decimals, double value) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, decimals, value);
    return text;
}

TEST(NumberText, FormatValueGivesPrintfsBytes) {
    const double values[] = {0.0,     -0.0,     0.5,      1.0,          -1.0,
                             0.125,   0.0005,   0.00049,  2.675,        1.005,
                             229.995, 230.45,   -12.3456, 99999.5,      123456789.125,
                             1e15,    -7.25e-5, 1e20,     1.0000001e20, -3.3e21,
                             4.5e300, 1e-300,   0.1,      0.3,          17600.0 / 3};
    for (double v : values) {
        for (int d = 0; d <= 4; ++d) {
            const std::string expected =
                std::fabs(v) > 1e20 ? Printf("%.*e", 3, v) : Printf("%.*f", d, v);
            EXPECT_EQ(FormatValue(v, d), expected) << v << " with " << d;
        }
    }
    // More than four decimals are not written.
    EXPECT_EQ(FormatValue(1.234567, 9), "1.2346");
    EXPECT_EQ(FormatValue(2.5, -1), "2");
}

TEST(NumberText, ReportNumbersByMagnitude) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {230.45, "230,5"},     {0.05, "5,00E-002"},    {12345.6, "1,23E+004"},
        {0.5, "0,50"},         {0.0, "0,00"},          {0.1, "0,10"},
        {1.0, "1,00"},         {10000.0, "10000,0"},   {1e-8, "0,00"},
        {-0.05, "-5,00E-002"}, {2e-8, "2,00E-008"},    {1.5e123, "1,50E+123"},
        {-230.45, "-230,5"},   {9.95, "10,0"},         {0.995, "1,00"},
        {0.0995, "9,95E-002"}, {99999.5, "1,00E+005"}, {-0.001, "-1,00E-003"},
        {1e-9, "0,00"},        {-1e-9, "-0,00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatReportNumber(c.value), c.text) << c.value;
}

TEST(NumberText, PaddingKeepsLongTexts) {
    EXPECT_EQ(PadLeft("7", 3), "  7");
    EXPECT_EQ(PadLeft("1234", 3), "1234");
    EXPECT_EQ(PadLeft("5", 3, '0'), "005");
}

}  // namespace
}  // namespace varelo
