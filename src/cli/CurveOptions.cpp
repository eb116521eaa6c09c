#include "cli/CurveOptions.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/Arguments.h"
#include "measurement/MeasurementChannel.h"

namespace varelo {

CurveOptions ReadCurveOptions(Arguments& args) {
    CurveOptions c;
    for (const std::string& text : args.Values("channel")) {
        CMeasurementChannel channel;
        int id = 0;
        if (std::sscanf(text.c_str(), "%d", &id) != 1 || !channel.SetupChannel(id))
            args.Fail("--channel takes a channel identifier such as 1011: " + text);
        c.channels.push_back(id);
    }
    if (auto period = args.Int("period", 1, 26)) c.period = *period;
    if (auto scaling = args.Int("scaling", 1, 2)) c.scaling = *scaling;
    if (auto start = args.Value("start")) {
        CTimeStamp t;
        if (!ParseDate(*start, t)) args.Fail("--start takes a date YYYY-MM-DD [HH:MM[:SS]]");
        c.start = t;
    }
    if (auto limit = args.Value("limit-line")) {
        int id = 0, band = 0;
        const int n = std::sscanf(limit->c_str(), "%d:%d", &id, &band);
        const auto at = std::find(c.channels.begin(), c.channels.end(), id);
        if (n < 1 || at == c.channels.end() || band < 0 || band > 1) {
            args.Fail("--limit-line takes one of the --channel identifiers and a band 0 or 1");
        } else {
            c.limitCurve = int(at - c.channels.begin());
            c.limitBand = band;
        }
    }
    c.energy = args.Flag("energy");
    return c;
}

}  // namespace varelo
