#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>
#include <vector>

#include "platform/Clock.h"

namespace varelo::test {

// Time that passes only when slept. A real pause of up to realSleepCapMs of each sleep can
// be kept so that a peer on a real line still gets time to answer between two commands.
class SimulatedClock : public Clock {
public:
    explicit SimulatedClock(uint32_t start = 1000000, uint32_t realSleepCapMs = 0)
        : now_(start), realSleepCapMs_(realSleepCapMs) {}

    uint32_t TickCount() override { return now_; }
    void Sleep(uint32_t ms) override {
        sleeps.push_back(ms);
        now_ += ms;
        if (realSleepCapMs_ != 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, realSleepCapMs_)));
    }
    void Advance(uint32_t ms) { now_ += ms; }
    // The calendar time moves with the simulated ticks from wallStart on.
    std::time_t Now() override { return wallStart + std::time_t(now_ / 1000); }

    std::time_t wallStart = 983801229;  // 2001-03-05 14:07:09 UTC

    std::vector<uint32_t> sleeps;

private:
    uint32_t now_;
    uint32_t realSleepCapMs_;
};

}  // namespace varelo::test
