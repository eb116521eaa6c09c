#include "logger/ReadResults.h"

#include <memory>
#include <optional>

#include "app/Settings.h"
#include "app/ShellRules.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "logger/LoggerProtocol.h"
#include "logger/ReadOutDump.h"
#include "logger/ReadOutProgress.h"
#include "logger/SoftwareInformation.h"
#include "measurement/EventRecord.h"
#include "measurement/IntervalRecord.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementFileWriter.h"
#include "measurement/MeasurementJob.h"
#include "measurement/StatisticSegment.h"

namespace varelo {

namespace {

std::string StateNames(unsigned states) {
    static constexpr struct {
        unsigned code;
        int textId;
    } kNames[] = {{kStateApplication, 1005},
                  {kStateBootProgram, 1006},
                  {kStateDownloadProgram, 1007},
                  {kStateTestProgram, 1008}};
    std::string names;
    for (const auto& n : kNames) {
        if (!(states & n.code)) continue;
        if (!names.empty()) names += ", ";
        names += Str(n.textId);
    }
    return names;
}

// Look-ahead within which an empty record means a restarted circular memory.
uint32_t GapLookAhead(uint32_t function) {
    return function == kMeasFuncA ? 528 : 209;
}

bool IsActiveLetter(char letter) {
    return letter == 'A' || letter == 'S' || letter == 'a' || letter == 's';
}

// The message that refuses the read-out for a job-state letter; 0 goes on, -1 stops silently.
int StateRefusal(char letter, uint16_t job, const CLoggerInfo& info) {
    const int onIntervals = info.currentJob.intervalCount >= 1 ? 0 : 1445;
    switch (letter) {
        case 'A':
        case 'S': return job == 0 ? onIntervals : 1098;
        case 'F':
        case 'a':
        case 'f':
        case 's': return job == 0 ? onIntervals : 0;
        case 'v': return job == 0 ? 274 : 0;
        case 'V': return 274;
        case 'K': return 962;
        default: return -1;
    }
}

class ReadOutFile {
public:
    ReadOutFile(std::string path, const CLoggerInfo& info) : path_(std::move(path)), info_(info) {}

