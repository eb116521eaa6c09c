#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace varelo {

namespace {

class RealClock final : public Clock {
public:
    uint32_t TickCount() override {
        auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    void Sleep(uint32_t ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    std::time_t Now() override { return std::time(nullptr); }
};

}  // namespace

Clock& SystemClock() {
    static RealClock clock;
    return clock;
}

}  // namespace varelo
