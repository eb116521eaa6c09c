#pragma once

#include <cstdint>
#include <ctime>
#include <memory>

#include "logger/LoggerProtocol.h"
#include "measurement/IntervalRecord.h"
#include "measurement/LoggerInfo.h"

namespace varelo {

class Clock;

// The open connection of an online document: the Logger polled once a second for the values
// of the second that just ended. The connection ends with the session.
class COnlineSession {
public:
    static constexpr uint8_t kOnlineCommand = 'O';
    static constexpr uint32_t kPollTimeoutMs = 1200;
    static constexpr uint32_t kRestartPauseMs = 5000;

    COnlineSession(std::unique_ptr<CLoggerProtocol> protocol, const CLoggerInfo& info,
                   Clock& clock);
    ~COnlineSession();
    COnlineSession(const COnlineSession&) = delete;
    COnlineSession& operator=(const COnlineSession&) = delete;

    // One poll: the record of the current second in the layout of the letter ('A' or 'P');
    // false, quietly, when the answer is missing, short or fails its test sum.
    bool Poll(char letter, CIntervalRecord& record);
    // After failed polls: a pause, then a new connection without identification.
    void Restart();
    // Ends the connection while the person chooses curves, and takes it up again.
    void Suspend();
    bool Resume();

    // The Logger's time now: the PC's clock moved by the offset found on connecting.
    CTimeStamp LoggerNow() const;
    long long ClockOffset() const { return clockOffset_; }
    const CLoggerInfo& Info() const { return info_; }
    CLoggerProtocol& Protocol() { return *protocol_; }

private:
    std::unique_ptr<CLoggerProtocol> protocol_;
    CLoggerInfo info_;
    Clock& clock_;
    long long clockOffset_ = 0;
};

}  // namespace varelo
