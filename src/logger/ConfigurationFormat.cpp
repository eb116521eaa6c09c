#include "logger/ConfigurationFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string_view>

#include "app/StringTable.h"
#include "logger/ByteReader.h"
#include "logger/JobWireFormat.h"
#include "logger/TestSum.h"
#include "platform/CodePage.h"

namespace varelo {

namespace {

std::string TwoChars(const ByteReader& r, size_t offset) {
    return std::string{char(r.U8(offset)), char(r.U8(offset + 1))};
}

// A two-digit code within [0, high]; an invalid one becomes 1.
int16_t HardwareCode(const ByteReader& r, size_t offset, int high, int textId,
                     ProtocolDiagnostics& diag) {
    int value = r.TwoDigits(offset);
    if (value >= 0 && value <= high) return int16_t(value);
    diag.Substitution(Msg(textId, {TwoChars(r, offset), "1"}));
    return 1;
}

// A memory state 0..2 of the Status paragraph; other values become 0.
int16_t MemoryState(uint8_t value, int textId, ProtocolDiagnostics& diag) {
    if (value <= 2) return value;
    diag.Substitution(Msg(textId, {std::to_string(value), "0"}));
    return 0;
}

// A signed count; negative values become 0.
int16_t NonNegative(int16_t value, int textId, ProtocolDiagnostics& diag) {
    if (value >= 0) return value;
    diag.Substitution(Msg(textId, {std::to_string(value), "0"}));
    return 0;
}

// The Logger's texts are 8-bit characters; everything past the wire is UTF-8.
std::string WireText(const ByteReader& r, size_t offset, size_t width) {
    return CodePageToUtf8(r.Text(offset, width), kDefaultWireCodePage);
}

}  // namespace

bool EndsWithCrLf(std::span<const uint8_t> answer) {
    return answer.size() >= 2 && answer[answer.size() - 2] == 0x0D && answer.back() == 0x0A;
}

void DecodeHardware(std::span<const uint8_t> answer, CLoggerInfo& info, ProtocolDiagnostics& diag) {
    ByteReader r(answer);
    info.HardwType = WireText(r, 0, 30);
    info.SerialNr = WireText(r, 30, 20);
    info.HardwBasicUnit = WireText(r, 52, 20);
    info.HardwSupplyVoltage = HardwareCode(r, 72, 2, 384, diag);
    info.HardwNomFreq = HardwareCode(r, 74, 2, 385, diag);
    info.HardwVoltRange = HardwareCode(r, 76, 99, 386, diag);
    info.HardwCurrRange = HardwareCode(r, 78, 99, 387, diag);
    info.VersionBoot = WireText(r, 82, 5);
    info.FuncBoot = WireText(r, 87, 20);
    info.Calibration = WireText(r, 109, 20);
}

void DecodeClamp(std::span<const uint8_t> answer, CLoggerInfo& info, ProtocolDiagnostics& diag) {
    ByteReader r(answer);
    uint8_t id = r.U8(0);
    if (id > 10) {
        diag.Substitution(Msg(743, {std::to_string(id), "0"}));
        id = 0;
    }
    info.ClampId = id;
    if (id == 0) return;
    // The clamp's maximum current is a single-precision number, least significant byte first.
    uint32_t bits = uint32_t(r.U8(1)) | uint32_t(r.U8(2)) << 8 | uint32_t(r.U8(3)) << 16 |
                    uint32_t(r.U8(4)) << 24;
    float current = std::bit_cast<float>(bits);
    double whole = std::isfinite(current) ? std::trunc(double(current)) : 0.0;
    uint16_t maximum = whole >= 0 && whole <= 65535 ? uint16_t(whole) : 0;
    if (maximum == 0) {
        diag.Substitution(Msg(744, {std::to_string(maximum), "1500"}));
        maximum = 1500;
    }
    info.MaxClampCurr = maximum;
    // Only the bytes the answer holds: a short one leaves the rest of the serial number zero
    // (and an empty one nothing to copy from).
    info.ClampSerNr = {};
    std::ranges::copy(r.Bytes(5, info.ClampSerNr.size()), info.ClampSerNr.begin());
}

void ApplyClampTypeRule(CLoggerInfo& info) {
    switch (info.ClampId) {
        case 1:
        case 2: info.MaxClampCurr = 3000; break;
        case 5:
        case 6: break;
        default:
            if (info.MaxClampCurr == 0) info.MaxClampCurr = 3000;
            break;
    }
}

void DecodeSoftware(std::span<const uint8_t> answer, CLoggerInfo& info) {
    ByteReader r(answer);
    info.MeasFunc = WireText(r, 0, 30);
    info.VersionCPU = WireText(r, 32, 5);
    info.FuncCPU = WireText(r, 37, 20);
    info.VersionDSP = WireText(r, 59, 5);
    info.FuncDSP = WireText(r, 64, 20);
}

bool DecodeMaxNumbers(std::span<const uint8_t> answer, MaxNumbers& numbers,
                      ProtocolDiagnostics& diag) {
    ByteReader r(answer);
    uint8_t computed = SumTestSum(r.Bytes(0, 6));
    if (answer.size() < kMaxNumbersLength || r.U8(6) != computed) {
        diag.DataError(Msg(512, {std::to_string(r.U8(6)), std::to_string(computed)}));
        return false;
    }
    auto positive = [&](size_t offset, int textId) {
        int16_t value = r.I16(offset);
        if (value > 0) return int(value);
        diag.Substitution(Msg(textId, {std::to_string(value), "0"}));
        return 0;
    };
    numbers.intervals = positive(0, 749);
    numbers.events = positive(2, 748);
    numbers.statistics = positive(4, 750);
    return true;
}

StatusFields DecodeStatusFields(std::span<const uint8_t> answer, bool extendedFamily, bool multiJob,
                                ProtocolDiagnostics& diag) {
    ByteReader r(answer);
    StatusFields f;
    char online = char(r.U8(33));
    if (std::string_view("0KUV").find(online) != std::string_view::npos && online != '\0') {
        f.onlineState = online;
    } else {
        diag.DataError(Msg(402, {std::string(1, online), "?"}));
    }
    JobStatusCounts& c = f.counts;
    c.intervalMemoryState = MemoryState(r.U8(34), 403, diag);
    c.intervalCount = extendedFamily ? int32_t(r.U24(36)) : NonNegative(r.I16(37), 404, diag);
    c.statisticsMemoryState = MemoryState(r.U8(39), 405, diag);
    c.statisticCount = NonNegative(r.I16(40), 406, diag);
    c.eventMemoryState = MemoryState(r.U8(42), 407, diag);
    c.completeEvents = NonNegative(r.I16(45), 408, diag);
    uint8_t open = r.U8(47);
    if (open <= 3) {
        c.incompleteEvents = open;
    } else {
        std::string text = Msg(409, {std::to_string(open), "0"});
        if (multiJob)
            diag.DataError(std::move(text));
        else
            diag.Note(std::move(text));
        c.incompleteEvents = 0;
    }
    return f;
}

void DecodeStatusHeader(std::span<const uint8_t> answer, CLoggerInfo& info,
                        ProtocolDiagnostics& diag) {
    ByteReader r(answer);
    int fields[6];
    bool digits = true;
    for (int i = 0; i < 6; ++i) {
        fields[i] = r.TwoDigits(size_t(i) * 2);
        digits = digits && fields[i] >= 0;
    }
    CTimeStamp clock;
    if (digits) {
        clock.year = int16_t(fields[0] < 82 ? 2000 + fields[0] : 1900 + fields[0]);
        clock.month = int16_t(fields[1]);
        clock.day = int16_t(fields[2]);
        clock.hour = int16_t(fields[3]);
        clock.minute = int16_t(fields[4]);
        clock.second = int16_t(fields[5]);
    }
    if (digits && clock.IsValidDateTime()) {
        info.InstrTime =
            CTimeStamp(clock.year, clock.month, clock.day, clock.hour, clock.minute, clock.second);
    } else {
        static constexpr int kSubstitutes[6] = {97, 12, 1, 23, 58, 59};
        for (int i = 0; i < 6; ++i) {
            diag.Substitution(
                Msg(394 + i, {TwoChars(r, size_t(i) * 2), std::to_string(kSubstitutes[i])}));
        }
        info.InstrTime = CTimeStamp(1997, 12, 1, 23, 58, 59);
    }
    info.FirmwDescription = WireText(r, 12, 20);

    char letter = 'K';
    switch (r.U8(35)) {
        case 'A': letter = 'A'; break;
        case 'a': letter = 'S'; break;
        case 'f': letter = 'F'; break;
        case 'v': letter = 'V'; break;
        case 'k': letter = 'K'; break;
        default: diag.DataError(Msg(375, {std::string(1, char(r.U8(35))), "K"})); break;
    }
    switch (r.U8(32)) {
        case 'A':
        case 'F':
        case 'K':
        case 'V': break;
        case 'X': letter = char(letter - 'A' + 'a'); break;
        default:
            diag.DataError(Msg(401, {std::string(1, char(r.U8(32))), "?"}));
            letter = '?';
            break;
    }
    info.OperatingState = letter;
}

bool StatusHasOldJob(std::span<const uint8_t> answer) {
    return ByteReader(answer).U8(32) == 'X';
}

}  // namespace varelo
