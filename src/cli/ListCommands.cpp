// varelo-cli exceedings and value-list: the all exceedings report and the measurement value list of
// a measurement file, as text or JSON.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/ExceedingsChannels.h"
#include "document/Vamor800Doc.h"
#include "evaluation/ExceedingsChannelChoice.h"
#include "evaluation/ExceedingsReport.h"
#include "evaluation/MeasurementValueList.h"
#include "measurement/MeasurementChannel.h"
#include "platform/JsonWriter.h"

namespace varelo {

namespace {

constexpr int kExceedingMark = 2;  // the mark of a value at or beyond its limit

std::vector<int> ReadChannels(Arguments& args) {
    std::vector<int> channels;
    for (const std::string& text : args.Values("channel")) {
        CMeasurementChannel channel;
        int id = 0;
        if (std::sscanf(text.c_str(), "%d", &id) != 1 || !channel.SetupChannel(id))
            args.Fail("--channel takes a channel identifier such as 1011: " + text);
        channels.push_back(id);
    }
    return channels;
}

}  // namespace

bool ExceedingsChannelsOffered(const CVamor800Doc& doc, const std::vector<int>& channels) {
    const ExceedingsChannelChoice choice(doc.Limits(), doc.Data().job, doc.Availability());
    bool fine = true;
    for (int id : channels) {
        const std::vector<int> offered = choice.ChannelsOf(id % 1000);
        const bool phaseOffered = std::find(offered.begin(), offered.end(), id) != offered.end() ||
                                  (id < 1000 && offered == std::vector<int>{id});
        if (!choice.IsOffered(id % 1000) || !phaseOffered) {
            std::fprintf(stderr,
                         "varelo-cli: channel %d is not offered for all exceedings: it has no "
                         "limit or does not exist in this measurement\n",
                         id);
            fine = false;
        }
    }
    return fine;
}

namespace {

void WriteExceedingsJson(const ExceedingsReport& report, PhaseLabels labels) {
    JsonWriter j;
    j.BeginObject().Key("sections").BeginArray();
    for (const ExceedingsSection& s : report.Sections()) {
        j.BeginObject().Key("quantity").Int(s.quantity).Key("heading").String(s.heading);
        j.Key("active").Bool(s.band.active).Key("columns").BeginArray();
        for (const std::string& title : report.ColumnTitles(s, labels))
            j.String(title);
        j.EndArray().Key("rows").BeginArray();
        for (const ExceedingsRow& row : s.rows) {
            j.BeginObject();
            if (row.interval >= 0) j.Key("interval").Int(row.interval + 1);
            j.Key("time").String(report.TimeText(row)).Key("cells").BeginArray();
            const std::vector<std::string> cells = report.CellTexts(s, row);
            for (size_t c = 0; c < cells.size(); ++c) {
                if (row.exceeding & (1u << c))
                    j.BeginObject()
                        .Key("text")
                        .String(cells[c])
                        .Key("mark")
                        .Int(kExceedingMark)
                        .EndObject();
                else
                    j.String(cells[c]);
            }
            j.EndArray().EndObject();
        }
        j.EndArray().EndObject();
    }
    j.EndArray().EndObject();
    std::printf("%s\n", j.Text().c_str());
}

void WriteExceedingsText(const ExceedingsReport& report, PhaseLabels labels) {
    for (const ExceedingsSection& s : report.Sections()) {
        std::printf("%s\n", s.heading.c_str());
        for (const std::string& title : report.ColumnTitles(s, labels))
            std::printf("\t%s", title.c_str());
        std::printf("\n");
        for (const ExceedingsRow& row : s.rows) {
            std::printf("%s", report.TimeText(row).c_str());
            for (const std::string& cell : report.CellTexts(s, row))
                std::printf("\t%s", cell.c_str());
            std::printf("\n");
        }
        std::printf("\n");
    }
}

int Exceedings(CliContext& context, Arguments& args) {
    const bool json = args.Flag("json");
    const bool status = args.Flag("status");
    auto limits = args.Value("limits");
    const std::vector<int> channels = ReadChannels(args);
    if (channels.empty()) args.Fail("name at least one channel with --channel");
    if (channels.size() > size_t(ExceedingsChannelChoice::kMaximum))
        args.Fail("at most 99 channels");
    auto files = args.Positionals();
    if (files.size() != 1) args.Fail("name one measurement file");
    if (!args.Problems().empty()) return kExitUsage;
    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (limits) doc.SetLimitFileOverride(*limits);
    if (!doc.OpenFile(files[0])) return kExitFailed;
    if (!ExceedingsChannelsOffered(doc, channels)) return kExitUsage;
    const ExceedingsReport report =
        ExceedingsReport::Build(doc.Evaluated(), doc.Data().intervals, channels, status);
    const PhaseLabels labels = AppOptions::Instance().PhaseLabeling();
    json ? WriteExceedingsJson(report, labels) : WriteExceedingsText(report, labels);
    return kExitOk;
}

int Values(CliContext& context, Arguments& args) {
    const bool json = args.Flag("json");
    const bool status = args.Flag("status");
    const std::vector<int> channels = ReadChannels(args);
    if (channels.empty()) args.Fail("name at least one channel with --channel");
    auto files = args.Positionals();
    if (files.size() != 1) args.Fail("name one measurement file");
    if (!args.Problems().empty()) return kExitUsage;
    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (!doc.OpenFile(files[0])) return kExitFailed;
    std::vector<ValueListColumn> columns;
    for (int id : channels)
        columns.push_back({id, doc.ChannelDecimals(id)});
    MeasurementValueList list(doc.Data().intervals, doc.Data().job, columns,
                              doc.GetIntervalLength(), doc.Plt());
    list.SetStatus(status);
    const std::vector<std::string> titles =
        list.ColumnTitles(AppOptions::Instance().PhaseLabeling());
    if (json) {
        JsonWriter j;
        j.BeginObject().Key("columns").BeginArray();
        for (const std::string& title : titles)
            j.String(title);
        j.EndArray().Key("rows").BeginArray();
        for (size_t i = 0; i < list.Rows(); ++i) {
            j.BeginArray();
            for (const std::string& text : list.RowTexts(i))
                j.String(text);
            j.EndArray();
        }
        j.EndArray().EndObject();
        std::printf("%s\n", j.Text().c_str());
        return kExitOk;
    }
    for (size_t c = 0; c < titles.size(); ++c)
        std::printf(c ? "\t%s" : "%s", titles[c].c_str());
    std::printf("\n");
    for (size_t i = 0; i < list.Rows(); ++i) {
        const std::vector<std::string> texts = list.RowTexts(i);
        for (size_t c = 0; c < texts.size(); ++c)
            std::printf(c ? "\t%s" : "%s", texts[c].c_str());
        std::printf("\n");
    }
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"exceedings", "exceedings FILE --channel ID ... [--status] [--limits FILE.GWD] [--json]",
     "every interval in which a chosen quantity reached its limit", Exceedings},
    // "values" already prints the channels as CSV; this is the value list's own text.
    {"value-list", "value-list FILE --channel ID ... [--status] [--json]",
     "the measurement value list of the channels, as the desktop program shows it", Values},
};

}  // namespace

std::span<const Command> ListCommands() {
    return kCommands;
}

}  // namespace varelo
