#include "logger/LoggerProtocol.h"

#include <string_view>

#include "app/PortNaming.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "logger/LoggerLink.h"

namespace varelo {

namespace {

constexpr int kWakeUpAttempts = 3;
constexpr uint32_t kWakeUpPreDelayMs = 10;
constexpr uint32_t kWakeUpRetryPauseMs = 5200;
constexpr uint32_t kRetryByteDelayMs = 100;
constexpr uint32_t kRetryTimeoutStepMs = 1000;
constexpr uint32_t kRetryTimeoutGrowthLimitMs = 9000;
constexpr uint32_t kAfterEndMs = 100;
constexpr int kMaxAttempts = 8;
constexpr size_t kSingleAttemptMaxLength = 16;

// State characters that end the wake-up attempts.
constexpr std::string_view kStateCharacters = "+?P*>$#";

}  // namespace

CLoggerProtocol::CLoggerProtocol(CLoggerLink& port, Settings& settings, uint16_t jobToSelect)
    : port_(port),
      settings_(settings),
      config_(ProtocolSettings::Read(settings)),
      jobToSelect_(jobToSelect) {}

CLoggerProtocol::~CLoggerProtocol() {
    EndConnection();
}

int CLoggerProtocol::Send(std::span<const uint8_t> bytes, uint32_t preDelayMs) {
    return port_.Transmit(bytes.data(), bytes.size(), preDelayMs);
}

int CLoggerProtocol::SendByte(uint8_t byte, uint32_t preDelayMs) {
    return Send(std::span<const uint8_t>(&byte, 1), preDelayMs);
}

int CLoggerProtocol::Receive(uint8_t* buffer, size_t count, uint32_t timeoutMs, unsigned flags) {
    int attempts = count <= kSingleAttemptMaxLength || (flags & kSingleAttempt) ? 1 : kMaxAttempts;
    uint32_t timeout = timeoutMs != 0 ? timeoutMs : config_.maxResponseTime;
    for (int attempt = 1;; ++attempt) {
        bool last = attempt == attempts;
        bool quiet = !last || (flags & kQuietLastAttempt);
        if (port_.ReceiveExact(buffer, count, timeout, quiet,
                               diagnostics_.transmissionErrorCount) == static_cast<int>(count))
            return static_cast<int>(count);
        if (last) return -1;
        // ESC abandons what the Logger was sending; "x" makes it send its last answer again.
        if (SendByte(cmd::kWakeUp, kRetryByteDelayMs) < 0) return -1;
        if (SendByte(cmd::kRepeat, kRetryByteDelayMs) < 0) return -1;
        if (timeout < kRetryTimeoutGrowthLimitMs) timeout += kRetryTimeoutStepMs;
    }
}

size_t CLoggerProtocol::LastReceivedCount() const {
    return port_.LastReceivedCount();
}

bool CLoggerProtocol::SendCommand(uint8_t command, int notTransmittedTextId, uint32_t preDelayMs) {
    if (SendByte(command, preDelayMs) > 0) return true;
    diagnostics_.TransmissionError(Str(notTransmittedTextId));
    return false;
}

bool CLoggerProtocol::ReceiveAnswer(uint8_t* buffer, size_t count, int shortAnswerTextId,
                                    uint32_t timeoutMs, unsigned flags) {
    if (Receive(buffer, count, timeoutMs, flags) == static_cast<int>(count)) return true;
    diagnostics_.DataError(
        Msg(shortAnswerTextId, {std::to_string(LastReceivedCount()), std::to_string(count)}));
    return false;
}

uint8_t CLoggerProtocol::WakeUp(unsigned flags, bool& failed) {
    uint8_t state = 0;
    failed = false;
    for (int attempt = 0; attempt < kWakeUpAttempts; ++attempt) {
        if (attempt > 0) {
            WaitCursor wait(port_.Ui());
            port_.GetClock().Sleep(kWakeUpRetryPauseMs);
        }
        if (SendByte(cmd::kWakeUp, kWakeUpPreDelayMs) < 0 ||
            Receive(&state, 1, 0, (flags & kQuietWakeUp) ? kQuietLastAttempt : 0) < 0) {
            failed = true;
            return 0;
        }
        if (kStateCharacters.find(char(state)) != std::string_view::npos) break;
        // Any other byte is noise on the line and uses up this attempt.
    }
    return state;
}

int CLoggerProtocol::EvaluateState(uint8_t state, unsigned flags) {
    switch (state) {
        case '+': connected_ = true; return kConnected;
        case '?':
        case 'P': return kNotRunningApplication;
        case '$':
        case '*':
        case '>':
            if (flags & kQuietWakeUp) {
                // Busy in a state that takes no commands, not even the end of the connection.
                sendEndCommand_ = false;
                extendedFamily_ = false;
                return kNoAnswer;
            }
            break;
        default: break;
    }
    diagnostics_.DataError(Msg(376, {std::string(1, char(state))}));
    return kNoAnswer;
}

int CLoggerProtocol::Connect(unsigned flags) {
    return ConnectAndIdentify(nullptr, flags);
}

int CLoggerProtocol::Connect(CLoggerInfo& info, unsigned flags) {
    return ConnectAndIdentify(&info, flags);
}

int CLoggerProtocol::ConnectAndIdentify(CLoggerInfo* info, unsigned flags) {
    connected_ = false;
    if (!port_.Open(PortLabel(config_.portNumber), config_.baudText, false)) return kPortNotOpened;
    port_.WaitAfterOpen();
    bool failed = false;
    stateCharacter_ = WakeUp(flags, failed);
    if (failed) return kNoAnswer;
    int result = EvaluateState(stateCharacter_, flags);
    if (result != kConnected) return result;
    if (info && !Identify(*info, flags)) return kNoAnswer;
    if (jobToSelect_ != 0 && !SelectJob(jobToSelect_)) return kNoAnswer;
    return kConnected;
}

void CLoggerProtocol::EndConnection() {
    if (!connected_) return;
    connected_ = false;
    if (sendEndCommand_ || extendedFamily_) {
        SendByte(cmd::kEndConnection, 0);
        WaitCursor wait(port_.Ui());
        port_.GetClock().Sleep(kAfterEndMs);
    }
}

bool CLoggerProtocol::SelectJob(uint16_t job) {
    if (!multiJob_) {
        selectedJob_ = job;  // a single-job Logger has nothing to select
        return true;
    }
    const uint8_t block[] = {cmd::kSelectJob, static_cast<uint8_t>(job)};
    if (Send(block, 0) < 0) {
        diagnostics_.TransmissionError(Str(426));
        return false;
    }
    uint8_t answer = 0;  // its value carries no meaning
    if (Receive(&answer, 1, 0, 0) < 0) {
        ++diagnostics_.transmissionErrorCount;
        return false;
    }
    selectedJob_ = job;
    return true;
}

bool CLoggerProtocol::EnsureJob(uint16_t job) {
    return selectedJob_ == job || SelectJob(job);
}

void CLoggerProtocol::Pause(uint32_t ms) {
    uint32_t wait = ms != 0 ? ms : config_.commandDelayData;
    if (wait == 0) return;
    WaitCursor cursor(port_.Ui());
    port_.GetClock().Sleep(wait);
}

}  // namespace varelo
