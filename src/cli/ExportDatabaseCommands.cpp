// varelo-cli export database|vse: the SQLite database and the VSE file of a measurement file.
// Options left out take the stored settings as the desktop program's dialogs would; nothing is
// stored.
#include <cstdio>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "app/CommandTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/ExportSupport.h"
#include "export/AccessExport.h"
#include "export/AccessNames.h"
#include "export/ExportSource.h"
#include "export/VseExport.h"
#include "measurement/MeasurementChannel.h"
#include "platform/JsonWriter.h"
#include "timeplot/ChannelSelection.h"
#ifdef VARELO_HAVE_GUI_PRINT
#include "gui/print/PrintToPdf.h"
#endif

namespace varelo {

namespace {

// Without the header dialog a text column the configuration leaves open takes the job's title
// when that is a valid name, else its key.
void NameOpenHeaderColumns(HeaderTableConfiguration& header) {
    for (int i = 0; i < HeaderTableConfiguration::kTexts; ++i) {
        std::string& name = header.columns[size_t(i)];
        if (!header.fixedText[size_t(i)] && !IsValidAccessName(name))
            name = kHeaderColumnKeys[size_t(i)];
    }
}

void TablesJson(JsonWriter& j, const AccessExportPlan& plan) {
    j.Key("tables").BeginArray();
    for (const AccessTableSpec& table : plan.configuration.tables) {
        j.BeginObject().Key("name").String(table.name).Key("columns").BeginArray();
        for (const AccessColumnSpec& column : table.columns)
            j.String(column.name);
        j.EndArray().EndObject();
    }
    if (plan.withHeader) j.BeginObject().Key("name").String(plan.header.name).EndObject();
    j.EndArray();
}

int Database(CliContext& context, Arguments& args) {
    ExportCommon c;
    ReadExportCommon(args, c);
    auto config = args.Value("config");
    const bool header = args.Flag("header-table");
    int status = kExitOk;
    auto doc = OpenExportDocument(context, args, c, cmd::kExportDatabase, "intervals", status);
    if (!doc) return status;
    const std::string configFile =
        config ? *config : InitialAccessConfigFile(context.AppSettings(), doc->MeasurementLetter());
    if (configFile.empty()) {
        std::fprintf(stderr, "varelo-cli: name the configuration file with --config\n");
        return kExitUsage;
    }
    AccessExportPlan plan;
    if (!PrepareAccessExport(*doc, configFile, header, context.Ui(), plan)) return kExitFailed;
    if (header) NameOpenHeaderColumns(plan.header);
    ExportResult result;
    result.written = WriteAccessDatabase(c.output, plan, *doc, context.Ui());
    result.rows = doc->Data().intervals.size();
    for (const AccessTableSpec& table : plan.configuration.tables)
        result.channels += table.columns.size();
    return ReportExport(c, result, [&plan](JsonWriter& j) { TablesJson(j, plan); });
}

// The channels a VSE export takes: those named, all offered, or the stored export list as the
// channel dialog would start.
bool VseChannels(const std::vector<std::string>& named, bool all, const CVamor800Doc& doc,
                 Settings& settings, std::vector<int>& channels) {
    ChannelSelectionSetup setup(doc.Data().job);
    setup.layout = ChannelLayout::kExport;
    setup.availability = doc.Availability();
    setup.functionLetter = doc.MeasurementLetter();
    setup.offerOnly = IsVseQuantity;
    ChannelSelection selection(setup, settings);
    if (all) {
        selection.RemoveAll();
        selection.AddAll();
    }
    channels = selection.Chosen();
    if (named.empty()) return true;
    channels.clear();
    for (const std::string& text : named) {
        int id = 0;
        CMeasurementChannel channel;
        if (std::sscanf(text.c_str(), "%d", &id) != 1 || !IsVseQuantity(id % 1000) ||
            !channel.SetupChannel(id) || !channel.IsAvailable(doc.Availability())) {
            std::fprintf(stderr,
                         "varelo-cli: channel %s is no voltage harmonic, interharmonic "
                         "or THD of this measurement\n",
                         text.c_str());
            return false;
        }
        channels.push_back(id);
    }
    return true;
}

void MaximaJson(JsonWriter& j, const std::vector<VseMaximum>& maxima) {
    j.Key("maxima").BeginArray();
    for (const VseMaximum& m : maxima) {
        if (!m.found) continue;
        j.BeginObject()
            .Key("channel")
            .Int(m.channelId)
            .Key("value")
            .Number(m.value)
            .Key("time")
            .String(m.time.FileText())
            .EndObject();
    }
    j.EndArray();
}

bool PrintProtocol(CliContext& context, const VseProtocol& protocol, const std::string& name,
                   const std::string& output) {
#ifdef VARELO_HAVE_GUI_PRINT
    if (PrintVseProtocolToPdf(protocol, name, output, context.AppSettings(), context.Ui()))
        return true;
    std::fprintf(stderr, "varelo-cli: the protocol %s was not written\n", output.c_str());
#else
    (void)context, (void)protocol, (void)name, (void)output;
    std::fprintf(stderr, "varelo-cli: this build prints no protocol\n");
#endif
    return false;
}

int Vse(CliContext& context, Arguments& args) {
    ExportCommon c;
    ReadExportCommon(args, c);
    VseRequest request;
    request.path = c.output;
    request.settings = LoadVseSettings(context.AppSettings());
    if (auto ew = args.Int("ew", 0, int(VseSettings::kMaxEwNumber)))
        request.settings.ewNumber = unsigned(*ew);
    if (auto location = args.Int("location", 0, 7)) request.settings.location = *location;
    if (auto transformer = args.Int("transformer", 0, 12))
        request.settings.transformer = *transformer;
    auto protocol = args.Value("protocol");
    const std::vector<std::string> named = args.Values("channel");
    const bool all = args.Flag("all-channels");
    if (!named.empty() && all) args.Fail("--channel and --all-channels exclude each other");
    int status = kExitOk;
    auto doc = OpenExportDocument(context, args, c, cmd::kExportVse, "harmonics", status);
    if (!doc) return status;
    if (!VseChannels(named, all, *doc, context.AppSettings(), request.channels)) return kExitUsage;
    const ExportSource source = ExportSource::Of(*doc);
    std::vector<VseMaximum> maxima;
    const ExportResult result =
        ExportVse(source, request, ExportCodePage(), context.Ui(), maxima);
    if (result.written && protocol &&
        !PrintProtocol(context, BuildVseProtocol(source, c.file, request, maxima), c.output,
                       *protocol))
        return kExitFailed;
    return ReportExport(c, result, [&maxima](JsonWriter& j) { MaximaJson(j, maxima); });
}

constexpr Command kCommands[] = {
    {"export database",
     "export database FILE --output OUT.sqlite [--config C.ini] [--header-table] [--force] "
     "[--json]",
     "the interval data as an SQLite database laid out by a configuration file", Database},
    {"export vse",
     "export vse FILE --output OUT.OSM [--ew N] [--location 0-7] [--transformer 0-12] "
     "[--channel ID ...|--all-channels] [--protocol OUT.pdf] [--force] [--json]",
     "the largest voltage harmonics, interharmonics and THD as a VSE file", Vse},
};

}  // namespace

std::span<const Command> ExportDatabaseCommands() {
    return kCommands;
}

}  // namespace varelo
