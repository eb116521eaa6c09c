#include "support/RunProgram.h"

#include <sys/wait.h>

#include <cstdio>

namespace varelo::test {

ProgramResult RunProgram(const std::string& commandLine) {
    ProgramResult result;
    std::FILE* pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    int status = ::pclose(pipe);
    if (status != -1 && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string ProgramLine(const std::string& home, const std::string& program,
                        const std::string& args,
                        const std::vector<std::pair<std::string, std::string>>& env) {
    std::string line = "env XDG_CONFIG_HOME=" + ShellQuote(home);
    for (const auto& [name, value] : env)
        line += " " + name + "=" + ShellQuote(value);
    return line + " " + ShellQuote(program) + " " + args;
}

std::string BuiltProgramLine(const std::string& home, const std::string& name,
                             const std::string& args,
                             const std::vector<std::pair<std::string, std::string>>& env) {
    return ProgramLine(home, std::string(VARELO_BIN_DIR) + "/" + name, args, env);
}

}  // namespace varelo::test
