#pragma once

#include <optional>
#include <vector>

#include "measurement/TimeStamp.h"

namespace varelo {

class Arguments;

// The curves of a level-time diagram and how it shows them, as the command line gives them.
struct CurveOptions {
    std::vector<int> channels;
    int period = 0;  // 0: not given
    std::optional<CTimeStamp> start;
    int scaling = 0;  // 0: not given
    int limitCurve = -1;
    int limitBand = 0;
    bool energy = false;
};

// Reads --channel ID (repeated, each a known channel), --period N, --start DATE, --scaling 1|2,
// --limit-line ID[:BAND] (one of the channels) and --energy; problems go to the arguments.
CurveOptions ReadCurveOptions(Arguments& args);

}  // namespace varelo
