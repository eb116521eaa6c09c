#pragma once

#include <memory>
#include <string>

#include "app/Settings.h"
#include "cli/CliUserInterface.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SerialPort.h"
#include "platform/SettingsStore.h"

namespace varelo {

// What every command of the command-line program shares: the settings, the messages and the
// one serial port of the process.
class CliContext {
public:
    CliContext();

    Settings& AppSettings() { return settings_; }
    CliUserInterface& Ui() { return ui_; }
    CSerialPort& Port() { return port_; }

private:
    SettingsStore store_;
    Settings settings_;
    CliUserInterface ui_;
    PosixSerialDevice device_;
    CSerialPort port_;
};

}  // namespace varelo
