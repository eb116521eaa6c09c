#pragma once

#include <memory>
#include <string>
#include <vector>

#include "evaluation/CumulativeFrequency.h"
#include "evaluation/EvaluatedMeasurement.h"
#include "evaluation/EvaluationResult.h"
#include "evaluation/LimitValues.h"
#include "measurement/EvaluationPeriod.h"
#include "measurement/ExtremeValues.h"
#include "measurement/MeasurementFile.h"
#include "measurement/QuantityCatalogue.h"
#include "measurement/StatusCounts.h"
#include "timeplot/ReferenceRanges.h"

namespace varelo {

class AppOptions;
struct MeasurementTexts;
class COnlineSession;
class Settings;
class UserInterface;

// The one open measurement: the file's records within the evaluation period, the limits it is
// evaluated against and the results of that evaluation. Views and exports read from it.
class CVamor800Doc {
public:
    CVamor800Doc(Settings& settings, UserInterface& ui, AppOptions& options);
    ~CVamor800Doc();
    CVamor800Doc(CVamor800Doc&&) noexcept;

    // Loads a measurement file; false (and an empty document) when anything fails, after the
    // failure's message was shown.
    bool OpenFile(const std::string& path);
    // Takes the limits from this file instead of the one the settings name.
    void SetLimitFileOverride(std::string path) { limitFileOverride_ = std::move(path); }
    void ClearContents();
    bool IsLoaded() const { return loaded_; }

    // Evaluates anew: everything, or after a limit change only what depends on the limits.
    void Reevaluate(bool fullRebuild);
    // Loads the limit file again; when that works, reclassifies the events, re-evaluates
    // and returns true. A failed load keeps the previous limits and results.
    bool ReloadLimits(bool fullRebuild);
    void ComputeExtremes();
    // Recomputes the THD values of every interval after the THD order option changed.
    void RecomputeThd(int thdOrder);

    // The file's folder with its final slash, or the full path.
    std::string FilePath(bool withFileName) const;
    // Seconds per interval: the job's interval, or the online interval.
    int GetIntervalLength() const;
    bool IsCommandEnabled(int commandId) const;

    const MeasurementData& Data() const { return data_; }
    const CLimitValues& Limits() const { return limits_; }
    const CEvaluationResult& Evaluation() const { return evaluation_; }
    const ExtremeValueTable& Extremes() const { return extremes_; }
    // A channel's smallest and largest value over the evaluation period; single quantities
    // are found by their bare identifier too. False when there are none.
    bool ChannelExtremes(int channelId, double& minimum, double& maximum) const;
    const MeasurementStatusCounts& StatusCounts() const { return statusCounts_; }
    // The counts when they were made for this document (on loading a file), else nullptr.
    const MeasurementStatusCounts* CountsIfMade() const {
        return statusCounts_.counted ? &statusCounts_ : nullptr;
    }
    // The job's six captions and texts; the information dialog changes them.
    void SetJobTexts(const MeasurementTexts& texts);
    const EvaluationPeriod& Period() const { return period_; }
    // The limit value level file the limits came from.
    const std::string& LimitFilePath() const { return limitFilePath_; }
    // What the summaries read of the evaluated measurement.
    EvaluatedMeasurement Evaluated() const {
        return {data_.job, data_.intervals.Scaling(), limits_, limitFilePath_, evaluation_};
    }
    int FileVersion() const { return data_.fileVersion; }
    // 'A' for function A, 'P' for function P, '\0' otherwise.
    char MeasurementLetter() const;
    bool IsOnline() const { return online_; }

    // An online document over a connected Logger: the limits, the Logger's current job and
    // its scaling. False, with the connection ended and the document empty, when the limits
    // or the job cannot be read.
    bool OpenOnline(std::unique_ptr<COnlineSession> session);
    // One poll: the record of the second just ended, appended (with one missed poll filled
    // in) to the list that keeps the last 1000; false, quietly, when the poll failed.
    bool ReadOnlineRecord(CIntervalRecord& record);
    // A new connection after failed polls.
    void RestartOnline();
    COnlineSession* OnlineSession() { return session_.get(); }
    // What the document offers, for views and channel choices.
    AvailabilityContext Availability() const;
    // Long-term flicker of an interval, for the Plt channels.
    PltProvider Plt() const;
    // The fixed references of a channel's scales: what the Logger could record of it with this
    // job, and its nominal value. A quantity without a range leaves begin and end as they were.
    void MeasuringRange(int channelId, double& begin, double& end) const;
    double NominalValue(int channelId) const;
    // The channels a new level-time diagram (or value list) takes from the command that opens
    // it, with the time it starts at; the new window takes the list once.
    void HandOverChannels(std::vector<int> channels, const CTimeStamp& start, bool useList);
    bool UsesChannelList() const { return useChannelList_; }
    // Level-time mode: a new timeplot takes the handed-over list (or the manual channel
    // selection) when on, an application's channels when off.
    void SetUsesChannelList(bool on) { useChannelList_ = on; }
    std::vector<int> TakeChannelList();
    const CTimeStamp& ChannelListStart() const { return channelListStart_; }
    // The channels and first time a new measurement value list takes from the level-time
    // diagram's command; the list reads them once, which clears them.
    void SetValueListChannels(std::vector<int> channels, const CTimeStamp& start);
    struct ValueListHandOver {
        std::vector<int> channels;
        CTimeStamp start;
    };
    ValueListHandOver TakeValueListChannels();
    // Decimals of a channel's written values by its measuring range (ValueDecimals).
    int ChannelDecimals(int channelId) const;
    // What the cumulative frequency views read of this measurement.
    CumulativeInput CumulativeFrequencyInput() const;

private:
    ReferenceInputs References() const;
    bool LoadLimits();
    bool ReadMeasurement(const std::string& path);
    void ApplyEvaluationPeriod();
    void PrepareRecords();
    void CheckEn50160Period();
    void CheckFirstInterval();
    bool FirstGapExplainedBySection() const;

    std::vector<int> channelList_;
    ValueListHandOver valueList_;
    CTimeStamp channelListStart_;
    bool useChannelList_ = false;
    Settings& settings_;
    UserInterface& ui_;
    AppOptions& options_;
    MeasurementData data_;
    CLimitValues limits_;
    CEvaluationResult evaluation_;
    ExtremeValueTable extremes_;
    MeasurementStatusCounts statusCounts_;
    EvaluationPeriod period_;
    std::string path_;
    std::string limitFilePath_;
    std::string limitFileOverride_;
    bool loaded_ = false;
    bool online_ = false;
    std::unique_ptr<COnlineSession> session_;
    int onlineIntervalMs_ = 1000;
};

}  // namespace varelo
