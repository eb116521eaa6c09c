#pragma once

#include <memory>
#include <string>

#include "app/Settings.h"
#include "cli/CliUserInterface.h"
#include "logger/LoggerLink.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SettingsStore.h"

namespace varelo {

// What every command of the command-line program shares: the settings, the messages and the
// one serial port of the process.
class CliContext {
public:
    CliContext();

    Settings& AppSettings() { return settings_; }
    CliUserInterface& Ui() { return ui_; }
    CLoggerLink& Port() { return link_; }

private:
    SettingsStore store_;
    Settings settings_;
    CliUserInterface ui_;
    PosixSerialDevice device_;
    CSerialPort port_;
    CLoggerLink link_;
};

}  // namespace varelo
