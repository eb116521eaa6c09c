#include "measurement/RecordColumns.h"

#include <cstddef>
#include <vector>

#include "measurement/EventRecord.h"
#include "measurement/IntervalRecord.h"
#include "measurement/MeasurementJob.h"
#include "measurement/StatisticSegment.h"

namespace varelo {

namespace {

static_assert(std::is_standard_layout_v<CIntervalRecord>);
static_assert(std::is_standard_layout_v<CStatisticSegment>);
static_assert(std::is_standard_layout_v<CEventRecord>);
static_assert(sizeof(PhaseRaw) == kPhaseCount * sizeof(int16_t));
static_assert(sizeof(CIntervalRecord::VoltHarmPhaseLxRawVal) ==
              kPhaseCount * kHarmonicOrders * sizeof(int16_t));
static_assert(sizeof(CStatisticSegment::SignalVal) ==
              3 * kSignallingFrequencies * kSignallingClasses * sizeof(uint16_t));

// Field name and its offset; the columns of a field are named after it.
#define FIELD(record, name) #name, offsetof(record, name)

class ColumnBuilder {
public:
    // A column of element `flat` of a field, counted over all its dimensions.
    ColumnBuilder& Add(const char* stem, size_t offset, ColumnType type, int flat = 0,
                       std::initializer_list<int> index = {}, int conductor = -1,
                       bool total = false) {
        RecordColumn c{stem,
                       uint16_t(offset + size_t(flat) * Width(type)),
                       type,
                       {-1, -1, -1},
                       int8_t(conductor),
                       total};
        int k = 0;
        for (int i : index)
            c.index[k++] = int8_t(i);
        columns_.push_back(c);
        return *this;
    }
    ColumnBuilder& Skip(int count) {
        for (int i = 0; i < count; ++i)
            columns_.push_back({"", 0, ColumnType::Skip, {-1, -1, -1}, -1, false});
        return *this;
    }
    std::vector<RecordColumn> Take() { return std::move(columns_); }

private:
    static size_t Width(ColumnType type) {
        return type == ColumnType::UInt32 ? 4 : type == ColumnType::TimeStamp ? 0 : 2;
    }
    std::vector<RecordColumn> columns_;
};

using R = CIntervalRecord;
constexpr ColumnType kI16 = ColumnType::Int16;
constexpr ColumnType kU16 = ColumnType::UInt16;

std::vector<RecordColumn> BuildIntervalColumns(bool functionA, int fileVersion) {
    // Files before 1.0.2 carry a few more values in function A rows.
    const int old = functionA && fileVersion < 102 ? 1 : 0;
    ColumnBuilder b;
    b.Add("Nr", 0, ColumnType::Number)
        .Add(FIELD(R, Status), kI16)
        .Add(FIELD(R, DateTime), ColumnType::TimeStamp)
        .Add(FIELD(R, Freq10min), kI16)
        .Add(FIELD(R, UnbalAngleL1L2), kI16)
        .Add(FIELD(R, UnbalAngleL1L3), kI16)
        .Skip(old);
    struct Field {
        const char* name;
        size_t offset;
    };
    const Field neutral[] = {
        {FIELD(R, NeutralCurrMaxRawVal)},    {FIELD(R, NeutralCurrAvgRawVal)},
        {FIELD(R, NeutralCurrPeakRawVal)},   {FIELD(R, NeutralCurrIh1AvgRawVal)},
        {FIELD(R, NeutralCurrTHDMaxRawVal)},
    };
    for (const Field& f : neutral)
        b.Add(f.name, f.offset, kI16, 0, {}, kNeutral);
    b.Skip(old);
    struct Total {
        const char* name;
        size_t offset;
        int skipAfter;
    };
    const Total totals[] = {
        {FIELD(R, RealPowMaxTotRawVal), old},  {FIELD(R, RealPowMinTotRawVal), 0},
        {FIELD(R, RealPowMaxAbsTotRawVal), 0}, {FIELD(R, RealPowAvgAbsTotRawVal), 0},
        {FIELD(R, RealPowMinAbsTotRawVal), 0}, {FIELD(R, ReactPowMaxTotRawVal), old},
        {FIELD(R, ReactPowMinTotRawVal), 0},   {FIELD(R, AppPowMaxTotRawVal), old},
        {FIELD(R, AppPowMinTotRawVal), 0},     {FIELD(R, DistPowMaxTotRawVal), 2 * old},
    };
    for (const Total& t : totals)
        b.Add(t.name, t.offset, kI16, 0, {}, -1, true).Skip(t.skipAfter);

    struct PhaseField {
        const char* name;
        size_t offset;
        ColumnType type;
        int skipAfter;
    };
    const PhaseField voltages[] = {
        {FIELD(R, VoltMaxPhaseLxRawVal), kI16, 0},
        {FIELD(R, VoltAvgPhaseLxRawVal), kI16, 0},
        {FIELD(R, VoltMinPhaseLxRawVal), kI16, 0},
        {FIELD(R, VoltUh1AvgPhaseLxRawVal), kI16, 0},
        {FIELD(R, VoltUDeltaRmsPhaseLxRawVal), kU16, 0},
        {FIELD(R, VoltTHDMaxPhaseLxRawVal), kI16, old},
        {FIELD(R, FlickPstPhaseLxRawVal), kI16, old},
    };
    const PhaseField others[] = {
        {FIELD(R, CurrMaxPhaseLxRawVal), kI16, 0},
        {FIELD(R, CurrAvgPhaseLxRawVal), kI16, 0},
        {FIELD(R, CurrPeakPhaseLxRawVal), kI16, 0},
        {FIELD(R, CurrIh1AvgPhaseLxRawVal), kI16, 0},
        {FIELD(R, CurrTHDMaxPhaseLxRawVal), kI16, old},
        {FIELD(R, RealPowMaxPhaseLxRawVal), kI16, 0},
        {FIELD(R, RealPowAvgPhaseLxRawVal), kI16, 0},
        {FIELD(R, RealPowMinPhaseLxRawVal), kI16, 0},
        {FIELD(R, RealPowMaxAbsPhaseLxRawVal), kI16, 0},
        {FIELD(R, RealPowAvgAbsPhaseLxRawVal), kI16, 0},
        {FIELD(R, RealPowMinAbsPhaseLxRawVal), kI16, 0},
        {FIELD(R, ReactPowMaxPhaseLxRawVal), kI16, 0},
        {FIELD(R, ReactPowAvgPhaseLxRawVal), kI16, 0},
        {FIELD(R, ReactPowMinPhaseLxRawVal), kI16, 0},
        {FIELD(R, AppPowMaxPhaseLxRawVal), kI16, 0},
        {FIELD(R, AppPowAvgPhaseLxRawVal), kI16, 0},
        {FIELD(R, AppPowMinPhaseLxRawVal), kI16, 0},
        {FIELD(R, DistPowMaxPhaseLxRawVal), kI16, 0},
        {FIELD(R, DistPowAvgPhaseLxRawVal), kI16, old},
        {FIELD(R, RealPowPh1AvgPhaseLxRawVal), kI16, 0},
        {FIELD(R, ReactPowPh1AvgPhaseLxRawVal), kI16, 4 * old},
        {FIELD(R, VoltHalfpMaxPhaseLxRaw), kU16, 0},
        {FIELD(R, VoltHalfpMinPhaseLxRaw), kU16, 0},
        {FIELD(R, CurrHalfpMaxPhaseLxRaw), kU16, 0},
        {FIELD(R, CurrHalfpToVoltMaxPhaseLxRaw), kU16, 0},
        {FIELD(R, CurrHalfpToVoltMinPhaseLxRaw), kU16, 0},
        {FIELD(R, VoltHalfpToCurrMaxPhaseLxRaw), kU16, 0},
    };
    for (int p = 0; p < kPhaseCount; ++p) {
        for (const PhaseField& f : voltages)
            b.Add(f.name, f.offset, f.type, p, {p}, p).Skip(f.skipAfter);
        if (functionA) {
            for (int j = 0; j < kHarmonicOrders; ++j)
                b.Add(FIELD(R, VoltHarmPhaseLxRawVal), kI16, p * kHarmonicOrders + j, {p, j}, p);
            // The interharmonic channels continue the harmonic indices in the files.
            for (int j = 0; j < kInterharmonicChannels; ++j)
                b.Add("VoltHarmPhaseLxRawVal", offsetof(R, VoltZHarmPhaseLxRawVal), kI16,
                      p * kInterharmonicChannels + j, {p, kHarmonicOrders + j}, p);
        }
        for (const PhaseField& f : others)
            b.Add(f.name, f.offset, f.type, p, {p}, p).Skip(f.skipAfter);
    }
    if (!functionA) return b.Take();
    for (int c = 0; c < kConductorCount; ++c)
        for (int j = 0; j < kHarmonicOrders; ++j)
            b.Add(FIELD(R, CurrHarmPhaseLxRawVal), kI16, c * kHarmonicOrders + j, {c, j}, c);
    if (fileVersion <= 100) return b.Take();
    b.Skip(fileVersion == 101 ? 4 : 0);
    for (int c = 0; c < kConductorCount; ++c)
        for (int j = 0; j < kInterharmonicChannels; ++j)
            b.Add(FIELD(R, CurrZHarmPhaseLxRawVal), kI16, c * kInterharmonicChannels + j, {c, j},
                  c);
    return b.Take();
}

std::vector<RecordColumn> BuildStatisticColumns() {
    using S = CStatisticSegment;
    ColumnBuilder b;
    b.Add("Nr", 0, ColumnType::Number)
        .Add(FIELD(S, Status), kI16)
        .Add(FIELD(S, DateTime), ColumnType::TimeStamp);
    for (int i = 0; i < kFrequencyClasses; ++i)
        b.Add(FIELD(S, Freq10sec), ColumnType::UInt32, i, {i});
    b.Add(FIELD(S, NrSignalVoltInterval), ColumnType::UInt32);
    int flat = 0;
    for (int p = 0; p < 3; ++p)
        for (int f = 0; f < kSignallingFrequencies; ++f)
            for (int k = 0; k < kSignallingClasses; ++k)
                b.Add(FIELD(S, SignalVal), kU16, flat++, {p, f, k}, p);
    return b.Take();
}

std::vector<RecordColumn> BuildEventColumns() {
    using E = CEventRecord;
    ColumnBuilder b;
    b.Add("Nr", 0, ColumnType::Number)
        .Add(FIELD(E, Status), kI16)
        .Add(FIELD(E, Phase), kI16)
        .Add(FIELD(E, StartDateTime), ColumnType::TimeStamp)
        .Add(FIELD(E, EndDateTime), ColumnType::TimeStamp)
        .Add(FIELD(E, Val), kI16);
    return b.Take();
}

#undef FIELD

}  // namespace

std::span<const RecordColumn> IntervalColumns(uint32_t measFunc, int fileVersion) {
    static const std::vector<RecordColumn> kP = BuildIntervalColumns(false, 102);
    static const std::vector<RecordColumn> kA100 = BuildIntervalColumns(true, 100);
    static const std::vector<RecordColumn> kA101 = BuildIntervalColumns(true, 101);
    static const std::vector<RecordColumn> kA102 = BuildIntervalColumns(true, 102);
    if (measFunc != kMeasFuncA) return kP;
    return fileVersion <= 100 ? kA100 : fileVersion == 101 ? kA101 : kA102;
}

std::span<const RecordColumn> StatisticColumns() {
    static const std::vector<RecordColumn> kColumns = BuildStatisticColumns();
    return kColumns;
}

std::span<const RecordColumn> EventColumns() {
    static const std::vector<RecordColumn> kColumns = BuildEventColumns();
    return kColumns;
}

std::string ColumnName(const RecordColumn& column) {
    std::string name = column.stem;
    for (int k = 0; k < 3 && column.index[k] >= 0; ++k) {
        if (k > 0) name += '_';
        name += std::to_string(column.index[k]);
    }
    return name;
}

}  // namespace varelo
