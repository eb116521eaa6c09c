#include <array>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "app/Startup.h"
#include "app/StringTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/CsvText.h"
#include "cli/MeasurementInfoOutput.h"
#include "document/MeasurementTexts.h"
#include "measurement/IntervalNormalisation.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementFile.h"
#include "measurement/MeasurementFileReader.h"
#include "measurement/RawScaling.h"

namespace varelo {

namespace {

constexpr int kUnreadableFile = 374;
constexpr int kUnstorableText = 2200;

// The one measurement file a command names; a usage problem otherwise.
bool OneFile(Arguments& args, std::string& path) {
    const std::vector<std::string> files = args.Positionals();
    if (files.size() != 1) {
        args.Fail("name one measurement file");
        return false;
    }
    path = files[0];
    return true;
}

bool Read(CliContext& context, const std::string& path, MeasurementData& data) {
    if (ReadMeasurementFile(path, data)) return true;
    context.Ui().ShowMessage(kUnreadableFile, Str(kUnreadableFile), MessageIcon::Warning);
    return false;
}

int Info(CliContext& context, Arguments& args) {
    std::string path;
    const bool json = args.Flag("json");
    if (!OneFile(args, path) || !args.Problems().empty()) return kExitUsage;
    MeasurementData data;
    if (!Read(context, path, data)) return kExitFailed;
    const std::string text =
        json ? MeasurementInfoJson(path, data) : MeasurementInfoText(path, data);
    std::fputs(text.c_str(), stdout);
    return kExitOk;
}

// "N=TEXT" with N from 1 to 6 into one of the six lines; false for anything else.
bool TakeLine(const std::string& option, std::array<std::string, kJobLineCount>& lines) {
    const size_t eq = option.find('=');
    int n = 0;
    const auto [end, ec] = std::from_chars(option.data(), option.data() + eq, n);
    if (eq == std::string::npos || ec != std::errc() || end != option.data() + eq || n < 1 ||
        n > kJobLineCount)
        return false;
    lines[size_t(n - 1)] = option.substr(eq + 1);
    return true;
}

int Texts(CliContext& context, Arguments& args) {
    const std::vector<std::string> titles = args.Values("title");
    const std::vector<std::string> texts = args.Values("text");
    std::string path;
    if (!OneFile(args, path)) return kExitUsage;
    CMeasurementJob job;
    const bool readable = CheckFile(path) && ReadJobFile(path, job);
    MeasurementTexts wanted = MeasurementTexts::Of(job);
    for (const std::string& t : titles)
        if (!TakeLine(t, wanted.titles)) args.Fail("--title takes N=TEXT with N from 1 to 6");
    for (const std::string& t : texts)
        if (!TakeLine(t, wanted.texts)) args.Fail("--text takes N=TEXT with N from 1 to 6");
    if (!args.Problems().empty()) return kExitUsage;
    if (!readable) {
        context.Ui().ShowMessage(kUnreadableFile, Str(kUnreadableFile), MessageIcon::Warning);
        return kExitFailed;
    }
    if (const std::string sequence = UnstorableSequence(wanted); !sequence.empty()) {
        context.Ui().ShowMessage(kUnstorableText, Msg(kUnstorableText, {sequence}),
                                 MessageIcon::Warning);
        return kExitUsage;
    }
    // Only a change is written, and only through the job's replacement in the file.
    if (!(wanted == MeasurementTexts::Of(job)) &&
        !WriteMeasurementTexts(path, wanted, context.Ui()))
        return kExitFailed;
    for (size_t n = 0; n < size_t(kJobLineCount); ++n)
        std::printf("%zu\t%s\t%s\n", n + 1, wanted.titles[n].c_str(), wanted.texts[n].c_str());
    return kExitOk;
}

// The evaluation shows the voltage unbalance of a three-phase measurement when it measured
// between phases, or when some interval has both phase angles where three phases belong.
bool UnbalanceShown(const MeasurementData& data) {
    const CMeasurementJob& job = data.job;
    const bool aOrP = job.MeasFunc == kMeasFuncA || job.MeasFunc == kMeasFuncP;
    if (!aOrP || job.VoltPowSysType == kPowSysSinglePhase ||
        job.VoltPowSysType == kPowSysSplitSinglePhase)
        return false;
    if (job.IsPhaseToPhase()) return true;
    const auto inBand = [](int16_t raw) {
        const double degrees = CIntervalRecord::UnbalanceAngleDegrees(raw);
        return (degrees >= 100 && degrees <= 140) || (degrees >= 220 && degrees <= 260);
    };
    for (const CIntervalRecord& r : data.intervals) {
        if (inBand(r.UnbalAngleL1L2) && inBand(r.UnbalAngleL1L3)) return true;
    }
    return false;
}


int Values(CliContext& context, Arguments& args) {
    const std::vector<std::string> ids = args.Values("channel");
    std::string path;
    if (!OneFile(args, path)) return kExitUsage;
    if (ids.empty()) args.Fail("--channel is required");
    std::vector<CMeasurementChannel> channels(ids.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        int id = 0;
        const auto [end, ec] = std::from_chars(ids[i].data(), ids[i].data() + ids[i].size(), id);
        if (ec != std::errc() || end != ids[i].data() + ids[i].size() ||
            !channels[i].SetupChannel(id))
            args.Fail("unknown channel " + ids[i]);
    }
    if (!args.Problems().empty()) return kExitUsage;

    MeasurementData data;
    if (!Read(context, path, data)) return kExitFailed;
    AppOptions& options = AppOptions::Instance();
    ReadDisplaySwitches(context.AppSettings(), options);
    ReadHarmonicOptions(context.AppSettings(), options);
    // The intervals as a loaded measurement holds them.
    CRawScaling scaling;
    scaling.Build(data.job, data.fileVersion, data.logger.FirmwareGeneration());
    data.intervals.SetScaling(scaling);
    NormaliseIntervals(data.intervals, data.job.VoltPowSysType, options.ThdOrder());
    // Long-term flicker comes from an evaluation, which this command does not run.
    const AvailabilityContext available = AvailabilityContext::Build(
        data.job, data.logger, data.fileVersion, false, UnbalanceShown(data), false);
    std::string header = "Date/Time";
    for (size_t i = 0; i < channels.size(); ++i) {
        const std::string name = channels[i].ChannelName(data.job);
        if (!channels[i].IsAvailable(available))
            args.Fail("channel " + ids[i] + " (" + name +
                      ") is not available for this measurement");
        header += "," + CsvField(name);
    }
    if (!args.Problems().empty()) return kExitUsage;

    std::string line = header + "\n";
    std::fputs(line.c_str(), stdout);
    for (const CIntervalRecord& r : data.intervals) {
        line = IsoTimeText(r.DateTime);
        for (const CMeasurementChannel& channel : channels)
            line += "," + ValueText(channel.ChannelValue(r, scaling));
        line += "\n";
        std::fputs(line.c_str(), stdout);
    }
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"info", "info FILE.VXM [--json]",
     "print what a measurement file holds; --json: the rows of the information dialogs", Info},
    {"texts", "texts FILE.VXM [--title N=TEXT] [--text N=TEXT]",
     "show or change the six captions and texts of a measurement's job", Texts},
    {"values", "values FILE.VXM --channel ID [--channel ID ...]",
     "print channels of every interval as CSV", Values},
};

}  // namespace

std::span<const Command> MeasurementCommands() {
    return kCommands;
}

}  // namespace varelo
