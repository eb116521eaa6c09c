#include "logger/IntervalWireFormat.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <variant>

#include "logger/ByteReader.h"

namespace varelo {

namespace {

using R = CIntervalRecord;
using Target = std::variant<PhaseRaw R::*, PhaseRawU R::*, int16_t R::*>;

enum class Check : uint8_t { None, Range, NonNegative, Frequency, Angle, Flicker };
// Which fundamental decides whether a maximum THD is kept.
enum class Thd : uint8_t { No, Voltage, Current, Neutral };

constexpr int kRawMax = 32767;
constexpr int kFlickerMax = 29000;
constexpr int kFlickerFloor = 148;  // Pst readings up to 0.148 are noise of the flickermeter
constexpr int kFrequencyMin = 4000;
constexpr int kFrequencyMax = 7000;
constexpr int kAngleMax = 28800;
constexpr int kAngleSubstitute = 11200;
constexpr int kThdFundamentalMin = 70;

// One field of the function P layout by its word; function A moves the words from 22 on.
struct WordField {
    int word;
    Target target;
    Check check;
    const char* name;
    Thd thd = Thd::No;
};

// clang-format off
const WordField kFields[] = {
    {4, &R::Freq10min, Check::Frequency, "Frequenz10min"},
    {5, &R::VoltMaxPhaseLxRawVal, Check::Range, "UmaxPhaseLxRohwert"},
    {8, &R::VoltAvgPhaseLxRawVal, Check::Range, "UmeanPhaseLxRohwert"},
    {11, &R::VoltMinPhaseLxRawVal, Check::Range, "UminPhaseLxRohwert"},
    {14, &R::FlickPstPhaseLxRawVal, Check::Flicker, "FlickerPstPhaseLxRohwert"},
    {17, &R::UnbalAngleL1L2, Check::Angle, "UnsymmWinkelL1L2"},
    {18, &R::UnbalAngleL1L3, Check::Angle, "UnsymmWinkelL1L3"},
    {19, &R::VoltUh1AvgPhaseLxRawVal, Check::Range, "Uh1meanPhaseLxRohwert"},
    // Function A: voltage harmonics here.
    {22, &R::VoltTHDMaxPhaseLxRawVal, Check::Range, "UTHDmaxPhaseLxRohwert", Thd::Voltage},
    {25, &R::VoltUDeltaRmsPhaseLxRawVal, Check::Range, "UDeltaRmsPhaseLxRaw"},
    {28, &R::CurrMaxPhaseLxRawVal, Check::Range, "ImaxPhaseLxRohwert"},
    {31, &R::NeutralCurrMaxRawVal, Check::NonNegative, "ImaxNeutralRohwert"},
    {32, &R::CurrAvgPhaseLxRawVal, Check::Range, "ImeanPhaseLxRohwert"},
    {35, &R::NeutralCurrAvgRawVal, Check::NonNegative, "ImeanNeutralRohwert"},
    {36, &R::CurrPeakPhaseLxRawVal, Check::Range, "IpeakPhaseLxRohwert"},
    {39, &R::NeutralCurrPeakRawVal, Check::NonNegative, "IpeakNeutralRohwert"},
    {40, &R::CurrIh1AvgPhaseLxRawVal, Check::NonNegative, "Ih1meanPhaseLxRohwert"},
    {43, &R::NeutralCurrIh1AvgRawVal, Check::NonNegative, "Ih1meanNeutralRohwert"},
    // Function A: current harmonics here.
    {44, &R::CurrTHDMaxPhaseLxRawVal, Check::Range, "ITHDmaxPhaseLxRohwert", Thd::Current},
    {47, &R::NeutralCurrTHDMaxRawVal, Check::NonNegative, "ITHDmaxNeutralRohwert", Thd::Neutral},
    {48, &R::RealPowMaxPhaseLxRawVal, Check::None, ""},
    {51, &R::RealPowMaxTotRawVal, Check::None, ""},
    {52, &R::RealPowAvgPhaseLxRawVal, Check::None, ""},
    {55, &R::RealPowMinPhaseLxRawVal, Check::None, ""},
    {58, &R::RealPowMinTotRawVal, Check::None, ""},
    {59, &R::RealPowMaxAbsPhaseLxRawVal, Check::Range, "PmaxBetragPhaseLxRohwert"},
    {62, &R::RealPowMaxAbsTotRawVal, Check::NonNegative, "PmaxBetragTotalRohwert"},
    {63, &R::RealPowAvgAbsPhaseLxRawVal, Check::Range, "PmeanBetragPhaseLxRohwert"},
    {66, &R::RealPowAvgAbsTotRawVal, Check::NonNegative, "PmeanBetragTotalRohwert"},
    {67, &R::RealPowMinAbsPhaseLxRawVal, Check::Range, "PminBetragPhaseLxRohwert"},
    {70, &R::RealPowMinAbsTotRawVal, Check::NonNegative, "PminBetragTotalRohwert"},
    {71, &R::ReactPowMaxPhaseLxRawVal, Check::None, ""},
    {74, &R::ReactPowMaxTotRawVal, Check::None, ""},
    {75, &R::ReactPowAvgPhaseLxRawVal, Check::None, ""},
    {78, &R::ReactPowMinPhaseLxRawVal, Check::None, ""},
    {81, &R::ReactPowMinTotRawVal, Check::None, ""},
    {82, &R::AppPowMaxPhaseLxRawVal, Check::None, ""},
    {85, &R::AppPowMaxTotRawVal, Check::None, ""},
    {86, &R::AppPowAvgPhaseLxRawVal, Check::None, ""},
    {89, &R::AppPowMinPhaseLxRawVal, Check::None, ""},
    {92, &R::AppPowMinTotRawVal, Check::None, ""},
    {93, &R::DistPowMaxPhaseLxRawVal, Check::None, ""},
    {96, &R::DistPowMaxTotRawVal, Check::None, ""},
    {97, &R::DistPowAvgPhaseLxRawVal, Check::None, ""},
    {100, &R::RealPowPh1AvgPhaseLxRawVal, Check::None, ""},
    {103, &R::ReactPowPh1AvgPhaseLxRawVal, Check::None, ""},
    {106, &R::VoltHalfpMaxPhaseLxRaw, Check::None, ""},
    {109, &R::VoltHalfpMinPhaseLxRaw, Check::None, ""},
    {112, &R::CurrHalfpMaxPhaseLxRaw, Check::None, ""},
    {115, &R::CurrHalfpToVoltMaxPhaseLxRaw, Check::None, ""},
    {118, &R::CurrHalfpToVoltMinPhaseLxRaw, Check::None, ""},
    {121, &R::VoltHalfpToCurrMaxPhaseLxRaw, Check::None, ""},
};
// clang-format on

// Function A inserts the voltage harmonics before word 22 and the current harmonics before
// word 44 of the function P layout.
constexpr int kFirstMovedWord = 22;
constexpr int kCurrentThdWord = 44;
constexpr int kVoltageHarmonicWords = 81;  // bytes 44-205
constexpr int kAllHarmonicWords = 189;     // and bytes 250-465

constexpr size_t kVoltHarmOffset = 44;
constexpr size_t kVoltInterharmOffset = 191;
constexpr size_t kCurrHarmOffset = 250;
constexpr size_t kCurrInterharmOffset = 446;
constexpr int kCodedOrders = kHarmonicOrders - 1;  // orders 1 to 49; order 0 is the fundamental

constexpr int kSubstituteDate[6] = {97, 12, 31, 23, 59, 59};
const char* const kDateNames[6] = {"Year", "Month", "Day", "Hour", "Min", "Sec"};

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[200];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

class IntervalDecoder {
public:
    IntervalDecoder(std::span<const uint8_t> data, CIntervalRecord& record,
                    ProtocolDiagnostics& diagnostics, bool fundamentalDecidesThd, bool online)
        : r_(data),
          rec_(record),
          diag_(diagnostics),
          fundamentalDecidesThd_(fundamentalDecidesThd),
          online_(online) {}

