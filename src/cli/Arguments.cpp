#include "cli/Arguments.h"

#include <cstdio>

#include "measurement/TimeStamp.h"

#include <charconv>

namespace varelo {

Arguments::Arguments(std::vector<std::string_view> words)
    : words_(std::move(words)), used_(words_.size(), false) {}

bool Arguments::Flag(std::string_view name) {
    bool found = false;
    for (size_t i = 0; i < words_.size(); ++i) {
        if (!used_[i] && words_[i].starts_with("--") && words_[i].substr(2) == name) {
            used_[i] = true;
            found = true;
        }
    }
    return found;
}

std::vector<std::string> Arguments::Values(std::string_view name) {
    std::vector<std::string> values;
    for (size_t i = 0; i < words_.size(); ++i) {
        if (used_[i] || !words_[i].starts_with("--") || words_[i].substr(2) != name) continue;
        used_[i] = true;
        if (i + 1 >= words_.size()) {
            problems_.push_back("--" + std::string(name) + " needs a value");
            continue;
        }
        used_[i + 1] = true;
        values.emplace_back(words_[i + 1]);
    }
    return values;
}

std::optional<std::string> Arguments::Value(std::string_view name) {
    auto values = Values(name);
    if (values.empty()) return std::nullopt;
    return values.back();
}

std::optional<int> Arguments::Int(std::string_view name, int low, int high) {
    auto text = Value(name);
    if (!text) return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec != std::errc() || end != text->data() + text->size() || value < low || value > high) {
        problems_.push_back("--" + std::string(name) + " takes a whole number from " +
                            std::to_string(low) + " to " + std::to_string(high));
        return std::nullopt;
    }
    return value;
}

std::vector<std::string> Arguments::Positionals() const {
    std::vector<std::string> result;
    for (size_t i = 0; i < words_.size(); ++i) {
        if (!used_[i] && !words_[i].starts_with("--")) result.emplace_back(words_[i]);
    }
    return result;
}

std::string Arguments::Problems() const {
    std::string text;
    for (const auto& p : problems_)
        text += p + "\n";
    for (size_t i = 0; i < words_.size(); ++i) {
        if (!used_[i] && words_[i].starts_with("--"))
            text += "unknown option " + std::string(words_[i]) + "\n";
    }
    return text;
}

bool ParseDate(const std::string& text, CTimeStamp& t) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char sep = ' ';
    const int n = std::sscanf(text.c_str(), "%d-%d-%d%c%d:%d:%d", &y, &mo, &d, &sep, &h, &mi, &s);
    if (n != 3 && n < 6) return false;
    t = CTimeStamp(y, mo, d, h, mi, s);
    return t.IsValidDateTime();
}

}  // namespace varelo
