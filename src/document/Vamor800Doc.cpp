#include "document/Vamor800Doc.h"

#include "logger/OnlineSession.h"

#include <cstdio>
#include <filesystem>
#include <utility>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/MeasurementTexts.h"
#include "evaluation/EventClassification.h"
#include "evaluation/LimitValueFile.h"
#include "measurement/IntervalNormalisation.h"
#include "measurement/MeasurementChannel.h"
#include "timeplot/ChannelFormat.h"

namespace varelo {

namespace {

constexpr int kEn50160Intervals = 1008;
constexpr int kEn50160IntervalSeconds = 600;

// Hour, minute and, when one is set, weekday of a segment bound against an interval's time.
bool MatchesSectionTime(const CTimeStamp& bound, const CTimeStamp& t) {
    if (bound.hour != t.hour || bound.minute != t.minute) return false;
    return bound.weekday == 0 || bound.weekday == t.ComputeWeekday();
}

}  // namespace

CVamor800Doc::CVamor800Doc(Settings& settings, UserInterface& ui, AppOptions& options)
    : settings_(settings), ui_(ui), options_(options) {}

CVamor800Doc::~CVamor800Doc() = default;
CVamor800Doc::CVamor800Doc(CVamor800Doc&&) noexcept = default;

void CVamor800Doc::ClearContents() {
    data_ = MeasurementData();
    limits_ = CLimitValues();
    evaluation_.Clear();
    extremes_.Clear();
    statusCounts_ = MeasurementStatusCounts();
    period_ = EvaluationPeriod();
    loaded_ = false;
    online_ = false;
    // Closing an online document ends its connection.
    session_.reset();
}

bool CVamor800Doc::OpenFile(const std::string& path) {
    ClearContents();
    path_ = path;
    if (!LoadLimits() || !ReadMeasurement(path)) {
        ClearContents();
        return false;
    }
    ApplyEvaluationPeriod();
    PrepareRecords();
    CheckEn50160Period();
    CheckFirstInterval();
    ui_.SetStatusText(Str(57345));
    ui_.SetStatusText(Str(281));
    {
        WaitCursor wait(ui_);
        ClassifyEvents(data_.events, data_.job, limits_);
        Reevaluate(true);
        ComputeExtremes();
    }
    ui_.SetStatusText(Str(57345));
    loaded_ = true;
    return true;
}

void CVamor800Doc::SetJobTexts(const MeasurementTexts& texts) {
    texts.ApplyTo(data_.job);
}

bool CVamor800Doc::LoadLimits() {
    limitFilePath_ =
        limitFileOverride_.empty() ? settings_.ReadString(setting::LimitFile) : limitFileOverride_;
    return LoadLimitFile(limitFilePath_, ui_, limits_);
}

bool CVamor800Doc::ReadMeasurement(const std::string& path) {
    ui_.SetStatusText(Str(1099));
    WaitCursor wait(ui_);
    bool ok = ReadMeasurementFile(path, data_) &&
              (data_.job.MeasFunc == kMeasFuncA || data_.job.MeasFunc == kMeasFuncP);
    if (!ok) {
        ui_.ShowMessage(374, Str(374), MessageIcon::Warning);
        return false;
    }
    CRawScaling scaling;
    scaling.Build(data_.job, data_.fileVersion, data_.logger.FirmwareGeneration());
    data_.intervals.SetScaling(scaling);
    return true;
}

void CVamor800Doc::ApplyEvaluationPeriod() {
    PeriodQuestion question{data_.job.MeasStartMeasured, data_.job.MeasStopMeasured, {}, {}};
    EvaluationPeriod proposal = EvaluationPeriod::Proposal(data_);
    question.start = proposal.start;
    question.end = proposal.end;
    period_ = ui_.AskEvaluationPeriod(question) ? EvaluationPeriod{question.start, question.end}
                                                : EvaluationPeriod::Everything();
    if (!period_.IsValid()) period_ = EvaluationPeriod::Everything();
    data_.intervals.RemoveOutside(period_.start, period_.end);
    data_.statistics.RemoveOutside(period_.start, period_.end);
    data_.events.RemoveOutside(period_.start, period_.end);
}

void CVamor800Doc::PrepareRecords() {
    statusCounts_ = CountStatusConditions(data_.intervals, data_.statistics, data_.events,
                                          data_.job.MeasStopMeasured);
    NormaliseIntervals(data_.intervals, data_.job.VoltPowSysType, options_.ThdOrder());
    data_.events.RemoveAbsentPhases(data_.job.VoltPowSysType);
    data_.job.NrInterval = uint32_t(data_.intervals.size());
    data_.job.NrStat = int16_t(data_.statistics.size());
}

void CVamor800Doc::CheckEn50160Period() {
    if (options_.En50160WarningHidden()) return;
    if (data_.job.NrInterval != kEn50160Intervals || data_.job.Interval != kEn50160IntervalSeconds)
        ui_.ShowMessage(1088, Str(1088), MessageIcon::Information);
}

bool CVamor800Doc::FirstGapExplainedBySection() const {
    CTimeStamp first = data_.intervals[0].DateTime;
    CTimeStamp secondStart = data_.intervals[1].DateTime;
    secondStart.AddSeconds(-data_.job.Interval);
    for (int n = 0; n < std::min<int>(data_.job.NrMeasSectionsProg, kMeasSectionCount); ++n) {
        if (MatchesSectionTime(data_.job.NrMeasSectionsProgEnd[size_t(n)], first) &&
            MatchesSectionTime(data_.job.NrMeasSectionsProgStart[size_t(n)], secondStart))
            return true;
    }
    return false;
}

void CVamor800Doc::CheckFirstInterval() {
    if (data_.intervals.size() < 2) return;
    CTimeStamp expected = data_.intervals[0].DateTime;
    expected.AddSeconds(data_.job.Interval);
    if (expected == data_.intervals[1].DateTime || FirstGapExplainedBySection()) return;
    char share[32];
    std::snprintf(share, sizeof share, "%.2f",
                  100.0 / double(std::max<uint32_t>(data_.job.NrInterval, 1)));
    ui_.ShowMessage(777, Msg(777, {share}), MessageIcon::Information);
    --data_.job.NrInterval;
    data_.intervals.RemoveFirst();
    CTimeStamp start = data_.intervals[0].DateTime;
    start.AddSeconds(-data_.job.Interval);
    data_.job.MeasStartMeasured = start;
}

void CVamor800Doc::Reevaluate(bool fullRebuild) {
    evaluation_.Evaluate(MakeEvaluationInput(data_, limits_, options_), fullRebuild);
}

bool CVamor800Doc::ReloadLimits(bool fullRebuild) {
    std::string path =
        limitFileOverride_.empty() ? settings_.ReadString(setting::LimitFile) : limitFileOverride_;
    CLimitValues reloaded = limits_;
    if (!LoadLimitFile(path, ui_, reloaded)) return false;
    limits_ = reloaded;
    limitFilePath_ = path;
    ClassifyEvents(data_.events, data_.job, limits_);
    Reevaluate(fullRebuild);
    return true;
}

void CVamor800Doc::RecomputeThd(int thdOrder) {
    if (data_.job.MeasFunc == kMeasFuncA) varelo::RecomputeThd(data_.intervals, thdOrder);
}

void CVamor800Doc::ComputeExtremes() {
    AvailabilityContext context = Availability();
    std::vector<CMeasurementChannel> channels;
    for (int phase = 0; phase <= 3; ++phase) {
        for (int quantity = 1; quantity <= kVoltageInterharmonicLast; ++quantity) {
            if (!IsKnownQuantity(quantity)) continue;
            CMeasurementChannel channel;
            if (!channel.SetupChannel(ChannelIdOf(phase, quantity)) ||
                !channel.IsAvailable(context))
                continue;
            channel.plt = Plt();
            channels.push_back(std::move(channel));
        }
    }
    extremes_.Compute(data_.intervals, channels);
}

ReferenceInputs CVamor800Doc::References() const {
    return {data_.job, options_.VoltageHarmonicReference(), options_.CurrentHarmonicReference(),
            &extremes_};
}

void CVamor800Doc::MeasuringRange(int channelId, double& begin, double& end) const {
    varelo::MeasuringRange(References(), channelId, begin, end);
}

bool CVamor800Doc::ChannelExtremes(int channelId, double& minimum, double& maximum) const {
    const ExtremeValue* e = extremes_.Find(channelId);
    // Single quantities are computed under their phase-0 channel.
    if (!e && channelId < 1000) e = extremes_.Find(ChannelIdOf(0, channelId));
    if (!e) return false;
    minimum = e->minimum;
    maximum = e->maximum;
    return true;
}

double CVamor800Doc::NominalValue(int channelId) const {
    return varelo::NominalValue(References(), channelId);
}

void CVamor800Doc::HandOverChannels(std::vector<int> channels, const CTimeStamp& start,
                                    bool useList) {
    channelList_ = std::move(channels);
    channelListStart_ = start;
    useChannelList_ = useList;
}

std::vector<int> CVamor800Doc::TakeChannelList() {
    return std::exchange(channelList_, {});
}

void CVamor800Doc::SetValueListChannels(std::vector<int> channels, const CTimeStamp& start) {
    valueList_ = {std::move(channels), start};
}

CVamor800Doc::ValueListHandOver CVamor800Doc::TakeValueListChannels() {
    return std::exchange(valueList_, {});
}

int CVamor800Doc::ChannelDecimals(int channelId) const {
    // The value list writes values, so small harmonics keep their decimals.
    return varelo::ValueDecimals(channelId, References());
}

CumulativeInput CVamor800Doc::CumulativeFrequencyInput() const {
    return {data_.intervals, data_.job,
            limits_,         evaluation_.Presence(),
            Availability(),  QuantitySettings::Current(),
            Plt(),           [this](int channelId) { return NominalValue(channelId); }};
}

std::string CVamor800Doc::FilePath(bool withFileName) const {
    if (withFileName) return path_;
    std::string folder = std::filesystem::path(path_).parent_path().string();
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

int CVamor800Doc::GetIntervalLength() const {
    return online_ ? onlineIntervalMs_ / 1000 : data_.job.Interval;
}

char CVamor800Doc::MeasurementLetter() const {
    if (data_.job.MeasFunc == kMeasFuncA) return 'A';
    if (data_.job.MeasFunc == kMeasFuncP) return 'P';
    return '\0';
}

AvailabilityContext CVamor800Doc::Availability() const {
    return AvailabilityContext::Build(data_.job, data_.logger, data_.fileVersion, online_,
                                      evaluation_.Unbalance() != nullptr,
                                      evaluation_.Flicker() != nullptr);
}

}  // namespace varelo

namespace varelo {

namespace {

// What a command of the document needs.
enum Need : unsigned {
    kAlways = 0,
    kIntervals = 1u << 0,  // the job announces intervals
    kFunctionAOrP = 1u << 1,
    kFunctionA = 1u << 2,
    kEvents = 1u << 3,  // the job announces events
    kNotOnline = 1u << 4,
    kFiveMinutes = 1u << 5,  // 300-s intervals
    kNoOnlineConnection = 1u << 6,
};

struct CommandRule {
    int command;
    unsigned needs;
};

constexpr CommandRule kCommandRules[] = {
    {33037, kAlways},                     // information about measurement
    {33117, kAlways},                     // reopen
    {33034, kIntervals},                  // export interval data as ASCII
    {33035, kFunctionAOrP},               // export statistic data as ASCII
    {33033, kEvents},                     // export event data as ASCII
    {33036, kFunctionA},                  // VSE export
    {33162, kFunctionAOrP | kNotOnline},  // Spanish-language report
    {33165, kNotOnline},                  // Access export
    {33115, kFunctionA | kFiveMinutes},   // 10- and 15-minute files
    {33027, kNotOnline},                  // graphical summary
    {33025, kNotOnline | kFunctionA},     // voltage cumulative frequency
    {33026, kNotOnline | kFunctionA},     // current cumulative frequency
    {33018, kNotOnline},                  // timeplot, application-oriented channels
    {33022, kNotOnline},                  // timeplot, manual channel selection
    {33029, kNotOnline},                  // UNIPEDE events
    {33028, kNotOnline},                  // table summary
    {33024, kFunctionA},                  // statistical values
    {33015, kFunctionA},                  // five most critical values
    {33019, kFunctionA},                  // all exceedings
    {33021, kAlways},                     // measurement value list
    {33125, kNoOnlineConnection},         // Logger information
    {33132, kNotOnline},                  // online
};

}  // namespace

bool CVamor800Doc::IsCommandEnabled(int commandId) const {
    for (const CommandRule& rule : kCommandRules) {
        if (rule.command != commandId) continue;
        const CMeasurementJob& job = data_.job;
        bool functionAOrP = job.MeasFunc == kMeasFuncA || job.MeasFunc == kMeasFuncP;
        return !((rule.needs & kIntervals) && job.NrInterval == 0) &&
               !((rule.needs & kFunctionAOrP) && !functionAOrP) &&
               !((rule.needs & kFunctionA) && job.MeasFunc != kMeasFuncA) &&
               !((rule.needs & kEvents) && job.EventReady + job.EventOpen <= 0) &&
               !((rule.needs & (kNotOnline | kNoOnlineConnection)) && online_) &&
               !((rule.needs & kFiveMinutes) && job.Interval != 300);
    }
    return false;
}

}  // namespace varelo

namespace varelo {

PltProvider CVamor800Doc::Plt() const {
    return [this](const CIntervalRecord& record, int phase) -> double {
        const CFlickerStatistics* flicker = evaluation_.Flicker();
        if (!flicker || phase < 0 || phase > 2) return 0;
        // The Plt series follows the interval list, whose timestamps ascend.
        const CIntervalList& list = data_.intervals;
        size_t lo = 0, hi = list.size();
        while (lo < hi) {
            size_t mid = (lo + hi) / 2;
            if (list[mid].DateTime < record.DateTime)
                lo = mid + 1;
            else
                hi = mid;
        }
        const std::vector<double>& series = flicker->PltSeries(phase);
        return lo < series.size() && list[lo].DateTime == record.DateTime ? series[lo] : 0.0;
    };
}

}  // namespace varelo
