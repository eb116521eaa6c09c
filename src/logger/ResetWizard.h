#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logger/FirstAidPackage.h"
#include "logger/ResetWizardObserver.h"

namespace varelo {

class CLoggerLink;
class Settings;

// Reloads the whole CPU program into a Logger whose firmware no longer starts, through the
// processor's serial bootstrap mode: primary loader, hex loader, monitor, then the CPU
// program into flash, and a restart checked with the normal protocol. The front ends show
// the steps (through the observer) and press the buttons (the Confirm calls); everything
// else happens here. Error numbers are shown through the link's user interface.
class CResetWizard {
public:
    // The primary loader, sent byte by byte once the Logger has answered the zero byte.
    static constexpr std::array<uint8_t, 32> kPrimaryLoader{
        0xE6, 0x03, 0x03, 0x00, 0xE6, 0xF0, 0x60, 0xFA, 0x9A, 0xB7, 0xFE,
        0x70, 0x7E, 0xB7, 0xA4, 0x00, 0xB2, 0xFE, 0x86, 0xF0, 0x5F, 0xFC,
        0x3D, 0xF8, 0xFA, 0x00, 0x60, 0xFA, 0xCC, 0x00, 0xCC, 0x00};
    static constexpr size_t kHexLoaderSize = 512;
    static constexpr size_t kImageSize = 0x44000;
    static constexpr uint8_t kBootstrapIdent = 0xD5;  // the extended family's processor

    CResetWizard(CLoggerLink& link, Settings& settings, ResetWizardObserver& observer,
                 std::string firmwareFolder);
    ~CResetWizard();
    CResetWizard(const CResetWizard&) = delete;
    CResetWizard& operator=(const CResetWizard&) = delete;

    // Another port than the configured one (the command line's choice); before Open.
    void UsePort(int portNumber);

    // Opening: identifies a Logger running its application, fills the type list and enters
    // step 1.
    void Open();

    // Step 1 "OK": the Logger is switched off. Step 2 follows, then 3; or back to step 1, or
    // the wizard ends when the port cannot be opened.
    void ConfirmSwitchedOff();
    // Step 3 "OK" with the type chosen: 4a to 4e, then step 5; 815 and 1493 return to step 3,
    // any other error ends the wizard.
    void ConfirmBootMode(const std::string& designation);

    ResetStep Step() const { return step_; }
    // The wizard ended without success (the dialog closes).
    bool Ended() const { return ended_; }
    // The last error number shown; 0 for none.
    int LastError() const { return lastError_; }

    const std::string& PortName() const { return portName_; }
    int PortNumber() const { return portNumber_; }
    // The designations of the reset list, and the one preselected at opening.
    const std::vector<std::string>& Designations() const { return designations_; }
    int SelectedIndex() const { return selected_; }
    // The designation identified at opening; empty when no Logger answered.
    const std::string& IdentifiedDesignation() const { return identified_; }

private:
    using Error = int;  // an error number, 0 for none

    std::string IdentifyRunningLogger();
    bool OpenPort(bool dtr);
    void ClosePort();

    // Byte-level primitives; each gives an error number.
    Error Drain();
    Error WriteByte(uint8_t byte);
    // advanceBar: the current step's bar moves by 1 per byte.
    Error WriteBytes(const uint8_t* bytes, size_t count, bool advanceBar);
    Error ReadByte(uint32_t timeoutMs, std::optional<uint8_t>& byte);
    void Pause(uint32_t ms);

    void EnterStep(ResetStep step);
    void SetRange(ResetStep step, long range);
    void SetPosition(ResetStep step, long position);
    void Advance(ResetStep step, long by);
    void Fail(Error error);

    Error RunDownload(const std::string& typeCode);
    Error Activate(const std::string& typeCode);
    Error SendHexLoader(const FirstAidPackage& package);
    Error SendMonitor(const FirstAidPackage& package);
    Error SendCpuProgram(const FirstAidPackage& package);
    Error RestartLogger();

    CLoggerLink& link_;
    Settings& settings_;
    ResetWizardObserver& observer_;
    std::string firmwareFolder_;
    int portNumber_ = 1;
    std::string portName_;
    std::vector<std::string> designations_;
    int selected_ = -1;
    std::string identified_;
    ResetStep step_ = ResetStep::SwitchOff;
    bool ended_ = false;
    int lastError_ = 0;
    long range_ = 0;
    long position_ = 0;
};

}  // namespace varelo
