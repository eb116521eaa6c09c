#include "logger/StatisticEventWireFormat.h"

#include <cstdio>
#include <string>

#include "app/StringTable.h"
#include "logger/ByteReader.h"

namespace varelo {

namespace {

constexpr int kStatusMask = 0x70;
constexpr size_t kFreqOffset = 8;
constexpr size_t kSignalCountOffset = 176;
constexpr size_t kSignalOffset = 180;
constexpr int kLastPhase = 3;
constexpr int kMaxEventVal = 32767;

// Year, month, day, hour, minute, second, hundredths; substitutes in the same order, the last
// one in milliseconds.
using DateFields = std::array<int, 7>;
constexpr DateFields kStatisticSubstitute{97, 12, 31, 23, 58, 58, 58};
constexpr DateFields kEventStartSubstitute{97, 12, 31, 23, 58, 59, 123};
constexpr DateFields kEventEndSubstitute{97, 12, 31, 23, 59, 59, 124};
constexpr int kStatisticDateTexts = 556;
constexpr int kEventStartTexts = 567;
constexpr int kEventEndTexts = 574;

struct WireTime {
    DateFields f{};

    WireTime(const ByteReader& r, size_t offset) {
        for (size_t i = 0; i < f.size(); ++i)
            f[i] = r.U8(offset + i);
    }
    int FullYear() const { return f[0] < 82 ? 2000 + f[0] : 1900 + f[0]; }
    bool IsValid() const {
        return f[0] <= 99 && f[1] >= 1 && f[1] <= 12 && f[2] >= 1 &&
               f[2] <= CTimeStamp::DaysInMonth(FullYear(), f[1]) && f[3] <= 23 && f[4] <= 59 &&
               f[5] <= 59 && f[6] <= 99;
    }
    CTimeStamp ToTimeStamp() const {
        return CTimeStamp(FullYear(), f[1], f[2], f[3], f[4], f[5], f[6] * 10);
    }
};

CTimeStamp Substitute(const DateFields& s) {
    return CTimeStamp(1900 + s[0], s[1], s[2], s[3], s[4], s[5], s[6]);
}

void ReportSubstitutes(const WireTime& received, const DateFields& substitute, int firstText,
                       ProtocolDiagnostics& diagnostics) {
    for (size_t i = 0; i < substitute.size(); ++i)
        diagnostics.Substitution(Msg(
            firstText + int(i), {std::to_string(received.f[i]), std::to_string(substitute[i])}));
}

std::string TimeText(const CTimeStamp& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.millisecond);
    return text;
}

CTimeStamp OneMillisecondAfter(CTimeStamp t) {
    if (t.millisecond < 999) {
        ++t.millisecond;
    } else {
        t.millisecond = 0;
        t.AddSeconds(1);
    }
    return t;
}

}  // namespace

bool DecodeStatisticSegment(std::span<const uint8_t> data, CStatisticSegment& segment,
                            ProtocolDiagnostics& diagnostics) {
    if (data.size() < kStatisticDataSize) return false;
    const ByteReader r(data.first(kStatisticDataSize));
    segment = CStatisticSegment{};
    segment.Status = int16_t(r.U8(0) & kStatusMask);
    const WireTime time(r, 1);
    if (time.IsValid()) {
        segment.DateTime = time.ToTimeStamp();
    } else {
        ReportSubstitutes(time, kStatisticSubstitute, kStatisticDateTexts, diagnostics);
        segment.DateTime = Substitute(kStatisticSubstitute);
    }
    for (size_t i = 0; i < segment.Freq10sec.size(); ++i)
        segment.Freq10sec[i] = r.U32(kFreqOffset + 4 * i);
    segment.NrSignalVoltInterval = r.U32(kSignalCountOffset);
    size_t at = kSignalOffset;
    for (auto& phase : segment.SignalVal)
        for (auto& frequency : phase)
            for (auto& level : frequency) {
                level = r.U16(at);
                at += 2;
            }
    return true;
}

bool DecodeEvent(std::span<const uint8_t> data, CEventRecord& event,
                 ProtocolDiagnostics& diagnostics) {
    if (data.size() < kEventDataSize) return false;
    const ByteReader r(data.first(kEventDataSize));
    event = CEventRecord{};
    event.Status = r.U8(0);
    const int phase = r.U8(1);
    event.Phase = int16_t(phase);
    if (phase < 1 || phase > kLastPhase) {
        diagnostics.Substitution(Msg(566, {std::to_string(phase), std::to_string(kLastPhase)}));
        event.Phase = kLastPhase;
    }
    const WireTime start(r, 2);
    const WireTime end(r, 9);
    if (start.IsValid() && end.IsValid()) {
        event.StartDateTime = start.ToTimeStamp();
        event.EndDateTime = end.ToTimeStamp();
    } else {
        // One bad time makes the other untrustworthy too.
        ReportSubstitutes(start, kEventStartSubstitute, kEventStartTexts, diagnostics);
        ReportSubstitutes(end, kEventEndSubstitute, kEventEndTexts, diagnostics);
        event.StartDateTime = Substitute(kEventStartSubstitute);
        event.EndDateTime = Substitute(kEventEndSubstitute);
    }
    if (event.StartDateTime.Compare(event.EndDateTime) >= 0) {
        diagnostics.Substitution(Str(581));
        diagnostics.Substitution(Msg(582, {TimeText(event.StartDateTime)}));
        diagnostics.Substitution(Msg(583, {TimeText(event.EndDateTime)}));
        event.EndDateTime = OneMillisecondAfter(event.StartDateTime);
    }
    event.Val = r.I16(16);
    if (event.Val < 0) {
        diagnostics.Substitution(
            Msg(584, {std::to_string(event.Val), std::to_string(kMaxEventVal)}));
        event.Val = kMaxEventVal;
    }
    return true;
}

}  // namespace varelo
