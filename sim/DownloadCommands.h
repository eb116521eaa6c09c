#pragma once

#include <cstdint>
#include <string>

namespace varelo::sim {

class CommandDispatcher;
struct Scenario;
struct SimMemory;

inline constexpr uint8_t kBootDownload = 'B';    // no answer; the boot program takes blocks
inline constexpr uint8_t kWriteMemory = 'W';     // + type, 2 length and 5 address digits, data
inline constexpr uint8_t kStartCpuFlash = 'C';   // answers 'C'
inline constexpr uint8_t kFinishCpuFlash = 'c';  // answers 'c'
inline constexpr uint8_t kRestart = 'R';         // answers '+' and runs the new firmware

inline constexpr uint8_t kBlockAccepted = 'o';
inline constexpr uint8_t kBlockRefused = 'f';

// Marks the demonstration images that logger-sim understands: the text at the start of an
// image names its kind and versions, separated by '|'.
inline constexpr const char* kDemoImageMark = "VARELO-DEMO-IMAGE";

// The firmware download family: boot download, Write Memory, CPU flash start and finish, and
// the restart that reports the versions of the images received.
void RegisterDownloadCommands(CommandDispatcher& dispatcher);

// Takes the versions of a demonstration CPU image at the start of the flash into the
// Logger's software paragraph; says so for the log, empty when the flash holds none.
std::string TakeCpuImageVersions(Scenario& s, const SimMemory& cpuFlash);

}  // namespace varelo::sim
