#pragma once

#include <string>

namespace varelo::test {

struct ProgramResult {
    int status = -1;  // exit status; -1 when it could not run or ended by a signal
    std::string output;
};

// Runs a shell command line with standard output and error joined, and waits for it.
ProgramResult RunProgram(const std::string& commandLine);

// A word quoted for the shell.
std::string ShellQuote(const std::string& word);

}  // namespace varelo::test
