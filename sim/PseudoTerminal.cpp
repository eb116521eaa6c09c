#include "sim/PseudoTerminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace varelo::sim {

namespace {

std::string Failure(const char* what) {
    return std::string("pseudo-terminal: ") + what + ": " + std::strerror(errno);
}

}  // namespace

bool PseudoTerminal::Open(std::string& error) {
    Close();
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = Failure("posix_openpt");
        return false;
    }
    char name[128];
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
        error = Failure("grantpt/unlockpt/ptsname");
        Close();
        return false;
    }
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);

    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        error = Failure(name);
        Close();
        return false;
    }
    termios tio{};
    if (::tcgetattr(slave_, &tio) != 0) {
        error = Failure("tcgetattr");
        Close();
        return false;
    }
    // A PC that never configures the line must still see the Logger's bytes unchanged.
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    if (::tcsetattr(slave_, TCSANOW, &tio) != 0) {
        error = Failure("tcsetattr");
        Close();
        return false;
    }
    slavePath_ = name;
    return true;
}

void PseudoTerminal::Close() {
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
    slavePath_.clear();
}

}  // namespace varelo::sim
