// varelo-cli print: a result view's printout of a measurement file as a PDF file, drawn by the
// desktop program's own paint routines.
#include <cstdio>
#include <string>

#include "app/AppOptions.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/CurveOptions.h"
#include "cli/ExceedingsChannels.h"
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
    CurveOptions curves = ReadCurveOptions(args);
    const bool status = args.Flag("status");
    auto words = args.Positionals();
    if (words.size() == 2 && words[0] == "job-protocol") {
        if (!output || output->empty()) args.Fail("--output names the PDF file");
        if (!args.Problems().empty()) return kExitUsage;
        if (!PrintJobProtocolToPdf(words[1], *output, context.AppSettings(), context.Ui())) {
            std::fprintf(stderr, "varelo-cli: %s holds no readable job, or %s was not written\n",
                         words[1].c_str(), output->c_str());
            return kExitFailed;
        }
        std::printf("%s\n", output->c_str());
        return kExitOk;
    }
    if (words.size() == 2 && words[0] == "measurement-info") {
        if (!output || output->empty()) args.Fail("--output names the PDF file");
        if (!args.Problems().empty()) return kExitUsage;
        if (!PrintMeasurementInfoFileToPdf(words[1], *output, context.AppSettings(), context.Ui()))
            return kExitFailed;
        std::printf("%s\n", output->c_str());
        return kExitOk;
    }
    if (words.size() != 2)
        args.Fail("name a printout and one measurement file");
    else if (!IsPrintoutName(words[0]))
        args.Fail(std::string("the printout is one of ") + PrintoutNames());
    const std::string printout = words.empty() ? std::string() : words[0];
    if (curves.application && printout != "timeplot")
        args.Fail("--aoa chooses the curves of the timeplot printout");
    if (printout == "exceedings" && curves.channels.empty())
        args.Fail("the exceedings printout needs its channels: --channel ID ...");
    if (printout == "value-list" && curves.period > 12)
        args.Fail("--period of the value list is 1 to 12");
    if (!output || output->empty()) args.Fail("--output names the PDF file");
    if (!args.Problems().empty()) return kExitUsage;

    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (limits) doc.SetLimitFileOverride(*limits);
    if (!doc.OpenFile(words[1])) return kExitFailed;
    if (curves.application && !ResolveApplication(context, doc, curves)) return kExitFailed;
    const PrintChoices choices{curves.channels,
                               curves.period,
                               curves.energy,
                               curves.limitCurve,
                               curves.limitBand,
                               status,
                               curves.start.value_or(CTimeStamp()),
                               curves.ranges};
    if (printout == "exceedings" && !ExceedingsChannelsOffered(doc, choices.channels))
        return kExitUsage;
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
    args.Flag("status");
    args.Value("start");
    args.Value("aoa");
    args.Value("phase");
    args.Value("aoa-file");
    std::fprintf(stderr,
                 "varelo-cli: printing needs the desktop build (Qt); this build has no GUI\n");
    return kExitFailed;
}

#endif

constexpr Command kCommands[] = {
    {"print",
     "print job-protocol|measurement-info|graphical-summary|table-summary|events|disdip|timeplot|"
     "voltage-cumulative|current-cumulative|statistical-values|most-critical|exceedings|value-list "
     "FILE --output "
     "OUT.pdf [--limits FILE.GWD] [--channel ID ...] [--period N] [--energy] "
     "[--limit-line ID[:BAND]] [--status] [--start DATE] "
     "[--aoa GROUP/APP [--phase L1|L2|L3|all|mixed] [--aoa-file F.aoa]]",
     "print a result view of a measurement file, or the job protocol of a job or measurement "
     "file, or the information about a measurement file, into a PDF file",
     Print},
};

}  // namespace

std::span<const Command> PrintCommands() {
    return kCommands;
}

}  // namespace varelo
