// varelo-cli export: the ASCII exports and the Spanish report of a measurement file. Options
// left out take the stored settings as the desktop program's dialogs would; nothing is stored.
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/AppOptions.h"
#include "app/CommandTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/ExportSupport.h"
#include "document/Vamor800Doc.h"
#include "export/AsciiExport.h"
#include "export/ExportSource.h"
#include "export/SpanishReport.h"
#include "measurement/MeasurementChannel.h"
#include "timeplot/ChannelSelection.h"

namespace varelo {

namespace {

AsciiExportTarget ReadTarget(Arguments& args, Settings& settings, const std::string& output) {
    AsciiExportTarget t;
    t.localeDecimal = LocaleDecimalSeparator();
    t.format = AsciiFormat::Load(settings, t.localeDecimal);
    if (auto format = args.Int("format", AsciiFormat::kFirstDelimiter, AsciiFormat::kLastDelimiter))
        t.format.delimiter = *format;
    if (auto decimal = args.Value("decimal")) {
        if (*decimal == "point")
            t.format.winDecimal = false;
        else if (*decimal == "regional")
            t.format.winDecimal = true;
        else
            args.Fail("--decimal takes point or regional");
    }
    if (args.Flag("no-header")) t.format.noHeader = true;
    if (args.Flag("quote")) t.format.quote = true;
    if (args.Flag("line-numbers")) t.format.lineNumbers = true;
    if (args.Flag("regional-time")) t.format.regionalTime = true;
    t.path = output;
    t.codePage = ExportCodePage();
    return t;
}

// --from and --to, both or neither; none when neither was given.
using Period = std::optional<std::pair<CTimeStamp, CTimeStamp>>;

Period ReadPeriod(Arguments& args) {
    auto from = args.Value("from");
    auto to = args.Value("to");
    if (!from && !to) return std::nullopt;
    CTimeStamp start, end;
    if (!from || !to || !ParseDate(*from, start) || !ParseDate(*to, end)) {
        args.Fail("--from and --to take dates such as 2026-03-02 or \"2026-03-02 10:00\"");
        return std::nullopt;
    }
    return std::pair{start, end};
}

int Intervals(CliContext& context, Arguments& args) {
    ExportCommon c;
    ReadExportCommon(args, c);
    IntervalExportRequest request;
    request.target = ReadTarget(args, context.AppSettings(), c.output);
    if (args.Flag("status")) request.target.format.status = true;
    const bool all = args.Flag("all-channels");
    std::vector<int> channels;
    for (const std::string& text : args.Values("channel")) {
        int id = 0;
        CMeasurementChannel channel;
        if (std::sscanf(text.c_str(), "%d", &id) != 1 || !channel.SetupChannel(id))
            args.Fail("--channel takes a channel identifier such as 1011: " + text);
        channels.push_back(id);
    }
    if (all && !channels.empty()) args.Fail("--channel and --all-channels exclude each other");
    const Period period = ReadPeriod(args);
    int status = kExitOk;
    auto doc = OpenExportDocument(context, args, c, cmd::kExportIntervals, "intervals", status);
    if (!doc) return status;

    ChannelSelectionSetup setup(doc->Data().job);
    setup.layout = ChannelLayout::kExport;
    setup.availability = doc->Availability();
    setup.labels = AppOptions::Instance().PhaseLabeling();
    setup.functionLetter = doc->MeasurementLetter();
    ChannelSelection selection(setup, context.AppSettings());
    if (all) {
        selection.RemoveAll();
        selection.AddAll();
    }
    for (int id : channels) {
        CMeasurementChannel channel;
        channel.SetupChannel(id);
        if (!channel.IsAvailable(doc->Availability())) {
            std::fprintf(stderr, "varelo-cli: channel %d is not in this measurement\n", id);
            return kExitUsage;
        }
    }
    request.channels = channels.empty() ? selection.Chosen() : channels;
    if (request.channels.size() > size_t(ChannelSelection::kExportMaximum))
        request.channels.resize(size_t(ChannelSelection::kExportMaximum));
    request.start = period ? period->first : doc->Data().job.MeasStartMeasured;
    request.end = period ? period->second : doc->Data().job.MeasStopMeasured;
    return ReportExport(c, ExportIntervals(ExportSource::Of(*doc), request, context.Ui()));
}

int Statistics(CliContext& context, Arguments& args) {
    ExportCommon c;
    ReadExportCommon(args, c);
    StatisticExportRequest request;
    request.target = ReadTarget(args, context.AppSettings(), c.output);
    const bool frequency = args.Flag("frequency");
    const bool signalling = args.Flag("signalling");
    // Without a choice both parts are written, as the dialog proposes.
    request.frequency = frequency || !signalling;
    request.signalling = signalling || !frequency;
    int status = kExitOk;
    auto doc = OpenExportDocument(context, args, c, cmd::kExportStatistics, "statistics", status);
    if (!doc) return status;
    return ReportExport(c, ExportStatistics(ExportSource::Of(*doc), request, context.Ui()));
}

int Events(CliContext& context, Arguments& args) {
    ExportCommon c;
    ReadExportCommon(args, c);
    EventExportRequest request;
    request.target = ReadTarget(args, context.AppSettings(), c.output);
    std::optional<std::array<bool, kEventGroups>> groups;
    if (auto kinds = args.Value("kinds")) {
        groups.emplace();
        std::stringstream list(*kinds);
        for (std::string kind; std::getline(list, kind, ',');) {
            if (kind == "short")
                (*groups)[0] = true;
            else if (kind == "long")
                (*groups)[1] = true;
            else if (kind == "events")
                (*groups)[2] = true;
            else
                args.Fail("--kinds takes short, long and events separated by commas");
        }
    }
    const Period period = ReadPeriod(args);
    int status = kExitOk;
    auto doc = OpenExportDocument(context, args, c, cmd::kExportEvents, "events", status);
    if (!doc) return status;
    request.groups = groups ? *groups : EventGroupsPresent(doc->Data());
    DefaultEventPeriod(doc->Data(), request.start, request.end);
    if (period) std::tie(request.start, request.end) = *period;
    return ReportExport(c, ExportEvents(ExportSource::Of(*doc), request, context.Ui()));
}

int Spanish(CliContext& context, Arguments& args) {
    ExportCommon c;
    ReadExportCommon(args, c);
    int status = kExitOk;
    auto doc = OpenExportDocument(context, args, c, cmd::kSpanishReport, "intervals for the report",
                                  status);
    if (!doc) return status;
    return ReportExport(c, ExportSpanishReport(doc->Data(), {c.output}, context.Ui()));
}

// The options every ASCII export takes.
#define VARELO_FORMAT_OPTIONS                                                             \
    " [--format 1-7] [--decimal point|regional] [--no-header] [--quote] [--line-numbers]" \
    " [--regional-time] [--force] [--json]"

constexpr Command kCommands[] = {
    {"export ascii intervals",
     "export ascii intervals FILE --output OUT.ASC [--channel ID ...|--all-channels] [--from D "
     "--to D] [--status]" VARELO_FORMAT_OPTIONS,
     "the interval data as an ASCII file", Intervals},
    {"export ascii statistics",
     "export ascii statistics FILE --output OUT.ASC [--frequency] "
     "[--signalling]" VARELO_FORMAT_OPTIONS,
     "the statistic data (frequency, mains signalling) as an ASCII file", Statistics},
    {"export ascii events",
     "export ascii events FILE --output OUT.ASC [--kinds short,long,events] [--from D --to "
     "D]" VARELO_FORMAT_OPTIONS,
     "the event data as an ASCII file", Events},
    {"export spanish", "export spanish FILE --output OUT.ASC [--force] [--json]",
     "the interval report in the Spanish layout", Spanish},
};

#undef VARELO_FORMAT_OPTIONS

}  // namespace

std::span<const Command> ExportFileCommands() {
    return kCommands;
}

}  // namespace varelo
