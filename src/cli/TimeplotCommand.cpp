// varelo-cli timeplot: what a level-time diagram of a measurement shows, as JSON: its window,
// the curves' ranges and limit line, the energy of the power curves and the recording gaps.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "app/AppOptions.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/CurveOptions.h"
#include "document/Vamor800Doc.h"
#include "measurement/MeasurementChannel.h"
#include "platform/JsonWriter.h"
#include "timeplot/CurveData.h"
#include "timeplot/CurvePath.h"
#include "timeplot/DiagramState.h"
#include "timeplot/LimitLine.h"
#include "timeplot/TimePeriodTable.h"

namespace varelo {

namespace {

void WriteJson(const CVamor800Doc& doc, const DiagramState& state, const CurveData& data,
               const CurveOptions& choices) {
    const TimeAxis& axis = state.Axis();
    const int64_t start = axis.WindowStart().SecondsSince(data.Origin());
    const int64_t end = axis.WindowEnd().SecondsSince(data.Origin());
    JsonWriter j;
    j.BeginObject().Key("period").Int(axis.Period());
    j.Key("label").String(TimePeriodLabel(axis.Period()));
    j.Key("windowStart").String(axis.WindowStart().FileText());
    j.Key("windowEnd").String(axis.WindowEnd().FileText());
    j.Key("scaling").Int(state.ScalingMode());
    j.Key("curves").BeginArray();
    for (int i = 0; i < state.CurveCount(); ++i) {
        const Curve& curve = state.Curves()[size_t(i)];
        CMeasurementChannel channel;
        channel.SetupChannel(curve.channelId);
        j.BeginObject().Key("channel").Int(curve.channelId);
        j.Key("name").String(channel.ChannelName(doc.Data().job));
        j.Key("bottom").Number(state.Range(i).bottom).Key("top").Number(state.Range(i).top);
        if (i == state.LimitCurve()) {
            const LimitLine line =
                LimitLine::For(curve.channelId, state.LimitBand(),
                               {doc.Limits(), doc.Data().job, QuantitySettings::Current()});
            j.Key("limit").BeginObject().Key("defined").Bool(line.defined);
            j.Key("upper").Number(line.upper);
            if (line.twoSided) j.Key("lower").Number(line.lower);
            j.EndObject();
        }
        if (choices.energy && curve.power) {
            double negative = 0, positive = 0;
            WindowEnergy(data, i, start, end, negative, positive);
            j.Key("energy").BeginObject().Key("negative").Number(negative);
            j.Key("positive").Number(positive).EndObject();
        }
        j.EndObject();
    }
    j.EndArray().Key("gaps").BeginArray();
    for (size_t i = 0; i < data.Size(); ++i) {
        if (!data.GapBefore(i)) continue;
        const int64_t t = data.Times()[i];
        if (t <= start || t - data.IntervalSeconds() >= end) continue;
        CTimeStamp at = data.Origin();
        at.AddSeconds(t);  // the record after the gap, as its time
        j.String(at.FileText());
    }
    j.EndArray().EndObject();
    std::printf("%s\n", j.Text().c_str());
}

int Timeplot(CliContext& context, Arguments& args) {
    const bool json = args.Flag("json");
    CurveOptions choices = ReadCurveOptions(args);  // first: their values are no file names
    if (!choices.application &&
        (choices.channels.empty() || choices.channels.size() > size_t(kMaxCurves)))
        args.Fail("name one to nine channels with --channel, or an application with --aoa");
    if (choices.application && choices.scaling > 0)
        args.Fail("--scaling does not go with --aoa, whose ranges are manual");
    auto files = args.Positionals();
    if (files.size() != 1) args.Fail("name one measurement file");
    if (!json) args.Fail("timeplot writes --json");
    if (!args.Problems().empty()) return kExitUsage;

    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    context.Ui().SetEvaluationPeriod({}, {});
    if (!doc.OpenFile(files[0])) return kExitFailed;
    const CIntervalList& intervals = doc.Data().intervals;
    if (intervals.empty()) {
        std::fprintf(stderr, "varelo-cli: the measurement holds no intervals\n");
        return kExitFailed;
    }
    if (choices.application && !ResolveApplication(context, doc, choices)) return kExitFailed;
    DiagramState state(
        TimeAxis(intervals.front().DateTime, intervals.back().DateTime, doc.GetIntervalLength()));
    if (choices.start) state.Axis().SetWindowStart(*choices.start);
    state.Axis().SetPeriod(choices.period > 0 ? choices.period : kMeasurementPeriod,
                           !choices.start);
    state.SetCurves(choices.channels);
    state.SetScalingMode(choices.scaling > 0 ? choices.scaling : kScaleMeasuringRange);
    if (!choices.ranges.empty()) {
        state.SetScalingMode(kScaleManual);
        for (size_t i = 0; i < choices.ranges.size(); ++i)
            state.SetRange(int(i), choices.ranges[i]);
    }
    state.ChooseAxisCurvesAfresh();
    std::vector<CMeasurementChannel> channels(choices.channels.size());
    for (size_t i = 0; i < channels.size(); ++i) {
        channels[i].SetupChannel(choices.channels[i]);
        channels[i].plt = doc.Plt();
    }
    CurveData data;
    data.Build(intervals, channels, QuantitySettings::Current(), doc.GetIntervalLength());
    state.ComputeRanges(
        {[&doc](int id, double& begin, double& end) { doc.MeasuringRange(id, begin, end); },
         [&](int id, double& minimum, double& maximum) {
             for (int i = 0; i < state.CurveCount(); ++i) {
                 if (state.Curves()[size_t(i)].channelId == id)
                     return data.Extremes(i, minimum, maximum);
             }
             return false;
         }});
    state.SetLimitLine(choices.limitCurve, choices.limitBand);
    WriteJson(doc, state, data, choices);
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"timeplot",
     "timeplot FILE --channel ID ... [--period N] [--start DATE] [--scaling 1|2] "
     "[--limit-line ID[:BAND]] [--energy] --json | timeplot FILE --aoa GROUP/APP "
     "[--phase L1|L2|L3|all|mixed] [--aoa-file F.aoa] [--period N] [--start DATE] --json",
     "what a level-time diagram of a measurement shows", Timeplot},
};

}  // namespace

std::span<const Command> TimeplotCommands() {
    return kCommands;
}

}  // namespace varelo
