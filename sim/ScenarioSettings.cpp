#include "sim/ScenarioSettings.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <optional>
#include <span>

#include "platform/IniFile.h"
#include "sim/ByteText.h"

namespace varelo::sim {

namespace {

// ---- values ---------------------------------------------------------------------------------

bool ParseInteger(std::string_view text, long& value) {
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+') ++begin;
    auto [stop, ec] = std::from_chars(begin, end, value);
    return begin != end && ec == std::errc() && stop == end;
}

bool ParseFlag(std::string_view text, bool& value) {
    for (const char* yes : {"yes", "true", "on", "1"}) {
        if (EqualsNoCase(text, yes)) {
            value = true;
            return true;
        }
    }
    for (const char* no : {"no", "false", "off", "0"}) {
        if (EqualsNoCase(text, no)) {
            value = false;
            return true;
        }
    }
    return false;
}

bool ParseHexBytes(std::string_view text, std::span<uint8_t> bytes) {
    if (text.size() != 2 * bytes.size()) return false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto [stop, ec] =
            std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, bytes[i], 16);
        if (ec != std::errc() || stop != text.data() + 2 * i + 2) return false;
    }
    return true;
}

// A date and time, or a word that stands for none.
bool ParseOptionalDate(std::string_view text, std::string_view noneWord,
                       std::optional<SimDateTime>& value) {
    if (EqualsNoCase(text, noneWord)) {
        value.reset();
        return true;
    }
    SimDateTime t;
    if (!SimDateTime::Parse(text, t)) return false;
    value = t;
    return true;
}

// ---- settings of the Logger as a whole -------------------------------------------------------

struct TextSetting {
    const char* section;
    const char* key;
    size_t width;  // of the field on the wire
    std::string& (*field)(Scenario&);
};

const TextSetting kTexts[] = {
    {"Logger", "designation", 20, [](Scenario& s) -> std::string& { return s.designation; }},
    {"Hardware", "type", 30, [](Scenario& s) -> std::string& { return s.hardware.type; }},
    {"Hardware", "serial", 20, [](Scenario& s) -> std::string& { return s.hardware.serial; }},
    {"Hardware", "basic-unit", 20,
     [](Scenario& s) -> std::string& { return s.hardware.basicUnit; }},
    {"Hardware", "boot-version", 5,
     [](Scenario& s) -> std::string& { return s.hardware.bootVersion; }},
    {"Hardware", "boot-function", 20,
     [](Scenario& s) -> std::string& { return s.hardware.bootFunction; }},
    {"Hardware", "calibration", 20,
     [](Scenario& s) -> std::string& { return s.hardware.calibration; }},
    {"Software", "measurement-function", 30,
     [](Scenario& s) -> std::string& { return s.software.measurementFunction; }},
    {"Software", "cpu-version", 5,
     [](Scenario& s) -> std::string& { return s.software.cpuVersion; }},
    {"Software", "cpu-function", 20,
     [](Scenario& s) -> std::string& { return s.software.cpuFunction; }},
    {"Software", "dsp-version", 5,
     [](Scenario& s) -> std::string& { return s.software.dspVersion; }},
    {"Software", "dsp-function", 20,
     [](Scenario& s) -> std::string& { return s.software.dspFunction; }},
};

// The four two-character codes of the Hardware paragraph, in their order on the wire.
const char* const kCodeKeys[] = {"supply-voltage", "nominal-frequency", "voltage-range",
                                 "current-range"};

struct NumberSetting {
    const char* section;
    const char* key;
    long low;
    long high;
    void (*set)(Scenario&, long);
};

const NumberSetting kNumbers[] = {
    {"Clamp", "id", 0, 255, [](Scenario& s, long v) { s.clamp.id = uint8_t(v); }},
    {"MaxNumbers", "intervals", -32768, 32767,
     [](Scenario& s, long v) { s.maxNumbers.intervals = int16_t(v); }},
    {"MaxNumbers", "events", -32768, 32767,
     [](Scenario& s, long v) { s.maxNumbers.events = int16_t(v); }},
    {"MaxNumbers", "statistics", -32768, 32767,
     [](Scenario& s, long v) { s.maxNumbers.statistics = int16_t(v); }},
};

struct FlagSetting {
    const char* section;
    const char* key;
    bool& (*field)(Scenario&);
};

