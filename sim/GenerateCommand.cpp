#include "sim/GenerateCommand.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "measurement/MeasurementFile.h"
#include "sim/MeasurementGenerator.h"
#include "sim/OptionArgument.h"
#include "sim/SimDateTime.h"

namespace varelo::sim {

namespace {

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// "YYYY-MM-DD HH:MM", seconds optional.
bool ParseStart(const std::string& text, CTimeStamp& start) {
    SimDateTime t;
    if (!SimDateTime::Parse(text.size() == 16 ? text + ":00" : text, t)) return false;
    start = CTimeStamp(t.year, t.month, t.day, t.hour, t.minute, t.second);
    return true;
}

bool ParseGap(std::string_view text, CircularGap& gap) {
    const size_t colon = text.find(':');
    return colon != std::string_view::npos &&
           ParseNumber(text.substr(0, colon), gap.staleRecords) &&
           ParseNumber(text.substr(colon + 1), gap.emptyRecords);
}

// "P/S", each a number of at most two decimals, into 0.01 units.
bool ParseTransformer(std::string_view text, std::optional<std::pair<int32_t, int32_t>>& out) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos) return false;
    double primary = 0, secondary = 0;
    if (!ParseNumber(text.substr(0, slash), primary) ||
        !ParseNumber(text.substr(slash + 1), secondary))
        return false;
    const double low = kRawValueMin * 0.01, high = kRawValueMax * 0.01;
    if (!(primary >= low && primary <= high && secondary >= low && secondary <= high)) return false;
    out = std::pair{int32_t(std::lround(primary * 100)), int32_t(std::lround(secondary * 100))};
    return true;
}

bool ParsePowerSystem(std::string_view text, uint32_t& system) {
    static constexpr std::pair<std::string_view, uint32_t> kSystems[] = {
        {"wye", kPowSysWye},
        {"delta", kPowSysDelta},
        {"two-element-delta", kPowSysTwoElementDelta},
        {"single-phase", kPowSysSinglePhase},
        {"split-single-phase", kPowSysSplitSinglePhase}};
    for (const auto& [name, value] : kSystems) {
        if (text == name) {
            system = value;
            return true;
        }
    }
    return false;
}

// "N=TEXT" with N from 1 to 6.
bool ParseJobText(const std::string& text, GeneratorSettings& s) {
    const size_t equals = text.find('=');
    int line = 0;
    if (equals == std::string::npos ||
        !ParseNumber(std::string_view(text).substr(0, equals), line) || line < 1 ||
        line > kJobLineCount)
        return false;
    s.jobTexts[size_t(line - 1)] = text.substr(equals + 1);
    return true;
}

bool ApplyOption(std::string_view name, const std::string& value, GenerateOptions& options,
                 std::string& error) {
    if (name == "--output") {
        options.output = value;
        return true;
    }
    // --drop-intervals I:N names the same cut by the interval it follows.
    if (name == "--missing" || name == "--drop-intervals") {
        const size_t colon = value.find(':');
        std::pair<size_t, size_t> gap;
        if (colon == std::string::npos ||
            !ParseNumber(std::string_view(value).substr(0, colon), gap.first) ||
            !ParseNumber(std::string_view(value).substr(colon + 1), gap.second)) {
            error = std::string(name) + ": '" + value + "' is not AFTER:COUNT";
            return false;
        }
        options.missing.push_back(gap);
        return true;
    }
    if (!name.starts_with("--")) {
        error = "unknown option " + std::string(name);
        return false;
    }
    return ApplyGeneratorSetting(name.substr(2), value, options.settings, error);
}

}  // namespace

bool ApplyGeneratorSetting(std::string_view key, const std::string& value, GeneratorSettings& s,
                           std::string& error) {
    bool ok = true;
    if (key == "function") {
        ok = value == "A" || value == "P";
        s.function = value == "P" ? kMeasFuncP : kMeasFuncA;
    } else if (key == "intervals") {
        ok = ParseNumber(value, s.intervals);
    } else if (key == "interval") {
        ok = ParseNumber(value, s.intervalSeconds);
    } else if (key == "seed") {
        ok = ParseNumber(value, s.seed);
    } else if (key == "system") {
        ok = ParseNumber(value, s.nominalVoltage);
    } else if (key == "start") {
        ok = ParseStart(value, s.start);
    } else if (key == "power-system") {
        ok = ParsePowerSystem(value, s.powerSystem);
    } else if (key == "vt") {
        ok = ParseTransformer(value, s.voltageTransformer);
    } else if (key == "ct") {
        ok = ParseTransformer(value, s.currentTransformer);
    } else if (key == "job-text") {
        ok = ParseJobText(value, s);
    } else if (key == "gap") {
        CircularGap gap;
        ok = ParseGap(value, gap);
        s.gap = gap;
    } else {
        error = "unknown option --" + std::string(key);
        return false;
    }
    if (!ok) error = "--" + std::string(key) + ": '" + value + "' is not a valid value";
    return ok;
}

