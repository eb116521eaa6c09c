// varelo-cli derive and transformer: the 10- and 15-minute files of a measurement, and the
// current transformer correction of a stored measurement's job. Neither ever asks.
#include <cstdio>
#include <optional>
#include <string>

#include "app/AppOptions.h"
#include "app/CommandTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "document/DerivedFiles.h"
#include "document/TransformerForm.h"
#include "document/Vamor800Doc.h"

namespace varelo {

namespace {

int Derive(CliContext& context, Arguments& args) {
    auto from = args.Value("from");
    auto to = args.Value("to");
    CTimeStamp start, end;
    if (from.has_value() != to.has_value() || (from && !ParseDate(*from, start)) ||
        (to && !ParseDate(*to, end)))
        args.Fail("--from and --to take dates such as 2026-03-02 or \"2026-03-02 10:00\"");
    auto files = args.Positionals();
    if (files.size() != 1) args.Fail("name one measurement file");
    if (!args.Problems().empty()) return kExitUsage;
    context.Ui().SetEvaluationPeriod(start, end);

    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (!doc.OpenFile(files[0])) return kExitFailed;
    if (!doc.IsCommandEnabled(cmd::kDerivedFiles)) {
        std::fprintf(stderr,
                     "varelo-cli: only a measurement of function A with 5-minute intervals "
                     "gives 10- and 15-minute files\n");
        return kExitFailed;
    }
    const DerivedFilesOutcome outcome = CreateDerivedFiles(doc, context.Ui(), false);
    for (const std::string& path : outcome.paths)
        std::printf("%s\n", path.c_str());
    return outcome.written ? kExitOk : kExitFailed;
}

// "P/S" sets a transformer of P to S amperes, "off" clears it; the texts go through the
// dialog's own checks.
bool ReadTransformer(Arguments& args, const char* name, std::optional<std::string>& value) {
    value = args.Value(name);
    if (!value || *value == "off" || value->find('/') != std::string::npos) return true;
    args.Fail(std::string("--") + name + " takes PRIMARY/SECONDARY in amperes or off");
    return false;
}

void Take(const std::optional<std::string>& value, TransformerForm::Group& group) {
    if (!value) return;
    group.transformer = *value != "off";
    if (!group.transformer) return;
    const size_t slash = value->find('/');
    group.primary = value->substr(0, slash);
    group.secondary = value->substr(slash + 1);
}

int Transformer(CliContext& context, Arguments& args) {
    std::optional<std::string> phase, neutral;
    ReadTransformer(args, "phase", phase);
    ReadTransformer(args, "neutral", neutral);
    auto files = args.Positionals();
    if (files.size() != 1) args.Fail("name one measurement file");
    if (!args.Problems().empty()) return kExitUsage;

    UserInterface& ui = context.Ui();
    const bool changed = ChangeCurrentTransformer(
        files[0],
        [&](CMeasurementJob& job) {
            TransformerForm form(job);
            Take(phase, form.phase);
            if (neutral && !form.NeutralShown())
                std::fprintf(stderr,
                             "varelo-cli: the measurement has no neutral current; "
                             "--neutral does not apply\n");
            Take(neutral, form.neutral);
            if (const auto problem = form.Apply(job)) {
                ui.ShowMessage(problem->messageId, problem->text, MessageIcon::Warning);
                return false;
            }
            return true;
        },
        ui);
    if (!changed) return kExitFailed;
    CMeasurementJob job;
    if (ReadTransformerJob(files[0], job, ui)) {
        auto line = [](const char* what, bool on, long primary, long secondary) {
            if (on)
                std::printf("%s: %s/%s A\n", what, TransformerForm::Amperes(primary).c_str(),
                            TransformerForm::Amperes(secondary).c_str());
            else
                std::printf("%s: off\n", what);
        };
        line("phase", job.PhCurrTransformer != 0, job.PhCurrPrimaryRawVal,
             job.PhCurrSecondaryRawVal);
        if (job.NeutralMeas != 0)
            line("neutral", job.NeutralCurrTransformer != 0, job.NeutralCurrPrimaryRawVal,
                 job.NeutralCurrSecondaryRawVal);
    }
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"derive", "derive FILE.VXM [--from DATE --to DATE]",
     "the 10- and 15-minute files of a 5-minute function A measurement, beside it", Derive},
    {"transformer", "transformer FILE.VXM [--phase P/S|off] [--neutral P/S|off]",
     "corrects the current transformers in the measurement's job", Transformer},
};

}  // namespace

std::span<const Command> DerivedFileCommands() {
    return kCommands;
}

}  // namespace varelo
