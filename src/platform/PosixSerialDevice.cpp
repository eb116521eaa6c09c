#include "platform/PosixSerialDevice.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <utility>

namespace varelo {

namespace {

const std::pair<uint32_t, speed_t> kSpeeds[] = {
    {1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

speed_t ToSpeed(uint32_t baud) {
    for (auto [rate, speed] : kSpeeds) {
        if (rate == baud) return speed;
    }
    return B38400;
}

uint32_t FromSpeed(speed_t speed) {
    for (auto [rate, s] : kSpeeds) {
        if (s == speed) return rate;
    }
    return 0;
}

using SteadyClock = std::chrono::steady_clock;

// Milliseconds left until the deadline, for poll(); -1 waits without limit.
int RemainingMs(bool unlimited, SteadyClock::time_point deadline) {
    if (unlimited) return -1;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Modem-control and counter ioctls do not exist on pseudo-terminals; that is no failure.
bool NotSupported(int err) { return err == ENOTTY || err == EINVAL || err == ENOTSUP; }

}  // namespace

PosixSerialDevice::~PosixSerialDevice() { Close(); }

OsError PosixSerialDevice::Open(const std::string& path) {
    Close();
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return OsError::FromErrno(errno);
    // Exclusive use: no second open of the tty, and no second program holding the lock.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        return OsError::FromErrno(err == EWOULDBLOCK ? EBUSY : err);
    }
    if (::ioctl(fd, TIOCEXCL) != 0 && !NotSupported(errno)) {
        int err = errno;
        ::close(fd);
        return OsError::FromErrno(err);
    }
    fd_ = fd;
    ReadCounters(lastCounters_);
    return OsError::None();
}

void PosixSerialDevice::Close() {
    if (fd_ < 0) return;
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

OsError PosixSerialDevice::SetQueueSizes(uint32_t, uint32_t) {
    // The kernel's tty buffers are fixed and larger than any Logger answer.
    return IsOpen() ? OsError::None() : OsError::FromErrno(EBADF);
}

OsError PosixSerialDevice::GetTimeouts(SerialTimeouts& timeouts) {
    if (!IsOpen()) return OsError::FromErrno(EBADF);
    timeouts = timeouts_;
    return OsError::None();
}

OsError PosixSerialDevice::SetTimeouts(const SerialTimeouts& timeouts) {
    if (!IsOpen()) return OsError::FromErrno(EBADF);
    timeouts_ = timeouts;
    return OsError::None();
}

OsError PosixSerialDevice::GetLineSettings(SerialLineSettings& settings) {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) return OsError::FromErrno(errno);
    settings.baudRate = FromSpeed(::cfgetospeed(&tio));
    settings.dataBits = (tio.c_cflag & CSIZE) == CS7 ? 7 : 8;
    settings.parity = (tio.c_cflag & PARENB) != 0;
    settings.stopBits = (tio.c_cflag & CSTOPB) ? 2 : 1;
    settings.ctsFlowControl = (tio.c_cflag & CRTSCTS) != 0;
    settings.xonXoff = (tio.c_iflag & (IXON | IXOFF)) != 0;
    int bits = 0;
    if (::ioctl(fd_, TIOCMGET, &bits) == 0) {
        settings.dtr = (bits & TIOCM_DTR) != 0;
        settings.rts = (bits & TIOCM_RTS) != 0;
    }
    return OsError::None();
}

OsError PosixSerialDevice::SetLineSettings(const SerialLineSettings& settings) {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) return OsError::FromErrno(errno);
    ::cfmakeraw(&tio);
    ::cfsetspeed(&tio, ToSpeed(settings.baudRate));
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= settings.dataBits == 7 ? CS7 : CS8;
    if (settings.parity) tio.c_cflag |= PARENB;
    if (settings.stopBits == 2) tio.c_cflag |= CSTOPB;
    if (settings.ctsFlowControl) tio.c_cflag |= CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    if (settings.xonXoff) tio.c_iflag |= IXON | IXOFF;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) return OsError::FromErrno(errno);

