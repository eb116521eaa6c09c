#include "logger/ReadOutDump.h"

#include <cstdarg>
#include <span>
#include <string>

#include "measurement/EventRecord.h"
#include "measurement/IntervalRecord.h"
#include "measurement/StatisticSegment.h"

namespace varelo {

namespace {

[[gnu::format(printf, 2, 3)]] void Line(std::FILE* f, const char* format, ...) {
    if (!f) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(f, format, args);
    va_end(args);
    std::fputc('\n', f);
}

void TimeLine(std::FILE* f, const char* label, const CTimeStamp& t) {
    Line(f, "%s: %hd.%hd.%hd %02hd:%02hd:%02hd,%03hd", label, t.day, t.month, t.year, t.hour,
         t.minute, t.second, t.millisecond);
}

unsigned StatusValue(int16_t status) {
    return uint16_t(status);
}

// One quantity line of the interval dump: three phase values or one value.
struct QuantityLine {
    const char* label;
    PhaseRaw CIntervalRecord::*phases = nullptr;
    PhaseRawU CIntervalRecord::*unsignedPhases = nullptr;
    int16_t CIntervalRecord::*single = nullptr;
};

constexpr QuantityLine kVoltageLines[] = {
    {"Umax", &CIntervalRecord::VoltMaxPhaseLxRawVal},
    {"Umean", &CIntervalRecord::VoltAvgPhaseLxRawVal},
    {"Umin", &CIntervalRecord::VoltMinPhaseLxRawVal},
    {"FlickerPst", &CIntervalRecord::FlickPstPhaseLxRawVal},
    {"Uh1mean", &CIntervalRecord::VoltUh1AvgPhaseLxRawVal},
    {"UTHDmax", &CIntervalRecord::VoltTHDMaxPhaseLxRawVal},
    {"UDeltaRms", nullptr, &CIntervalRecord::VoltUDeltaRmsPhaseLxRawVal},
};

constexpr QuantityLine kCurrentLines[] = {
    {"Imax", &CIntervalRecord::CurrMaxPhaseLxRawVal},
    {"Imax", nullptr, nullptr, &CIntervalRecord::NeutralCurrMaxRawVal},
    {"Imean", &CIntervalRecord::CurrAvgPhaseLxRawVal},
    {"Imean", nullptr, nullptr, &CIntervalRecord::NeutralCurrAvgRawVal},
    {"Ipeak", &CIntervalRecord::CurrPeakPhaseLxRawVal},
    {"Ipeak", nullptr, nullptr, &CIntervalRecord::NeutralCurrPeakRawVal},
    {"Ih1mean", &CIntervalRecord::CurrIh1AvgPhaseLxRawVal},
    {"Ih1mean", nullptr, nullptr, &CIntervalRecord::NeutralCurrIh1AvgRawVal},
    {"ITHDmax", &CIntervalRecord::CurrTHDMaxPhaseLxRawVal},
    {"ITHDmax", nullptr, nullptr, &CIntervalRecord::NeutralCurrTHDMaxRawVal},
};

constexpr QuantityLine kPowerLines[] = {
    {"Smax", &CIntervalRecord::AppPowMaxPhaseLxRawVal},
    {"Smax", nullptr, nullptr, &CIntervalRecord::AppPowMaxTotRawVal},
    {"Smean", &CIntervalRecord::AppPowAvgPhaseLxRawVal},
    {"Smin", &CIntervalRecord::AppPowMinPhaseLxRawVal},
    {"Smin", nullptr, nullptr, &CIntervalRecord::AppPowMinTotRawVal},
    {"Pmax", &CIntervalRecord::RealPowMaxPhaseLxRawVal},
    {"Pmax", nullptr, nullptr, &CIntervalRecord::RealPowMaxTotRawVal},
    {"Pmean", &CIntervalRecord::RealPowAvgPhaseLxRawVal},
    {"Pmin", &CIntervalRecord::RealPowMinPhaseLxRawVal},
    {"Pmin", nullptr, nullptr, &CIntervalRecord::RealPowMinTotRawVal},
    {"|Pmax|", &CIntervalRecord::RealPowMaxAbsPhaseLxRawVal},
    {"|Pmax|", nullptr, nullptr, &CIntervalRecord::RealPowMaxAbsTotRawVal},
    {"|Pmean|", &CIntervalRecord::RealPowAvgAbsPhaseLxRawVal},
    {"|Pmean|", nullptr, nullptr, &CIntervalRecord::RealPowAvgAbsTotRawVal},
    {"|Pmin|", &CIntervalRecord::RealPowMinAbsPhaseLxRawVal},
    {"|Pmin|", nullptr, nullptr, &CIntervalRecord::RealPowMinAbsTotRawVal},
    {"Qmax", &CIntervalRecord::ReactPowMaxPhaseLxRawVal},
    {"Qmax", nullptr, nullptr, &CIntervalRecord::ReactPowMaxTotRawVal},
    {"Qmean", &CIntervalRecord::ReactPowAvgPhaseLxRawVal},
    {"Qmin", &CIntervalRecord::ReactPowMinPhaseLxRawVal},
    {"Qmin", nullptr, nullptr, &CIntervalRecord::ReactPowMinTotRawVal},
    {"Ph1mean", &CIntervalRecord::RealPowPh1AvgPhaseLxRawVal},
    {"Qh1mean", &CIntervalRecord::ReactPowPh1AvgPhaseLxRawVal},
    {"Dmax", &CIntervalRecord::DistPowMaxPhaseLxRawVal},
    {"Dmax", nullptr, nullptr, &CIntervalRecord::DistPowMaxTotRawVal},
    {"Dmean", &CIntervalRecord::DistPowAvgPhaseLxRawVal},
    {"UactImax", nullptr, &CIntervalRecord::VoltHalfpToCurrMaxPhaseLxRaw},
};

// Single values of the power lines are totals, of the current lines the neutral.
void WriteLines(std::FILE* f, const CIntervalRecord& r, std::span<const QuantityLine> lines,
                const char* singleName) {
    for (const QuantityLine& q : lines) {
        if (q.single) {
            Line(f, "%s %s: %hd", q.label, singleName, r.*q.single);
            continue;
        }
        PhaseRaw v{};
        if (q.phases) v = r.*q.phases;
        if (q.unsignedPhases)
            for (int p = 0; p < kPhaseCount; ++p)
                v[size_t(p)] = int16_t((r.*q.unsignedPhases)[size_t(p)]);
        Line(f, "%s Lx: %hd\t%hd\t%hd", q.label, v[0], v[1], v[2]);
    }
}

void VoltageHarmonics(std::FILE* f, const CIntervalRecord& r) {
    for (int order = 1; order <= kHarmonicOrders; ++order)
        Line(f, "Uharm%02d: %hd\t%hd\t%hd", order, r.VoltHarm(0, order), r.VoltHarm(1, order),
             r.VoltHarm(2, order));
    for (int c = 0; c < kInterharmonicChannels; ++c)
        Line(f, "UZharm%d: %hd\t%hd\t%hd", c + 1, r.VoltInterharm(0, c), r.VoltInterharm(1, c),
             r.VoltInterharm(2, c));
}

void CurrentHarmonics(std::FILE* f, const CIntervalRecord& r) {
    for (int order = 1; order <= kHarmonicOrders; ++order)
        Line(f, "Iharm%02d: %hd\t%hd\t%hd\t%hd", order, r.CurrHarm(0, order), r.CurrHarm(1, order),
             r.CurrHarm(2, order), r.CurrHarm(kNeutral, order));
    for (int c = 0; c < kInterharmonicChannels; ++c)
        Line(f, "IZharm%d: %hd\t%hd\t%hd\t%hd", c + 1, r.CurrInterharm(0, c), r.CurrInterharm(1, c),
             r.CurrInterharm(2, c), r.CurrInterharm(kNeutral, c));
}

}  // namespace

ReadOutDump::ReadOutDump(const std::string& base)
    : intervals_(std::fopen((base + " Intervall.txt").c_str(), "w")),
      statistics_(std::fopen((base + " Statistik.txt").c_str(), "w")),
      events_(std::fopen((base + " Ereignis.txt").c_str(), "w")) {}

std::string ReadOutDump::BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t name = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < name || dot == 0) return path;
    return path.substr(0, dot);
}

