#pragma once

#include <functional>
#include <string>
#include <vector>

#include "evaluation/PhasePresence.h"
#include "measurement/QuantityCatalogue.h"
#include "measurement/TimeStamp.h"

namespace varelo {

class CIntervalList;
class CLimitValues;
class CMeasurementJob;
class Settings;

enum class CumulativeView { kVoltage, kCurrent };

// The stored choices of a cumulative frequency view; invalid stored values read as defaults.
struct CumulativeSettings {
    int scaleMode = 1;  // 0: bars relative to the limit values, 1: to the nominal values
    int upperClassLimit = 95;
    int lowerClassLimit = 5;
    bool newPageForPhase = false;

    static CumulativeSettings Read(Settings& settings, CumulativeView view);
    void WriteScaleMode(Settings& settings, CumulativeView view) const;
    void WriteClassLimits(Settings& settings) const;
    void WriteNewPageForPhase(Settings& settings) const;
};

// One channel of the view: its references in the channel's unit (0 = none) and what the
// intervals of the evaluation period give.
struct CumulativeChannel {
    int channelId = 0;
    double limit = 0;
    double nominal = 0;
    bool hasValues = false;
    double minimum = 0;
    CTimeStamp minimumTime;
    double maximum = 0;
    CTimeStamp maximumTime;
    double lower = 0;  // the class values
    double upper = 0;

    double Reference(int scaleMode) const { return scaleMode == 0 ? limit : nominal; }
};

// What the view reads of the document: the intervals of the evaluation period, the job, the
// limits, what the measurement offers and the nominal value of a channel.
struct CumulativeInput {
    const CIntervalList& intervals;
    const CMeasurementJob& job;
    const CLimitValues& limits;
    PhasePresence presence;
    AvailabilityContext availability;
    QuantitySettings settings;
    PltProvider plt;
    std::function<double(int channelId)> nominalValue;
};

// The channels of a view, per present phase in their order: harmonic orders, interharmonic
// channels, THD, then the voltage parameters (L1-L3) or the current parameters (and the
// neutral's), only those the measurement offers.
std::vector<int> CumulativeChannelIds(CumulativeView view, const CumulativeInput& in);
std::vector<CumulativeChannel> ComputeCumulativeFrequency(CumulativeView view,
                                                          const CumulativeInput& in,
                                                          int lowerClassLimit, int upperClassLimit);
// The caption of a channel's row: harmonic orders as relative average values, interharmonic
// channels by the job's text, the parameters by their own names.
std::string CumulativeCaption(int channelId, const CMeasurementJob& job);

// The values at the ranks of the two class limits (in %) among the values sorted ascending;
// the values are reordered.
void ClassValues(std::vector<double>& values, int lowerClassLimit, int upperClassLimit,
                 double& lower, double& upper);

}  // namespace varelo
