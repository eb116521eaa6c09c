#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "logger/ProtocolDiagnostics.h"
#include "logger/ProtocolSettings.h"

namespace varelo {

class CLoggerLink;
class Settings;
struct CLoggerInfo;
class CMeasurementJob;
class CIntervalRecord;
class CStatisticSegment;
class CEventRecord;
struct MaxNumbers;
struct StatusFields;
struct FirmwareImage;

// Command bytes of the Logger.
namespace cmd {
inline constexpr uint8_t kWakeUp = 0x1B;  // ESC: wake-up / state query
inline constexpr uint8_t kRepeat = 'x';
inline constexpr uint8_t kEndConnection = 'X';
inline constexpr uint8_t kSelectJob = 'J';
}  // namespace cmd

// The command/response engine for one user operation on the Logger: connection, framing,
// retries, job selection and the failure texts with their counters.
class CLoggerProtocol {
public:
    // Connect flags.
    static constexpr unsigned kQuietWakeUp = 1u << 0;
    static constexpr unsigned kJobFunctionFromJob = 1u << 3;
    // Receive flags.
    static constexpr unsigned kQuietLastAttempt = 1u << 0;
    static constexpr unsigned kSingleAttempt = 1u << 2;

    // Connect results.
    static constexpr int kPortNotOpened = -1;
    static constexpr int kNoAnswer = 0;
    static constexpr int kConnected = 1;
    static constexpr int kNotRunningApplication = 2;

    CLoggerProtocol(CLoggerLink& port, Settings& settings, uint16_t jobToSelect = 0);
    ~CLoggerProtocol();
    CLoggerProtocol(const CLoggerProtocol&) = delete;
    CLoggerProtocol& operator=(const CLoggerProtocol&) = delete;

    // Opens the port and wakes the Logger: -1 port not opened, 0 no usable answer,
    // 1 connected and ready, 2 the Logger is in its boot or download mode.
    int Connect(unsigned flags);
    // Connect, and identify the Logger into info: its paragraphs, clamp, capacity and jobs.
    int Connect(CLoggerInfo& info, unsigned flags);
    void EndConnection();

    // Configuration read-outs.
    bool ReadHardware(CLoggerInfo& info);
    bool ReadSoftware(CLoggerInfo& info);
    bool ReadMaxNumbers(MaxNumbers& numbers);
    // Reads a Status paragraph unless one is given, and decodes its count fields.
    bool ReadStatusFields(std::span<const uint8_t> paragraph, StatusFields& fields);
    bool ReadStatus(CLoggerInfo& info, unsigned flags);

    // Measurement function (10 or 3) of the selected job from its job data; 0 on failure.
    uint32_t ReadJobFunction();
    // The selected job with the Logger's report on it: 1, or 0 on failure.
    int ReadMeasurementJob(CMeasurementJob& job);
    // Writes a new job: 1 when the Logger confirmed it with the right test sum, else 0.
    int WriteMeasurementJob(const CMeasurementJob& job);

    // Measurement data, one record per call in the Logger's order: each command delivers the
    // next record of its kind; `number` only labels the read. 1 on success, 0 on failure. An
    // erased interval of a restarted circular memory sets `empty` and leaves record as it was.
    int ReadIntervalP(uint32_t number, CIntervalRecord& record, int firmwareGeneration,
                      bool& empty);
    int ReadIntervalA(uint32_t number, CIntervalRecord& record, bool& empty);
    int ReadStatisticSegment(uint32_t number, CStatisticSegment& segment);
    int ReadEvent(uint32_t number, CEventRecord& event);

    // Firmware download: "B" puts the Logger into its boot download; "W" writes one block of
    // the image from address to memory type 'R' (boot) or 'C' (CPU application); "C" and "c"
    // open and close the CPU flash.
    bool StartBootDownload();
    bool WriteMemory(char type, size_t length, uint32_t address, const FirmwareImage& image);
    bool StartCpuFlash();
    bool FinishCpuFlash();
    // "R": the Logger aborts its job, clears its job and measurement memory and starts its
    // firmware again; true when it answered "+".
    bool Restart();

