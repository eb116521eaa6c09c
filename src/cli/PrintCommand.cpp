// varelo-cli print: a result view's printout of a measurement file as a PDF file, drawn by the
// desktop program's own paint routines.
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/AppOptions.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "document/Vamor800Doc.h"
#ifdef VARELO_HAVE_GUI_PRINT
#include "gui/print/PrintToPdf.h"
#endif

namespace varelo {

namespace {

#ifdef VARELO_HAVE_GUI_PRINT

int Print(CliContext& context, Arguments& args) {
    auto output = args.Value("output");
    auto limits = args.Value("limits");
    PrintChoices choices;
    for (const std::string& text : args.Values("channel")) {
        int id = 0;
        if (std::sscanf(text.c_str(), "%d", &id) != 1 || id <= 0)
            args.Fail("--channel takes a channel identifier such as 1011: " + text);
        choices.channels.push_back(id);
    }
    if (auto period = args.Int("period", 1, 26)) choices.period = *period;
    choices.energy = args.Flag("energy");
    if (auto limit = args.Value("limit-line")) {
        int id = 0, band = 0;
        const int n = std::sscanf(limit->c_str(), "%d:%d", &id, &band);
        const auto at = std::find(choices.channels.begin(), choices.channels.end(), id);
        if (n < 1 || at == choices.channels.end() || band < 0 || band > 1)
            args.Fail("--limit-line takes one of the --channel identifiers and a band 0 or 1");
        else
            choices.limitCurve = int(at - choices.channels.begin()), choices.limitBand = band;
    }
    auto words = args.Positionals();
    if (words.size() != 2)
        args.Fail("name a printout and one measurement file");
    else if (!IsPrintoutName(words[0]))
        args.Fail(std::string("the printout is one of ") + PrintoutNames());
    if (!output || output->empty()) args.Fail("--output names the PDF file");
    if (!args.Problems().empty()) return kExitUsage;

    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (limits) doc.SetLimitFileOverride(*limits);
    if (!doc.OpenFile(words[1])) return kExitFailed;
    if (!PrintToPdf(doc, words[0], *output, context.AppSettings(), context.Ui(), choices)) {
        std::fprintf(stderr, "varelo-cli: %s was not written\n", output->c_str());
        return kExitFailed;
    }
    std::printf("%s\n", output->c_str());
    return kExitOk;
}

#else

int Print(CliContext&, Arguments& args) {
    args.Value("output");
    args.Value("limits");
    args.Values("channel");
    args.Value("period");
    args.Value("limit-line");
    args.Flag("energy");
    std::fprintf(stderr,
                 "varelo-cli: printing needs the desktop build (Qt); this build has no GUI\n");
    return kExitFailed;
}

#endif

constexpr Command kCommands[] = {
    {"print",
     "print graphical-summary|table-summary|events|disdip|timeplot|voltage-cumulative|"
     "current-cumulative FILE --output OUT.pdf [--limits FILE.GWD] [--channel ID ...] "
     "[--period N] [--energy] [--limit-line ID[:BAND]]",
     "print a result view of a measurement file into a PDF file", Print},
};

}  // namespace

std::span<const Command> PrintCommands() {
    return kCommands;
}

}  // namespace varelo
