#pragma once

#include <cstdint>
#include <vector>

#include "timeplot/DiagramState.h"

namespace varelo {

class CurveData;

struct PathPoint {
    double x = 0;
    double y = 0;
    bool operator==(const PathPoint&) const = default;
};
using Polyline = std::vector<PathPoint>;

// Where a window of time and a Y range land on the device: the diagram rectangle in device
// coordinates and the window in seconds from the curve data's origin.
struct DiagramGeometry {
    double left = 0, top = 0, width = 0, height = 0;
    int64_t windowStart = 0;
    int64_t windowEnd = 0;

    double X(double seconds) const;
    double Bottom() const { return top + height; }
};

// The step line of one curve in the window, one polyline per run of records without a gap.
// Coordinates are whole device pixels. With decimate on, records that share a pixel column
// become the column's entry, smallest, largest and exit value, so a year draws in as many
// points as the diagram has columns and covers the same pixels as the full line.
std::vector<Polyline> CurvePath(const CurveData& data, int curve, const YRange& range,
                                const DiagramGeometry& geometry, bool decimate);

// The pixel columns of the records that follow a gap in the window: where a "*" goes.
std::vector<double> GapMarks(const CurveData& data, const DiagramGeometry& geometry);

// The parts of a curve above its limit (and below the lower limit, when there is one), each as
// the polygon between the value and the limit; one band per column where records crowd.
std::vector<Polyline> LimitFill(const CurveData& data, int curve, const YRange& range,
                                const DiagramGeometry& geometry, double upper, bool hasLower,
                                double lower);

// The energy of a power curve in the window: value x seconds inside the window, negative and
// positive values summed apart, divided by 3600 (kW gives kWh).
void WindowEnergy(const CurveData& data, int curve, int64_t windowStart, int64_t windowEnd,
                  double& negative, double& positive);

}  // namespace varelo