    int Send(std::span<const uint8_t> bytes, uint32_t preDelayMs);
    int SendByte(uint8_t byte, uint32_t preDelayMs);
    // Receives a fixed-length answer with the retry procedure; count or -1. A time-out of 0
    // means the configured response time.
    int Receive(uint8_t* buffer, size_t count, uint32_t timeoutMs, unsigned flags);
    // Bytes that arrived in the last attempt of the last Receive.
    size_t LastReceivedCount() const;

    bool SelectJob(uint16_t job);
    bool EnsureJob(uint16_t job);
    // Waits with the wait cursor; 0 waits the configured pause between data commands.
    void Pause(uint32_t ms);

    // One command byte; a failure records the text and a transmission error.
    bool SendCommand(uint8_t command, int notTransmittedTextId, uint32_t preDelayMs = 0);
    // A fixed-length answer; a failure records "(%1 instead of %2)" text and a data error.
    bool ReceiveAnswer(uint8_t* buffer, size_t count, int shortAnswerTextId, uint32_t timeoutMs = 0,
                       unsigned flags = 0);

    bool Connected() const { return connected_; }
    uint8_t StateCharacter() const { return stateCharacter_; }
    bool MultiJob() const { return multiJob_; }
    void SetMultiJob(bool on) { multiJob_ = on; }
    bool ExtendedFamily() const { return extendedFamily_; }
    void SetExtendedFamily(bool on) { extendedFamily_ = on; }
    bool SendEndCommand() const { return sendEndCommand_; }
    uint16_t SelectedJob() const { return selectedJob_; }
    uint16_t JobToSelect() const { return jobToSelect_; }
    const ProtocolSettings& Config() const { return config_; }
    // Talks on another port than the configured one (the command line's choice).
    void UsePort(int portNumber) { config_.portNumber = portNumber; }
    void UseBaudRate(std::string baudText) { config_.baudText = std::move(baudText); }
    ProtocolDiagnostics& Diagnostics() { return diagnostics_; }
    const ProtocolDiagnostics& Diagnostics() const { return diagnostics_; }
    CLoggerLink& Port() { return port_; }
    Settings& AppSettings() { return settings_; }

private:
    uint8_t WakeUp(unsigned flags, bool& failed);
    int EvaluateState(uint8_t state, unsigned flags);
    int ConnectAndIdentify(CLoggerInfo* info, unsigned flags);
    bool Identify(CLoggerInfo& info, unsigned flags);
    // A configuration paragraph: command, fixed length, CR LF at its end.
    bool ReadParagraph(uint8_t command, std::span<uint8_t> answer, int notTransmittedId,
                       int shortId, int badEndId);
    bool ReadClamp(CLoggerInfo& info);
    bool ReadOldJobStatus(CLoggerInfo& info, unsigned flags);
    // "Read Measurement Job Data": the 696 bytes and their XOR test sum, checked.
    bool ReadJobBlock(std::span<uint8_t, 697> answer);
    // "m", then "x" until an answer of `answer.size()` bytes passes its XOR test sum.
    bool ReadIntervalAnswer(std::span<uint8_t> answer);
    // A data command with a single answer and its XOR test sum.
    bool ReadCheckedAnswer(uint8_t command, std::span<uint8_t> answer, int firstTextId);

    CLoggerLink& port_;
    Settings& settings_;
    ProtocolSettings config_;
    ProtocolDiagnostics diagnostics_;
    bool connected_ = false;
    bool sendEndCommand_ = true;
    bool extendedFamily_ = false;
    bool multiJob_ = false;
    uint16_t selectedJob_ = 0;
    uint16_t jobToSelect_ = 0;
    uint8_t stateCharacter_ = 0;
};

}  // namespace varelo
