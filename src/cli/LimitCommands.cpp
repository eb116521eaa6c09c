#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "app/Settings.h"
#include "app/UserInterface.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "evaluation/LimitEditor/HarmonicLimitsModel.h"
#include "evaluation/LimitEditor/InterharmonicLimitsModel.h"
#include "evaluation/LimitEditor/LimitEditorModel.h"
#include "evaluation/LimitEditor/SignallingLimitsModel.h"
#include "evaluation/LimitValueFile.h"
#include "evaluation/LimitValues.h"
#include "platform/JsonWriter.h"
#include "platform/Paths.h"
#ifdef VARELO_HAVE_GUI_PRINT
#include "gui/print/PrintToPdf.h"
#endif

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

void ShowJson(const CLimitValues& l) {
    JsonWriter out;
    out.BeginObject();
    out.Key("Text").String(l.Text);
    out.Key("PowSysNomFreq").Int(l.PowSysNomFreq);
    const std::pair<const char*, int> integers[] = {{"Histogram", l.Histogram},
                                                    {"FplusTol95", l.FplusTol95},
                                                    {"FminusTol95", l.FminusTol95},
                                                    {"FplusTol100", l.FplusTol100},
                                                    {"FminusTol100", l.FminusTol100},
                                                    {"NrEvents", l.NrEvents},
                                                    {"InterruptionLimit", l.InterruptionLimit}};
    for (const auto& [key, value] : integers)
        out.Key(key).Int(value);
    const std::pair<const char*, float> decimals[] = {
        {"NplusTol95", l.NplusTol95},   {"NminusTol95", l.NminusTol95},
        {"NplusTol100", l.NplusTol100}, {"NminusTol100", l.NminusTol100},
        {"FlickPst", l.FlickPst},       {"FlickPlt", l.FlickPlt},
        {"VoltUnbal", l.VoltUnbal}};
    for (const auto& [key, value] : decimals)
        out.Key(key).Number(value);
    out.Key("THD").Number(l.THD);
    out.Key("CurrTHD").Number(l.CurrTHD);
    out.Key("RatedCurrent").Number(l.RatedCurrent);
    out.Key("RatedPower").Number(l.RatedPower);
    out.Key("ShortCircuitPower").Number(l.ShortCircuitPower);
    auto pairs = [&](const char* name, const char* keyName, auto&& each) {
        out.Key(name).BeginArray();
        each([&](int key, double value) {
            out.BeginObject().Key(keyName).Int(key).Key("limit").Number(value).EndObject();
        });
        out.EndArray();
    };
    pairs("voltageHarmonics", "order", [&](auto add) {
        for (int n = 1; n <= int(CLimitValues::kOrders); ++n)
            if (l.HarmonicLimit(n) > 0) add(n, l.HarmonicLimit(n));
    });
    pairs("currentHarmonics", "order", [&](auto add) {
        for (int n = 1; n <= int(CLimitValues::kOrders); ++n)
            if (l.CurrentHarmonicLimit(n) > 0) add(n, l.CurrentHarmonicLimit(n));
    });
    pairs("interharmonics", "from", [&](auto add) {
        for (size_t k = 0; k < CLimitValues::kBins; ++k)
            if (!l.IsHarmonicEntry(k) && l.Harm[k] > 0) add(int(k + 1) * 5, l.Harm[k]);
    });
    pairs("signalling", "frequency", [&](auto add) {
        for (size_t k = 0; k < CLimitValues::kBins; ++k)
            if (l.SignallingVolt[k] > 0) add(int(k + 1) * 5, l.SignallingVolt[k]);
    });
    out.EndObject();
    std::printf("%s\n", out.Text().c_str());
}

