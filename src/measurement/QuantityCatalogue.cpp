#include "measurement/QuantityCatalogue.h"

#include <algorithm>

#include "app/AppOptions.h"
#include "measurement/IntervalRecord.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"
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
// Plain quantities never reach N (channels refuse it), but the rules taking conductors
// would answer for N: keep them to the phases.
bool OnPhase(const A& a) {
    return a.phase >= 0 && a.phase < kPhaseCount;
}

double VoltUnbalance(const A& a) {
    return a.record.VoltUnbalance * 0.01;
}
double Frequency(const A& a) {
    return a.record.Frequency(a.scaling);
}
double Pst(const A& a) {
    return a.record.Pst(a.phase, a.scaling);
}
double Plt(const A& a) {
    return a.plt && *a.plt ? (*a.plt)(a.record, a.phase) : 0;
}
double VoltFundamental(const A& a) {
    return FundamentalVoltageU1(a.record, a.phase, a.scaling);
}
double VoltThdMax(const A& a) {
    return a.record.MaxVoltageThd(a.phase, a.scaling);
}
double VoltThdAvg(const A& a) {
    return OnPhase(a) ? a.record.VoltTHDAvgCalc[a.phase] : 0;
}
double CurrPeak(const A& a) {
    return a.record.PeakCurrent(a.phase, a.scaling);
}
double CurrCrest(const A& a) {
    return OnPhase(a) ? CrestFactor(a.record, a.phase) : 0;
}
double CurrFundamental(const A& a) {
    return OnPhase(a) ? FundamentalCurrentU1(a.record, a.phase, a.scaling) : 0;
}
double CurrThdMax(const A& a) {
    return OnPhase(a) ? a.record.MaxCurrentThd(a.phase, a.scaling) : 0;
}
double CurrThdAvg(const A& a) {
    return OnPhase(a) ? a.record.CurrTHDAvgCalc[a.phase] : 0;
}
double NeutralPeak(const A& a) {
    return a.record.NeutralPeakCurrent(a.scaling);
}
double NeutralCrest(const A& a) {
    return CrestFactor(a.record, kNeutral);
}
double NeutralFundamental(const A& a) {
    return FundamentalCurrentU1(a.record, kNeutral, a.scaling);
}
double NeutralThdMax(const A& a) {
    return a.record.MaxCurrentThd(kNeutral, a.scaling);
}
double NeutralThdAvg(const A& a) {
    return a.record.CurrTHDAvgCalc[kNeutral];
}
double Pf(const A& a) {
    return PowerFactor(a.record, a.scaling, a.phase);
}
double PfTotal(const A& a) {
    return TotalPowerFactor(a.record, a.scaling);
}
double TanPhase(const A& a) {
    return Tan(a.record, a.scaling, a.phase);
}
double TanTotal(const A& a) {
    return TotalTan(a.record, a.scaling);
}
double PhaseEnergy(const A& a) {
    return Energy(PowerOf<&R::RealPowAvgPhaseLxRawVal>(a), a.intervalSeconds);
}
double TotalEnergy(const A& a) {
    return Energy(SumOf<&R::RealPowAvgPhaseLxRawVal>(a), a.intervalSeconds);
}
double DeltaRms(const A& a) {
    return a.record.DeltaRmsVoltage(a.phase, a.scaling);
}
double CosPhiPhase(const A& a) {
    return CosPhi(a.record, a.scaling, a.phase);
}
double CosPhiTotal(const A& a) {
    return TotalCosPhi(a.record, a.scaling);
}
double HarmonicCurrentOf(const A& a) {
    return OnPhase(a) ? HarmonicCurrent(a.record, a.scaling, a.phase, a.settings.thdOrder) : 0;
}
double CurrUnbalance(const A& a) {
    return a.record.CurrUnbalance;
}
double VoltDeviation(const A& a) {
    return MaxDeviationUnbalance(a.record, a.scaling, true);
}
double CurrDeviation(const A& a) {
    return MaxDeviationUnbalance(a.record, a.scaling, false);
}

constexpr uint16_t F = kAvailF, NO = kAvailNO, P3 = kAvail3P, NS = kAvailNS, PN = kAvailPN,
                   N = kAvailN, T40 = kAvailT40, FL = kAvailFL, TH = kAvailTH, EU = kAvailEU,
                   EP = kAvailEP, ALL = kAvailAlways, NEVER = kAvailNever;
constexpr uint8_t G0 = kGroupNone, GI = kGroupCurrent, GU = kGroupVoltage, GP = kGroupPower;
constexpr bool ONE = true, PH = false;  // single, per phase

