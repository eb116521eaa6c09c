#pragma once

namespace varelo {

// The wizard's steps by their codes: 1, 2, 3, the five parts of step 4 (4a to 4e) and 5.
enum class ResetStep {
    SwitchOff = 1,
    BootPort = 2,
    BootMode = 3,
    Activate = 41,
    HexLoader = 43,
    Monitor = 44,
    CpuProgram = 45,
    Restart = 47,
    Ready = 5,
};

// What the reset wizard shows while it works; the dialog and the command line implement it.
// The core calls it synchronously, between bytes where a transfer runs.
class ResetWizardObserver {
public:
    virtual ~ResetWizardObserver() = default;
    // The step (or the part of step 4) that is now current; only its group is enabled.
    virtual void StepEntered(ResetStep step) = 0;
    // The bar of a step: its range from 0, then its position (always within the range).
    virtual void BarRange(ResetStep step, long range) = 0;
    virtual void BarPosition(ResetStep step, long position) = 0;
    // "Done" beside a finished step.
    virtual void StepDone(ResetStep step) = 0;
};

}  // namespace varelo
