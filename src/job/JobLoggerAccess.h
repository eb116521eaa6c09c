#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

// What the job editor learns of a connected Logger.
struct JobLoggerIdentity {
    CLoggerInfo info;
    bool supportsFunction = false;  // whether its firmware package runs function A
};

// How the job editor reaches the Logger; the front ends supply it over the Logger operations,
// tests with plain records.
class JobLoggerAccess {
public:
    virtual ~JobLoggerAccess() = default;
    // Identifies the Logger for a job of the function; none when no Logger answered (message
    // 322 has been shown).
    virtual std::optional<JobLoggerIdentity> Identify(uint32_t function) = 0;
    // Reads the current (or old) job. refusal decides, from the Logger's identity, the message
    // that forbids the read (0: read). Read: the job and the identity; refused or failed: none.
    using Refusal = std::function<int(const CLoggerInfo&)>;
    virtual std::optional<CMeasurementJob> ReadJob(bool old, const Refusal& refusal,
                                                   CLoggerInfo& info) = 0;
};

}  // namespace varelo