    void Date() {
        int f[6];
        for (size_t i = 0; i < 6; ++i)
            f[i] = r_.U8(2 + i);
        const int year = f[0] < 82 ? 2000 + f[0] : 1900 + f[0];
        const bool valid = f[0] <= 99 && f[1] >= 1 && f[1] <= 12 && f[2] >= 1 &&
                           f[2] <= CTimeStamp::DaysInMonth(year, f[1]) && f[3] <= 23 &&
                           f[4] <= 59 && f[5] <= 59;
        if (valid) {
            rec_.DateTime = CTimeStamp(year, f[1], f[2], f[3], f[4], f[5], 0);
            return;
        }
        for (size_t i = 0; i < 6; ++i)
            diag_.Substitution(Format("%s=%d is out of range, substituted with %d", kDateNames[i],
                                      f[i], kSubstituteDate[i]));
        rec_.DateTime =
            CTimeStamp(1900 + kSubstituteDate[0], kSubstituteDate[1], kSubstituteDate[2],
                       kSubstituteDate[3], kSubstituteDate[4], kSubstituteDate[5], 0);
    }

    // The fields of the table from `first` to before `last`, their words moved by `shift`.
    void Fields(int first, int last, int shift) {
        for (const WordField& f : kFields) {
            if (f.word < first || f.word >= last) continue;
            const size_t offset = size_t(f.word + shift) * 2;
            if (auto* phase = std::get_if<PhaseRaw R::*>(&f.target)) {
                for (int p = 0; p < kPhaseCount; ++p) {
                    int16_t v = Checked(r_.I16(offset + 2 * size_t(p)), f.check, f.name, p);
                    const int16_t fundamental = f.thd == Thd::Voltage
                                                    ? rec_.VoltUh1AvgPhaseLxRawVal[size_t(p)]
                                                    : rec_.CurrIh1AvgPhaseLxRawVal[size_t(p)];
                    (rec_.*(*phase))[size_t(p)] = ApplyThd(f.thd, fundamental, v);
                }
            } else if (auto* unsignedPhase = std::get_if<PhaseRawU R::*>(&f.target)) {
                for (int p = 0; p < kPhaseCount; ++p) {
                    const size_t at = offset + 2 * size_t(p);
                    (rec_.*(*unsignedPhase))[size_t(p)] =
                        f.check == Check::None ? r_.U16(at)
                                               : uint16_t(Checked(r_.I16(at), f.check, f.name, p));
                }
            } else {
                auto single = std::get<int16_t R::*>(f.target);
                rec_.*single = ApplyThd(f.thd, rec_.NeutralCurrIh1AvgRawVal,
                                        Checked(r_.I16(offset), f.check, f.name, -1));
            }
        }
    }

