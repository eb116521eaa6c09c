#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "logger/JobWireFormat.h"
#include "logger/ProtocolDiagnostics.h"
#include "measurement/MeasurementJob.h"
#include "sim/JobBlock.h"
#include "sim/MeasurementCommands.h"
#include "sim/MeasurementGenerator.h"
#include "support/MeasurementJobPrinter.h"

namespace varelo {
namespace {

// The simulator encodes its jobs on its own, from the byte layout; the client's decoder must
// read every field the block carries back into the job the simulator generated. An offset the
// two read differently fails here instead of cancelling out in the read-out tests.
struct GeneratedCase {
    const char* name;
    sim::GeneratorSettings settings;
};

void PrintTo(const GeneratedCase& c, std::ostream* out) {
    *out << c.name;
}

class SimJobBlockTest : public ::testing::TestWithParam<GeneratedCase> {};

// The fields, one "Key=value" a line, in which two jobs differ: "got | expected".
std::string DifferingFields(const CMeasurementJob& got, const CMeasurementJob& expected) {
    std::ostringstream a, b;
    PrintTo(got, &a);
    PrintTo(expected, &b);
    std::istringstream x(a.str()), y(b.str());
    std::string differing, left, right;
    while (std::getline(x, left) && std::getline(y, right)) {
        if (left != right) differing += left + " | " + right + "\n";
    }
    return differing;
}

TEST_P(SimJobBlockTest, ClientDecodesTheGeneratedJob) {
    const sim::GeneratorSettings& settings = GetParam().settings;
    sim::Scenario scenario;  // a 408b: the extended family
    scenario.jobs[0].measurement = settings;
    sim::DescribeMeasurementJob(scenario);
    const std::vector<uint8_t> block = sim::JobReadBlock(scenario.jobs[0], scenario);

    CMeasurementJob decoded;
    ProtocolDiagnostics diagnostics;
    ASSERT_TRUE(DecodeJob(block, decoded, scenario.IsExtendedFamily(), diagnostics));
    EXPECT_EQ(diagnostics.texts, std::vector<std::string>());  // no substitution at all

    const sim::MeasurementGenerator generator(settings);
    const CMeasurementJob& generated = generator.Job();
    // What the block does not carry: counts from the Status paragraph, the THD codes, the
    // editor's factor and the clamp's serial number.
    decoded.NrIntervalMax = generated.NrIntervalMax;
    decoded.NrInterval = generated.NrInterval;
    decoded.NrStat = generated.NrStat;
    decoded.EventReady = generated.EventReady;
    decoded.THDVoltMaxValInterval = generated.THDVoltMaxValInterval;
    decoded.THDPhaseMaxValInterval = generated.THDPhaseMaxValInterval;
    decoded.THDNeutralMaxValInterval = generated.THDNeutralMaxValInterval;
    decoded.FactorVoltUpperLowerThresh = generated.FactorVoltUpperLowerThresh;
    decoded.ClampSerNr = generated.ClampSerNr;
    // What the block carries in their place: 100 for a transformer that is not used, the
    // not-measured text (its first 30 characters) for a channel beyond the count.
    CMeasurementJob expected = generated;
    if (expected.VoltTransformer != 1)
        expected.VoltPrimaryRawVal = expected.VoltSecondaryRawVal = 100;
    if (expected.PhCurrTransformer != 1)
        expected.PhCurrPrimaryRawVal = expected.PhCurrSecondaryRawVal = 100;
    if (expected.NeutralCurrTransformer != 1)
        expected.NeutralCurrPrimaryRawVal = expected.NeutralCurrSecondaryRawVal = 100;
    for (int i = expected.NrInterHarm; i < kInterharmonicCount; ++i)
        expected.HarmText[size_t(i)] = std::to_string(i + 1) + ". interharmonic not measured!";
    EXPECT_EQ(decoded, expected);
    EXPECT_EQ(DifferingFields(decoded, expected), "");
}

sim::GeneratorSettings Settings(uint32_t function, int volts, uint32_t intervals,
                                std::optional<sim::CircularGap> gap = {}) {
    sim::GeneratorSettings s;
    s.function = function;
    s.nominalVoltage = volts;
    s.intervals = intervals;
    s.gap = gap;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Measurements, SimJobBlockTest,
    ::testing::Values(GeneratedCase{"WeekOfFunctionA", Settings(kMeasFuncA, 230, 1008)},
                      GeneratedCase{"FunctionPAt60Hz", Settings(kMeasFuncP, 120, 144)},
                      GeneratedCase{"WrappedCircularMemory",
                                    Settings(kMeasFuncA, 230, 144, sim::CircularGap{3, 2})}),
    [](const auto& info) { return std::string(info.param.name); });

// The simulator's encoder and the client's, written apart from one layout, write the same
// bytes: here for jobs the generator never makes (Delta systems, transformers, channels,
// segments, the basic family).
TEST(SimJobBlock, BothEncodersWriteTheSameBytes) {
    CMeasurementJob delta;
    delta.MeasFunc = kMeasFuncA;
    delta.VoltPowSysType = kPowSysDelta;
    delta.VoltInputRangeCode = 6;
    delta.JobText[2] = "Z\xC3\xBCrich";  // "Zürich": 8-bit on the wire
    CMeasurementJob transformers = delta;
    transformers.VoltPowSysType = kPowSysTwoElementDelta;
    transformers.VoltTransformer = transformers.PhCurrTransformer = 1;
    transformers.NeutralCurrTransformer = 1;
    transformers.VoltPrimaryRawVal = 2000000;
    transformers.VoltSecondaryRawVal = 10000;
    transformers.PhCurrPrimaryRawVal = 40000;
    transformers.NeutralCurrSecondaryRawVal = 100;
    transformers.NrInterHarm = 2;
    transformers.HarmOrder = {175, -3, 0, 0, 0};
    transformers.HarmText[1] = "negative order";
    transformers.HarmMeasPrinciple[1] = 3;
    transformers.NrMeasSectionsProg = 1;
    transformers.NrMeasSectionsProgStart[0].weekday = 1;
    transformers.NrMeasSectionsProgEnd[0].hour = 18;
    transformers.PhaseCorrRawVal = -250;
    transformers.EventHysteresis = 1.5;
    CMeasurementJob singlePhase;
    singlePhase.MeasFunc = kMeasFuncP;
    singlePhase.VoltPowSysType = kPowSysSinglePhase;
    singlePhase.VoltInputRangeCode = 1;
    singlePhase.Interval = 120;  // not on the wire: 600 s
    singlePhase.PhCurrClampRawVal = 1200;
    for (const CMeasurementJob* job : {&delta, &transformers, &singlePhase}) {
        for (bool extended : {true, false}) {
            const auto client = EncodeJob(*job, extended);
            const std::vector<uint8_t> simulated = sim::JobData(*job, extended);
            ASSERT_EQ(simulated.size(), client.size());
            for (size_t i = 0; i < client.size(); ++i)
                EXPECT_EQ(simulated[i], client[i]) << "byte " << i << ", extended " << extended;
        }
    }
}

// The job a Logger holds before any is written decodes without a substitution, with the
// Logger's designation and clamp. The basic family's hardware number goes out unscaled and is
// checked as hundreds, so its decoder always reports it (and keeps 300).
TEST(SimJobBlock, DefaultJobDecodesInBothFamilies) {
    for (const char* type : {"408b Power Logger   1", "301b Power Logger   1"}) {
        sim::Scenario scenario;
        scenario.hardware.type = type;
        scenario.designation = "Substation 7";
        scenario.clamp = {.known = true, .id = 4, .maxCurrent = 3000.0f, .serial = {}};
        scenario.jobs[0].function = 'P';
        scenario.jobs[0].report.start = sim::SimDateTime{2024, 1, 1, 0, 0, 0};
        const bool extended = scenario.IsExtendedFamily();
        CMeasurementJob decoded;
        ProtocolDiagnostics diagnostics;
        ASSERT_TRUE(DecodeJob(sim::JobReadBlock(scenario.jobs[0], scenario), decoded, extended,
                              diagnostics));
        const std::vector<std::string> expectedTexts =
            extended ? std::vector<std::string>{} : std::vector{Msg(483, {"3", "300"})};
        EXPECT_EQ(diagnostics.texts, expectedTexts) << type;
        EXPECT_EQ(diagnostics.dataErrorCount, 0) << type;
        EXPECT_EQ(decoded.MeasFunc, kMeasFuncP) << type;
        EXPECT_EQ(decoded.JobType, kJobContinuous) << type;
        EXPECT_EQ(decoded.JobTitle[0], "Company:") << type;
        EXPECT_EQ(decoded.JobText[0], "Substation 7") << type;
        EXPECT_EQ(decoded.Interval, 600) << type;
        EXPECT_EQ(decoded.CurrPowSys, 1) << type;
        EXPECT_EQ(decoded.PhCurrClampRawVal, 100000) << type;
        EXPECT_EQ(decoded.InstrHardwNr, extended ? 400 : 300) << type;
        EXPECT_EQ(decoded.ClampId, extended ? 4 : 0) << type;
        EXPECT_EQ(decoded.MaxClampCurr, extended ? 3000 : CMeasurementJob().MaxClampCurr) << type;
    }
}

}  // namespace
}  // namespace varelo