    int dtr = TIOCM_DTR, rts = TIOCM_RTS;
    if (::ioctl(fd_, settings.dtr ? TIOCMBIS : TIOCMBIC, &dtr) != 0 && !NotSupported(errno))
        return OsError::FromErrno(errno);
    if (::ioctl(fd_, settings.rts ? TIOCMBIS : TIOCMBIC, &rts) != 0 && !NotSupported(errno))
        return OsError::FromErrno(errno);
    return OsError::None();
}

OsError PosixSerialDevice::Read(uint8_t* buffer, size_t count, size_t& received) {
    received = 0;
    if (!IsOpen()) return OsError::FromErrno(EBADF);
    uint64_t totalMs = uint64_t(timeouts_.readTotalMultiplier) * count + timeouts_.readTotalConstant;
    bool unlimited = totalMs == 0 && timeouts_.readInterval == 0;
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(totalMs);
    while (received < count) {
        ssize_t n = ::read(fd_, buffer + received, count - received);
        if (n > 0) {
            received += size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO)
            return OsError::FromErrno(errno);
        int waitMs = RemainingMs(unlimited, deadline);
        if (waitMs == 0) break;
        pollfd pfd{fd_, POLLIN, 0};
        int ready = ::poll(&pfd, 1, waitMs);
        if (ready < 0 && errno != EINTR) return OsError::FromErrno(errno);
        // A pseudo-terminal whose other side is closed reports POLLHUP; nothing more will come.
        if (ready > 0 && (pfd.revents & POLLHUP) && !(pfd.revents & POLLIN)) break;
    }
    return OsError::None();
}

OsError PosixSerialDevice::Write(const uint8_t* data, size_t count, size_t& written) {
    written = 0;
    if (!IsOpen()) return OsError::FromErrno(EBADF);
    uint64_t totalMs =
        uint64_t(timeouts_.writeTotalMultiplier) * count + timeouts_.writeTotalConstant;
    bool unlimited = totalMs == 0;
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(totalMs);
    while (written < count) {
        ssize_t n = ::write(fd_, data + written, count - written);
        if (n > 0) {
            written += size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return OsError::FromErrno(errno);
        int waitMs = RemainingMs(unlimited, deadline);
        if (waitMs == 0) break;
        pollfd pfd{fd_, POLLOUT, 0};
        if (::poll(&pfd, 1, waitMs) < 0 && errno != EINTR) return OsError::FromErrno(errno);
    }
    return OsError::None();
}

bool PosixSerialDevice::ReadCounters(Counters& counters) const {
    serial_icounter_struct icount{};
    if (::ioctl(fd_, TIOCGICOUNT, &icount) != 0) return false;
    counters = {icount.frame, icount.overrun, icount.parity, icount.brk, icount.buf_overrun};
    return true;
}

OsError PosixSerialDevice::ClearErrors(uint32_t& errorFlags, size_t& bytesWaiting) {
    errorFlags = 0;
    bytesWaiting = 0;
    if (!IsOpen()) return OsError::FromErrno(EBADF);
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) != 0) return OsError::FromErrno(errno);
    bytesWaiting = waiting > 0 ? size_t(waiting) : 0;

    Counters now;
    if (!ReadCounters(now)) {
        if (NotSupported(errno)) return OsError::None();
        return OsError::FromErrno(errno);
    }
    if (now.frame != lastCounters_.frame) errorFlags |= line_error::kFraming;
    if (now.overrun != lastCounters_.overrun) errorFlags |= line_error::kOverrun;
    if (now.parity != lastCounters_.parity) errorFlags |= line_error::kParity;
    if (now.brk != lastCounters_.brk) errorFlags |= line_error::kBreak;
    if (now.bufOverrun != lastCounters_.bufOverrun) errorFlags |= line_error::kInputQueueOverflow;
    lastCounters_ = now;
    return OsError::None();
}

}  // namespace varelo