    void VoltageHarmonics() {
        for (int p = 0; p < kPhaseCount; ++p) {
            auto& harm = rec_.VoltHarmPhaseLxRawVal[size_t(p)];
            const char* name = "UOSPhaseLxRohwert";
            harm[0] = CheckedHarmonic(rec_.VoltUh1AvgPhaseLxRawVal[size_t(p)], name, p, 0);
            const int32_t rms = rec_.VoltAvgPhaseLxRawVal[size_t(p)];
            for (int h = 1; h <= kCodedOrders; ++h) {
                const uint8_t code = r_.U8(kVoltHarmOffset + size_t(p * kCodedOrders + h - 1));
                harm[size_t(h)] = CheckedHarmonic(HarmonicFromLevelCode(rms, code), name, p, h);
            }
            for (int c = 0; c < kInterharmonicChannels; ++c) {
                const uint8_t code =
                    r_.U8(kVoltInterharmOffset + size_t(p * kInterharmonicChannels + c));
                rec_.VoltZHarmPhaseLxRawVal[size_t(p)][size_t(c)] =
                    CheckedHarmonic(HarmonicFromLevelCode(rms, code), name, p, kHarmonicOrders + c);
            }
        }
    }

    void CurrentHarmonics() {
        for (int k = 0; k < kConductorCount; ++k) {
            auto& harm = rec_.CurrHarmPhaseLxRawVal[size_t(k)];
            harm[0] = CheckedHarmonic(rec_.CurrIh1Avg(k), "IharmPhaseLxRaw", k, 0);
            const int32_t rms = rec_.CurrAvg(k);
            for (int h = 1; h <= kCodedOrders; ++h) {
                const uint8_t code = r_.U8(kCurrHarmOffset + size_t(k * kCodedOrders + h - 1));
                harm[size_t(h)] =
                    CheckedHarmonic(HarmonicFromLevelCode(rms, code), "IharmPhaseLxRaw", k, h);
            }
            for (int c = 0; c < kInterharmonicChannels; ++c) {
                const uint8_t code =
                    r_.U8(kCurrInterharmOffset + size_t(k * kInterharmonicChannels + c));
                rec_.CurrZHarmPhaseLxRawVal[size_t(k)][size_t(c)] =
                    CheckedHarmonic(HarmonicFromLevelCode(rms, code), "IzharmPhaseLxRaw", k, c);
            }
        }
    }

private:
    void RangeText(const char* name, int phase, int harmonic, int value, int min, int max,
                   int substitute) {
        if (phase < 0)
            diag_.Substitution(Format("%s=%d is out of range <%d..%d>, substituted with %d", name,
                                      value, min, max, substitute));
        else if (harmonic < 0)
            diag_.Substitution(Format("%s[L%d]=%d is out of range <%d..%d>, substituted with %d",
                                      name, phase, value, min, max, substitute));
        else
            diag_.Substitution(
                Format("%s[L%d][h%d]=%d is out of range <%d..%d>, substituted with %d", name, phase,
                       harmonic, value, min, max, substitute));
    }

