#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varelo::sim {

// Flip one byte of one transmission of a command's answer.
struct CorruptRule {
    uint8_t command = 0;
    int transmission = 1;  // 1 = the first time the answer goes out
    size_t offset = 0;

    bool operator==(const CorruptRule&) const = default;
};

// The line faults the simulated Logger injects. Answers are counted per command byte whose
// answer they are; a repeat by "x" counts as another transmission of the original command,
// so a fault can hit the first answer, its repeat, or both.
struct FaultSettings {
    // Command byte -> number of its first transmissions that are never sent.
    std::map<uint8_t, int> drop{};
    std::vector<CorruptRule> corrupt{};
    // Wake-ups whose answer is preceded by one noise byte (0x00).
    int noise = 0;
    // Commands answered before the Logger falls silent for good; none: never.
    std::optional<int> silentAfter{};
    // A line that fails now and then: every N-th answer longer than kPeriodicMinLength bytes
    // is lost, counted over all commands (0: none).
    int dropEvery = 0;
    // Command byte -> N: the last byte (the test sum) of every N-th transmission of its answer
    // is flipped.
    std::map<uint8_t, int> corruptTestSumEvery{};

    bool operator==(const FaultSettings&) const = default;
};

inline constexpr uint8_t kNoiseByte = 0x00;
// Shorter answers get a single attempt from the PC, so losing one ends the operation instead
// of testing its retries.
inline constexpr size_t kPeriodicMinLength = 17;

// "C:N", e.g. "y:2" or "0x1B:1".
bool ParseDropRule(std::string_view text, uint8_t& command, int& count, std::string& error);
// "C:N:OFFSET", e.g. "y:1:129"; N counts from 1.
bool ParseCorruptRule(std::string_view text, CorruptRule& rule, std::string& error);

}  // namespace varelo::sim