bool ParseGenerateOptions(std::span<const std::string> args, GenerateOptions& options,
                          std::string& error) {
    options = {};
    bool function = false, intervals = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        }
        std::string_view name;
        std::string value;
        if (!TakeOption(args, i, name, value, error)) return false;
        if (!ApplyOption(name, value, options, error)) return false;
        function = function || name == "--function";
        intervals = intervals || name == "--intervals";
    }
    if (!function || !intervals || options.output.empty()) {
        error = "--function, --intervals and --output are required";
        return false;
    }
    return ValidateGeneratorSettings(options.settings, error);
}

std::string GenerateUsage() {
    return R"(usage: logger-sim generate --function A|P --intervals N [--interval S] [--seed K]
                          [--system 230|120] [--start "YYYY-MM-DD HH:MM"]
                          [--gap STALE:EMPTY] [--missing AFTER:COUNT ...]
                          [--drop-intervals I:N ...] [--power-system SYSTEM]
                          [--vt P/S] [--ct P/S] [--job-text N=TEXT ...] --output FILE.VXM

Writes a realistic measurement of a Logger 408b on a low-voltage feeder as a measurement
data file. The same options always give the same file.

options:
  --function A|P       measurement function (A with harmonics, P without)
  --intervals N        number of intervals, 1 to 1000000
  --interval S         interval length in seconds (default 600)
  --seed K             seed of the generated values (default 1)
  --system 230|120     230 V at 50 Hz (default) or 120 V at 60 Hz
  --start TIME         start of the first interval (default "2024-01-01 00:00")
  --gap STALE:EMPTY    a circular interval memory that wrapped: STALE records of an earlier
                       run and EMPTY erased records before the first interval
  --missing AFTER:COUNT  leave COUNT intervals out after the first AFTER, a recording gap in the
                       file (repeatable; positions count the generated intervals)
  --drop-intervals I:N  leave N intervals out after the I-th, a gap inside the measurement
                       (the same cut as --missing I:N)
  --power-system SYSTEM  the job's system: wye (default), delta, two-element-delta,
                       single-phase or split-single-phase; the values stay the feeder's
  --vt P/S             a voltage transformer in use, primary and secondary volts
  --ct P/S             a current transformer in use, primary and secondary amperes
  --job-text N=TEXT    job text N (1 to 6) instead of the generated one (repeatable)
  --output FILE        the measurement file to write
)";
}

int RunGenerateCommand(std::span<const std::string> args) {
    GenerateOptions options;
    std::string error;
    if (!ParseGenerateOptions(args, options, error)) {
        std::fprintf(stderr, "logger-sim generate: %s\nTry 'logger-sim generate --help'.\n",
                     error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(GenerateUsage().c_str(), stdout);
        return 0;
    }
    const MeasurementGenerator generator(options.settings);
    MeasurementData data;
    if (!generator.Generate(data)) {
        std::fprintf(stderr, "logger-sim generate: not enough memory for the measurement\n");
        return 1;
    }
    if (!options.missing.empty()) {
        size_t index = 0;
        data.intervals.RemoveIf([&](const CIntervalRecord&) {
            const size_t i = index++;
            return std::any_of(options.missing.begin(), options.missing.end(), [i](auto gap) {
                return i >= gap.first && i - gap.first < gap.second;
            });
        });
        data.job.NrInterval = uint32_t(data.intervals.size());
    }
    if (!WriteMeasurementFile(options.output, data)) {
        std::fprintf(stderr, "logger-sim generate: cannot write %s\n", options.output.c_str());
        return 1;
    }
    std::printf(
        "logger-sim: %s: function %s, %zu intervals of %d s, %zu statistic segments, "
        "%zu events, %s to %s\n",
        options.output.c_str(), data.job.MeasFunc == kMeasFuncA ? "A" : "P", data.intervals.size(),
        data.job.Interval, data.statistics.size(), data.events.size(),
        data.job.MeasStartMeasured.FileText().c_str(),
        data.job.MeasStopMeasured.FileText().c_str());
    return 0;
}

}  // namespace varelo::sim
