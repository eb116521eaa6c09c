#include "sim/MeasurementGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "measurement/MeasurementItems.h"

namespace varelo::sim {

namespace {

// The Logger's inputs: the 230 V range for 230 V systems and the 115 V range for 120 V
// systems (range codes 6 and 5), 1000 A clamps on the phases and the neutral.
constexpr int16_t kRangeCode230 = 6;
constexpr double kRange230 = 230;
constexpr int16_t kRangeCode120 = 5;
constexpr double kRange120 = 115;
constexpr double kClampAmperes = 1000;
constexpr int32_t kIntervalCapacity = 8064;
constexpr uint8_t kClampId = 3;
constexpr std::array<uint8_t, 6> kClampSerial{0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F};

IntervalLayout LayoutOf(const GeneratorSettings& s) {
    IntervalLayout layout;
    layout.function = s.function;
    layout.intervalSeconds = s.intervalSeconds;
    layout.nominalVoltage = s.nominalVoltage;
    layout.units = RawUnits::For(s.nominalVoltage == 120 ? kRange120 : kRange230, kClampAmperes,
                                 kClampAmperes);
    layout.interharmonicChannels =
        s.function == kMeasFuncA ? int(InterharmonicChannels().size()) : 0;
    return layout;
}

std::string SeedText(uint64_t seed) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(seed));
    return text;
}

}  // namespace

MeasurementGenerator::MeasurementGenerator(const GeneratorSettings& settings)
    : settings_(settings),
      noise_(settings.seed),
      calendar_(settings.start),
      schedule_(settings, noise_, calendar_),
      model_(settings, noise_, calendar_, schedule_),
      layout_(LayoutOf(settings)),
      intervals_(layout_, model_, schedule_, noise_),
      statistics_(model_, schedule_, intervals_, settings.DurationSeconds(),
                  layout_.interharmonicChannels, settings.NominalFrequency()) {
    BuildJob();
    BuildEvents();
    BuildLogger();
}

size_t MeasurementGenerator::StatisticCount() const {
    return settings_.function == kMeasFuncA ? statistics_.Count() : 0;
}

uint32_t MeasurementGenerator::GapRecords() const {
    return settings_.gap ? settings_.gap->staleRecords + settings_.gap->emptyRecords : 0;
}

uint32_t MeasurementGenerator::MemoryIntervalCount() const {
    return GapRecords() + settings_.intervals;
}

bool MeasurementGenerator::MemoryInterval(uint32_t slot, CIntervalRecord& record) const {
    const uint32_t stale = settings_.gap ? settings_.gap->staleRecords : 0;
    if (slot >= stale && slot < GapRecords()) return false;
    record = intervals_.Interval(int64_t(slot) - GapRecords());
    return true;
}

void MeasurementGenerator::BuildJob() {
    const GeneratorSettings& s = settings_;
    const bool sixty = s.NominalFrequency() == 60;
    CMeasurementJob& j = job_;
    j.MeasFunc = s.function;
    j.PowSysNomFreq = int16_t(s.NominalFrequency());
    j.PowSysNomVolt = int16_t(s.nominalVoltage);
    j.JobText = {
        "Varelo generated measurement", "Network operations",     "Feeder 4 North", "T2 630 kVA",
        "Seed " + SeedText(s.seed),     "GEN-" + SeedText(s.seed)};
    // A time-activated job over exactly the recorded period; a wrapped circular memory began
    // before its oldest record.
    j.JobType = kJobTimeActivated;
    j.MeasStartMeasured = calendar_.At(-int64_t(GapRecords()) * s.intervalSeconds);
    j.MeasStopMeasured = calendar_.At(s.DurationSeconds());
    j.ProgStartMeas = j.MeasStartMeasured;
    j.ProgStopMeas = j.MeasStopMeasured;
    j.Interval = s.intervalSeconds;
    j.IntervalMemModel = s.gap ? 1 : 0;
    j.IntervalMem = s.gap ? 1 : 0;  // overwritten
    j.NrIntervalMax = s.gap ? int32_t(MemoryIntervalCount())
                            : std::max<int32_t>(int32_t(s.intervals), kIntervalCapacity);
    j.InstrHardwNr = 400;
    j.VoltPowSysType = s.powerSystem;
    j.NomVoltRawVal = s.nominalVoltage * 100;
    j.VoltInputRangeCode = sixty ? kRangeCode120 : kRangeCode230;
    j.VoltPrimaryRawVal = j.VoltSecondaryRawVal = j.NomVoltRawVal;
    if (s.voltageTransformer) {
        j.VoltTransformer = 1;
        std::tie(j.VoltPrimaryRawVal, j.VoltSecondaryRawVal) = *s.voltageTransformer;
    }
    for (size_t line = 0; line < s.jobTexts.size(); ++line)
        if (s.jobTexts[line]) j.JobText[line] = *s.jobTexts[line];
    j.NrInterHarm = int16_t(layout_.interharmonicChannels);
    for (int c = 0; c < layout_.interharmonicChannels; ++c) {
        const InterharmonicChannel& channel = InterharmonicChannels()[size_t(c)];
        j.HarmOrder[size_t(c)] = sixty ? channel.order60 : channel.order50;
        j.HarmText[size_t(c)] = channel.text;
    }
    j.VoltUpperThreshShort = sixty ? 105.0f : 110.0f;
    j.VoltLowerThreshShort = 90.0f;
    j.CurrPowSys = 1;
    j.PhCurrClampRawVal = j.NeutralClampCurrRawVal = int32_t(kClampAmperes * 100);
    if (s.currentTransformer) {
        j.PhCurrTransformer = 1;
        std::tie(j.PhCurrPrimaryRawVal, j.PhCurrSecondaryRawVal) = *s.currentTransformer;
    }
    j.NeutralMeas = 1;
    j.NrInterval = s.intervals;
    j.NrStat = int16_t(StatisticCount());
    j.ClampId = kClampId;
    j.MaxClampCurr = uint16_t(kClampAmperes);
    j.ClampSerNr = kClampSerial;
}

