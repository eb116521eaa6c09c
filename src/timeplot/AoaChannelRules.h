#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "measurement/QuantityCatalogue.h"
#include "timeplot/AoaDefinition/AOAAppGroup.h"
#include "timeplot/DiagramState.h"

namespace varelo {

class CMeasurementJob;

// The phase choice of the application-oriented channel selection: one phase 1..3, all three,
// or the phase each channel carries.
inline constexpr int kAoaPhaseAll = 4;
inline constexpr int kAoaPhaseMixed = 5;

// Whether an application of this phase mode is offered under a phase choice: one phase takes
// "One", all phases "All", mixed phases "Mixed".
bool AoaModeFits(uint8_t phaseMode, int phaseChoice);
// Indexes of the group's applications offered under a phase choice, in list order.
std::vector<int> AoaApplicationsFor(const CAOAAppGroup& group, int phaseChoice);

// The job's interharmonic channel that an interharmonic of the definition (quantity 400)
// stands for, as its quantity 401..405; 0 when the job has no such channel.
int AoaInterharmonicQuantity(const CAOAChannelInfo& channel, const CMeasurementJob& job);

// One curve of an application: its channel identifier and the definition it came from.
struct AoaCurve {
    int channelId = 0;
    CAOAChannelInfo info;
    bool operator==(const AoaCurve&) const = default;
};

// The curves an application gives under a phase choice, in the application's order: channels
// the measurement does not offer are left out, single quantities stand bare, a channel is
// never listed twice, and there are at most nine.
std::vector<AoaCurve> AoaCurves(const CAOAApplication& application, int phaseChoice,
                                const CMeasurementJob& job,
                                const AvailabilityContext& availability);

// What a curve's Y range is taken from: the channel's smallest and largest value over the
// evaluation period (false when it has none), its nominal value and its measuring range.
struct AoaRangeSources {
    std::function<bool(int channelId, double& minimum, double& maximum)> extremes;
    std::function<double(int channelId)> nominal;
    std::function<void(int channelId, double& begin, double& end)> measuringRange;
};

// The Y range of a curve by its definition's scaling types, as the diagram keeps it:
// range-limited quantities folded, bottom below top.
YRange AoaRange(const AoaCurve& curve, const AoaRangeSources& sources);

}  // namespace varelo
