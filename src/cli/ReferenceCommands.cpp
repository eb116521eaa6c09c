// varelo-cli ranges and cumulative: the fixed references of the channels of a measurement, and
// its voltage or current cumulative frequency, as the desktop program computes them.
#include <cstdio>
#include <string>

#include "app/AppOptions.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "document/Vamor800Doc.h"
#include "measurement/MeasurementChannel.h"
#include "platform/JsonWriter.h"

namespace varelo {

namespace {

bool OpenDocument(CliContext& context, const std::string& file, CVamor800Doc& doc) {
    context.Ui().SetEvaluationPeriod({}, {});  // the whole measurement
    return doc.OpenFile(file);
}

std::string Name(const CVamor800Doc& doc, int channelId) {
    CMeasurementChannel channel;
    return channel.SetupChannel(channelId) ? channel.ChannelName(doc.Data().job) : "?";
}

int Ranges(CliContext& context, Arguments& args) {
    const bool json = args.Flag("json");
    const std::vector<std::string> channelTexts = args.Values("channel");
    auto files = args.Positionals();
    if (files.size() != 1) args.Fail("name one measurement file");
    std::vector<int> channels;
    for (const std::string& text : channelTexts) {
        CMeasurementChannel channel;
        int id = 0;
        if (std::sscanf(text.c_str(), "%d", &id) != 1 || !channel.SetupChannel(id))
            args.Fail("--channel takes a channel identifier such as 1011: " + text);
        channels.push_back(id);
    }
    if (!args.Problems().empty()) return kExitUsage;
    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (!OpenDocument(context, files[0], doc)) return kExitFailed;
    if (channels.empty()) {
        for (int phase = 0; phase <= 3; ++phase) {
            for (int q = 1; q <= kVoltageInterharmonicLast; ++q) {
                CMeasurementChannel channel;
                const int id = ChannelIdOf(phase, q);
                if (channel.SetupChannel(id) && channel.IsAvailable(doc.Availability()))
                    channels.push_back(id);
            }
        }
    }
    JsonWriter j;
    j.BeginArray();
    for (int id : channels) {
        double begin = 0, end = 0;
        doc.MeasuringRange(id, begin, end);
        const double nominal = doc.NominalValue(id);
        if (json) {
            j.BeginObject().Key("channel").Int(id).Key("name").String(Name(doc, id));
            j.Key("begin").Number(begin).Key("end").Number(end).Key("nominal").Number(nominal);
            j.EndObject();
        } else {
            std::printf("%5d %-28s %14.4f .. %-14.4f nominal %.4f\n", id, Name(doc, id).c_str(),
                        begin, end, nominal);
        }
    }
    j.EndArray();
    if (json) std::printf("%s\n", j.Text().c_str());
    return kExitOk;
}

int Cumulative(CliContext& context, Arguments& args) {
    const bool json = args.Flag("json");
    const auto lower = args.Int("lower", 0, 99);
    const auto upper = args.Int("upper", 1, 100);
    const auto scale = args.Value("scale");
    auto words = args.Positionals();
    if (words.size() != 2 || (words[0] != "voltage" && words[0] != "current"))
        args.Fail("name the view (voltage or current) and one measurement file");
    if (scale && *scale != "nominal" && *scale != "limit")
        args.Fail("--scale takes nominal or limit");
    if (!args.Problems().empty()) return kExitUsage;
    const CumulativeView view =
        words[0] == "voltage" ? CumulativeView::kVoltage : CumulativeView::kCurrent;
    CumulativeSettings settings = CumulativeSettings::Read(context.AppSettings(), view);
    if (upper) settings.upperClassLimit = *upper;
    if (lower) settings.lowerClassLimit = *lower;
    if (settings.upperClassLimit <= settings.lowerClassLimit) {
        std::fprintf(stderr,
                     "error 788: The upper class limit must be greater than the lower "
                     "limit.\n");
        return kExitUsage;
    }
    if (scale) settings.scaleMode = *scale == "nominal" ? 1 : 0;

    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (!OpenDocument(context, words[1], doc)) return kExitFailed;
    const auto channels = ComputeCumulativeFrequency(
        view, doc.CumulativeFrequencyInput(), settings.lowerClassLimit, settings.upperClassLimit);
    JsonWriter j;
    j.BeginObject().Key("lowerClassLimit").Int(settings.lowerClassLimit);
    j.Key("upperClassLimit").Int(settings.upperClassLimit);
    j.Key("scale").String(settings.scaleMode == 1 ? "nominal" : "limit");
    j.Key("channels").BeginArray();
    for (const CumulativeChannel& c : channels) {
        if (json) {
            j.BeginObject()
                .Key("channel")
                .Int(c.channelId)
                .Key("name")
                .String(Name(doc, c.channelId));
            j.Key("reference").Number(c.Reference(settings.scaleMode));
            j.Key("hasValues").Bool(c.hasValues);
            if (c.hasValues) {
                j.Key("minimum")
                    .Number(c.minimum)
                    .Key("minimumTime")
                    .String(c.minimumTime.DisplayText());
                j.Key("lower").Number(c.lower).Key("upper").Number(c.upper);
                j.Key("maximum")
                    .Number(c.maximum)
                    .Key("maximumTime")
                    .String(c.maximumTime.DisplayText());
            }
            j.EndObject();
        } else {
            std::printf(
                "%5d %-28s ref %12.4f  min %12.4f  %d%% %12.4f  %d%% %12.4f  max %12.4f %s\n",
                c.channelId, Name(doc, c.channelId).c_str(), c.Reference(settings.scaleMode),
                c.minimum, settings.lowerClassLimit, c.lower, settings.upperClassLimit, c.upper,
                c.maximum, c.maximumTime.DisplayText().c_str());
        }
    }
    j.EndArray().EndObject();
    if (json) std::printf("%s\n", j.Text().c_str());
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"ranges", "ranges FILE [--channel ID ...] [--json]",
     "measuring range and nominal value of the channels of a measurement", Ranges},
    {"cumulative",
     "cumulative voltage|current FILE [--lower P --upper P] [--scale nominal|limit] [--json]",
     "voltage or current cumulative frequency of a measurement", Cumulative},
};

}  // namespace

std::span<const Command> ReferenceCommands() {
    return kCommands;
}

}  // namespace varelo
