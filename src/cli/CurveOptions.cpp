#include "cli/CurveOptions.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "document/AoaChannelSelection.h"
#include "document/Vamor800Doc.h"
#include "measurement/MeasurementChannel.h"
#include "platform/Paths.h"

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
    c.application = args.Value("aoa");
    if (c.application && c.application->find('/') == std::string::npos)
        args.Fail("--aoa takes GROUP/APPLICATION");
    if (c.application && !c.channels.empty()) args.Fail("--aoa and --channel exclude each other");
    if (auto phase = args.Value("phase")) {
        constexpr std::pair<const char*, int> kPhases[] = {
            {"L1", 1}, {"L2", 2}, {"L3", 3}, {"all", kAoaPhaseAll}, {"mixed", kAoaPhaseMixed}};
        for (const auto& [name, choice] : kPhases) {
            if (*phase == name) c.applicationPhase = choice;
        }
        if (c.applicationPhase == 0) args.Fail("--phase takes L1, L2, L3, all or mixed");
    }
    if (auto file = args.Value("aoa-file")) c.applicationFile = *file;
    if (!c.application && (c.applicationPhase != 0 || !c.applicationFile.empty()))
        args.Fail("--phase and --aoa-file go with --aoa");
    return c;
}

bool ResolveApplication(CliContext& context, const CVamor800Doc& doc, CurveOptions& curves) {
    const std::string& name = *curves.application;
    std::string path = curves.applicationFile;
    if (path.empty()) {
        path = AoaDefinitionInUse(context.AppSettings(), DataFolder());
        if (path.empty()) {
            context.Ui().ShowMessage(198, Str(198), MessageIcon::Warning);
            return false;
        }
    } else if (!FileIsReadable(path)) {
        std::fprintf(stderr, "varelo-cli: cannot open %s\n", path.c_str());
        return false;
    }
    AoaChannelSelection selection(doc, AppOptions::Instance().PhaseLabeling());
    selection.Load(path, context.Ui(), {});
    // A group's name may hold a slash of its own: every split is tried.
    for (size_t at = name.find('/'); at != std::string::npos; at = name.find('/', at + 1)) {
        if (!selection.SelectByName(name.substr(0, at), name.substr(at + 1),
                                    curves.applicationPhase))
            continue;
        const AoaSelectionResult result = selection.Accept();
        if (result.channels.empty()) {
            std::fprintf(stderr,
                         "varelo-cli: application %s gives no channel of this measurement\n",
                         name.c_str());
            return false;
        }
        curves.channels = result.channels;
        curves.ranges = result.ranges;
        return true;
    }
    std::fprintf(
        stderr, "varelo-cli: %s names no application of %s for this measurement's function%s\n",
        name.c_str(), path.c_str(), curves.applicationPhase != 0 ? " that fits --phase" : "");
    return false;
}

}  // namespace varelo
