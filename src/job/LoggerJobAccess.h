#pragma once

#include "job/JobLoggerAccess.h"
#include "logger/LoggerOperations.h"

namespace varelo {

// The job editor's way to the Logger over the Logger operations.
class LoggerJobAccess : public JobLoggerAccess {
public:
    explicit LoggerJobAccess(CLoggerOperations& operations) : operations_(operations) {}

    std::optional<JobLoggerIdentity> Identify(uint32_t function) override;
    std::optional<CMeasurementJob> ReadJob(bool old, const Refusal& refusal,
                                           CLoggerInfo& info) override;

private:
    CLoggerOperations& operations_;
};

}  // namespace varelo
