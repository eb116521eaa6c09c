// varelo-cli export: the ASCII exports and the Spanish report of a measurement file. Options
// left out take the stored settings as the desktop program's dialogs would; nothing is stored.
#include <sys/stat.h>

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
#include "document/Vamor800Doc.h"
#include "export/AsciiExport.h"
#include "export/ExportSource.h"
#include "export/SpanishReport.h"
#include "measurement/MeasurementChannel.h"
#include "platform/JsonWriter.h"
#include "timeplot/ChannelSelection.h"

namespace varelo {

namespace {

// What every export command reads before its own options: the file, the output and --force.
struct Common {
    std::string file;
    std::string output;
    bool force = false;
    bool json = false;
};

void ReadCommon(Arguments& args, Common& c) {
    c.json = args.Flag("json");
    c.force = args.Flag("force");
    if (auto output = args.Value("output"))
        c.output = *output;
    else
        args.Fail("name the output file with --output");
}

// After every option was read: what is left is the measurement file.
void ReadFile(Arguments& args, Common& c) {
    auto files = args.Positionals();
    if (files.size() != 1)
        args.Fail("name one measurement file");
    else
        c.file = files[0];
}

// An existing output is replaced only when asked to.
bool MayWrite(const Common& c) {
    struct stat info {};
    if (c.force || ::stat(c.output.c_str(), &info) != 0) return true;
    std::fprintf(stderr, "varelo-cli: %s exists; --force replaces it\n", c.output.c_str());
    return false;
}

int Report(const Common& c, const ExportResult& result) {
    if (!result.written) return kExitFailed;
    if (c.json) {
        JsonWriter j;
        j.BeginObject()
            .Key("file")
            .String(c.output)
            .Key("rows")
            .Int(static_cast<long long>(result.rows))
            .Key("channels")
            .Int(static_cast<long long>(result.channels))
            .EndObject();
        std::printf("%s\n", j.Text().c_str());
    }
    return kExitOk;
}

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
    t.codePage = ExportCodePage(settings);
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

std::optional<CVamor800Doc> Open(CliContext& context, const std::string& file) {
    std::optional<CVamor800Doc> doc;
    doc.emplace(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (!doc->OpenFile(file)) doc.reset();
    return doc;
}

bool Enabled(const CVamor800Doc& doc, int command, const char* what) {
    if (doc.IsCommandEnabled(command)) return true;
    std::fprintf(stderr, "varelo-cli: this measurement has no %s to export\n", what);
    return false;
}

int Intervals(CliContext& context, Arguments& args) {
    Common c;
    ReadCommon(args, c);
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
    ReadFile(args, c);
    if (!args.Problems().empty()) return kExitUsage;
    if (!MayWrite(c)) return kExitFailed;
    auto doc = Open(context, c.file);
    if (!doc) return kExitFailed;
    if (!Enabled(*doc, cmd::kExportIntervals, "intervals")) return kExitFailed;

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
    return Report(c, ExportIntervals(ExportSource::Of(*doc), request, context.Ui()));
}

int Statistics(CliContext& context, Arguments& args) {
    Common c;
    ReadCommon(args, c);
    StatisticExportRequest request;
    request.target = ReadTarget(args, context.AppSettings(), c.output);
    const bool frequency = args.Flag("frequency");
    const bool signalling = args.Flag("signalling");
    // Without a choice both parts are written, as the dialog proposes.
    request.frequency = frequency || !signalling;
    request.signalling = signalling || !frequency;
    ReadFile(args, c);
    if (!args.Problems().empty()) return kExitUsage;
    if (!MayWrite(c)) return kExitFailed;
    auto doc = Open(context, c.file);
    if (!doc) return kExitFailed;
    if (!Enabled(*doc, cmd::kExportStatistics, "statistics")) return kExitFailed;
    return Report(c, ExportStatistics(ExportSource::Of(*doc), request, context.Ui()));
}

int Events(CliContext& context, Arguments& args) {
    Common c;
    ReadCommon(args, c);
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
    ReadFile(args, c);
    if (!args.Problems().empty()) return kExitUsage;
    if (!MayWrite(c)) return kExitFailed;
    auto doc = Open(context, c.file);
    if (!doc) return kExitFailed;
    if (!Enabled(*doc, cmd::kExportEvents, "events")) return kExitFailed;
    request.groups = groups ? *groups : EventGroupsPresent(doc->Data());
    DefaultEventPeriod(doc->Data(), request.start, request.end);
    if (period) std::tie(request.start, request.end) = *period;
    return Report(c, ExportEvents(ExportSource::Of(*doc), request, context.Ui()));
}

int Spanish(CliContext& context, Arguments& args) {
    Common c;
    ReadCommon(args, c);
    ReadFile(args, c);
    if (!args.Problems().empty()) return kExitUsage;
    if (!MayWrite(c)) return kExitFailed;
    auto doc = Open(context, c.file);
    if (!doc) return kExitFailed;
    if (!Enabled(*doc, cmd::kSpanishReport, "intervals for the report")) return kExitFailed;
    return Report(c, ExportSpanishReport(doc->Data(), {c.output}, context.Ui()));
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
