// The configuration read-outs of the Logger protocol: Hardware, clamp, Software, Max Numbers
// and Status, and the identification that runs them when a connection is made.
#include <charconv>
#include <string_view>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "logger/ConfigurationFormat.h"
#include "logger/LoggerProtocol.h"

namespace varelo {

namespace {

// CPU programs after this version understand job selection and "Read Max Numbers".
constexpr double kLastSingleJobVersion = 1.075;

// The CPU version as a decimal number, "." as the decimal point whatever the locale.
double CpuVersionNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

bool CLoggerProtocol::ReadParagraph(uint8_t command, std::span<uint8_t> answer,
                                    int notTransmittedId, int shortId, int badEndId) {
    if (!SendCommand(command, notTransmittedId)) return false;
    if (!ReceiveAnswer(answer.data(), answer.size(), shortId)) return false;
    if (EndsWithCrLf(answer)) return true;
    diagnostics_.DataError(Str(badEndId));
    return false;
}

bool CLoggerProtocol::ReadHardware(CLoggerInfo& info) {
    uint8_t answer[kHardwareLength];
    if (!ReadParagraph('y', answer, 381, 382, 383)) return false;
    DecodeHardware(answer, info, diagnostics_);
    if (!info.HardwType.starts_with("40")) return true;
    extendedFamily_ = true;
    return ReadClamp(info);
}

bool CLoggerProtocol::ReadClamp(CLoggerInfo& info) {
    if (!SendCommand('b', 739)) return false;
    uint8_t answer[kClampLength];
    // Older firmware does not know the command: no message box, the Logger is brought back
    // with ESC and the clamp fields stay as they are.
    if (Receive(answer, sizeof answer, 0, kQuietLastAttempt) == int(sizeof answer)) {
        DecodeClamp(answer, info, diagnostics_);
    } else {
        diagnostics_.DataError(
            Msg(742, {std::to_string(LastReceivedCount()), std::to_string(kClampLength)}));
        uint8_t state = 0;
        if (SendByte(cmd::kWakeUp, 0) < 0 || Receive(&state, 1, 0, kQuietLastAttempt) < 0) {
            diagnostics_.DataError(Str(745));
            return false;
        }
    }
    ApplyClampTypeRule(info);
    return true;
}

bool CLoggerProtocol::ReadSoftware(CLoggerInfo& info) {
    uint8_t answer[kSoftwareLength];
    if (!ReadParagraph('k', answer, 388, 389, 390)) return false;
    DecodeSoftware(answer, info);
    return true;
}

bool CLoggerProtocol::ReadMaxNumbers(MaxNumbers& numbers) {
    if (selectedJob_ != 0 && !SelectJob(0)) return false;
    if (!SendCommand('n', 510)) return false;
    uint8_t answer[kMaxNumbersLength];
    if (!ReceiveAnswer(answer, sizeof answer, 511, 0, kSingleAttempt)) return false;
    return DecodeMaxNumbers(answer, numbers, diagnostics_);
}

bool CLoggerProtocol::ReadStatusFields(std::span<const uint8_t> paragraph, StatusFields& fields) {
    uint8_t answer[kStatusLength];
    if (paragraph.empty()) {
        if (!ReadParagraph('s', answer, 391, 392, 393)) return false;
        paragraph = answer;
    }
    fields = DecodeStatusFields(paragraph, extendedFamily_, multiJob_, diagnostics_);
    return true;
}

bool CLoggerProtocol::ReadStatus(CLoggerInfo& info, unsigned flags) {
    if (selectedJob_ != 0 && !SelectJob(0)) return false;
    uint8_t paragraph[kStatusLength];
    if (!ReadParagraph('s', paragraph, 391, 392, 393)) return false;
    DecodeStatusHeader(paragraph, info, diagnostics_);
    StatusFields fields;
    ReadStatusFields(paragraph, fields);
    info.OnlineState = fields.onlineState;

    uint32_t loggerFunction = info.MeasurementFunction();
    uint32_t jobFunction = loggerFunction;
    if (loggerFunction == kMeasFuncA && info.OperatingState != 'K' && (flags & kJobFunctionFromJob)) {
        jobFunction = ReadJobFunction();
        if (jobFunction == 0) return false;
    }
    info.jobFunction[0] = jobFunction;
    info.currentJob = fields.counts;
    if (loggerFunction == kMeasFuncP) {
        // A function P Logger keeps no statistics.
        auto clear = [&](auto& value, int textId) {
            if (value == 0) return;
            std::string text = Msg(textId, {std::to_string(value), "0"});
            if (multiJob_) diagnostics_.DataError(std::move(text));
            else diagnostics_.Note(std::move(text));
            value = 0;
        };
        clear(info.currentJob.statisticsMemoryState, 405);
        clear(info.currentJob.statisticCount, 406);
    }
    if (!StatusHasOldJob(paragraph)) {
        info.jobFunction[1] = 0;
        return true;
    }
    return ReadOldJobStatus(info, flags);
}

bool CLoggerProtocol::ReadOldJobStatus(CLoggerInfo& info, unsigned flags) {
    if (!EnsureJob(1)) return false;
    StatusFields fields;
    if (!ReadStatusFields({}, fields)) return false;
    uint32_t function = info.MeasurementFunction();
    if (function == kMeasFuncA && (flags & kJobFunctionFromJob)) {
        function = ReadJobFunction();
        if (function == 0) return false;
    }
    info.jobFunction[1] = function;
    info.oldJob = fields.counts;
    return EnsureJob(0);
}

bool CLoggerProtocol::Identify(CLoggerInfo& info, unsigned flags) {
    if (!ReadHardware(info)) return false;
    settings_.Write(setting::LastUsedBoxType, DeviceDesignation(info));
    if (!ReadSoftware(info)) return false;
    multiJob_ = CpuVersionNumber(info.VersionCPU) > kLastSingleJobVersion ||
                info.MeasFunc.starts_with("A");
    if (multiJob_) {
        MaxNumbers numbers;
        if (!ReadMaxNumbers(numbers)) return false;
        info.intervalCapacity = numbers.intervals + (info.MeasFunc.starts_with("A") ? 2 : 0);
    }
    return ReadStatus(info, flags);
}

}  // namespace varelo