const QuantityRow kQuantities[] = {
    {1, ONE, G0, 958, F | P3 | NO | EU, VoltUnbalance},
    {2, ONE, G0, 900, F, Frequency},
    {11, PH, GU, 957, ALL, VoltageOf<&R::VoltAvgPhaseLxRawVal>},
    {12, PH, GU, 953, NO, VoltageOf<&R::VoltMaxPhaseLxRawVal>},
    {13, PH, GU, 955, NO, VoltageOf<&R::VoltMinPhaseLxRawVal>},
    {17, PH, GU, 899, F | FL, Pst},
    {18, PH, GU, 898, F | FL | NO | EP, Plt},
    {20, PH, GU, 952, F, VoltFundamental},
    {21, PH, GU, 959, F | TH | NO, VoltThdMax},
    {22, PH, GU, 960, F | TH, VoltThdAvg},
    {31, PH, GI, 909, ALL, CurrentOf<&R::CurrAvgPhaseLxRawVal>},
    {32, PH, GI, 906, NO, CurrentOf<&R::CurrMaxPhaseLxRawVal>},
    {33, PH, GI, 911, F, CurrPeak},
    {37, PH, GI, 884, F, CurrCrest},
    {38, PH, GI, 903, F, CurrFundamental},
    {39, PH, GI, 913, F | TH | NO, CurrThdMax},
    {40, PH, GI, 915, F | TH, CurrThdAvg},
    {41, ONE, G0, 910, N, NeutralOf<&R::NeutralCurrAvgRawVal>},
    {42, ONE, G0, 908, N | NO, NeutralOf<&R::NeutralCurrMaxRawVal>},
    {43, ONE, G0, 912, N | F, NeutralPeak},
    {47, ONE, G0, 885, N | F, NeutralCrest},
    {48, ONE, G0, 904, N | F, NeutralFundamental},
    {49, ONE, G0, 914, N | F | TH | NO, NeutralThdMax},
    {50, ONE, G0, 916, N | F | TH, NeutralThdAvg},
    {60, PH, GP, 941, F | NO, PowerOf<&R::AppPowMaxPhaseLxRawVal>},
    {61, PH, GP, 945, F, PowerOf<&R::AppPowAvgPhaseLxRawVal>},
    {62, PH, GP, 943, F | NO, PowerOf<&R::AppPowMinPhaseLxRawVal>},
    {63, ONE, G0, 942, F | NS | NO, TotalApparentOf<PowerAggregate::Max>},
    {64, ONE, G0, 946, F | NS, TotalApparentOf<PowerAggregate::Avg>},
    {65, ONE, G0, 944, F | NS | NO, TotalApparentOf<PowerAggregate::Min>},
    {66, PH, GP, 921, F | NO, PowerOf<&R::RealPowMaxPhaseLxRawVal>},
    {67, PH, GP, 929, F, PowerOf<&R::RealPowAvgPhaseLxRawVal>},
    {68, PH, GP, 925, F | NO, PowerOf<&R::RealPowMinPhaseLxRawVal>},
    {69, ONE, G0, 924, F | NS | NO, TotalOf<&R::RealPowMaxTotRawVal>},
    {70, ONE, G0, 932, F | NS, SumOf<&R::RealPowAvgPhaseLxRawVal>},
    {71, ONE, G0, 928, F | NS | NO, TotalOf<&R::RealPowMinTotRawVal>},
    {72, PH, GP, 922, F | NO, PowerOf<&R::RealPowMaxAbsPhaseLxRawVal>},
    {73, PH, GP, 930, F, PowerOf<&R::RealPowAvgAbsPhaseLxRawVal>},
    {74, PH, GP, 926, F | NO, PowerOf<&R::RealPowMinAbsPhaseLxRawVal>},
    {75, ONE, G0, 923, F | NS | NO, TotalOf<&R::RealPowMaxAbsTotRawVal>},
    {76, ONE, G0, 931, F | NS, TotalOf<&R::RealPowAvgAbsTotRawVal>},
    {77, ONE, G0, 927, F | NS | NO, TotalOf<&R::RealPowMinAbsTotRawVal>},
    {78, PH, GP, 935, F | NO, PowerOf<&R::ReactPowMaxPhaseLxRawVal>},
    {79, PH, GP, 939, F, PowerOf<&R::ReactPowAvgPhaseLxRawVal>},
    {80, PH, GP, 937, F | NO, PowerOf<&R::ReactPowMinPhaseLxRawVal>},
    {81, ONE, G0, 936, F | NS | NO, TotalOf<&R::ReactPowMaxTotRawVal>},
    {82, ONE, G0, 940, F | NS, SumOf<&R::ReactPowAvgPhaseLxRawVal>},
    {83, ONE, G0, 938, F | NS | NO, TotalOf<&R::ReactPowMinTotRawVal>},
    {84, PH, GP, 917, F, Pf},
    {85, ONE, G0, 918, F | NS, PfTotal},
    {86, PH, GP, 947, F, TanPhase},
    {87, ONE, G0, 948, F | NS, TanTotal},
    {88, PH, GP, 896, F | NO, PhaseEnergy},
    {89, ONE, G0, 897, F | NS | NO, TotalEnergy},
    {90, PH, GU, 954, NEVER, HalfPeriodVoltageOf<&R::VoltHalfpMaxPhaseLxRaw>},
    {91, PH, GU, 956, NEVER, HalfPeriodVoltageOf<&R::VoltHalfpMinPhaseLxRaw>},
    {92, PH, GI, 907, NEVER, HalfPeriodCurrentOf<&R::CurrHalfpMaxPhaseLxRaw>},
    {93, PH, GI, 901, NEVER, HalfPeriodCurrentOf<&R::CurrHalfpToVoltMaxPhaseLxRaw>},
    {94, PH, GI, 902, NEVER, HalfPeriodCurrentOf<&R::CurrHalfpToVoltMinPhaseLxRaw>},
    {95, PH, GU, 950, F | T40 | NO, HalfPeriodVoltageOf<&R::VoltHalfpToCurrMaxPhaseLxRaw>},
    {96, PH, GP, 890, F | NO, PowerOf<&R::DistPowMaxPhaseLxRawVal>},
    {97, PH, GP, 892, F | NO, PowerOf<&R::DistPowAvgPhaseLxRawVal>},
    {99, ONE, G0, 891, F | NS | NO, TotalOf<&R::DistPowMaxTotRawVal>},
    {100, ONE, G0, 893, F | NS | NO, SumOf<&R::DistPowAvgPhaseLxRawVal>},
    {102, PH, GU, 951, F | PN | NS, DeltaRms},
    {103, PH, GP, 919, F, PowerOf<&R::RealPowPh1AvgPhaseLxRawVal>},
    {104, PH, GP, 933, F, PowerOf<&R::ReactPowPh1AvgPhaseLxRawVal>},
    {105, ONE, G0, 920, F | NS, SumOf<&R::RealPowPh1AvgPhaseLxRawVal>},
    {106, ONE, G0, 934, F | NS, SumOf<&R::ReactPowPh1AvgPhaseLxRawVal>},
    {107, PH, GP, 886, F, CosPhiPhase},
    {108, ONE, G0, 887, F | NS, CosPhiTotal},
    {109, PH, GI, 949, F | TH, HarmonicCurrentOf},
    {110, ONE, G0, 888, F | P3 | NO, CurrUnbalance},
    {111, ONE, G0, 961, NS, VoltDeviation},
    {112, ONE, G0, 889, NS, CurrDeviation},
};

