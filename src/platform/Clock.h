#pragma once

#include <cstdint>
#include <ctime>

namespace varelo {

// Millisecond tick count and sleep. Everything that waits goes through a Clock, so tests can
// run the Logger's multi-second waits in simulated time.
class Clock {
public:
    virtual ~Clock() = default;
    // Wrapping 32-bit millisecond counter.
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t ms) = 0;
    // The PC's calendar time in whole seconds, for waits on the change of its second.
    virtual std::time_t Now() = 0;
};

// The real clock of the process.
Clock& SystemClock();

}  // namespace varelo
