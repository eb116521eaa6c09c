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
#include "measurement/IntervalNormalisation.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementFile.h"
#include "measurement/RawScaling.h"

namespace varelo {

namespace {

constexpr int kUnreadableFile = 374;

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
    if (!OneFile(args, path) || !args.Problems().empty()) return kExitUsage;
    MeasurementData data;
    if (!Read(context, path, data)) return kExitFailed;
    std::fputs(MeasurementInfoText(path, data).c_str(), stdout);
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
    {"info", "info FILE.VXM", "print what a measurement file holds", Info},
    {"values", "values FILE.VXM --channel ID [--channel ID ...]",
     "print channels of every interval as CSV", Values},
};

}  // namespace

std::span<const Command> MeasurementCommands() {
    return kCommands;
}

}  // namespace varelo
