#include "job/JobEditor.h"

#include <algorithm>
#include <cmath>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "job/DeviceTypeFile.h"
#include "job/JobCodeTables.h"
#include "job/JobFile.h"
#include "job/JobSchedule.h"
#include "logger/LoggerInfoTexts.h"
#include "measurement/MeasurementFileReader.h"

namespace varelo {

namespace {

constexpr const char* kOfflineType = "408b";
constexpr int kNotSupported = 1089;
constexpr int kNoSmartSensor = 1085;
constexpr double kVoltageMax = 999000;
constexpr int kClampCurrentMax = 3000;

bool InRange(double value, double low, double high) {
    return value >= low && value <= high;  // false for NaN
}

int32_t Raw(double value) {
    return int32_t(std::llround(value * 100));
}

const DeviceTypeRow* RowOfDesignation(const std::string& designation) {
    for (const DeviceTypeRow& row : DeviceTypes())
        if (designation == row.designation) return &row;
    return nullptr;
}

const DeviceTypeRow* RowOfType(const std::string& typeCode) {
    for (const DeviceTypeRow& row : DeviceTypes())
        if (typeCode == row.typeCode) return &row;
    return nullptr;
}

}  // namespace

PageCheck Refusal(int message, JobField field, std::initializer_list<std::string> args, bool beep) {
    return {message, field, args.size() == 0 ? Str(message) : Msg(message, args), beep};
}

int16_t LoggerNominalFrequency(const CLoggerInfo& info) {
    return info.HardwNomFreq == 2 ? 60 : 50;
}

int16_t LoggerNominalVoltage(const CLoggerInfo& info) {
    return info.HardwSupplyVoltage == 2 ? 120 : 230;
}

std::string LoggerTypeCodeOf(const CLoggerInfo& info) {
    if (const DeviceTypeRow* row = DeviceTypeRowOf(info)) return row->typeCode;
    return info.HardwType.substr(0, 4);
}

JobEditor::JobEditor(uint32_t function, const JobEditorContext& context)
    : function_(function), context_(context) {}

CMeasurementJob JobEditor::NewJob(uint32_t function, int16_t nominalFrequency,
                                  const CTimeStamp& now) {
    CMeasurementJob job;
    job.MeasFunc = function;
    job.PowSysNomFreq = nominalFrequency;
    job.PowSysNomVolt = 230;
    job.JobType = kJobTimeActivated;
    job.NrMeasSectionsProg = 0;
    job.NomVoltRawVal = 23000;
    job.VoltPrimaryRawVal = 23000;
    job.VoltSecondaryRawVal = 23000;
    job.VoltTransformer = 0;
    job.VoltPowSysType = kPowSysWye;
    job.VoltMinMaxValInterval = 0;
    job.VoltInputRangeCode = 6;
    job.Interval = 600;
    job.IntervalMemModel = 0;
    job.EventMemModel = 0;
    job.VoltUpperThreshShort = nominalFrequency == 60 ? 105.0f : 110.0f;
    job.VoltLowerThreshShort = 90.0f;
    job.EventHysteresis = 0;
    job.PhCurrClampRawVal = Raw(1500);
    job.NeutralClampCurrRawVal = Raw(1500);
    job.PhCurrTransformer = 0;
    job.PhCurrPrimaryRawVal = Raw(1000);
    job.PhCurrSecondaryRawVal = Raw(5);
    job.NeutralCurrTransformer = 0;
    job.NeutralCurrPrimaryRawVal = Raw(1000);
    job.NeutralCurrSecondaryRawVal = Raw(5);
    job.NeutralMeas = 0;
    job.SpecialTransformerPhase = 0;
    job.PowMinMaxValInterval = kPowerAveragingMinute;
    job.ProgStartMeas = DefaultJobStart(now, job.Interval);
    job.ProgStopMeas = EndAfterIntervals(job, job.ProgStartMeas, kDefaultJobIntervals);
    return job;
}

std::optional<JobEditor> JobEditor::Open(uint32_t function, JobLoggerAccess* logger,
                                         const JobEditorContext& context, const CTimeStamp& now) {
    std::optional<JobLoggerIdentity> identity;
    if (logger) {
        UserInterface& ui = context.ui;
        {
            WaitCursor wait(ui);
            ui.SetStatusText(Str(280));
            identity = logger->Identify(function);
        }
        ui.SetStatusText(Str(57345));
    }
    return OpenWith(function, identity ? &*identity : nullptr, context, now);
}

std::optional<JobEditor> JobEditor::OpenWith(uint32_t function, const JobLoggerIdentity* identity,
                                             const JobEditorContext& context,
                                             const CTimeStamp& now) {
    JobEditor editor(function, context);
    int16_t frequency = 50;
    if (identity) {
        const std::string type = LoggerTypeCodeOf(identity->info);
        if (!identity->supportsFunction || type.starts_with("30")) {
            context.ui.ShowMessage(kNotSupported, Str(kNotSupported), MessageIcon::Stop);
            return std::nullopt;
        }
        editor.UseLogger(identity->info);
        frequency = LoggerNominalFrequency(identity->info);
    }
    if (std::optional<CMeasurementJob> job =
            JobTemplate(function, context.settings, context.ui, context.dataFolder))
        editor.job_ = *job;
    else
        editor.job_ = NewJob(function, frequency, now);

    if (identity) {
        editor.ApplyLoggerOverrides();
        editor.WarnMissingSensor();
    } else {
        std::string designation = context.settings.ReadString(setting::LastUsedBoxType);
        if (!RowOfDesignation(designation)) designation = RowOfType(kOfflineType)->designation;
        editor.ChooseType(designation);
        editor.job_.PowSysNomFreq = 50;
        editor.job_.PowSysNomVolt = 230;
        editor.job_.ClampId =
            uint8_t(std::clamp(context.settings.ReadInt(setting::LastUsedClamp), 0, 10));
        editor.job_.MaxClampCurr =
            uint16_t(std::clamp(context.settings.ReadInt(setting::MaxClampCurrent), 1, 65535));
    }
    return editor;
}

void JobEditor::UseLogger(const CLoggerInfo& info) {
    connected_ = true;
    logger_ = info;
    typeCode_ = LoggerTypeCodeOf(info);
    designation_ = DeviceDesignation(info);
}

void JobEditor::ChooseType(const std::string& designation) {
    const DeviceTypeRow* row = RowOfDesignation(designation);
    if (!row) return;
    designation_ = row->designation;
    typeCode_ = row->typeCode;
    job_.InstrHardwNr = FamilyOfType(typeCode_) == 400 ? 400 : 300;
    job_.NrIntervalMax = IntervalCapacity(designation_);
}

int32_t JobEditor::IntervalCapacity(const std::string& designation) const {
    if (connected_ && designation == DeviceDesignation(logger_))
        return logger_.intervalCapacity > 0 ? logger_.intervalCapacity : kDefaultJobIntervals;
    const DeviceTypeRow* row = RowOfDesignation(designation);
    const int intervals =
        row ? DeviceTypeIntervals(row->typeCode, FunctionLetter(function_), context_.firmwareFolder)
            : 0;
    // A missing device file must not leave a job that holds no interval at all.
    return intervals > 0 ? intervals : kDefaultJobIntervals;
}

void JobEditor::ApplyLoggerOverrides() {
    if (!connected_) return;
    job_.PowSysNomFreq = LoggerNominalFrequency(logger_);
    job_.PowSysNomVolt = LoggerNominalVoltage(logger_);
    job_.InstrHardwNr = Family() == 400 ? 400 : 300;
    if (Family() == 400) {
        job_.ClampId = logger_.ClampId;
        job_.MaxClampCurr = logger_.MaxClampCurr;
        job_.ClampSerNr = logger_.ClampSerNr;
    }
    job_.NrIntervalMax =
        logger_.intervalCapacity > 0 ? logger_.intervalCapacity : kDefaultJobIntervals;
}

void JobEditor::WarnMissingSensor() {
    if (connected_ && Family() == 400 && job_.ClampId == 0 && ExpectsSmartSensor(typeCode_))
        context_.ui.ShowMessageWithCaption(kNoSmartSensor, Str(kNoSmartSensor),
                                           MessageIcon::Warning, Str(174) + " / " + Str(235));
}

int JobEditor::Family() const {
    return FamilyOfType(typeCode_);
}

std::string JobEditor::Title() const {
    std::string title = Msg(269, {FunctionLetter(function_)});
    if (!path_.empty()) title += " - " + path_;
    return title;
}

JobEditorState JobEditor::WriteState() const {
    return {connected_ && Family() == 400, job_.ClampId};
}

void JobEditor::TakePage(const CMeasurementJob& job) {
    if (job == job_) return;
    job_ = job;
    changed_ = true;
}

std::vector<std::string> JobEditor::OfferedLoggerTypes() const {
    std::vector<std::string> designations;
    const std::string letter = FunctionLetter(function_);
    for (const DeviceTypeRow& row : DeviceTypes())
        if (DeviceTypeIntervals(row.typeCode, letter, context_.firmwareFolder) > 0)
            designations.push_back(row.designation);
    return designations;
}

std::string JobEditor::MaxContinuousText(int32_t interval) const {
    const TimeSpanParts parts = SplitSeconds(static_cast<long long>(job_.NrIntervalMax) * interval);
    return Msg(2047, {Msg(2048, {std::to_string(parts.days), std::to_string(parts.hours),
                                 std::to_string(parts.minutes), std::to_string(parts.seconds)})});
}

bool JobEditor::CurrentPageEnabled() const {
    return !(Family() == 400 && job_.ClampId == 0);
}

std::vector<int> JobEditor::OfferedFrequencies() const {
    return NominalFrequencies(connected_ ? LoggerNominalFrequency(logger_) : 0);
}

BasicSettings JobEditor::Basic() const {
    BasicSettings page;
    page.powerSystemType = job_.VoltPowSysType;
    page.nominalVoltage = job_.NomVoltRawVal * 0.01;
    page.nominalFrequency = job_.PowSysNomFreq;
    page.voltageAveraging = job_.VoltMinMaxValInterval;
    page.voltageTransformer = job_.VoltTransformer == 1;
    page.primaryVoltage = job_.VoltPrimaryRawVal * 0.01;
    page.secondaryVoltage = job_.VoltSecondaryRawVal * 0.01;
    page.loggerDesignation = designation_;
    page.clampId = job_.ClampId;
    page.maxClampCurrent = job_.MaxClampCurr;
    page.interval = job_.Interval;
    page.intervalMemoryModel = job_.IntervalMemModel;
    page.powerAveraging = job_.PowMinMaxValInterval;
    page.jobType = job_.JobType;
    return page;
}

PageCheck JobEditor::ApplyBasic(const BasicSettings& page) {
    const double nominal = std::floor(page.nominalVoltage);
    if (!InRange(nominal, 1, kVoltageMax))
        return Refusal(1079, JobField::NominalVoltage, {"1", "999000"});
    if (page.voltageTransformer) {
        if (!InRange(page.primaryVoltage, 1, kVoltageMax))
            return Refusal(1246, JobField::PrimaryVoltage, {"1", "999000"});
        if (!InRange(page.secondaryVoltage, 1, kVoltageMax))
            return Refusal(1247, JobField::SecondaryVoltage, {"1", "999000"});
    }
    if (!InRange(page.maxClampCurrent, 1, kClampCurrentMax) ||
        page.maxClampCurrent != std::floor(page.maxClampCurrent))
        return Refusal(61714, JobField::MaxClampCurrent, {"1", "3000"});

    CMeasurementJob job = job_;
    job.VoltPowSysType = page.powerSystemType;
    job.NomVoltRawVal = int32_t(nominal) * 100;
    job.PowSysNomFreq = page.nominalFrequency;
    job.VoltMinMaxValInterval = page.voltageAveraging;
    job.VoltTransformer = page.voltageTransformer ? 1 : 0;
    if (page.voltageTransformer) {
        job.VoltPrimaryRawVal = Raw(page.primaryVoltage);
        job.VoltSecondaryRawVal = Raw(page.secondaryVoltage);
    }
    job.ClampId = page.clampId;
    job.MaxClampCurr = uint16_t(page.maxClampCurrent);
    job.IntervalMemModel = page.intervalMemoryModel;
    job.PowMinMaxValInterval = page.powerAveraging;
    job.JobType = page.jobType;
    const bool intervalChanged = job.Interval != page.interval;
    job.Interval = page.interval;
    if (job.Interval < 60) {
        job.PowMinMaxValInterval = kPowerAveragingSecond;
        job.NrMeasSectionsProg = 0;
    }
    if (job.JobType != kJobTimeActivated) job.NrMeasSectionsProg = 0;
    if (intervalChanged)
        job.ProgStopMeas = EndAfterIntervals(job, job.ProgStartMeas, kDefaultJobIntervals);

    const CMeasurementJob before = job_;
    job_ = job;
    if (!page.loggerDesignation.empty() && page.loggerDesignation != designation_)
        ChooseType(page.loggerDesignation);
    job_.InstrHardwNr = Family() == 400 ? 400 : 300;
    MapCurrentRanges();
    job_.NeutralMeas =
        NeutralMeasurement(job_.VoltPowSysType, typeCode_, Family() == 400 ? job_.ClampId : 0);
    const int inputs = CurrentInputsOfType(typeCode_);
    job_.CurrPowSys = inputs > 0 || (inputs < 0 && job_.ClampId != 0) ? 1 : 0;
    if (job_ != before) changed_ = true;
    return {};
}

void JobEditor::MapCurrentRanges() {
    const std::vector<double> offered =
        OfferedCurrentRanges(Family(), job_.ClampId, job_.MaxClampCurr);
    std::vector<double> rawOffered;
    for (double range : offered)
        rawOffered.push_back(double(Raw(range)));
    job_.PhCurrClampRawVal = int32_t(MapCurrentRange(job_.PhCurrClampRawVal, rawOffered));
    job_.NeutralClampCurrRawVal = int32_t(MapCurrentRange(job_.NeutralClampCurrRawVal, rawOffered));
}

bool JobEditor::CheckSensor(JobLoggerAccess& logger) {
    std::optional<JobLoggerIdentity> identity;
    {
        WaitCursor wait(context_.ui);
        identity = logger.Identify(function_);
    }
    if (!identity) return false;
    CMeasurementJob job = job_;
    job.ClampId = identity->info.ClampId;
    job.MaxClampCurr = identity->info.MaxClampCurr;
    job.ClampSerNr = identity->info.ClampSerNr;
    TakePage(job);
    if (connected_) logger_ = identity->info;
    WarnMissingSensor();
    return true;
}

bool JobEditor::ConfirmDiscard(int question) {
    if (!changed_) return true;
    const Answer answer =
        context_.ui.Ask({question, Str(question), MessageIcon::Question, false, true});
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) return true;
    Save();
    return !changed_;
}