int Show(CliContext&, Arguments& args) {
    const bool json = args.Flag("json");
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
    if (json) {
        ShowJson(l);
        return kExitOk;
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

// "N=V" into its two texts; false without "=".
bool SplitPair(const std::string& word, std::string& key, std::string& value) {
    const size_t eq = word.find('=');
    if (eq == std::string::npos) return false;
    key = word.substr(0, eq);
    value = word.substr(eq + 1);
    return true;
}

// A refusal of the editor's rules, as the editor words it.
bool Refused(CliContext& context, const LimitCheck& check) {
    if (check.Ok()) return false;
    context.Ui().ShowMessage(check.message, check.text, MessageIcon::Stop);
    return true;
}

// The editor's sub-dialogs without windows: each pair is one "Set", then OK.
bool SetHarmonics(CliContext& context, CLimitEditorModel& model, bool current,
                  const std::vector<std::string>& pairs, const std::optional<std::string>& vse) {
    if (pairs.empty() && !vse) return true;
    CHarmonicLimitsModel harmonics = model.Harmonics(current);
    if (vse) {
        CVseModel calculation(harmonics.Vse());
        std::string inputs[3];
        size_t start = 0;
        for (int i = 0; i < 3; ++i) {
            const size_t comma = vse->find(',', start);
            inputs[i] = vse->substr(start, comma == std::string::npos ? comma : comma - start);
            start = comma == std::string::npos ? vse->size() : comma + 1;
        }
        if (Refused(context, calculation.Accept(inputs[0], inputs[1], inputs[2]))) return false;
        harmonics.TakeVse(calculation);
    }
    for (const std::string& pair : pairs) {
        std::string order, value;
        SplitPair(pair, order, value);
        if (Refused(context, harmonics.Set(order, value))) return false;
    }
    if (Refused(context, harmonics.Accept(harmonics.ThdText()))) return false;
    model.TakeHarmonics(harmonics);
    return true;
}

template <class Model>
bool SetBins(CliContext& context, Model model, const std::vector<std::string>& pairs,
             const std::function<void(const Model&)>& take) {
    if (pairs.empty()) return true;
    for (const std::string& pair : pairs) {
        std::string frequency, value;
        SplitPair(pair, frequency, value);
        if (Refused(context, model.Set(frequency, value))) return false;
    }
    take(model);
    return true;
}

int Set(CliContext& context, Arguments& args) {
    auto output = args.Value("output");
    const auto harmonics = args.Values("harmonic");
    const auto currents = args.Values("current-harmonic");
    const auto signalling = args.Values("signalling");
    const auto interharmonics = args.Values("interharmonic");
    const auto vse = args.Value("vse");
    const auto words = args.Positionals();
    if (!output || output->empty()) args.Fail("--output names the limit value level file to write");
    if (words.empty()) args.Fail("name the limit value level file to start from");
    for (const auto* list : {&harmonics, &currents, &signalling, &interharmonics}) {
        for (const std::string& pair : *list) {
            if (pair.find('=') == std::string::npos) args.Fail("'" + pair + "' is not N=V");
        }
    }
    CLimitEditorModel model(context.Ui(), UserDataFolder());
    LimitFieldTexts fields;
    std::vector<std::pair<LimitField, std::string>> typed;
    for (size_t i = 1; i < words.size(); ++i) {
        std::string name, value;
        std::optional<LimitField> field;
        if (SplitPair(words[i], name, value)) field = LimitFieldByName(name);
        if (!field)
            args.Fail("'" + words[i] + "' is not FIELD=VALUE with a field of the editor");
        else
            typed.emplace_back(*field, value);
    }
    if (!args.Problems().empty()) return kExitUsage;
    if (!model.Open(words[0])) {
        std::fprintf(stderr, "varelo-cli: %s is not a limit value level file\n", words[0].c_str());
        return kExitFailed;
    }
    fields = model.FieldTexts();
    for (const auto& [field, value] : typed) {
        // The editor replaces an out-of-range entry silently; here the replacement is said.
        const std::string shown = CLimitEditorModel::CheckField(field, value, "");
        if (field != LimitField::Text && shown.empty()) {
            std::fprintf(stderr, "varelo-cli: %s=%s is not a number\n", LimitFieldName(field),
                         value.c_str());
            return kExitUsage;
        }
        double a = 0, b = 0;
        if (field != LimitField::Text && ParseDecimal(value, a) && ParseDecimal(shown, b) &&
            RoundTo2(a) != b)
            std::fprintf(stderr, "varelo-cli: %s %s replaced by %s\n", LimitFieldName(field),
                         value.c_str(), shown.c_str());
        fields[size_t(field)] = value;
    }
    if (Refused(context, model.TakeOver(fields))) return kExitFailed;
    using Signalling = CSignallingLimitsModel;
    using Interharmonics = CInterharmonicLimitsModel;
    if (!SetHarmonics(context, model, false, harmonics, std::nullopt) ||
        !SetHarmonics(context, model, true, currents, vse) ||
        !SetBins<Signalling>(context, model.Signalling(), signalling,
                             [&](const Signalling& m) { model.TakeSignalling(m); }) ||
        !SetBins<Interharmonics>(context, model.Interharmonics(), interharmonics,
                                 [&](const Interharmonics& m) { model.TakeInterharmonics(m); }))
        return kExitFailed;
    if (!model.SaveTo(*output)) return kExitFailed;
    std::printf("Limit value level file written: %s\n", model.FileName().c_str());
    return kExitOk;
}

int Print(CliContext& context, Arguments& args) {
    auto output = args.Value("output");
    auto files = args.Positionals();
    if (files.size() != 1) args.Fail("name one limit value level file");
    if (!output || output->empty()) args.Fail("--output names the PDF file");
    if (!args.Problems().empty()) return kExitUsage;
#ifdef VARELO_HAVE_GUI_PRINT
    if (!PrintLimitFileToPdf(files[0], *output, context.AppSettings(), context.Ui())) {
        std::fprintf(stderr, "varelo-cli: %s is no limit value level file, or %s was not written\n",
                     files[0].c_str(), output->c_str());
        return kExitFailed;
    }
    std::printf("%s\n", output->c_str());
    return kExitOk;
#else
    (void)context;
    std::fprintf(stderr, "varelo-cli: this build has no printing\n");
    return kExitFailed;
#endif
}

constexpr Command kCommands[] = {
    {"limits default", "limits default --output FILE.GWD [--frequency 50|60]",
     "write the built-in EN50160 limit value set", WriteDefault},
    {"limits show", "limits show FILE.GWD [--json]", "print a limit value level file", Show},
    {"limits set",
     "limits set F.GWD --output G.GWD [FIELD=VALUE...] [--harmonic N=V] [--current-harmonic N=V] "
     "[--signalling F=V] [--interharmonic F=V] [--vse IA,SA,SKV]",
     "change a limit value level file by the editor's rules", Set},
    {"limits print", "limits print F.GWD --output OUT.pdf", "print a limit value level file to PDF",
     Print},
};

}  // namespace

std::span<const Command> LimitCommands() {
    return kCommands;
}

}  // namespace varelo
