#include <cstdio>
#include <iostream>
#include <string>

#include "app/StringTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "logger/ResetStepTexts.h"
#include "logger/ResetWizard.h"
#include "logger/SoftwareInformation.h"

namespace varelo {

namespace {

// Strips the "&" of a button text.
std::string Plain(int id) {
    std::string text = Str(id);
    std::erase(text, '&');
    return text;
}

// The wizard's dialog as lines: each step's texts when it begins, the end of its bar and
// "Done" when it is finished.
class PrintingObserver : public ResetWizardObserver {
public:
    explicit PrintingObserver(const CResetWizard*& wizard) : wizard_(wizard) {}

    void StepEntered(ResetStep step) override {
        using namespace reset_text;
        if (IsDownloadStep(step)) {
            if (step == ResetStep::Activate && !inStep4_)
                std::printf("\n%s\n", Str(kStep4).c_str());
            inStep4_ = true;
            for (const auto& line : ResetDownloadSteps()) {
                if (line.step == step)
                    std::printf("%s %s\n", Str(line.letterId).c_str(), Str(line.textId).c_str());
            }
        } else {
            inStep4_ = false;
            std::printf("\n%s\n", Str(ResetGroupCaption(step)).c_str());
        }
        switch (step) {
            case ResetStep::SwitchOff:
                std::printf("%s %s\n", Str(kLetterA).c_str(),
                            FormatPrintf(Str(kConnectedToPort), {wizard_->PortName()}).c_str());
                std::printf("%s %s\n", Str(kLetterB).c_str(), Str(kTurnOff).c_str());
                std::printf("%s %s\n", Str(kLetterC).c_str(), Str(kPressOk).c_str());
                break;
            case ResetStep::BootPort: std::printf("%s\n", Str(kBootPort).c_str()); break;
            case ResetStep::BootMode:
                std::printf("%s %s: %s\n", Str(kLetterA).c_str(), Str(kSelectType).c_str(),
                            type_.c_str());
                std::printf("%s %s\n", Str(kLetterB).c_str(), Str(kHoldStartStop).c_str());
                std::printf("%s %s\n", Str(kLetterC).c_str(), Str(kPressOk).c_str());
                break;
            case ResetStep::Ready: std::printf("%s\n", Str(kReady).c_str()); break;
            default: break;
        }
        std::fflush(stdout);
    }
    void BarRange(ResetStep, long range) override { range_ = range; }
    void BarPosition(ResetStep, long position) override { position_ = position; }
    void StepDone(ResetStep) override {
        std::printf("  %ld / %ld  %s\n", position_, range_, Str(reset_text::kDone).c_str());
        std::fflush(stdout);
    }

    void SetType(std::string type) { type_ = std::move(type); }

private:
    const CResetWizard*& wizard_;
    std::string type_;
    long range_ = 0;
    long position_ = 0;
    bool inStep4_ = false;
};

// Waits for Enter, as the "OK" button; false at the end of the input.
bool PressOk() {
    std::printf("[%s: press Enter]\n", Plain(reset_text::kOk).c_str());
    std::fflush(stdout);
    std::string line;
    return bool(std::getline(std::cin, line));
}

int Failed(const CResetWizard& wizard) {
    std::fprintf(stderr, "logger reset: ended with error %d\n", wizard.LastError());
    return kExitFailed;
}

int Reset(CliContext& context, Arguments& args) {
    const bool prompt = !args.Flag("no-prompt");
    const std::optional<int> port = args.Int("port", 1, 9);
    const std::optional<std::string> type = args.Value("type");
    if (!args.Problems().empty()) return kExitUsage;

    const CResetWizard* shown = nullptr;
    PrintingObserver observer(shown);
    CResetWizard wizard(context.Port(), context.AppSettings(), observer, FirmwareFolder());
    shown = &wizard;
    if (port) wizard.UsePort(*port);

    // The list is filled at opening; the type is checked against it before anything is sent.
    wizard.Open();
    std::string designation;
    if (wizard.SelectedIndex() >= 0)
        designation = wizard.Designations()[size_t(wizard.SelectedIndex())];
    if (type) {
        designation.clear();
        for (const auto& d : wizard.Designations()) {
            if (d == *type) designation = d;
        }
        if (designation.empty()) {
            std::fprintf(stderr, "logger reset: --type must be one of:");
            for (const auto& d : wizard.Designations())
                std::fprintf(stderr, " \"%s\"", d.c_str());
            std::fprintf(stderr, "\n");
            return kExitUsage;
        }
    }
    observer.SetType(designation);

    // Without prompts each step is tried once: a Logger that is not ready fails the command.
    while (wizard.Step() == ResetStep::SwitchOff) {
        if (prompt && !PressOk()) return Failed(wizard);
        wizard.ConfirmSwitchedOff();
        if (wizard.Ended() || (!prompt && wizard.Step() == ResetStep::SwitchOff))
            return Failed(wizard);
    }
    while (wizard.Step() == ResetStep::BootMode) {
        if (prompt && !PressOk()) return Failed(wizard);
        wizard.ConfirmBootMode(designation);
        if (wizard.Ended() || (!prompt && wizard.Step() == ResetStep::BootMode))
            return Failed(wizard);
    }
    return wizard.Step() == ResetStep::Ready ? kExitOk : Failed(wizard);
}

constexpr Command kCommands[] = {
    {"logger reset", "logger reset [--type DESIGNATION] [--port N] [--no-prompt]",
     "reload the CPU program of a Logger that no longer starts (bootstrap mode)", Reset},
};

}  // namespace

std::span<const Command> LoggerResetCommands() {
    return kCommands;
}

}  // namespace varelo
