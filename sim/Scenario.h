#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/GeneratorSettings.h"
#include "sim/SimDateTime.h"

namespace varelo::sim {

// The Hardware paragraph ("y"). Texts go on the wire byte for byte.
struct HardwareInfo {
    std::string type = "408b Power Logger   1";  // its first characters give the device type
    std::string serial = "408-000001";
    std::string basicUnit = "BU 408";
    // Supply voltage, nominal frequency, voltage range and current range: two characters each,
    // normally decimal digits.
    std::array<std::string, 4> codes{"01", "01", "01", "01"};
    std::string bootVersion = "1.00";
    std::string bootFunction = "Boot";
    std::string calibration = "2024-01-15";
};

// The answer to "b", the clamp information of the extended family.
struct ClampInfo {
    bool known = true;  // older firmware does not know "b" and leaves it unanswered
    uint8_t id = 0;     // 0 = no clamp
    float maxCurrent = 0;
    std::array<uint8_t, 6> serial{};
};

// The Software paragraph ("k").
struct SoftwareInfo {
    std::string measurementFunction = "A Power quality";
    std::string cpuVersion = "5.02";
    std::string cpuFunction = "A;CPU";
    std::string dspVersion = "5.02";
    std::string dspFunction = "A;DSP";
};

// "Read Max Numbers" ("n").
struct MaxNumbersInfo {
    int16_t intervals = 8064;
    int16_t events = 1000;
    int16_t statistics = 52;
};

// One job's state as the Status paragraph and the report bytes of the job block give it.
struct JobReport {
    char state = 'F';  // job-state letter: 'A', 'S' (between segments), 'F', 'V', 'K'
    uint8_t intervalMemory = 0;
    int32_t intervals = 0;
    uint8_t statisticsMemory = 0;
    int16_t statistics = 0;
    uint8_t eventMemory = 0;
    int16_t events = 0;  // complete events
    uint8_t openEvents = 0;
    std::optional<SimDateTime> start{};  // effective start; none: all zero on the wire
    std::optional<SimDateTime> end{};    // effective end; none: not ended
};

// A job the Logger holds.
struct LoggerJob {
    char function = 'A';           // 'A' or 'P': the function of the default job block
    std::vector<uint8_t> block{};  // the 675 bytes as written; empty: the default job block
    JobReport report{};
    // The measurement this job recorded, served record by record by "m", "T" and "E" while
    // the job is selected; none: the job has no records to send.
    std::optional<GeneratorSettings> measurement{};
};

// The wake-up answer of a Logger waiting in its boot program.
inline constexpr uint8_t kBootProgramState = 'P';

// One memory of the Logger that "W" blocks write: zero until written.
struct SimMemory {
    static constexpr uint32_t kSize = 0x80000;

    std::vector<uint8_t> bytes{};      // empty until the first write
    std::optional<uint32_t> lowest{};  // lowest address written
    size_t blocks = 0;

    void Write(uint32_t address, std::span<const uint8_t> data);
    // The text at the lowest address written, up to a NUL (at most 256 characters).
    std::string TextAtStart() const;
};

// The firmware download in progress: which memories take blocks and what they received.
struct FirmwareDownloadState {
    bool bootDownload = false;  // after "B" until the next wake-up: blocks 'R' go to the boot
                                // flash; in the boot program without "B" to its RAM
    bool cpuFlash = false;      // between "C" and "c": blocks 'C' go to the CPU flash
    SimMemory bootFlash{};
    SimMemory bootRam{};
    SimMemory cpuFlashMemory{};
    size_t refusedBlocks = 0;
};

// How the Logger is powered: running its firmware, in its processor's bootstrap mode (powered
// with the start/stop button held, for the reset wizard), or switched off.
enum class Power { On, Bootstrap, Off };

// What the bootstrap mode received, and how it answers.
struct BootstrapState {
    uint8_t ident = 0xD5;                      // answer to the first zero byte
    std::optional<uint8_t> blockAnswer = 'o';  // answer to a CPU block; none: no answer
    std::vector<uint8_t> loader{};             // the primary loader as received
    std::vector<uint8_t> hexLoader{};          // the hex loader as received
    SimMemory monitor{};                       // what the "p" commands stored
    uint8_t monitorSum = 0;                    // the sum "e" answers
    bool flashOpen = false;                    // after "P": blocks go to the CPU flash
    SimMemory cpuFlash{};                      // what the CPU blocks wrote
    std::vector<uint32_t> blockAddresses{};    // of the CPU blocks, in their order
};

// What the simulated Logger is and holds: the state its handlers answer from, changed by the
// commands that change a Logger (a job written, a job selected).
struct Scenario {
    // The character the Logger answers to the wake-up: '+' ready, '?' or 'P' boot or download
    // mode, '$', '*' or '>' busy, '#' and anything else as the Logger sends it.
    uint8_t state = '+';
    std::optional<SimDateTime> clock{};  // none: the host's local time when asked
    long long clockOffset = 0;           // seconds "Z" moved the host's time by
    std::string designation = "Simulated Logger";
    uint8_t online = '0';  // online state: '0', 'K', 'U', 'V'
    HardwareInfo hardware{};
    ClampInfo clamp{};
    SoftwareInfo software{};
    MaxNumbersInfo maxNumbers{};
    std::array<LoggerJob, 2> jobs{};  // the current job and the old job
    bool hasOldJob = false;
    // On "A": true makes the current job the old job before the new one replaces it; false
    // leaves the old job as it is.
    bool keepOldJobOnWrite = false;
    uint8_t selectedJob = 0;  // 0 current job, 1 old job; back to 0 at the end of a connection
    // Where the next "m", "T" and "E" go on: the Logger keeps its own read positions, back to
    // the first record at the end of a connection and when a job is selected.
    struct ReadPositions {
        uint32_t interval = 0;  // slot of the interval memory
        uint32_t statistic = 0;
        uint32_t event = 0;
    } read{};

    FirmwareDownloadState firmware{};
    Power power = Power::On;
    BootstrapState bootstrap{};

    // The Logger's clock now: the fixed clock, or the host's local time moved by "Z".
    SimDateTime Clock() const {
        return clock ? *clock
                     : SimDateTime::FromSeconds(SimDateTime::LocalNow().Seconds() + clockOffset);
    }

    // The family whose hardware type begins "40": clamp, 24-bit interval counts.
    bool IsExtendedFamily() const { return hardware.type.starts_with("40"); }
};

}  // namespace varelo::sim
