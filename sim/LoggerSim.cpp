#include "sim/LoggerSim.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace varelo::sim {

LoggerSim::LoggerSim(Scenario scenario, FaultSettings faults)
    : engine_(std::move(scenario), std::move(faults)) {}

LoggerSim::~LoggerSim() {
    Stop();
}

bool LoggerSim::Start(std::string& error) {
    if (thread_.joinable()) return true;
    if (!pty_.Open(error)) return false;
    stopEvent_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopEvent_ < 0) {
        error = std::string("eventfd: ") + std::strerror(errno);
        pty_.Close();
        return false;
    }
    thread_ = std::thread(&LoggerSim::Serve, this);
    return true;
}

void LoggerSim::Stop() {
    if (thread_.joinable()) {
        uint64_t one = 1;
        (void)!::write(stopEvent_, &one, sizeof one);
        thread_.join();
    }
    if (stopEvent_ >= 0) ::close(stopEvent_);
    stopEvent_ = -1;
    pty_.Close();
}

void LoggerSim::RegisterHandler(uint8_t command, CommandHandler handler, size_t dataLength) {
    std::lock_guard lock(engineMutex_);
    engine_.Register(command, std::move(handler), dataLength);
}

Scenario LoggerSim::CurrentScenario() const {
    std::lock_guard lock(engineMutex_);
    return engine_.GetScenario();
}

FaultSettings LoggerSim::Faults() const {
    std::lock_guard lock(engineMutex_);
    return engine_.Faults();
}

void LoggerSim::SetFaults(FaultSettings faults) {
    std::lock_guard lock(engineMutex_);
    engine_.SetFaults(std::move(faults));
}

void LoggerSim::SetPower(Power power) {
    std::lock_guard lock(engineMutex_);
    engine_.SetPower(power);
}

void LoggerSim::Serve() {
    pollfd fds[2] = {{pty_.MasterFd(), POLLIN, 0}, {stopEvent_, POLLIN, 0}};
    for (;;) {
        fds[0].revents = fds[1].revents = 0;
        int ready = ::poll(fds, 2, PollTimeout());
        if (ready < 0 && errno != EINTR) {
            std::perror("logger-sim: poll");
            return;
        }
        if (fds[1].revents) return;
        if (ready == 0) {
            ExpirePendingCommand();
        } else if (fds[0].revents & POLLIN) {
            uint8_t buffer[256];
            ssize_t n = ::read(pty_.MasterFd(), buffer, sizeof buffer);
            for (ssize_t i = 0; i < n; ++i)
                HandleByte(buffer[i]);
        } else if (fds[0].revents) {
            // Cannot happen while our own slave descriptor is open; wait for the stop instead
            // of spinning on a hang-up.
            ::poll(&fds[1], 1, -1);
            return;
        }
    }
}

int LoggerSim::PollTimeout() {
    std::optional<LoggerEngine::TimePoint> deadline;
    {
        std::lock_guard lock(engineMutex_);
        deadline = engine_.DataDeadline();
    }
    if (!deadline) return -1;
    auto left =
        std::chrono::ceil<std::chrono::milliseconds>(*deadline - CommandLog::SteadyClock::now());
    // One millisecond past the deadline, so that the expiry finds it passed.
    return int(std::max<long long>(left.count(), 0)) + 1;
}

void LoggerSim::ExpirePendingCommand() {
    std::optional<LoggerEngine::Outcome> outcome;
    {
        std::lock_guard lock(engineMutex_);
        outcome = engine_.Expire(CommandLog::SteadyClock::now());
    }
    if (outcome) Finish(std::move(*outcome));
}

void LoggerSim::HandleByte(uint8_t byte) {
    ExpirePendingCommand();
    std::optional<LoggerEngine::Outcome> outcome;
    {
        std::lock_guard lock(engineMutex_);
        outcome = engine_.Receive(byte, CommandLog::SteadyClock::now());
    }
    if (outcome) Finish(std::move(*outcome));
}

void LoggerSim::Finish(LoggerEngine::Outcome outcome) {
    if (baud_ > 0)
        SendPaced(outcome.send);
    else
        Send(outcome.send);
    // Logged after sending: whoever sees the entry knows the answer is on the line.
    log_.Add(outcome.receivedAt, std::move(outcome.received), std::move(outcome.note));
}

void LoggerSim::Send(std::span<const uint8_t> bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(pty_.MasterFd(), bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            std::perror("logger-sim: write");
            return;
        }
        pollfd fds[2] = {{pty_.MasterFd(), POLLOUT, 0}, {stopEvent_, POLLIN, 0}};
        if (::poll(fds, 2, -1) > 0 && fds[1].revents) return;
    }
}

bool LoggerSim::WaitUntil(std::chrono::steady_clock::time_point time) {
    const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(
        time - std::chrono::steady_clock::now());
    if (left.count() <= 0) return true;
    const timespec wait{time_t(left.count() / 1'000'000'000), long(left.count() % 1'000'000'000)};
    pollfd stop{stopEvent_, POLLIN, 0};
    return ::ppoll(&stop, 1, &wait, nullptr) == 0;
}

// Each byte leaves when a line of the set baud rate would have sent it: 10 bits a byte.
void LoggerSim::SendPaced(std::span<const uint8_t> bytes) {
    const auto start = std::chrono::steady_clock::now();
    const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / baud_);
    for (size_t i = 0; i < bytes.size(); ++i) {
        Send(bytes.subspan(i, 1));
        if (!WaitUntil(start + byteTime * int64_t(i + 1))) return;
    }
}

}  // namespace varelo::sim
