#include "logger/OnlineSession.h"

#include <array>
#include <vector>

#include "app/StringTable.h"
#include "logger/IntervalWireFormat.h"
#include "logger/TestSum.h"
#include "platform/Clock.h"

namespace varelo {

namespace {

constexpr int kNotTransmitted = 507;
constexpr int kTooShort = 508;
constexpr int kBadTestSum = 509;

}  // namespace

COnlineSession::COnlineSession(std::unique_ptr<CLoggerProtocol> protocol, const CLoggerInfo& info,
                               Clock& clock)
    : protocol_(std::move(protocol)), info_(info), clock_(clock) {
    const std::time_t logger = info.InstrTime.ToCalendarTime();
    if (logger != -1) clockOffset_ = static_cast<long long>(logger) - clock_.Now();
}

COnlineSession::~COnlineSession() {
    if (protocol_ && protocol_->Connected()) protocol_->EndConnection();
}

CTimeStamp COnlineSession::LoggerNow() const {
    return CTimeStamp::FromCalendarTime(static_cast<std::time_t>(clock_.Now() + clockOffset_));
}

bool COnlineSession::Poll(char letter, CIntervalRecord& record) {
    const size_t data = letter == 'A' ? kIntervalADataSize : kIntervalPDataSize;
    std::vector<uint8_t> answer(data + 1);
    ProtocolDiagnostics& diagnostics = protocol_->Diagnostics();
    if (!protocol_->SendCommand(kOnlineCommand, kNotTransmitted)) return false;
    const unsigned flags = CLoggerProtocol::kQuietLastAttempt | CLoggerProtocol::kSingleAttempt;
    if (protocol_->Receive(answer.data(), answer.size(), kPollTimeoutMs, flags) !=
        static_cast<int>(answer.size())) {
        diagnostics.DataError(Msg(kTooShort, {std::to_string(answer.size()),
                                              std::to_string(protocol_->LastReceivedCount())}));
        return false;
    }
    const uint8_t computed = XorTestSum(std::span<const uint8_t>(answer.data(), data));
    if (computed != answer[data]) {
        diagnostics.DataError(
            Msg(kBadTestSum, {std::to_string(answer[data]), std::to_string(computed)}));
        return false;
    }
    record = CIntervalRecord();
    return letter == 'A'
               ? DecodeIntervalA(answer, record, true, diagnostics)
               : DecodeIntervalP(answer, record, true, info_.FirmwareGeneration(), diagnostics);
}

void COnlineSession::Restart() {
    protocol_->Pause(kRestartPauseMs);
    protocol_->Connect(CLoggerProtocol::kQuietWakeUp);
}

void COnlineSession::Suspend() {
    protocol_->EndConnection();
}

bool COnlineSession::Resume() {
    return protocol_->Connect(0) == CLoggerProtocol::kConnected;
}

}  // namespace varelo
