#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "logger/ProtocolDiagnostics.h"
#include "measurement/LoggerInfo.h"

namespace varelo {

// Lengths of the configuration answers.
inline constexpr size_t kHardwareLength = 131;
inline constexpr size_t kClampLength = 11;
inline constexpr size_t kSoftwareLength = 86;
inline constexpr size_t kStatusLength = 50;
inline constexpr size_t kMaxNumbersLength = 7;

// True when the answer ends with CR LF at the last two positions.
bool EndsWithCrLf(std::span<const uint8_t> answer);

// Hardware paragraph: type, serial number, basic unit, codes, boot program, calibration.
void DecodeHardware(std::span<const uint8_t> answer, CLoggerInfo& info, ProtocolDiagnostics& diag);
// Clamp information of the extended family.
void DecodeClamp(std::span<const uint8_t> answer, CLoggerInfo& info, ProtocolDiagnostics& diag);
// What the clamp type implies for the maximum clamp current.
void ApplyClampTypeRule(CLoggerInfo& info);
// Software paragraph: measurement function and the CPU and DSP programs.
void DecodeSoftware(std::span<const uint8_t> answer, CLoggerInfo& info);

struct MaxNumbers {
    int intervals = 0;
    int events = 0;
    int statistics = 0;
};
// False (text 512 and a data error) when the sum test sum fails.
bool DecodeMaxNumbers(std::span<const uint8_t> answer, MaxNumbers& numbers,
                      ProtocolDiagnostics& diag);

// The count fields of a Status paragraph, and its online state after its check.
struct StatusFields {
    char onlineState = '?';
    JobStatusCounts counts;
};
StatusFields DecodeStatusFields(std::span<const uint8_t> answer, bool extendedFamily, bool multiJob,
                                ProtocolDiagnostics& diag);

// Clock, designation and job-state letter of the Status paragraph of the current job.
void DecodeStatusHeader(std::span<const uint8_t> answer, CLoggerInfo& info,
                        ProtocolDiagnostics& diag);
// True when byte 32 says that an old job is available.
bool StatusHasOldJob(std::span<const uint8_t> answer);

}  // namespace varelo