const FlagSetting kFlags[] = {
    {"Clamp", "known", [](Scenario& s) -> bool& { return s.clamp.known; }},
    {"Jobs", "keep-old-on-write", [](Scenario& s) -> bool& { return s.keepOldJobOnWrite; }},
};

// ---- settings of each job -------------------------------------------------------------------

const char* const kJobSections[] = {"CurrentJob", "OldJob"};

struct JobNumberSetting {
    const char* key;
    long low;
    long high;
    void (*set)(JobReport&, long);
};

const JobNumberSetting kJobNumbers[] = {
    {"intervals", 0, 0xFFFFFF, [](JobReport& r, long v) { r.intervals = int32_t(v); }},
    {"interval-memory", 0, 255, [](JobReport& r, long v) { r.intervalMemory = uint8_t(v); }},
    {"statistics", -32768, 32767, [](JobReport& r, long v) { r.statistics = int16_t(v); }},
    {"statistics-memory", 0, 255, [](JobReport& r, long v) { r.statisticsMemory = uint8_t(v); }},
    {"events", -32768, 32767, [](JobReport& r, long v) { r.events = int16_t(v); }},
    {"event-memory", 0, 255, [](JobReport& r, long v) { r.eventMemory = uint8_t(v); }},
    {"open-events", 0, 255, [](JobReport& r, long v) { r.openEvents = uint8_t(v); }},
};

struct JobDateSetting {
    const char* key;
    std::optional<SimDateTime>& (*field)(JobReport&);
};

const JobDateSetting kJobDates[] = {
    {"start", [](JobReport& r) -> std::optional<SimDateTime>& { return r.start; }},
    {"end", [](JobReport& r) -> std::optional<SimDateTime>& { return r.end; }},
};

constexpr std::string_view kJobStates = "ASFVK";
constexpr std::string_view kFunctions = "AP";

// ---- applying -------------------------------------------------------------------------------

SettingResult Bad(std::string& problem, std::string text) {
    problem = std::move(text);
    return SettingResult::BadValue;
}

SettingResult ApplyNumber(long low, long high, std::string_view value,
                          const std::function<void(long)>& set, std::string& problem) {
    long number = 0;
    if (!ParseInteger(value, number) || number < low || number > high) {
        return Bad(problem, "'" + std::string(value) + "' is not a number from " +
                                std::to_string(low) + " to " + std::to_string(high));
    }
    set(number);
    return SettingResult::Applied;
}

SettingResult ApplyLetter(std::string_view letters, std::string_view value, char& field,
                          std::string& problem) {
    if (value.size() != 1 || letters.find(value[0]) == std::string_view::npos)
        return Bad(problem, "'" + std::string(value) + "' is not one of " + std::string(letters));
    field = value[0];
    return SettingResult::Applied;
}

SettingResult ApplyJobSetting(LoggerJob& job, std::string_view key, std::string_view value,
                              std::string& problem) {
    if (EqualsNoCase(key, "state"))
        return ApplyLetter(kJobStates, value, job.report.state, problem);
    if (EqualsNoCase(key, "function")) return ApplyLetter(kFunctions, value, job.function, problem);
    for (const auto& n : kJobNumbers) {
        if (EqualsNoCase(key, n.key)) {
            return ApplyNumber(
                n.low, n.high, value, [&](long v) { n.set(job.report, v); }, problem);
        }
    }
    for (const auto& d : kJobDates) {
        if (!EqualsNoCase(key, d.key)) continue;
        if (!ParseOptionalDate(value, "none", d.field(job.report)))
            return Bad(problem, "'" + std::string(value) + "' is not YYYY-MM-DD HH:MM:SS or none");
        return SettingResult::Applied;
    }
    return SettingResult::UnknownKey;
}

