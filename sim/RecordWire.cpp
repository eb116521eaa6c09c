#include "sim/RecordWire.h"

#include <variant>

#include "measurement/MeasurementJob.h"
#include "sim/RawEncoding.h"
#include "sim/WireWriter.h"

namespace varelo::sim {

namespace {

using R = CIntervalRecord;
using Target = std::variant<PhaseRaw R::*, PhaseRawU R::*, int16_t R::*>;

// Where a field lies in the function P and the function A layout, by word.
struct Placement {
    int wordP;
    int wordA;
    Target field;
};

// clang-format off
const Placement kPlacements[] = {
    {4, 4, &R::Freq10min},
    {5, 5, &R::VoltMaxPhaseLxRawVal},
    {8, 8, &R::VoltAvgPhaseLxRawVal},
    {11, 11, &R::VoltMinPhaseLxRawVal},
    {14, 14, &R::FlickPstPhaseLxRawVal},
    {17, 17, &R::UnbalAngleL1L2},
    {18, 18, &R::UnbalAngleL1L3},
    {19, 19, &R::VoltUh1AvgPhaseLxRawVal},
    {22, 103, &R::VoltTHDMaxPhaseLxRawVal},
    {25, 106, &R::VoltUDeltaRmsPhaseLxRawVal},
    {28, 109, &R::CurrMaxPhaseLxRawVal},
    {31, 112, &R::NeutralCurrMaxRawVal},
    {32, 113, &R::CurrAvgPhaseLxRawVal},
    {35, 116, &R::NeutralCurrAvgRawVal},
    {36, 117, &R::CurrPeakPhaseLxRawVal},
    {39, 120, &R::NeutralCurrPeakRawVal},
    {40, 121, &R::CurrIh1AvgPhaseLxRawVal},
    {43, 124, &R::NeutralCurrIh1AvgRawVal},
    {44, 233, &R::CurrTHDMaxPhaseLxRawVal},
    {47, 236, &R::NeutralCurrTHDMaxRawVal},
    {48, 237, &R::RealPowMaxPhaseLxRawVal},
    {51, 240, &R::RealPowMaxTotRawVal},
    {52, 241, &R::RealPowAvgPhaseLxRawVal},
    {55, 244, &R::RealPowMinPhaseLxRawVal},
    {58, 247, &R::RealPowMinTotRawVal},
    {59, 248, &R::RealPowMaxAbsPhaseLxRawVal},
    {62, 251, &R::RealPowMaxAbsTotRawVal},
    {63, 252, &R::RealPowAvgAbsPhaseLxRawVal},
    {66, 255, &R::RealPowAvgAbsTotRawVal},
    {67, 256, &R::RealPowMinAbsPhaseLxRawVal},
    {70, 259, &R::RealPowMinAbsTotRawVal},
    {71, 260, &R::ReactPowMaxPhaseLxRawVal},
    {74, 263, &R::ReactPowMaxTotRawVal},
    {75, 264, &R::ReactPowAvgPhaseLxRawVal},
    {78, 267, &R::ReactPowMinPhaseLxRawVal},
    {81, 270, &R::ReactPowMinTotRawVal},
    {82, 271, &R::AppPowMaxPhaseLxRawVal},
    {85, 274, &R::AppPowMaxTotRawVal},
    {86, 275, &R::AppPowAvgPhaseLxRawVal},
    {89, 278, &R::AppPowMinPhaseLxRawVal},
    {92, 281, &R::AppPowMinTotRawVal},
    {93, 282, &R::DistPowMaxPhaseLxRawVal},
    {96, 285, &R::DistPowMaxTotRawVal},
    {97, 286, &R::DistPowAvgPhaseLxRawVal},
    {100, 289, &R::RealPowPh1AvgPhaseLxRawVal},
    {103, 292, &R::ReactPowPh1AvgPhaseLxRawVal},
    {106, 295, &R::VoltHalfpMaxPhaseLxRaw},
    {109, 298, &R::VoltHalfpMinPhaseLxRaw},
    {112, 301, &R::CurrHalfpMaxPhaseLxRaw},
    {115, 304, &R::CurrHalfpToVoltMaxPhaseLxRaw},
    {118, 307, &R::CurrHalfpToVoltMinPhaseLxRaw},
    {121, 310, &R::VoltHalfpToCurrMaxPhaseLxRaw},
};
// clang-format on

// Byte offsets of the function A code blocks: 49 harmonic orders (2 to 50) and 5
// interharmonic channels per conductor.
constexpr size_t kVoltageHarmonics = 44;
constexpr size_t kVoltageInterharmonics = 191;
constexpr size_t kCurrentHarmonics = 250;
constexpr size_t kCurrentInterharmonics = 446;
constexpr int kCodedOrders = 49;

void WriteField(WireWriter& w, size_t offset, const R& r, const Target& field) {
    if (auto* phase = std::get_if<PhaseRaw R::*>(&field)) {
        for (size_t p = 0; p < 3; ++p)
            w.U16(offset + 2 * p, uint16_t((r.*(*phase))[p]));
    } else if (auto* unsignedPhase = std::get_if<PhaseRawU R::*>(&field)) {
        for (size_t p = 0; p < 3; ++p)
            w.U16(offset + 2 * p, (r.*(*unsignedPhase))[p]);
    } else {
        w.U16(offset, uint16_t(r.*std::get<int16_t R::*>(field)));
    }
}

uint8_t Code(int16_t rms, int16_t raw) {
    return CodeOfHarmonic(rms, raw).value_or(0);
}

void WriteHarmonicCodes(WireWriter& w, const R& r) {
    for (int p = 0; p < 3; ++p) {
        const int16_t rms = r.VoltAvgPhaseLxRawVal[size_t(p)];
        for (int order = 2; order <= kHarmonicOrders; ++order)
            w.U8(kVoltageHarmonics + size_t(p * kCodedOrders + order - 2),
                 Code(rms, r.VoltHarm(p, order)));
        for (int c = 0; c < kInterharmonicChannels; ++c)
            w.U8(kVoltageInterharmonics + size_t(p * kInterharmonicChannels + c),
                 Code(rms, r.VoltInterharm(p, c)));
    }
    for (int k = 0; k < kConductorCount; ++k) {
        const int16_t rms = r.CurrAvg(k);
        for (int order = 2; order <= kHarmonicOrders; ++order)
            w.U8(kCurrentHarmonics + size_t(k * kCodedOrders + order - 2),
                 Code(rms, r.CurrHarm(k, order)));
        for (int c = 0; c < kInterharmonicChannels; ++c)
            w.U8(kCurrentInterharmonics + size_t(k * kInterharmonicChannels + c),
                 Code(rms, r.CurrInterharm(k, c)));
    }
}

// Seven bytes: year modulo 100, month, day, hour, minute, second, hundredths.
void WriteTime(WireWriter& w, size_t offset, const CTimeStamp& t) {
    const int fields[] = {t.year % 100, t.month,           t.day, t.hour, t.minute,
                          t.second,     t.millisecond / 10};
    for (size_t i = 0; i < 7; ++i)
        w.U8(offset + i, uint32_t(fields[i]));
}

}  // namespace

std::optional<uint8_t> CodeOfHarmonic(int16_t rms, int16_t raw) {
    for (int code = 0; code <= 255; ++code)
        if (HarmonicFromCode(rms, uint8_t(code)) == raw) return uint8_t(code);
    return std::nullopt;
}

std::vector<uint8_t> IntervalWire(const CIntervalRecord& r, uint32_t function) {
    const bool a = function == kMeasFuncA;
    WireWriter w(a ? kIntervalWireLengthA : kIntervalWireLengthP);
    w.U16(0, uint16_t(r.Status));
    const CTimeStamp& t = r.DateTime;
    const int date[] = {t.year % 100, t.month, t.day, t.hour, t.minute, t.second};
    for (size_t i = 0; i < 6; ++i)
        w.U8(2 + i, uint32_t(date[i]));
    for (const Placement& p : kPlacements)
        WriteField(w, size_t(a ? p.wordA : p.wordP) * 2, r, p.field);
    if (a) WriteHarmonicCodes(w, r);
    return w.Take();
}

std::vector<uint8_t> ErasedIntervalWire(uint32_t function) {
    return std::vector<uint8_t>(
        function == kMeasFuncA ? kIntervalWireLengthA : kIntervalWireLengthP, 0xFF);
}

std::vector<uint8_t> StatisticWire(const CStatisticSegment& s) {
    WireWriter w(kStatisticWireLength);
    w.U8(0, uint32_t(s.Status));
    WriteTime(w, 1, s.DateTime);
    for (size_t i = 0; i < s.Freq10sec.size(); ++i)
        w.U32(8 + 4 * i, s.Freq10sec[i]);
    w.U32(176, s.NrSignalVoltInterval);
    for (size_t p = 0; p < 3; ++p)
        for (size_t f = 0; f < 5; ++f)
            for (size_t c = 0; c < 20; ++c)
                w.U16(180 + 200 * p + 40 * f + 2 * c, s.SignalVal[p][f][c]);
    return w.Take();
}

std::vector<uint8_t> EventWire(const CEventRecord& e) {
    WireWriter w(kEventWireLength);
    w.U8(0, uint32_t(e.Status));
    w.U8(1, uint32_t(e.Phase));
    WriteTime(w, 2, e.StartDateTime);
    WriteTime(w, 9, e.EndDateTime);
    w.U16(16, uint16_t(e.Val));
    return w.Take();
}

}  // namespace varelo::sim
