// Writing a job to the Logger: the refusals, the firmware update the job needs, and the write.
#include <memory>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "logger/FirmwareDownload.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerOperations.h"
#include "logger/LoggerProtocol.h"
#include "logger/SaveDataProgress.h"
#include "logger/SoftwareInformation.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr int kBootProgram100Dialog = 137;
constexpr int kBootProgram110Dialog = 138;
constexpr long kJobBytes = 675;
constexpr uint32_t kAfterWriteMs = 500;
constexpr long long kClockLeadSeconds = 4;
// The function A firmware also runs function P jobs.
constexpr uint32_t kFirmwareFunction = kMeasFuncA;

// The question before the job replaces what the Logger holds, by its job-state letter.
int ReplaceQuestion(char letter) {
    switch (letter) {
        case 'A':
        case 'S':
        case 'a':
        case 's': return 298;
        case 'F':
        case 'f': return 317;
        case 'V':
        case 'v': return 318;
        default: return 0;
    }
}

bool FunctionsDiffer(const CLoggerInfo& info, uint32_t function) {
    const int jobs = JobClass(info.OperatingState);
    for (int i = 0; i < jobs && i < int(info.jobFunction.size()); ++i)
        if (info.jobFunction[size_t(i)] != function) return true;
    return false;
}

}  // namespace

OldBootProgramText OldBootProgramDialog(int dialogId) {
    if (dialogId == kBootProgram100Dialog)
        return {"Logger - Boot program 1.00",
                {"The connected Logger runs with an older boot program (version 1.00) that does "
                 "not allow downloading.",
                 "You must upgrade the Logger. See user manual for information."}};
    return {"Logger - Boot program 1.10",
            {"The connected Logger has an old boot program (version 1.10).",
             "To download successfully, the Logger must be directly connected to the PC using an "
             "interface cable.",
             "Irrespective of the current setting, this type of download is always performed "
             "using 9600 baud.",
             "Click on Yes if the Logger is directly connected to the PC and if you want to "
             "download now.",
             "Click on No if you do not want to download now."}};
}

OperationResult CLoggerOperations::RefuseJobWrite(const CMeasurementJob& job,
                                                  const JobEditorState& editor,
                                                  const CLoggerInfo& info) {
    UserInterface& ui = link_.Ui();
    if (editor.extendedFamily && info.ClampId != editor.clampId) {
        ui.ShowMessage(282, Str(282), MessageIcon::Stop);
        return OperationResult::Refused;
    }
    if (job.JobType == kJobTimeActivated && info.InstrTime > job.ProgStartMeas &&
        ui.Ask({319, Str(319)}) != Answer::Yes)
        return OperationResult::Refused;
    if (const int question = ReplaceQuestion(info.OperatingState);
        question != 0 && ui.Ask({question, Str(question)}) != Answer::Yes)
        return OperationResult::Refused;
    if (job.PowSysNomFreq != 50 && job.PowSysNomFreq != 60) {
        ui.ShowMessage(785, Msg(785, {std::to_string(job.PowSysNomFreq)}), MessageIcon::Warning);
        return OperationResult::Refused;
    }
    if (job.PowSysNomVolt != 230 && job.PowSysNomVolt != 120) {
        ui.ShowMessage(786, Msg(786, {std::to_string(job.PowSysNomVolt)}), MessageIcon::Warning);
        return OperationResult::Refused;
    }
    return OperationResult::Done;
}

CLoggerOperations::FirmwareNeed CLoggerOperations::DecideFirmwareUpdate(const CLoggerInfo& info,
                                                                        bool& bootUpdate,
                                                                        bool& appUpdate) {
    UserInterface& ui = link_.Ui();
    SoftwareInformation software(info, ui, firmwareFolder_);
    if (!software.SupportsMeasurementFunction(kFirmwareFunction, -1, -1)) {
        ui.ShowMessage(776, Str(776), MessageIcon::Warning);
        return FirmwareNeed::Refused;
    }
    const std::string boot = software.BootProgramVersion();
    if (boot.empty()) return FirmwareNeed::Refused;
    const double loggerBoot = VersionNumber(info.VersionBoot);
    if (loggerBoot == 1.00) {
        ui.AskOldBootProgram(kBootProgram100Dialog);
        return FirmwareNeed::Refused;
    }
    if (loggerBoot == 1.10) {
        if (!ui.AskOldBootProgram(kBootProgram110Dialog)) return FirmwareNeed::Refused;
        settings_.Write(setting::BaudRate, std::string("19200"));
    }
    bootUpdate = VersionNumber(boot) > loggerBoot;
    appUpdate = false;
    if (!bootUpdate && info.MeasurementFunction() == kFirmwareFunction) {
        const std::string cpu = software.CpuApplicationVersion(kFirmwareFunction, -1, -1);
        if (cpu.empty()) return FirmwareNeed::Refused;
        appUpdate = VersionNumber(cpu) > VersionNumber(info.VersionCPU);
        if (!appUpdate) {
            const std::string dsp = software.DspApplicationVersion(kFirmwareFunction, -1, -1);
            if (dsp.empty()) return FirmwareNeed::Refused;
            appUpdate = VersionNumber(dsp) > VersionNumber(info.VersionDSP);
        }
    } else if (!bootUpdate) {
        appUpdate = true;
    }
    return bootUpdate || appUpdate ? FirmwareNeed::Update : FirmwareNeed::None;
}

