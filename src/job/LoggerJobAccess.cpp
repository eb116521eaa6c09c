#include "job/LoggerJobAccess.h"

namespace varelo {

std::optional<JobLoggerIdentity> LoggerJobAccess::Identify(uint32_t function) {
    std::optional<CLoggerOperations::JobIdentity> identity = operations_.IdentifyForJob(function);
    if (!identity) return std::nullopt;
    return JobLoggerIdentity{identity->info, identity->supportsFunction};
}

std::optional<CMeasurementJob> LoggerJobAccess::ReadJob(bool old, const Refusal& refusal,
                                                        CLoggerInfo& info) {
    CMeasurementJob job;
    if (operations_.ReadJobForEditor(old, refusal, job, info) != OperationResult::Done)
        return std::nullopt;
    return job;
}

}  // namespace varelo
