#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "measurement/LoggerInfo.h"
#include "measurement/TimeStamp.h"

namespace varelo {

class CLoggerLink;
class CLoggerProtocol;
class CMeasurementJob;
class SaveDataProgress;
class Settings;

// What the job editor was opened for: a Logger of the extended family and its clamp.
struct JobEditorState {
    bool extendedFamily = false;
    uint8_t clampId = 0;
};

// The clock dialog's question and answer: the Logger's clock shown, then either the PC clock
// or the picked date and time.
struct LoggerClockChoice {
    CTimeStamp loggerTime;
    bool usePcClock = false;
    CTimeStamp picked;
};

// The title and the lines of the old boot program dialogs (137: version 1.00, informs; 138:
// version 1.10, asks).
struct OldBootProgramText {
    std::string title;
    std::vector<std::string> lines;
};
OldBootProgramText OldBootProgramDialog(int dialogId);

// The earliest time the clock dialog offers: the Logger's two-digit year reads 70 to 81 as
// 2070 to 2081, so earlier years would come back wrong.
CTimeStamp EarliestLoggerClock();
// The latest: the end of the PC's 32-bit calendar time, less a day.
CTimeStamp LatestLoggerClock();

// How an operation on the Logger ended: done, refused (by the Logger's state or the person's
// answer, after saying so), or failed (no Logger, or a command that went wrong).
enum class OperationResult { Done, Refused, Failed };

// "Z": sets the Logger clock. The Logger confirms with the sum of the seven data bytes.
bool WriteDateTime(CLoggerProtocol& protocol, const CTimeStamp& time);
// "K": sets the designation, cut to 20 bytes at a character boundary and padded with blanks.
// The Logger confirms with the XOR of the twenty bytes.
bool WriteDesignation(CLoggerProtocol& protocol, const std::string& text);
// The seven data bytes of "Z" and the twenty of "K".
std::array<uint8_t, 7> DateTimeBytes(const CTimeStamp& time);
std::array<uint8_t, 20> DesignationBytes(const std::string& text);

// The housekeeping commands of a connected Logger: stop the measurement, set the clock and
// the designation, show its information. Each identifies the Logger first, asks before data
// would be lost, and ends its connection before it returns.
class COnlineSession;

class CLoggerOperations {
public:
    using Configure = std::function<void(CLoggerProtocol&)>;

    // configure adjusts each new protocol (port, baud rate) before it connects.
    CLoggerOperations(CLoggerLink& link, Settings& settings, Configure configure = {});

    OperationResult StopMeasurement();
    OperationResult SetDateTime();
    OperationResult SetDesignation();
    OperationResult ShowLoggerInformation();
    // Writes the edited job, updating the Logger's firmware first where the job's function or
    // the firmware packages require it.
    OperationResult WriteJobToLogger(const CMeasurementJob& job, const JobEditorState& editor);

    // The job editor's identification of the Logger: its info (none after 322) and whether its
    // firmware package runs function A; an accepted Logger of the extended family has its
    // firmware checked against the function, which only informs.
    struct JobIdentity {
        CLoggerInfo info;
        bool supportsFunction = false;
    };
    std::optional<JobIdentity> IdentifyForJob(uint32_t function);
    // Reads the current (or old) job when refusal(info) gives 0; a refusal's message is the
    // caller's. Failed also when no Logger answered (322 shown).
    using JobRefusal = std::function<int(const CLoggerInfo&)>;
    OperationResult ReadJobForEditor(bool old, const JobRefusal& refusal, CMeasurementJob& job,
                                     CLoggerInfo& info);

    // Identifies the Logger into info and, where its state means data would be lost, asks and
    // restarts it (clearing its jobs). A protocol to reconnect with, or none with the reason.
    struct Confirmed {
        std::unique_ptr<CLoggerProtocol> protocol;
        OperationResult result = OperationResult::Done;
    };
    Confirmed ConfirmClearLogger(CLoggerInfo& info, bool defaultSecond);

    // Where the firmware packages lie, when not in the data folder.
    void UseFirmwareFolder(std::string folder) { firmwareFolder_ = std::move(folder); }

    // Connects for online data and keeps the connection: none, after its message, when no
    // Logger answers (322), it holds no job (1097) or cannot send online records (1089).
    std::unique_ptr<COnlineSession> StartOnline();

    // The PC's local time just after its second changed.
    CTimeStamp NextPcSecond();

private:
    std::unique_ptr<CLoggerProtocol> NewProtocol();
    // The first identification of an operation: a connected protocol, or none after 322.
    std::unique_ptr<CLoggerProtocol> ConnectStep(CLoggerInfo& info, unsigned flags);

    // The steps of WriteJobToLogger (in LoggerJobWrite.cpp).
    OperationResult RefuseJobWrite(const CMeasurementJob& job, const JobEditorState& editor,
                                   const CLoggerInfo& info);
    enum class FirmwareNeed { None, Update, Refused };
    FirmwareNeed DecideFirmwareUpdate(const CLoggerInfo& info, bool& bootUpdate, bool& appUpdate);
    bool UpdateFirmware(CLoggerProtocol& protocol, SaveDataProgress& window,
                        const CLoggerInfo& info, int frequencyCode);
    bool WriteJob(CLoggerProtocol& protocol, const CMeasurementJob& job, CLoggerInfo& info,
                  SaveDataProgress* window);

    CLoggerLink& link_;
    Settings& settings_;
    Configure configure_;
    std::string firmwareFolder_;
};

}  // namespace varelo