void ReadOutDump::Interval(int number, const CIntervalRecord& r, bool functionA) {
    std::FILE* f = intervals_.get();
    Line(f, "IntervalNr: %d", number);
    TimeLine(f, "IntervalDateTime", r.DateTime);
    Line(f, "Status: %#x = '%s'", StatusValue(r.Status),
         StatusLetterCode(uint16_t(r.Status)).c_str());
    // Only function A and P jobs are read out.
    Line(f, "Unsymmetrie L1-L2: %hd", r.UnbalAngleL1L2);
    Line(f, "Unsymmetrie L1-L3: %hd", r.UnbalAngleL1L3);
    Line(f, "Frequency: %hd", r.Freq10min);
    WriteLines(f, r, kVoltageLines, "");
    if (functionA) VoltageHarmonics(f, r);
    WriteLines(f, r, kCurrentLines, "N");
    if (functionA) CurrentHarmonics(f, r);
    WriteLines(f, r, kPowerLines, "Total");
    Line(f, "%s", "");
}

void ReadOutDump::Statistic(int number, const CStatisticSegment& s) {
    std::FILE* f = statistics_.get();
    Line(f, "SegmentNr: %d", number);
    Line(f, "SegmentStatus: %#x", StatusValue(s.Status));
    TimeLine(f, "SegmentDateTime", s.DateTime);
    Line(f, "%s", "FrequencyTable");
    Line(f, "%s", "Nr.\tFreq. 50/60 Hz\tCount");
    for (int i = 0; i < kFrequencyClasses; ++i) {
        char hz50[16], hz60[16];
        std::snprintf(hz50, sizeof hz50, "%.2f",
                      CStatisticSegment::FrequencyClassLimit(i, 50) / 100.0);
        std::snprintf(hz60, sizeof hz60, "%.2f",
                      CStatisticSegment::FrequencyClassLimit(i, 60) / 100.0);
        Line(f, "%d\t%s/%s Hz\t%lu", i + 1, hz50, hz60,
             static_cast<unsigned long>(s.Freq10sec[size_t(i)]));
    }
    Line(f, "\nSignalVoltagesCountTotal: %lu", static_cast<unsigned long>(s.NrSignalVoltInterval));
    for (int phase = 0; phase < kPhaseCount; ++phase) {
        std::string header = "SignalVoltage Phase " + std::to_string(phase + 1);
        for (int c = 1; c <= kSignallingClasses; ++c)
            header += "\t" + std::to_string(c);
        Line(f, "%s", header.c_str());
        for (int frequency = 0; frequency < kSignallingFrequencies; ++frequency) {
            std::string line = "SignalVoltage " + std::to_string(frequency);
            for (uint16_t count : s.SignalVal[size_t(phase)][size_t(frequency)])
                line += "\t" + std::to_string(count);
            Line(f, "%s", line.c_str());
        }
        Line(f, "%s", "");
    }
    Line(f, "%s", "");
}

void ReadOutDump::Event(int number, const CEventRecord& e) {
    std::FILE* f = events_.get();
    Line(f, "EventNr: %d", number);
    Line(f, "EventStatus: %#x", StatusValue(e.Status));
    Line(f, "EventPhase: %hd", e.Phase);
    Line(f, "EventVoltage: %hd", e.Val);
    TimeLine(f, "EventStartDateTime", e.StartDateTime);
    TimeLine(f, "EventEndDateTime", e.EndDateTime);
    Line(f, "%s", "");
}

}  // namespace varelo
