#include "logger/ResetStepTexts.h"

#include <array>

namespace varelo {

namespace {

constexpr std::array<ResetStepText, 5> kDownloadSteps{{
    {ResetStep::Activate, reset_text::kLetterA, reset_text::kActivate},
    {ResetStep::HexLoader, reset_text::kLetterB, reset_text::kHexLoader},
    {ResetStep::Monitor, reset_text::kLetterC, reset_text::kMonitor},
    {ResetStep::CpuProgram, reset_text::kLetterD, reset_text::kCpuProgram},
    {ResetStep::Restart, reset_text::kLetterE, reset_text::kRestart},
}};

}  // namespace

std::span<const ResetStepText> ResetDownloadSteps() {
    return kDownloadSteps;
}

bool IsDownloadStep(ResetStep step) {
    for (const auto& line : kDownloadSteps) {
        if (line.step == step) return true;
    }
    return false;
}

int ResetGroupCaption(ResetStep step) {
    switch (step) {
        case ResetStep::SwitchOff: return reset_text::kStep1;
        case ResetStep::BootPort: return reset_text::kStep2;
        case ResetStep::BootMode: return reset_text::kStep3;
        case ResetStep::Ready: return reset_text::kStep5;
        default: return reset_text::kStep4;
    }
}

}  // namespace varelo
