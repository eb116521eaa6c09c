#include "sim/FaultSettings.h"

#include "sim/ByteText.h"

namespace varelo::sim {

namespace {

// The command byte is taken up to the colon that follows it; a lone ':' is a command too.
bool SplitCommand(std::string_view text, uint8_t& command, std::string_view& rest) {
    size_t colon = text.find(':', 1);
    if (colon == std::string_view::npos || !ParseByte(text.substr(0, colon), command))
        return false;
    rest = text.substr(colon + 1);
    return true;
}

}  // namespace

bool ParseDropRule(std::string_view text, uint8_t& command, int& count, std::string& error) {
    std::string_view rest;
    if (SplitCommand(text, command, rest) && ParseCount(rest, count))
        return true;
    error = "bad drop rule '" + std::string(text) + "' (expected C:N, e.g. y:2 or 0x1B:1)";
    return false;
}

bool ParseCorruptRule(std::string_view text, CorruptRule& rule, std::string& error) {
    std::string_view rest;
    int transmission = 0, offset = 0;
    if (SplitCommand(text, rule.command, rest)) {
        size_t colon = rest.find(':');
        if (colon != std::string_view::npos && ParseCount(rest.substr(0, colon), transmission) &&
            transmission >= 1 && ParseCount(rest.substr(colon + 1), offset)) {
            rule.transmission = transmission;
            rule.offset = static_cast<size_t>(offset);
            return true;
        }
    }
    error = "bad corrupt rule '" + std::string(text) +
            "' (expected C:N:OFFSET with N from 1, e.g. y:1:129)";
    return false;
}

}  // namespace varelo::sim
