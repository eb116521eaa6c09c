#pragma once

#include <span>

#include "logger/ResetWizardObserver.h"

namespace varelo {

// The string-table texts of one line of the wizard.
struct ResetStepText {
    ResetStep step;
    int letterId;  // "a)" .. "e)"; 0 for a step without a letter
    int textId;
};

namespace reset_text {
inline constexpr int kStep1 = 2410;
inline constexpr int kLetterA = 2411;
inline constexpr int kLetterB = 2412;
inline constexpr int kLetterC = 2413;
inline constexpr int kConnectedToPort = 2414;  // printf-style: the port name
inline constexpr int kTurnOff = 2415;
inline constexpr int kPressOk = 2416;
inline constexpr int kOk = 2417;
inline constexpr int kStep2 = 2418;
inline constexpr int kBootPort = 2419;
inline constexpr int kDone = 2420;
inline constexpr int kStep3 = 2421;
inline constexpr int kSelectType = 2422;
inline constexpr int kHoldStartStop = 2423;
inline constexpr int kStep4 = 2424;
inline constexpr int kLetterD = 2425;
inline constexpr int kLetterE = 2426;
inline constexpr int kActivate = 2427;
inline constexpr int kHexLoader = 2428;
inline constexpr int kMonitor = 2429;
inline constexpr int kCpuProgram = 2430;
inline constexpr int kRestart = 2431;
inline constexpr int kStep5 = 2432;
inline constexpr int kReady = 2433;
inline constexpr int kTitle = 2434;
}  // namespace reset_text

// The lines of step 4, 4a to 4e, in their order.
std::span<const ResetStepText> ResetDownloadSteps();
// The step's group caption ("Step 1" .. "Step 5"); step 4's for each of its parts.
int ResetGroupCaption(ResetStep step);
// Whether the step is one of 4a to 4e.
bool IsDownloadStep(ResetStep step);

}  // namespace varelo
