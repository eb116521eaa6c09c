#pragma once

namespace varelo {

class CMeasurementJob;
class ExtremeValueTable;

// The two fixed references of a quantity that scales not taken from the recorded values need,
// both derived from the measurement's job: what the Logger could record with the programmed
// sensors and transformers, and what the quantity should be in a healthy system.
struct ReferenceInputs {
    const CMeasurementJob& job;
    int voltageReference;  // harmonic references of the application options
    int currentReference;
    // Recorded extremes of the evaluation period, for the current harmonics' nominal value;
    // none gives 0 maxima.
    const ExtremeValueTable* extremes = nullptr;
};

// Beginning and end of the measuring range of a channel (or bare quantity identifier). For
// quantities without one, begin and end stay as the caller set them.
void MeasuringRange(const ReferenceInputs& in, int channelId, double& begin, double& end);
// The nominal value of a channel; 0 for quantities without one.
double NominalValue(const ReferenceInputs& in, int channelId);
// 10 below 10; otherwise the smallest multiple of 10 (up to 1000) or of 100 (above) that is not
// below x.
double RoundUp(double x);

}  // namespace varelo