static_assert(std::size(kQuantities) == 75);

// Voltage channels that are not relative are shown in percent of the nominal voltage.
int VoltageReference(const A& a) {
    return VoltageHarmonicReference(a.relative, a.settings);
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
    if (const QuantityRow* row = FindQuantity(id)) return row->value;
    if (InRange(id, kCurrentHarmonicFirst, kCurrentHarmonicLast)) return CurrentHarmonicOf;
    if (InRange(id, kCurrentInterharmonicFirst, kCurrentInterharmonicLast))
        return CurrentInterharmonicOf;
    if (InRange(id, kVoltageHarmonicFirst, kVoltageHarmonicLast)) return VoltageHarmonicOf;
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
    if (!IsHarmonicQuantity(quantityId) || context.measFunc != kMeasFuncA) return false;
    // Files before 1.0.1 carry no current interharmonics.
    if (InRange(quantityId, kCurrentInterharmonicFirst, kCurrentInterharmonicLast))
        return context.fileVersion >= 101;
    return true;
}

bool IsAvailableForFunction(int quantityId, uint32_t measFunc) {
    // Voltages and currents every Logger measures, and the half-period values no job offers.
    constexpr int kEveryFunction[] = {11, 12, 13, 31, 32, 41, 42, 111, 112};
    if (std::ranges::find(kEveryFunction, quantityId) != std::end(kEveryFunction)) return true;
    if (InRange(quantityId, 90, 94)) return false;
    return measFunc == kMeasFuncA || measFunc == kMeasFuncP;
}

int VoltageHarmonicReference(bool relative, const QuantitySettings& settings) {
    return relative ? settings.voltageReference : kHarmonicsInNominal;
}

}  // namespace varelo
