#include "measurement/QuantityCatalogue.h"

#include <algorithm>

#include "app/AppOptions.h"
#include "logger/LoggerInfo.h"
#include "logger/MeasurementJob.h"
#include "measurement/IntervalRecord.h"
#include "measurement/QuantityValues.h"
#include "measurement/RawScaling.h"

namespace varelo {

namespace {

using A = QuantityArgs;
using R = CIntervalRecord;

// Value functions of the fields that are a raw value times a scale.
template <PhaseRaw R::*F>
double VoltageOf(const A& a) {
    return a.record.Voltage(F, a.phase, a.scaling);
}
template <PhaseRawU R::*F>
double HalfPeriodVoltageOf(const A& a) {
    return a.record.HalfPeriodVoltage(F, a.phase, a.scaling);
}
template <PhaseRaw R::*F>
double CurrentOf(const A& a) {
    return a.record.Current(F, a.phase, a.scaling);
}
template <PhaseRawU R::*F>
double HalfPeriodCurrentOf(const A& a) {
    return a.record.HalfPeriodCurrent(F, a.phase, a.scaling);
}
template <int16_t R::*F>
double NeutralOf(const A& a) {
    return a.record.NeutralCurrent(F, a.scaling);
}
template <PhaseRaw R::*F>
double PowerOf(const A& a) {
    return a.record.Power(F, a.phase, a.scaling, a.watts);
}
template <int16_t R::*F>
double TotalOf(const A& a) {
    return a.record.PowerTotal(F, a.scaling, a.watts);
}
template <PhaseRaw R::*F>
double SumOf(const A& a) {
    return PhaseSumPower(a.record, F, a.scaling, a.watts);
}
template <PowerAggregate W>
double TotalApparentOf(const A& a) {
    return TotalApparentPower(a.record, a.scaling, W, a.watts);
}
double ThdAvg(const A& a) {
    return a.phase >= 0 && a.phase < kPhaseCount ? a.record.VoltTHDAvgCalc[a.phase] : 0;
}
double CurrThdAvg(const A& a) {
    return a.phase >= 0 && a.phase < kPhaseCount ? a.record.CurrTHDAvgCalc[a.phase] : 0;
}
double Plt(const A& a) {
    return a.plt && *a.plt ? (*a.plt)(a.record, a.phase) : 0;
}

constexpr uint16_t F = kAvailF, NO = kAvailNO, P3 = kAvail3P, NS = kAvailNS, PN = kAvailPN,
                   N = kAvailN, T40 = kAvailT40, FL = kAvailFL, TH = kAvailTH, EU = kAvailEU,
                   EP = kAvailEP;
constexpr uint8_t G0 = kGroupNone, GI = kGroupCurrent, GU = kGroupVoltage, GP = kGroupPower;

// clang-format off
const QuantityRow kQuantities[] = {
    {1, true, G0, 958, F | P3 | NO | EU, [](const A& a) { return a.record.VoltUnbalance * 0.01; }},
    {2, true, G0, 900, F, [](const A& a) { return a.record.Frequency(a.scaling); }},
    {11, false, GU, 957, kAvailAlways, VoltageOf<&R::VoltAvgPhaseLxRawVal>},
    {12, false, GU, 953, NO, VoltageOf<&R::VoltMaxPhaseLxRawVal>},
    {13, false, GU, 955, NO, VoltageOf<&R::VoltMinPhaseLxRawVal>},
    {17, false, GU, 899, F | FL, [](const A& a) { return a.record.Pst(a.phase, a.scaling); }},
    {18, false, GU, 898, F | FL | NO | EP, Plt},
    {20, false, GU, 952, F, [](const A& a) { return FundamentalVoltageU1(a.record, a.phase, a.scaling); }},
    {21, false, GU, 959, F | TH | NO, [](const A& a) { return a.record.MaxVoltageThd(a.phase, a.scaling); }},
    {22, false, GU, 960, F | TH, ThdAvg},
    {31, false, GI, 909, kAvailAlways, CurrentOf<&R::CurrAvgPhaseLxRawVal>},
    {32, false, GI, 906, NO, CurrentOf<&R::CurrMaxPhaseLxRawVal>},
    {33, false, GI, 911, F, [](const A& a) { return a.record.PeakCurrent(a.phase, a.scaling); }},
    {37, false, GI, 884, F, [](const A& a) { return a.phase < kPhaseCount ? CrestFactor(a.record, a.phase) : 0; }},
    {38, false, GI, 903, F, [](const A& a) { return a.phase < kPhaseCount ? FundamentalCurrentU1(a.record, a.phase, a.scaling) : 0; }},
    {39, false, GI, 913, F | TH | NO, [](const A& a) { return a.phase < kPhaseCount ? a.record.MaxCurrentThd(a.phase, a.scaling) : 0; }},
    {40, false, GI, 915, F | TH, CurrThdAvg},
    {41, true, G0, 910, N, NeutralOf<&R::NeutralCurrAvgRawVal>},
    {42, true, G0, 908, N | NO, NeutralOf<&R::NeutralCurrMaxRawVal>},
    {43, true, G0, 912, N | F, [](const A& a) { return a.record.NeutralPeakCurrent(a.scaling); }},
    {47, true, G0, 885, N | F, [](const A& a) { return CrestFactor(a.record, kNeutral); }},
    {48, true, G0, 904, N | F, [](const A& a) { return FundamentalCurrentU1(a.record, kNeutral, a.scaling); }},
    {49, true, G0, 914, N | F | TH | NO, [](const A& a) { return a.record.MaxCurrentThd(kNeutral, a.scaling); }},
    {50, true, G0, 916, N | F | TH, [](const A& a) { return a.record.CurrTHDAvgCalc[kNeutral]; }},
    {60, false, GP, 941, F | NO, PowerOf<&R::AppPowMaxPhaseLxRawVal>},
    {61, false, GP, 945, F, PowerOf<&R::AppPowAvgPhaseLxRawVal>},
    {62, false, GP, 943, F | NO, PowerOf<&R::AppPowMinPhaseLxRawVal>},
    {63, true, G0, 942, F | NS | NO, TotalApparentOf<PowerAggregate::Max>},
    {64, true, G0, 946, F | NS, TotalApparentOf<PowerAggregate::Avg>},
    {65, true, G0, 944, F | NS | NO, TotalApparentOf<PowerAggregate::Min>},
    {66, false, GP, 921, F | NO, PowerOf<&R::RealPowMaxPhaseLxRawVal>},
    {67, false, GP, 929, F, PowerOf<&R::RealPowAvgPhaseLxRawVal>},
    {68, false, GP, 925, F | NO, PowerOf<&R::RealPowMinPhaseLxRawVal>},
    {69, true, G0, 924, F | NS | NO, TotalOf<&R::RealPowMaxTotRawVal>},
    {70, true, G0, 932, F | NS, SumOf<&R::RealPowAvgPhaseLxRawVal>},
    {71, true, G0, 928, F | NS | NO, TotalOf<&R::RealPowMinTotRawVal>},
    {72, false, GP, 922, F | NO, PowerOf<&R::RealPowMaxAbsPhaseLxRawVal>},
    {73, false, GP, 930, F, PowerOf<&R::RealPowAvgAbsPhaseLxRawVal>},
    {74, false, GP, 926, F | NO, PowerOf<&R::RealPowMinAbsPhaseLxRawVal>},
    {75, true, G0, 923, F | NS | NO, TotalOf<&R::RealPowMaxAbsTotRawVal>},
    {76, true, G0, 931, F | NS, TotalOf<&R::RealPowAvgAbsTotRawVal>},
    {77, true, G0, 927, F | NS | NO, TotalOf<&R::RealPowMinAbsTotRawVal>},
    {78, false, GP, 935, F | NO, PowerOf<&R::ReactPowMaxPhaseLxRawVal>},
    {79, false, GP, 939, F, PowerOf<&R::ReactPowAvgPhaseLxRawVal>},
    {80, false, GP, 937, F | NO, PowerOf<&R::ReactPowMinPhaseLxRawVal>},
    {81, true, G0, 936, F | NS | NO, TotalOf<&R::ReactPowMaxTotRawVal>},
    {82, true, G0, 940, F | NS, SumOf<&R::ReactPowAvgPhaseLxRawVal>},
    {83, true, G0, 938, F | NS | NO, TotalOf<&R::ReactPowMinTotRawVal>},
    {84, false, GP, 917, F, [](const A& a) { return PowerFactor(a.record, a.scaling, a.phase); }},
    {85, true, G0, 918, F | NS, [](const A& a) { return TotalPowerFactor(a.record, a.scaling); }},
    {86, false, GP, 947, F, [](const A& a) { return Tan(a.record, a.scaling, a.phase); }},
    {87, true, G0, 948, F | NS, [](const A& a) { return TotalTan(a.record, a.scaling); }},
    {88, false, GP, 896, F | NO, [](const A& a) { return Energy(PowerOf<&R::RealPowAvgPhaseLxRawVal>(a), a.intervalSeconds); }},
    {89, true, G0, 897, F | NS | NO, [](const A& a) { return Energy(SumOf<&R::RealPowAvgPhaseLxRawVal>(a), a.intervalSeconds); }},
    {90, false, GU, 954, kAvailNever, HalfPeriodVoltageOf<&R::VoltHalfpMaxPhaseLxRaw>},
    {91, false, GU, 956, kAvailNever, HalfPeriodVoltageOf<&R::VoltHalfpMinPhaseLxRaw>},
    {92, false, GI, 907, kAvailNever, HalfPeriodCurrentOf<&R::CurrHalfpMaxPhaseLxRaw>},
    {93, false, GI, 901, kAvailNever, HalfPeriodCurrentOf<&R::CurrHalfpToVoltMaxPhaseLxRaw>},
    {94, false, GI, 902, kAvailNever, HalfPeriodCurrentOf<&R::CurrHalfpToVoltMinPhaseLxRaw>},
    {95, false, GU, 950, F | T40 | NO, HalfPeriodVoltageOf<&R::VoltHalfpToCurrMaxPhaseLxRaw>},
    {96, false, GP, 890, F | NO, PowerOf<&R::DistPowMaxPhaseLxRawVal>},
    {97, false, GP, 892, F | NO, PowerOf<&R::DistPowAvgPhaseLxRawVal>},
    {99, true, G0, 891, F | NS | NO, TotalOf<&R::DistPowMaxTotRawVal>},
    {100, true, G0, 893, F | NS | NO, SumOf<&R::DistPowAvgPhaseLxRawVal>},
    {102, false, GU, 951, F | PN | NS, [](const A& a) { return a.record.DeltaRmsVoltage(a.phase, a.scaling); }},
    {103, false, GP, 919, F, PowerOf<&R::RealPowPh1AvgPhaseLxRawVal>},
    {104, false, GP, 933, F, PowerOf<&R::ReactPowPh1AvgPhaseLxRawVal>},
    {105, true, G0, 920, F | NS, SumOf<&R::RealPowPh1AvgPhaseLxRawVal>},
    {106, true, G0, 934, F | NS, SumOf<&R::ReactPowPh1AvgPhaseLxRawVal>},
    {107, false, GP, 886, F, [](const A& a) { return CosPhi(a.record, a.scaling, a.phase); }},
    {108, true, G0, 887, F | NS, [](const A& a) { return TotalCosPhi(a.record, a.scaling); }},
    {109, false, GI, 949, F | TH, [](const A& a) { return a.phase < kPhaseCount ? HarmonicCurrent(a.record, a.scaling, a.phase, a.settings.thdOrder) : 0; }},
    {110, true, G0, 888, F | P3 | NO, [](const A& a) { return a.record.CurrUnbalance; }},
    {111, true, G0, 961, NS, [](const A& a) { return MaxDeviationUnbalance(a.record, a.scaling, true); }},
    {112, true, G0, 889, NS, [](const A& a) { return MaxDeviationUnbalance(a.record, a.scaling, false); }},
};
// clang-format on

static_assert(std::size(kQuantities) == 75);

// Voltage channels that are not relative are shown in percent of the nominal voltage.
int VoltageReference(const A& a) {
    return a.relative ? a.settings.voltageReference : kHarmonicsInNominal;
}
double VoltageHarmonicOf(const A& a) {
    return VoltageHarmonic(a.record, a.scaling, a.phase, a.harmonic, VoltageReference(a));
}
double VoltageInterharmonicOf(const A& a) {
    return VoltageInterharmonic(a.record, a.scaling, a.phase, a.harmonic, VoltageReference(a));
}
double CurrentHarmonicOf(const A& a) {
    return CurrentHarmonic(a.record, a.scaling, a.phase, a.harmonic, a.relative,
                           a.settings.currentReference);
}
double CurrentInterharmonicOf(const A& a) {
    return CurrentInterharmonic(a.record, a.scaling, a.phase, a.harmonic, a.relative,
                                a.settings.currentReference);
}

bool InRange(int id, int first, int last) {
    return id >= first && id <= last;
}

bool CodesHold(uint16_t codes, const AvailabilityContext& c) {
    const AppOptions& options = AppOptions::Instance();
    const bool functionAorP = c.measFunc == kMeasFuncA || c.measFunc == kMeasFuncP;
    const struct {
        uint16_t code;
        bool holds;
    } checks[] = {
        {kAvailNever, false},
        {kAvailF, functionAorP},
        {kAvailNO, !c.online},
        {kAvail3P, c.threePhase},
        {kAvailNS, !c.singlePhase},
        {kAvailPN, !c.phaseToPhase},
        {kAvailN, c.neutral},
        {kAvailT40, c.t40},
        {kAvailFL, !options.FlickerHidden()},
        {kAvailTH, !options.ThdHidden()},
        {kAvailEU, c.evaluationUnbalance},
        {kAvailEP, c.evaluationPlt},
    };
    return std::all_of(std::begin(checks), std::end(checks),
                       [&](const auto& check) { return !(codes & check.code) || check.holds; });
}

}  // namespace

QuantitySettings QuantitySettings::Current() {
    const AppOptions& options = AppOptions::Instance();
    return {options.VoltageHarmonicReference(), options.CurrentHarmonicReference(),
            options.ThdOrder()};
}

std::span<const QuantityRow> QuantityTable() {
    return kQuantities;
}

const QuantityRow* FindQuantity(int quantityId) {
    const auto it = std::lower_bound(std::begin(kQuantities), std::end(kQuantities), quantityId,
                                     [](const QuantityRow& row, int id) { return row.id < id; });
    return it != std::end(kQuantities) && it->id == quantityId ? it : nullptr;
}

bool IsHarmonicQuantity(int id) {
    return InRange(id, kCurrentHarmonicFirst, kCurrentHarmonicLast) ||
           InRange(id, kCurrentInterharmonicFirst, kCurrentInterharmonicLast) ||
           InRange(id, kVoltageHarmonicFirst, kVoltageHarmonicLast) ||
           InRange(id, kVoltageInterharmonicFirst, kVoltageInterharmonicLast);
}

bool IsKnownQuantity(int id) {
    return FindQuantity(id) || IsHarmonicQuantity(id);
}

QuantityValueFn ValueFunctionOf(int id) {
    if (const QuantityRow* row = FindQuantity(id))
        return row->value;
    if (InRange(id, kCurrentHarmonicFirst, kCurrentHarmonicLast))
        return CurrentHarmonicOf;
    if (InRange(id, kCurrentInterharmonicFirst, kCurrentInterharmonicLast))
        return CurrentInterharmonicOf;
    if (InRange(id, kVoltageHarmonicFirst, kVoltageHarmonicLast))
        return VoltageHarmonicOf;
    if (InRange(id, kVoltageInterharmonicFirst, kVoltageInterharmonicLast))
        return VoltageInterharmonicOf;
    return nullptr;
}

AvailabilityContext AvailabilityContext::Build(const CMeasurementJob& job,
                                               const CLoggerInfo& logger, int fileVersion,
                                               bool online, bool evaluationUnbalance,
                                               bool evaluationPlt) {
    const uint32_t type = job.VoltPowSysType;
    AvailabilityContext c;
    c.measFunc = job.MeasFunc;
    c.singlePhase = type == kPowSysSinglePhase;
    c.splitPhase = type == kPowSysSplitSinglePhase;
    c.phaseToPhase = job.IsPhaseToPhase();
    c.threePhase = !c.singlePhase && !c.splitPhase;
    c.phases = {true, !c.singlePhase, c.threePhase};
    // Only some hardware variants have a neutral current input (third character 2, 4 or 8).
    const bool neutralInput =
        logger.HardwType.size() > 2 &&
        (logger.HardwType[2] == '2' || logger.HardwType[2] == '4' || logger.HardwType[2] == '8');
    c.neutral = !c.phaseToPhase && !c.singlePhase && job.NeutralMeas != 0 && neutralInput;
    c.t40 = logger.HardwType.starts_with("40");
    c.fileVersion = fileVersion;
    c.online = online;
    c.evaluationUnbalance = evaluationUnbalance;
    c.evaluationPlt = evaluationPlt;
    return c;
}

bool IsAvailable(int quantityId, const AvailabilityContext& context) {
    if (const QuantityRow* row = FindQuantity(quantityId))
        return CodesHold(row->availability, context);
    if (!IsHarmonicQuantity(quantityId) || context.measFunc != kMeasFuncA)
        return false;
    // Files before 1.0.1 carry no current interharmonics.
    if (InRange(quantityId, kCurrentInterharmonicFirst, kCurrentInterharmonicLast))
        return context.fileVersion >= 101;
    return true;
}

bool IsAvailableForFunction(int quantityId, uint32_t measFunc) {
    // Voltages and currents every Logger measures, and the half-period values no job offers.
    constexpr int kEveryFunction[] = {11, 12, 13, 31, 32, 41, 42, 111, 112};
    if (std::ranges::find(kEveryFunction, quantityId) != std::end(kEveryFunction))
        return true;
    if (InRange(quantityId, 90, 94))
        return false;
    return measFunc == kMeasFuncA || measFunc == kMeasFuncP;
}

}  // namespace varelo