    // Starts the file anew: configuration, job and the interval section header. An earlier
    // start is dropped.
    bool Start(const CMeasurementJob& job) {
        writer_ = std::make_unique<CMeasurementFileWriter>(path_);
        if (!writer_->Create()) return false;
        writer_->WriteLoggerInfo(info_);
        writer_->WriteJob(job);
        return true;
    }
    CMeasurementFileWriter& operator*() { return *writer_; }
    CMeasurementFileWriter* operator->() { return writer_.get(); }

private:
    std::string path_;
    const CLoggerInfo& info_;
    std::unique_ptr<CMeasurementFileWriter> writer_;
};

bool ReadIntervals(ReadOutFile& file, const CMeasurementJob& job, ReadOutProgress& progress,
                   CLoggerProtocol& protocol, const CLoggerInfo& info, ReadOutDump* dump) {
    const bool functionA = job.MeasFunc == kMeasFuncA;
    const bool restartPossible =
        (protocol.JobToSelect() == 1 && IsActiveLetter(info.OperatingState)) ||
        (protocol.JobToSelect() == 0 && job.IntervalMemModel == 1);
    const uint32_t lookAhead = GapLookAhead(job.MeasFunc);
    const int generation = info.FirmwareGeneration();
    file->BeginIntervals(job);
    bool gapSeen = false;
    int written = 0;
    for (uint32_t i = 1; i <= job.NrInterval; ++i) {
        if (progress.PumpMessages()) return false;
        CIntervalRecord record;
        bool empty = false;
        const int ok = functionA ? protocol.ReadIntervalA(i, record, empty)
                                 : protocol.ReadIntervalP(i, record, generation, empty);
        if (ok != 1) return false;
        progress.SetIntervalProgress(i);
        if (empty) {
            if (restartPossible && i - 1 < lookAhead) gapSeen = true;
            continue;
        }
        if (gapSeen) {
            // The memory restarted: what came before the gap belongs to an older round.
            gapSeen = false;
            CMeasurementJob remaining = job;
            remaining.NrInterval = job.NrInterval - (i - 1);
            if (!file.Start(remaining)) return false;
            file->BeginIntervals(remaining);
            written = 0;
        }
        file->WriteInterval(record, written++);
        if (dump) dump->Interval(int(i), record, functionA);
    }
    file->EndIntervals();
    return true;
}

}  // namespace

std::string FunctionAbortedText(unsigned currentState, unsigned requiredStates) {
    return "The connected Logger does not have the correct state to perform the selected "
           "function.\nThe current state of the Logger is " +
           StateNames(currentState) + ".\nTo perform this command, the Logger must be in " +
           StateNames(requiredStates) + ".";
}

bool SaveReadOut(const std::string& path, ReadOutProgress& progress, CLoggerProtocol& protocol,
                 const CLoggerInfo& info, bool writeDumps) {
    CMeasurementJob job;
    if (protocol.ReadMeasurementJob(job) != 1) return false;
    ReadOutFile file(path, info);
    if (!file.Start(job)) return false;
    if (progress.PumpMessages()) return false;
    const long events = long(job.EventReady) + long(job.EventOpen);
    progress.SetRanges(long(job.NrInterval), job.NrStat, events);
    std::optional<ReadOutDump> dump;
    if (writeDumps) dump.emplace(ReadOutDump::BaseName(path));
    ReadOutDump* dumps = dump ? &*dump : nullptr;

    if (!ReadIntervals(file, job, progress, protocol, info, dumps)) return false;

    file->BeginStatistics();
    for (int i = 1; i <= job.NrStat; ++i) {
        if (progress.PumpMessages()) return false;
        CStatisticSegment segment;
        if (protocol.ReadStatisticSegment(uint32_t(i), segment) != 1) return false;
        progress.SetStatisticProgress(i);
        file->WriteStatistic(segment, i - 1);
        if (dumps) dumps->Statistic(i, segment);
    }
    file->EndStatistics();

    file->BeginEvents();
    for (long i = 1; i <= events; ++i) {
        if (progress.PumpMessages()) return false;
        CEventRecord event;
        if (protocol.ReadEvent(uint32_t(i), event) != 1) return false;
        progress.SetEventProgress(i);
        file->WriteEvent(event, int(i - 1));
        if (dumps) dumps->Event(int(i), event);
    }
    file->EndEvents();
    return file->Close();
}

ReadResultsOutcome ReadResults(CLoggerLink& port, Settings& settings, UserInterface& ui,
                               uint16_t job,
                               const std::function<void(CLoggerProtocol&)>& configure) {
    ReadResultsOutcome outcome;
    CLoggerProtocol protocol(port, settings, job);
    if (configure) configure(protocol);
    CLoggerInfo info;
    int result = 0;
    {
        WaitCursor wait(ui);
        result = protocol.Connect(
            info, CLoggerProtocol::kQuietWakeUp | CLoggerProtocol::kJobFunctionFromJob);
        protocol.EndConnection();
    }
    outcome.diagnostics = protocol.Diagnostics();
    // A Logger in its boot program cannot be identified either; only the transfer's own
    // connection names the state it found.
    if (result != CLoggerProtocol::kConnected) {
        ui.ShowMessage(322, Str(322), MessageIcon::Warning);
        return outcome;
    }
    if (info.MeasurementFunction() != kMeasFuncA || info.DeviceFamily() == 300) {
        ui.ShowMessage(1089, Str(1089), MessageIcon::Stop);
        return outcome;
    }
    const int refusal = StateRefusal(info.OperatingState, job, info);
    if (refusal < 0) return outcome;
    if (refusal > 0) {
        ui.ShowMessage(refusal, Str(refusal), MessageIcon::Information);
        return outcome;
    }
    // A mismatch is only worth the message; the data can be read all the same.
    SoftwareInformation(info, ui).CheckFirmwareCompatibility(kMeasFuncA, -1, -1);

    const bool functionA = info.jobFunction[job] == kMeasFuncA;
    std::string path;
    if (!ui.ChooseSaveFile(Msg(343, {functionA ? "A" : "P"}), Str(functionA ? 1024 : 1031), "VXM",
                           settings.ReadString(setting::SavePathMeasurementfile), path))
        return outcome;
    RememberMeasurementFolder(settings, path);

    ReadOutProgress progress(ui);
    info = CLoggerInfo{};
    result = protocol.Connect(info, 0);
    if (result == CLoggerProtocol::kNotRunningApplication) {
        ui.ShowMessage(kFunctionAbortedDialog,
                       FunctionAbortedText(kStateBootProgram, kStateApplication),
                       MessageIcon::Stop);
    } else if (result == CLoggerProtocol::kConnected) {
        const bool saved = SaveReadOut(path, progress, protocol, info,
                                       settings.ReadInt(setting::StoreKELVAROdata) != 0);
        outcome.transferFailed = !saved;
        if (saved) outcome.path = path;
    } else {
        outcome.transferFailed = true;
    }
    protocol.EndConnection();
    outcome.diagnostics = protocol.Diagnostics();
    return outcome;
}

}  // namespace varelo
