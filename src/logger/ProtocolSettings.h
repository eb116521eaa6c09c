#pragma once

#include <string>

namespace varelo {

class Settings;

// Communication settings of one Logger operation, each within its range.
struct ProtocolSettings {
    int portNumber = 1;                // 1..9
    std::string baudText = "115200";   // one of the offered baud rates
    uint32_t maxResponseTime = 3000;   // ms, 2000..4700: read time-out of every answer
    uint32_t commandDelayData = 50;    // ms, 0..32000: pause between data commands
    uint32_t maxInitTime = 7000;       // ms, 3000..32000
    uint32_t eventCommandDelay = 200;  // ms, 0..32000

    // Reads the "Communication" settings. A missing or out-of-range value takes its
    // substitute; port and baud rate are also written back.
    static ProtocolSettings Read(Settings& settings);
};

}  // namespace varelo
