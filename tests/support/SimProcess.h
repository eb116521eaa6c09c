#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace varelo::test {

// The logger-sim program run as a child process. Its standard output and error are kept for
// the test to read; a child still running at the end is killed.
class SimProcess {
public:
    explicit SimProcess(std::string executable);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool Start(const std::vector<std::string>& args);
    // Starts serving with --link linkPath and the given options, and waits until the link is
    // there (it appears once the Logger answers). False if the program ended or the time-out
    // passed first.
    bool Serve(const std::string& linkPath, std::vector<std::string> args,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

    bool Signal(int signal) const;
    // The exit status, 128 + the signal number when a signal ended it, or -1 when it still
    // runs after the time-out.
    int Wait(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool Running();
    // Everything it wrote to standard output and error.
    std::string Output() const;

private:
    std::string executable_;
    std::string outputPath_;
    pid_t pid_ = -1;
    int status_ = -1;
};

}  // namespace varelo::test
