#pragma once

#include <string>

#include "app/AppOptions.h"
#include "measurement/QuantityCatalogue.h"

namespace varelo {

class CIntervalRecord;
class CRawScaling;
class CMeasurementJob;

// One measured quantity of one phase as views, exports and the evaluation address it:
// channel identifier = (phase index + 1) x 1000 + quantity identifier. A quantity that exists
// once per measurement is also named by its bare identifier.
class CMeasurementChannel {
public:
    enum Kind {
        kPlain = 0,
        kVoltageHarmonic = 1,
        kCurrentHarmonic = 2,
        kVoltageThd = 3,
        kCurrentThd = 4,
    };

    // Derives phase, quantity, harmonic index, kind and value function; false, leaving the
    // channel as it was, when no quantity answers the identifier or its phase.
    bool SetupChannel(int channelId);

    // The physical value in one interval, under the current application options or the given
    // settings. A channel that was never set up answers 0.
    double ChannelValue(const CIntervalRecord& record, const CRawScaling& scaling) const;
    double ChannelValue(const CIntervalRecord& record, const CRawScaling& scaling,
                        const QuantitySettings& settings) const;
    // Quantity name and phase label, e.g. "V max L1", "V h5 L1L2", "V 175.0 Hz A".
    std::string ChannelName(const CMeasurementJob& job) const;
    std::string ChannelName(const CMeasurementJob& job, PhaseLabels labels) const;
    // The quantity's name without the phase label, e.g. "V max", "V h5", "V 175.0 Hz".
    std::string QuantityName(const CMeasurementJob& job) const;
    // Whether the document offers this channel: its quantity and its phase.
    bool IsAvailable(const AvailabilityContext& context) const;

    int ChannelId() const { return channelId_; }
    int PhaseIndex() const { return phase_; }
    int QuantityId() const { return quantity_; }
    int HarmonicIndex() const { return harmonic_; }
    Kind ChannelKind() const { return kind_; }

    // Harmonics in the reference of the application options (true) or in percent of the
    // nominal voltage, respectively in amperes (false).
    bool relative = true;
    // Powers in W and energies in Wh rather than kW and kWh.
    bool watts = false;
    // Interval length of a derived file, in seconds; 0 takes the job's interval.
    int fixedIntervalSeconds = 0;
    // Source of the long-term flicker values; without one they are 0.
    PltProvider plt;

private:
    int LabelSet(const CMeasurementJob& job) const;

    int channelId_ = 0;
    int phase_ = 0;
    int quantity_ = 0;
    int harmonic_ = -1;
    Kind kind_ = kPlain;
    bool bare_ = false;
    bool single_ = false;
    QuantityValueFn value_ = nullptr;
};

// Channel identifier of a quantity on a phase index (0-2, 3 = N).
constexpr int ChannelIdOf(int phaseIndex, int quantityId) {
    return (phaseIndex + 1) * 1000 + quantityId;
}

// Label of a phase index 0-3 in label set 1 (phases), 2 (between phases) or 3 (powers of a
// two-element system); empty for set 0.
std::string PhaseLabel(int labelSet, int phaseIndex, PhaseLabels labels);

}  // namespace varelo
