#include "support/SimProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace varelo::test {

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(10);

}  // namespace

SimProcess::SimProcess(std::string executable) : executable_(std::move(executable)) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "logger-sim-output-XXXXXX").string();
    int fd = ::mkstemp(pattern.data());
    if (fd >= 0) {
        ::close(fd);
        outputPath_ = pattern;
    }
}

SimProcess::~SimProcess() {
    if (Running()) {
        Signal(SIGKILL);
        Wait();
    }
    if (!outputPath_.empty())
        ::unlink(outputPath_.c_str());
}

bool SimProcess::Start(const std::vector<std::string>& args) {
    if (pid_ > 0 || outputPath_.empty())
        return false;
    std::vector<char*> argv;
    argv.push_back(executable_.data());
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath_.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    // The child starts with default stop signals whatever the test process has set up.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, stops;
    sigemptyset(&none);
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &stops);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    int rc = ::posix_spawn(&pid_, executable_.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (rc != 0)
        pid_ = -1;
    status_ = -1;
    return rc == 0;
}

bool SimProcess::Serve(const std::string& linkPath, std::vector<std::string> args,
                       std::chrono::milliseconds timeout) {
    args.insert(args.begin(), {"--link", linkPath});
    if (!Start(args))
        return false;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::error_code ec;
    while (!std::filesystem::exists(linkPath, ec)) {
        if (!Running() || std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(kPollStep);
    }
    return true;
}

bool SimProcess::Signal(int signal) const {
    return pid_ > 0 && ::kill(pid_, signal) == 0;
}

int SimProcess::Wait(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (Running()) {
        if (std::chrono::steady_clock::now() > deadline)
            return -1;
        std::this_thread::sleep_for(kPollStep);
    }
    return status_;
}

bool SimProcess::Running() {
    if (pid_ <= 0)
        return false;
    int status = 0;
    pid_t result = ::waitpid(pid_, &status, WNOHANG);
    if (result == 0)
        return true;
    pid_ = -1;
    if (result < 0)
        status_ = -1;
    else
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

std::string SimProcess::Output() const {
    std::ifstream file(outputPath_);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace varelo::test