bool JobEditor::Save() {
    if (path_.empty()) return SaveAs();
    const JobSaveResult result = SaveJobFile(job_, path_, context_.ui);
    if (result == JobSaveResult::Saved) changed_ = false;
    return result == JobSaveResult::Saved;
}

bool JobEditor::SaveAs() {
    const JobFileNames names = JobFileNamesOf(job_.MeasFunc);
    std::string path = path_;
    if (!context_.ui.ChooseSaveFile(names.saveTitle, names.filter, names.extension,
                                    context_.userFolder, path))
        return false;
    const JobSaveResult result = SaveJobFile(job_, path, context_.ui);
    if (result != JobSaveResult::Saved) return false;
    path_ = path;
    changed_ = false;
    return true;
}

bool JobEditor::LoadJobFile(const std::string& path) {
    CMeasurementJob job;
    if (!CheckFile(path) || !ReadJobFile(path, job)) return false;
    job_ = job;
    path_ = path;
    ApplyLoggerOverrides();
    changed_ = false;
    return true;
}

int JobEditor::LoggerJobRefusal(const CLoggerInfo& info, bool old) {
    const char state = info.OperatingState;
    if (old && (state == 'A' || state == 'F' || state == 'S' || state == 'V')) return 1098;
    if (state == 'K') return 962;
    if (info.MeasurementFunction() != kMeasFuncA) return 1011;
    return 0;
}

JobEditor::OpenResult JobEditor::OpenFromLogger(bool old, JobLoggerAccess& logger) {
    if (!ConfirmDiscard(194)) return OpenResult::Cancelled;
    CLoggerInfo info;
    int refused = 0;
    std::optional<CMeasurementJob> job;
    {
        WaitCursor wait(context_.ui);
        job = logger.ReadJob(
            old,
            [&](const CLoggerInfo& identity) {
                refused = LoggerJobRefusal(identity, old);
                return refused;
            },
            info);
    }
    if (refused != 0) {
        context_.ui.ShowMessage(refused, Str(refused),
                                refused == 1011 ? MessageIcon::Warning : MessageIcon::None);
        return OpenResult::Refused;
    }
    if (!job) return OpenResult::Failed;
    job_ = *job;
    ApplyLoggerOverrides();
    changed_ = false;
    return OpenResult::Opened;
}

}  // namespace varelo
