#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varelo {

class CTimeStamp;

// "YYYY-MM-DD" with an optional " HH:MM[:SS]" or "THH:MM[:SS]"; false for anything else.
bool ParseDate(const std::string& text, CTimeStamp& t);

// The words of a command line after the command: options "--name value" or "--flag", and
// positional words.
class Arguments {
public:
    Arguments(std::vector<std::string_view> words);

    bool Flag(std::string_view name);
    std::optional<std::string> Value(std::string_view name);
    std::vector<std::string> Values(std::string_view name);
    // An integer option within [low, high]; an error text names the option otherwise.
    std::optional<int> Int(std::string_view name, int low, int high);
    std::vector<std::string> Positionals() const;
    // Options given but never asked for, and option values that were missing.
    std::string Problems() const;
    void Fail(std::string problem) { problems_.push_back(std::move(problem)); }

private:
    std::vector<std::string_view> words_;
    std::vector<bool> used_;
    std::vector<std::string> problems_;
};

}  // namespace varelo
