#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/Settings.h"

namespace varelo {

class AppOptions;
class UserInterface;

// What the general settings dialog shows and edits.
struct GeneralSettingsForm {
    std::string printHeader;
    std::string limitFile;
    std::string aoaFile;
    int comPortIndex = -1;  // 0..8 for COM1..COM9, -1 when nothing is selected
    std::string baudRate;
    bool thdUpTo50 = true;
    bool phasesAbc = false;
    // Checked buttons of the harmonic columns: fundamental, nominal, RMS, absolute for
    // voltages; fundamental, RMS, absolute for currents.
    bool voltage[4] = {};
    bool current[3] = {};
    bool showSplash = true;
    bool showStartMenu = true;
    bool autoTimeSync = false;
    bool showEn50160Warning = false;
    bool showFlicker = true;
    bool showThd = true;
};

// The form as the dialog opens with it.
GeneralSettingsForm LoadGeneralSettings(Settings& settings, const AppOptions& options);
// The flicker and THD boxes can be changed only with the configure switch and no
// measurement open.
bool FlickerThdEditable(const AppOptions& options, bool measurementOpen);

// One write of OK, with the step it belongs to.
struct SettingWrite {
    const SettingKey* key;
    int number;        // for an integer key
    std::string text;  // for a string key
    int step;
};
// Every key OK writes, in the order it writes them.
std::vector<SettingWrite> GeneralSettingsWrites(const GeneralSettingsForm& form,
                                                bool flickerThdEditable);

// What OK asks of the rest of the program between its writes.
struct GeneralSettingsHooks {
    // Step 3: the serial port, when open, moves to this port ("COMn") and baud rate.
    std::function<void(const std::string& port, const std::string& baud)> switchPort;
    // Step 9: the harmonic references changed; the open measurement recomputes (under the
    // calculation status text and the wait cursor).
    std::function<void()> recalculate;
};

// OK of the general settings dialog, steps 1 to 9 in order. The re-evaluation that follows
// is the caller's.
void ApplyGeneralSettings(const GeneralSettingsForm& form, Settings& settings, AppOptions& options,
                          UserInterface& ui, bool measurementOpen,
                          const GeneralSettingsHooks& hooks);

}  // namespace varelo
