#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "logger/ProtocolDiagnostics.h"

namespace varelo {

class CLoggerLink;
class Settings;
class UserInterface;
class CLoggerProtocol;
class ReadOutProgress;
struct CLoggerInfo;

// Not a string-table message: the "Logger - Function was aborted" dialog.
inline constexpr int kFunctionAbortedDialog = -2;
// Logger state codes that dialog names.
inline constexpr unsigned kStateApplication = 1;
inline constexpr unsigned kStateBootProgram = 2;
inline constexpr unsigned kStateDownloadProgram = 4;
inline constexpr unsigned kStateTestProgram = 8;

// The dialog's text for the Logger's state and the set of states the command needs.
std::string FunctionAbortedText(unsigned currentState, unsigned requiredStates);

struct ReadResultsOutcome {
    std::string path;             // the new measurement file; empty when nothing was written
    bool transferFailed = false;  // the transfer started and failed or was cancelled
    ProtocolDiagnostics diagnostics;
};

// "Read results" (job 0) or "Read old results" (job 1): checks that the Logger has something
// to read, asks where to save it and reads the whole measurement into that file. configure
// adjusts the protocol (port, baud rate) before it connects.
ReadResultsOutcome ReadResults(CLoggerLink& port, Settings& settings, UserInterface& ui,
                               uint16_t job,
                               const std::function<void(CLoggerProtocol&)>& configure = {});

// Reads the job selected by the protocol's connection and its records into a new file at path.
// The file appears under that name only on success; false on failure or Cancel, when an
// earlier file of that name stays as it was. writeDumps adds the text dumps beside the file.
bool SaveReadOut(const std::string& path, ReadOutProgress& progress, CLoggerProtocol& protocol,
                 const CLoggerInfo& info, bool writeDumps = false);

}  // namespace varelo
