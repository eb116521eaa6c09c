#pragma once

#include <string>

namespace varelo {

class CEvaluationResult;
class CLimitValues;
class CMeasurementJob;
class CRawScaling;

// What the summaries read of an evaluated measurement: its job and scaling, the limits with the
// file they came from, and the evaluation result. The document hands it out; tests build it.
struct EvaluatedMeasurement {
    const CMeasurementJob& job;
    const CRawScaling& scaling;
    const CLimitValues& limits;
    const std::string& limitFilePath;
    const CEvaluationResult& evaluation;
};

}  // namespace varelo