SettingResult ApplySpecial(std::string_view section, std::string_view key, std::string_view value,
                           Scenario& s, std::string& problem) {
    const auto is = [&](const char* sec, const char* k) {
        return EqualsNoCase(section, sec) && EqualsNoCase(key, k);
    };
    if (is("Logger", "state") || is("Logger", "online")) {
        uint8_t& field = EqualsNoCase(key, "state") ? s.state : s.online;
        if (!ParseByte(value, field))
            return Bad(problem, "'" + std::string(value) + "' is not one character or 0xHH");
        return SettingResult::Applied;
    }
    if (is("Logger", "boot-mode")) {
        if (EqualsNoCase(value, "yes"))
            s.state = kBootProgramState;
        else if (!EqualsNoCase(value, "no"))
            return Bad(problem, "'" + std::string(value) + "' is not yes or no");
        return SettingResult::Applied;
    }
    if (is("Logger", "power")) {
        if (EqualsNoCase(value, "on"))
            s.power = Power::On;
        else if (EqualsNoCase(value, "bootstrap"))
            s.power = Power::Bootstrap;
        else if (EqualsNoCase(value, "off"))
            s.power = Power::Off;
        else
            return Bad(problem, "'" + std::string(value) + "' is not on, bootstrap or off");
        return SettingResult::Applied;
    }
    if (is("Logger", "bootstrap-ident")) {
        if (!ParseByte(value, s.bootstrap.ident))
            return Bad(problem, "'" + std::string(value) + "' is not one character or 0xHH");
        return SettingResult::Applied;
    }
    if (is("Logger", "clock")) {
        if (!ParseOptionalDate(value, "now", s.clock))
            return Bad(problem, "'" + std::string(value) + "' is not YYYY-MM-DD HH:MM:SS or now");
        return SettingResult::Applied;
    }
    if (is("Clamp", "max-current")) {
        float current = 0;
        auto [stop, ec] = std::from_chars(value.data(), value.data() + value.size(), current);
        if (ec != std::errc() || stop != value.data() + value.size() || !std::isfinite(current))
            return Bad(problem, "'" + std::string(value) + "' is not a number");
        s.clamp.maxCurrent = current;
        return SettingResult::Applied;
    }
    if (is("Clamp", "serial")) {
        if (!ParseHexBytes(value, s.clamp.serial))
            return Bad(problem, "'" + std::string(value) + "' is not 12 hexadecimal digits");
        return SettingResult::Applied;
    }
    for (size_t i = 0; i < std::size(kCodeKeys); ++i) {
        if (!is("Hardware", kCodeKeys[i])) continue;
        // One digit gets its leading zero; two characters go on the wire as they are, so that
        // a scenario can send a code the PC has to reject.
        if (value.size() == 1 && value[0] >= '0' && value[0] <= '9') {
            s.hardware.codes[i] = "0" + std::string(value);
        } else if (value.size() == 2) {
            s.hardware.codes[i] = std::string(value);
        } else {
            return Bad(problem, "'" + std::string(value) + "' is not a code of two characters");
        }
        return SettingResult::Applied;
    }
    return SettingResult::UnknownKey;
}

}  // namespace

bool IsLoggerSection(std::string_view section) {
    for (const char* name : {"Logger", "Hardware", "Clamp", "Software", "MaxNumbers", "CurrentJob",
                             "OldJob", "Jobs"}) {
        if (EqualsNoCase(section, name)) return true;
    }
    return false;
}

SettingResult ApplyLoggerSetting(std::string_view section, std::string_view key,
                                 std::string_view value, Scenario& s, std::string& problem) {
    for (size_t i = 0; i < std::size(kJobSections); ++i) {
        if (EqualsNoCase(section, kJobSections[i]))
            return ApplyJobSetting(s.jobs[i], key, value, problem);
    }
    for (const auto& t : kTexts) {
        if (!EqualsNoCase(section, t.section) || !EqualsNoCase(key, t.key)) continue;
        if (value.size() > t.width) {
            return Bad(problem, "'" + std::string(value) + "' is longer than " +
                                    std::to_string(t.width) + " characters");
        }
        t.field(s) = std::string(value);
        return SettingResult::Applied;
    }
    for (const auto& n : kNumbers) {
        if (EqualsNoCase(section, n.section) && EqualsNoCase(key, n.key))
            return ApplyNumber(
                n.low, n.high, value, [&](long v) { n.set(s, v); }, problem);
    }
    for (const auto& f : kFlags) {
        if (!EqualsNoCase(section, f.section) || !EqualsNoCase(key, f.key)) continue;
        if (!ParseFlag(value, f.field(s)))
            return Bad(problem, "'" + std::string(value) + "' is not yes or no");
        return SettingResult::Applied;
    }
    return ApplySpecial(section, key, value, s, problem);
}

bool CheckScenario(const Scenario& scenario, std::string& error) {
    if (scenario.IsExtendedFamily()) return true;
    for (size_t i = 0; i < std::size(kJobSections); ++i) {
        if (scenario.jobs[i].report.intervals > 32767) {
            error = std::string("[") + kJobSections[i] +
                    "] intervals: a Logger of the basic family counts at most 32767";
            return false;
        }
    }
    return true;
}

}  // namespace varelo::sim
