#include "cli/CliContext.h"

#include "app/PortNaming.h"

namespace varelo {

CliContext::CliContext()
    : store_(SettingsStore::DefaultPath()),
      settings_(store_),
      port_(device_, SystemClock(), ui_,
            [this](const std::string& label) { return PortDevicePath(settings_, label); }) {}

}  // namespace varelo
