#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "job/JobLoggerAccess.h"
#include "job/JobPageCheck.h"
#include "logger/LoggerOperations.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

class Settings;
class UserInterface;

// Where the editor finds its settings, templates and device-type files, and whom it asks.
struct JobEditorContext {
    Settings& settings;
    UserInterface& ui;
    std::string dataFolder;      // relative template paths start here
    std::string firmwareFolder;  // the device-type files
    std::string userFolder;      // where job files are saved by default
};

// The fields of the basic settings page (168) as the person entered them. Numbers that were
// not numbers are NaN and fail their range.
struct BasicSettings {
    uint32_t powerSystemType = 0;
    double nominalVoltage = 230;
    int16_t nominalFrequency = 50;
    int16_t voltageAveraging = 0;
    bool voltageTransformer = false;
    double primaryVoltage = 230;
    double secondaryVoltage = 230;
    std::string loggerDesignation;
    uint8_t clampId = 0;
    double maxClampCurrent = 1500;
    int32_t interval = 600;
    uint32_t intervalMemoryModel = 0;
    int16_t powerAveraging = 8;
    int32_t jobType = 0;
};

// The job editor's state and rules: the job being edited for function A or P, the Logger it
// was opened for (or none), the chosen Logger type and sensor, the job file and whether the
// job changed since it was loaded or saved. The pages work on a copy of Job() and hand it
// back with TakePage.
class JobEditor {
public:
    // Opens the editor. With logger, a Logger is looked for first; one that answers but cannot
    // run the function, or is of the basic family, keeps the editor closed (1089). Without an
    // answer (or without logger) the editor opens offline.
    static std::optional<JobEditor> Open(uint32_t function, JobLoggerAccess* logger,
                                         const JobEditorContext& context, const CTimeStamp& now);
    // Opens the editor for an identified Logger (nullptr: offline), as Open does after asking.
    static std::optional<JobEditor> OpenWith(uint32_t function, const JobLoggerIdentity* identity,
                                             const JobEditorContext& context,
                                             const CTimeStamp& now);

    // A new job's values for the function: the defaults at the nominal frequency, starting an
    // hour after now.
    static CMeasurementJob NewJob(uint32_t function, int16_t nominalFrequency,
                                  const CTimeStamp& now);

    const CMeasurementJob& Job() const { return job_; }
    uint32_t Function() const { return function_; }
    bool LoggerConnected() const { return connected_; }
    const CLoggerInfo& Logger() const { return logger_; }
    const std::string& LoggerTypeCode() const { return typeCode_; }
    const std::string& LoggerDesignation() const { return designation_; }
    int Family() const;
    const std::string& FilePath() const { return path_; }
    bool Changed() const { return changed_; }
    // "Set up a Logger for function A - /path/job.aua".
    std::string Title() const;
    // What writing the job to the Logger checks it against.
    JobEditorState WriteState() const;

    // A page closed with OK hands its copy back.
    void TakePage(const CMeasurementJob& job);

    // The basic settings page.
    BasicSettings Basic() const;
    PageCheck ApplyBasic(const BasicSettings& page);
    // Designations of the Logger types that offer the function.
    std::vector<std::string> OfferedLoggerTypes() const;
    // The number of intervals a Logger of the designation stores for the function.
    int32_t IntervalCapacity(const std::string& designation) const;
    // "Maximum continuous measurement: ..." for the interval.
    std::string MaxContinuousText(int32_t interval) const;
    // "Current..." and the power averaging list.
    bool CurrentPageEnabled() const;
    bool PowerAveragingShown() const { return Family() == 400; }
    // The frequencies the list offers.
    std::vector<int> OfferedFrequencies() const;

    // "Check type attached": the sensor the Logger reports; false when none answered.
    bool CheckSensor(JobLoggerAccess& logger);

    // Asks question (194 or 1186) when the job has unsaved changes: Yes saves (Save As
    // without a path), No drops, Cancel stops. True when the editor may go on.
    bool ConfirmDiscard(int question);
    // Saves to the job file, or asks for one without; true when the job is saved.
    bool Save();
    bool SaveAs();
    // A job file read with its header checked replaces the job; false leaves everything.
    bool LoadJobFile(const std::string& path);

    // "Open" and "Open old" from the Logger.
    enum class OpenResult { Opened, Refused, Cancelled, Failed };
    OpenResult OpenFromLogger(bool old, JobLoggerAccess& logger);
    // The message that forbids reading the current or old job from the Logger; 0 when none.
    static int LoggerJobRefusal(const CLoggerInfo& info, bool old);

private:
    JobEditor(uint32_t function, const JobEditorContext& context);
    void UseLogger(const CLoggerInfo& info);
    void ChooseType(const std::string& designation);
    void ApplyLoggerOverrides();
    void WarnMissingSensor();
    void MapCurrentRanges();

    uint32_t function_;
    JobEditorContext context_;
    CMeasurementJob job_;
    bool connected_ = false;
    CLoggerInfo logger_;
    std::string typeCode_;
    std::string designation_;
    std::string path_;
    bool changed_ = false;
};

// The nominal frequency and voltage a Logger reports: 60 Hz for frequency code 2, 120 V for
// supply code 2.
int16_t LoggerNominalFrequency(const CLoggerInfo& info);
int16_t LoggerNominalVoltage(const CLoggerInfo& info);
// The device type code of a Logger ("408b"); the first characters of its type text when the
// table does not know it.
std::string LoggerTypeCodeOf(const CLoggerInfo& info);

}  // namespace varelo
