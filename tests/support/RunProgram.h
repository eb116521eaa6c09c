#pragma once

#include <string>
#include <utility>
#include <vector>

namespace varelo::test {

struct ProgramResult {
    int status = -1;  // exit status; -1 when it could not run or ended by a signal
    std::string output;
};

// Runs a shell command line with standard output and error joined, and waits for it.
ProgramResult RunProgram(const std::string& commandLine);

// A word quoted for the shell.
std::string ShellQuote(const std::string& word);

// The command line of a program with its settings kept in home and further environment
// variables: "env XDG_CONFIG_HOME=home NAME=value ... program args".
std::string ProgramLine(const std::string& home, const std::string& program,
                        const std::string& args,
                        const std::vector<std::pair<std::string, std::string>>& env = {});

// ProgramLine of one of the build's programs (varelo-cli, logger-sim, ...) by its name.
std::string BuiltProgramLine(const std::string& home, const std::string& name,
                             const std::string& args,
                             const std::vector<std::pair<std::string, std::string>>& env = {});

}  // namespace varelo::test
