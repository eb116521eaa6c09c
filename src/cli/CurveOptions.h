#pragma once

#include <optional>
#include <string>
#include <vector>

#include "measurement/TimeStamp.h"
#include "timeplot/DiagramState.h"

namespace varelo {

class Arguments;
class CliContext;
class CVamor800Doc;

// The curves of a level-time diagram and how it shows them, as the command line gives them.
struct CurveOptions {
    std::vector<int> channels;
    int period = 0;  // 0: not given
    std::optional<CTimeStamp> start;
    int scaling = 0;  // 0: not given
    int limitCurve = -1;
    int limitBand = 0;
    bool energy = false;
    // An application instead of --channel: "GROUP/APPLICATION", the phase choice (0: after the
    // application's mode) and the definition file (empty: the one in use).
    std::optional<std::string> application;
    int applicationPhase = 0;
    std::string applicationFile;
    // The application's manual Y ranges, one per channel.
    std::vector<YRange> ranges;
};

// Reads --channel ID (repeated, each a known channel), --period N, --start DATE, --scaling 1|2,
// --limit-line ID[:BAND] (one of the channels) and --energy; problems go to the arguments.
// --aoa GROUP/APPLICATION, --phase L1|L2|L3|all|mixed and --aoa-file F.aoa are read too.
CurveOptions ReadCurveOptions(Arguments& args);

// Takes the curves and their ranges from the application named by --aoa, looked up in the
// definition file of the measurement's function; false after saying why on stderr.
bool ResolveApplication(CliContext& context, const CVamor800Doc& doc, CurveOptions& curves);

}  // namespace varelo
