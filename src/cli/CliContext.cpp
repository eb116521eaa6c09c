#include "cli/CliContext.h"

#include "app/AppOptions.h"
#include "app/PortNaming.h"
#include "app/Startup.h"
#include "platform/Paths.h"

namespace varelo {

CliContext::CliContext()
    : store_(SettingsStore::DefaultPath()),
      settings_(store_),
      port_(device_, SystemClock(),
            [this](const std::string& label) { return PortDevicePath(settings_, label); }),
      link_(port_, ui_) {
    // The settings part of the program's start-up, so that both front ends see the same.
    ForceFrequency(settings_);
    RepairCommunication(settings_);
    FindDefaultLimitFile(settings_, DataFolder());
    ReadDisplaySwitches(settings_, AppOptions::Instance());
    ReadHarmonicOptions(settings_, AppOptions::Instance());
}

}  // namespace varelo