    int16_t InRange(int value, int min, int max, const char* name, int phase, int harmonic = -1) {
        if (value >= min && value <= max) return int16_t(value);
        const int substitute = value < min ? min : max;
        RangeText(name, phase, harmonic, value, min, max, substitute);
        return int16_t(substitute);
    }

    int16_t Checked(int value, Check check, const char* name, int phase) {
        switch (check) {
            case Check::None: return int16_t(value);
            case Check::Range:
            case Check::NonNegative: return InRange(value, 0, kRawMax, name, phase);
            case Check::Flicker: {
                const int16_t v = InRange(value, 0, kFlickerMax, name, phase);
                return v <= kFlickerFloor ? int16_t(0) : v;
            }
            case Check::Frequency:
                if (value == 0 || (value >= kFrequencyMin && value <= kFrequencyMax))
                    return int16_t(value);
                RangeText(name, phase, -1, value, kFrequencyMin, kFrequencyMax, 0);
                return 0;
            case Check::Angle:
                if (value >= 0 && value <= kAngleMax) return int16_t(value);
                RangeText(name, phase, -1, value, 0, kAngleMax, kAngleSubstitute);
                return kAngleSubstitute;
        }
        return int16_t(value);
    }

    int16_t CheckedHarmonic(int32_t value, const char* name, int conductor, int index) {
        return InRange(int(value), 0, kRawMax, name, conductor, index);
    }

    // A maximum THD means nothing online, nor over a fundamental too small to measure it.
    int16_t ApplyThd(Thd thd, int16_t fundamental, int16_t value) const {
        if (thd == Thd::No) return value;
        if (online_) return 0;
        if (!fundamentalDecidesThd_) return value;
        return fundamental < kThdFundamentalMin ? int16_t(0) : value;
    }

    ByteReader r_;
    CIntervalRecord& rec_;
    ProtocolDiagnostics& diag_;
    bool fundamentalDecidesThd_;
    bool online_;
};

void Start(CIntervalRecord& record, bool online, IntervalDecoder& decoder) {
    const CTimeStamp kept = record.DateTime;
    record = CIntervalRecord{};
    if (online)
        record.DateTime = kept;
    else
        decoder.Date();
}

}  // namespace

bool IsEmptyRecord(std::span<const uint8_t> data) {
    return !data.empty() &&
           std::all_of(data.begin(), data.end(), [](uint8_t b) { return b == 0xFF; });
}

int32_t LevelFromCode(uint8_t code) {
    if (code <= 130) return 5 * code;
    if (code <= 165) return 10 * code - 650;
    return 100 * code - 15500;
}

int32_t HarmonicFromLevelCode(int32_t rms, uint8_t code) {
    if (rms <= 0) return 0;
    return int32_t(int64_t(rms) * LevelFromCode(code) * 238 / 1760000);
}

bool DecodeIntervalP(std::span<const uint8_t> data, CIntervalRecord& record, bool online,
                     int firmwareGeneration, ProtocolDiagnostics& diagnostics) {
    if (data.size() < kIntervalPDataSize) return false;
    // The newest function P firmware puts the harmonic content into the fundamental fields,
    // so a small fundamental says nothing about the THD there.
    IntervalDecoder decoder(data.first(kIntervalPDataSize), record, diagnostics,
                            firmwareGeneration < 2, online);
    Start(record, online, decoder);
    record.Status = ByteReader(data).I16(0);
    decoder.Fields(4, 124, 0);
    return true;
}

bool DecodeIntervalA(std::span<const uint8_t> data, CIntervalRecord& record, bool online,
                     ProtocolDiagnostics& diagnostics) {
    if (data.size() < kIntervalADataSize) return false;
    IntervalDecoder decoder(data.first(kIntervalADataSize), record, diagnostics, true, online);
    Start(record, online, decoder);
    record.Status = ByteReader(data).I16(0);
    decoder.Fields(4, kFirstMovedWord, 0);
    decoder.VoltageHarmonics();
    decoder.Fields(kFirstMovedWord, kCurrentThdWord, kVoltageHarmonicWords);
    decoder.CurrentHarmonics();
    decoder.Fields(kCurrentThdWord, 124, kAllHarmonicWords);
    return true;
}

}  // namespace varelo
