// logger-sim: a Logger in software on a pseudo-terminal.
#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sim/GenerateCommand.h"
#include "sim/LoggerSim.h"
#include "sim/PublishedLink.h"
#include "sim/ScenarioFile.h"
#include "sim/SimOptions.h"

using namespace varelo::sim;

namespace {

int Fail(const std::string& message, int status) {
    std::fprintf(stderr, "logger-sim: %s\n", message.c_str());
    return status;
}

int Serve(const SimOptions& options) {
    Scenario scenario;
    FaultSettings faults;
    std::string error;
    if (!options.scenarioFile.empty() &&
        !LoadScenarioFile(options.scenarioFile, scenario, faults, error))
        return Fail(error, 2);
    options.ApplyTo(scenario, faults);

    // Blocked before the serving thread starts, so that only sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    LoggerSim sim(scenario, faults);
    sim.SetBaud(options.baud);
    if (!options.logFile.empty() && !sim.Log().OpenFile(options.logFile, error))
        return Fail(error, 1);
    if (!sim.Start(error))
        return Fail(error, 1);
    PublishedLink link;
    if (!options.link.empty() && !link.Publish(options.link, sim.SlavePath(), error))
        return Fail(error, 1);

    std::printf("logger-sim: serving on %s%s%s\n", sim.SlavePath().c_str(),
                options.link.empty() ? "" : " as ", options.link.c_str());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    sim.Stop();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "generate")
        return RunGenerateCommand(std::span(args).subspan(1));
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(args, options, error))
        return Fail(error + "\nTry 'logger-sim --help'.", 2);
    if (options.help) {
        std::fputs(SimUsage().c_str(), stdout);
        return 0;
    }
    return Serve(options);
}
