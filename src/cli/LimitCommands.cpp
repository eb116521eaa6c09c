#include <cstdio>
#include <string>

#include "app/Settings.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "evaluation/LimitValueFile.h"
#include "evaluation/LimitValues.h"

namespace varelo {

namespace {

int WriteDefault(CliContext& context, Arguments& args) {
    auto output = args.Value("output");
    auto frequency = args.Int("frequency", 50, 60);
    if (!output) {
        args.Fail("--output is required");
        return kExitUsage;
    }
    CLimitValues limits;
    limits.SetDefaults(frequency.value_or(context.AppSettings().ReadInt(setting::Frequency)));
    if (!WriteLimitFile(*output, limits)) {
        std::fprintf(stderr, "varelo-cli: cannot write %s\n", output->c_str());
        return kExitFailed;
    }
    std::printf("Limit value level file written: %s\n", output->c_str());
    return kExitOk;
}

// Limits of frequency bins; runs of bins with one value are shown as one range.
void PrintBins(const char* title, const std::array<float, CLimitValues::kBins>& bins,
               const CLimitValues& limits, bool harmonicsOnly, bool skipHarmonics) {
    std::printf("%s:\n", title);
    bool any = false;
    for (size_t k = 0; k < bins.size(); ++k) {
        bool harmonic = limits.IsHarmonicEntry(k);
        if (bins[k] <= 0 || (harmonicsOnly && !harmonic) || (skipHarmonics && harmonic)) continue;
        int frequency = int(k + 1) * 5;
        any = true;
        if (harmonicsOnly) {
            std::printf("  order %2d (%4d Hz)  %g %%\n", frequency / limits.NominalFrequency(),
                        frequency, double(bins[k]));
            continue;
        }
        size_t last = k;
        while (!skipHarmonics && last + 1 < bins.size() && bins[last + 1] == bins[k])
            ++last;
        if (last > k)
            std::printf("  %4d-%4d Hz  %g %%\n", frequency, int(last + 1) * 5, double(bins[k]));
        else
            std::printf("  %4d Hz  %g %%\n", frequency, double(bins[k]));
        k = last;
    }
    if (!any) std::printf("  none\n");
}

int Show(CliContext&, Arguments& args) {
    auto files = args.Positionals();
    if (files.size() != 1) {
        args.Fail("name one limit value level file");
        return kExitUsage;
    }
    CLimitValues l;
    if (!ReadLimitFile(files[0], l)) {
        std::fprintf(stderr, "varelo-cli: %s is not a limit value level file\n", files[0].c_str());
        return kExitFailed;
    }
    std::printf("Limit value level file %s\n", files[0].c_str());
    if (!l.Text.empty()) std::printf("Text: %s\n", l.Text.c_str());
    std::printf(
        "Nominal frequency: %d Hz\nShare of the time (Histogram): %d %%\n"
        "Slow voltage variations: -%g %% / +%g %% (%d %% of the time), -%g %% / +%g %% (100 %%)\n"
        "Frequency: -%d %% / +%d %% (99.5 %%), -%d %% / +%d %% (100 %%)\n"
        "Flicker: Pst %g, Plt %g\nUnbalance: %g %%\nTHD: voltage %g %%, current %g %%\n"
        "Events allowed: %d\nInterruption limit: %d %%\n",
        l.PowSysNomFreq, l.Histogram, double(l.NminusTol95), double(l.NplusTol95), l.Histogram,
        double(l.NminusTol100), double(l.NplusTol100), l.FminusTol95, l.FplusTol95, l.FminusTol100,
        l.FplusTol100, double(l.FlickPst), double(l.FlickPlt), double(l.VoltUnbal), double(l.THD),
        double(l.CurrTHD), l.NrEvents, l.InterruptionLimit);
    PrintBins("Voltage harmonics", l.Harm, l, true, false);
    PrintBins("Voltage interharmonics", l.Harm, l, false, true);
    PrintBins("Mains signalling voltages", l.SignallingVolt, l, false, false);
    std::printf("Current harmonics:\n");
    bool any = false;
    for (int n = 1; n <= int(CLimitValues::kOrders); ++n) {
        if (l.CurrentHarmonicLimit(n) <= 0) continue;
        std::printf("  order %2d  %g A\n", n, double(l.CurrentHarmonicLimit(n)));
        any = true;
    }
    if (!any) std::printf("  none\n");
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"limits default", "limits default --output FILE.GWD [--frequency 50|60]",
     "write the built-in EN50160 limit value set", WriteDefault},
    {"limits show", "limits show FILE.GWD", "print a limit value level file", Show},
};

}  // namespace

std::span<const Command> LimitCommands() {
    return kCommands;
}

}  // namespace varelo
