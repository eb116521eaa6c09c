#include "app/PortNaming.h"

#include <cstdlib>

#include "app/Settings.h"

namespace varelo {

std::string PortLabel(int port) { return "COM" + std::to_string(port); }

std::string PortDevicePath(Settings& settings, const std::string& portLabel) {
    int number = 0;
    if (portLabel.starts_with("COM")) number = std::atoi(portLabel.c_str() + 3);
    if (const char* env = std::getenv(("VARELO_" + portLabel).c_str()); env && *env) return env;
    if (number > 0) {
        std::string configured = settings.ReadString(setting::DeviceForPort(number));
        if (!configured.empty()) return configured;
        return "/dev/ttyS" + std::to_string(number - 1);
    }
    return portLabel;
}

}  // namespace varelo
