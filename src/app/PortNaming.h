#pragma once

#include <string>

namespace varelo {

class Settings;

// "COM%1i" of a port number 1..9.
std::string PortLabel(int port);

// The device path of a port label "COMn": environment variable VARELO_COMn, else the setting
// "Communication"/"DeviceCOMn", else /dev/ttyS<n-1>.
std::string PortDevicePath(Settings& settings, const std::string& portLabel);

}  // namespace varelo