bool CLoggerOperations::UpdateFirmware(CLoggerProtocol& protocol, SaveDataProgress& window,
                                       const CLoggerInfo& info, int frequencyCode) {
    window.SetJobRange(kJobBytes);
    FirmwareDownload download(protocol, window, info, link_.Ui(), firmwareFolder_);
    // The counting passes size the bar so that the real ones show a true percentage.
    return download.DownloadBootProgram(true) &&
           download.DownloadApplication(kFirmwareFunction, true, frequencyCode) &&
           download.DownloadBootProgram(false) &&
           download.DownloadApplication(kFirmwareFunction, false, frequencyCode);
}

bool CLoggerOperations::WriteJob(CLoggerProtocol& protocol, const CMeasurementJob& job,
                                 CLoggerInfo& info, SaveDataProgress* window) {
    UserInterface& ui = link_.Ui();
    protocol.Connect(0);
    if (protocol.Connect(info, 0) != CLoggerProtocol::kConnected) {
        ui.ShowMessage(811, Str(811), MessageIcon::Stop);
        protocol.EndConnection();
        return false;
    }
    if (info.MeasurementFunction() != kFirmwareFunction) {
        ui.ShowMessage(809, Str(809), MessageIcon::Stop);
        protocol.EndConnection();
        return false;
    }
    if (settings_.ReadInt(setting::AutoTimeSync) == 1) {
        ui.SetStatusText(Str(1201));
        CTimeStamp time = NextPcSecond();
        time.AddSeconds(kClockLeadSeconds);
        WriteDateTime(protocol, time);
        ui.SetStatusText(Str(57345));
    }
    if (window) window->SetJobPosition(kJobBytes / 2);
    // Firmware before generation 1 knows only the function A job.
    CMeasurementJob written = job;
    if (job.MeasFunc == kMeasFuncP && info.FirmwareGeneration() < 1) written.MeasFunc = kMeasFuncA;
    const bool ok = protocol.WriteMeasurementJob(written) == 1;
    protocol.EndConnection();
    if (window) window->SetJobPosition(kJobBytes);
    protocol.Pause(kAfterWriteMs);
    ui.ShowMessage(ok ? 248 : 372, Str(ok ? 248 : 372), MessageIcon::None);
    return ok;
}

OperationResult CLoggerOperations::WriteJobToLogger(const CMeasurementJob& job,
                                                    const JobEditorState& editor) {
    UserInterface& ui = link_.Ui();
    WaitCursor wait(ui);
    CLoggerInfo info;
    std::unique_ptr<CLoggerProtocol> protocol =
        ConnectStep(info, CLoggerProtocol::kJobFunctionFromJob);
    if (!protocol) return OperationResult::Failed;
    const bool functionsDiffer = FunctionsDiffer(info, job.MeasFunc);
    protocol->EndConnection();

    if (OperationResult refused = RefuseJobWrite(job, editor, info);
        refused != OperationResult::Done)
        return refused;
    bool bootUpdate = false;
    bool appUpdate = false;
    const FirmwareNeed need = DecideFirmwareUpdate(info, bootUpdate, appUpdate);
    if (need == FirmwareNeed::Refused) return OperationResult::Refused;

    if (functionsDiffer || need == FirmwareNeed::Update) {
        const bool restarted =
            protocol->Connect(0) == CLoggerProtocol::kConnected && protocol->Restart();
        protocol->EndConnection();
        if (!restarted) return OperationResult::Failed;
    }
    std::unique_ptr<SaveDataProgress> window;
    if (need == FirmwareNeed::Update) {
        window = std::make_unique<SaveDataProgress>(ui);
        if (!UpdateFirmware(*protocol, *window, info, job.PowSysNomFreq == 60 ? 2 : 1))
            return OperationResult::Failed;
    }
    return WriteJob(*protocol, job, info, window.get()) ? OperationResult::Done
                                                        : OperationResult::Failed;
}

}  // namespace varelo