void MeasurementGenerator::BuildEvents() {
    const double un = settings_.nominalVoltage;
    int16_t open = 0;
    for (const Disturbance& d : schedule_.Disturbances()) {
        for (int p = 0; p < kPhaseCount; ++p) {
            if (!d.Affects(p)) continue;
            CEventRecord e;
            e.Status = d.open ? kEventStatusOpen : 0;
            e.Phase = int16_t(p + 1);
            e.StartDateTime = calendar_.At(d.startMs / 1000, int(d.startMs % 1000));
            e.EndDateTime = calendar_.At(d.endMs / 1000, int(d.endMs % 1000));
            e.Val = int16_t(std::clamp(
                std::round(d.extreme[size_t(p)] * un / layout_.units.eventVoltage), 0.0, 32767.0));
            e.ComputeValue(job_);
            events_.push_back(e);
            open += d.open ? 1 : 0;
        }
    }
    job_.EventOpen = open;
    job_.EventReady = int16_t(int(events_.size()) - open);
}

void MeasurementGenerator::BuildLogger() {
    const bool functionA = settings_.function == kMeasFuncA;
    CLoggerInfo& l = logger_;
    l.HardwType = "408b Power Logger   1";
    char serial[16];
    std::snprintf(serial, sizeof serial, "408-%06u", unsigned(settings_.seed % 1000000));
    l.SerialNr = serial;
    l.HardwBasicUnit = "BU 408 rev C";
    l.HardwSupplyVoltage = 1;
    l.HardwNomFreq = int16_t(settings_.NominalFrequency() == 60 ? 2 : 1);
    l.HardwVoltRange = 12;
    l.HardwCurrRange = 34;
    l.VersionBoot = "1.02";
    l.FuncBoot = "Boot";
    l.Calibration = "2023-11-02";
    l.ClampId = kClampId;
    l.MaxClampCurr = uint16_t(kClampAmperes);
    l.ClampSerNr = kClampSerial;
    l.MeasFunc = functionA ? "A Power quality EN50160" : "P Power EN50160";
    l.VersionCPU = "5.02";
    l.FuncCPU = functionA ? "A;CPU 408" : "P;CPU 408";
    l.VersionDSP = "5.02";
    l.FuncDSP = functionA ? "A;DSP 408" : "P;DSP 408";
    // Read out a quarter of an hour after the stop.
    l.InstrTime = calendar_.At(settings_.DurationSeconds() + 900);
    l.FirmwDescription = "Substation North";
    l.OperatingState = 'F';
    l.OnlineState = '0';
    l.currentJob = {int16_t(job_.IntervalMem),
                    int32_t(MemoryIntervalCount()),
                    job_.StatMem,
                    job_.NrStat,
                    job_.EventMem,
                    job_.EventReady,
                    job_.EventOpen};
    l.oldJob = {0, 0, 0, 0, 0, 0, 0};
    l.intervalCapacity = kIntervalCapacity;
    l.jobFunction = {settings_.function, 0};
}

bool MeasurementGenerator::Generate(MeasurementData& data) const {
    data.fileVersion = kFileVersion102;
    data.logger = logger_;
    data.job = job_;
    data.intervals.Clear();
    data.statistics.Clear();
    data.events.Clear();
    const bool restart =
        !settings_.gap || settings_.gap->IsRestart(RestartLookAhead(settings_.function));
    for (uint32_t slot = restart ? GapRecords() : 0; slot < MemoryIntervalCount(); ++slot) {
        CIntervalRecord record;
        if (MemoryInterval(slot, record) && !data.intervals.Add(record)) return false;
    }
    for (size_t n = 0; n < StatisticCount(); ++n) {
        if (!data.statistics.Add(statistics_.Segment(n))) return false;
    }
    for (const CEventRecord& e : events_) {
        if (!data.events.Add(e)) return false;
    }
    return true;
}

}  // namespace varelo::sim
