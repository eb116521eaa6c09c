#include "export/AccessNames.h"

#include <gtest/gtest.h>

namespace varelo {
namespace {

TEST(AccessNames, QuantityNamesGiveChannels) {
    const struct {
        const char* text;
        int channel;
    } cases[] = {
        {"Umean"
         "L1",
         1011},
        {"ImeanN", 41},
        {"Iharm3N", 4123},
        {"Uharm5B", 2305},
        {"UZharm2L3", 3402},
        {"THDIAN", 4109},
        {"VoltageUnbalance", 1},
        {"VoltageUnbalance2", 111},
        {"SmaxTotal", 63},
        {"SmaxL2", 2060},
        {"PmaxAbsoluteC", 3072},
        {"ICrestfaktorN", 47},
        {"IntervalDateTime", -1},
        {"Umean", -1},
        {"umeanL1", -1},
        {"UmeanN", -1},
        {"UmeanL4", -1},
        {"Uharm", -1},
        {"UharmL1", -1},
        {"FrequencyL1", -1},
        {"Uharm5", -1},
        // An order outside the family reads, but no measurement holds it.
        {"Iharm181L1", kChannelNotHeld},
        {"Uharm0L1", kChannelNotHeld},
        {"UZharm6A", kChannelNotHeld},
        {"Uharm00005L1", kChannelNotHeld},
        {"Uharm0005L1", 1305},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseQuantityName(c.text), c.channel) << c.text;
}

TEST(AccessNames, NameRuleTrimsAndRefuses) {
    const struct {
        std::string name;
        bool valid;
        std::string trimmed;
    } cases[] = {
        {" Values ", true, "Values"},
        {std::string(64, 'x'), true, std::string(64, 'x')},
        {std::string(65, 'x'), false, ""},
        {"a.b", false, ""},
        {"a[1]", false, ""},
        {"a!", false, ""},
        {"a`", false, ""},
        {"a\x01", false, ""},
        {"   ", false, ""},
        {"Spannung \xC3\xBC", true, "Spannung \xC3\xBC"},
    };
    for (const auto& c : cases) {
        std::string name = c.name;
        EXPECT_EQ(IsValidAccessName(name), c.valid) << c.name;
        if (c.valid) {
            EXPECT_EQ(name, c.trimmed);
        }
    }
}

}  // namespace
}  // namespace varelo
