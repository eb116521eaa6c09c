#pragma once

#include <string>

#include "platform/OsError.h"

namespace varelo {

class CLimitValues;
class Settings;
class UserInterface;

// Reads a limit value level file into a cleared record; false (target unchanged) when the
// file cannot be opened or its header is not valid. A missing or empty block reads as a
// cleared record.
bool ReadLimitFile(const std::string& path, CLimitValues& target);
// Writes the whole file; false when it cannot be created, the cause in error when given.
// Negative limits are written as 0.
bool WriteLimitFile(const std::string& path, const CLimitValues& limits, OsError* error = nullptr);
bool IsValidLimitFile(const std::string& path);
// The file named by the setting "LimitFile" into target, with messages 168 (cannot be opened)
// and 167 (not a limit value level file); target stays as it was on failure.
bool LoadCurrentLimits(Settings& settings, UserInterface& ui, CLimitValues& target);
// The same for a file named by the caller.
bool LoadLimitFile(const std::string& path, UserInterface& ui, CLimitValues& target);
// The file name of "LimitFile" is one of the two standard EN50160 files.
bool IsStandardLimitFile(Settings& settings);
// The same test on a limit file path.
bool IsStandardLimitFilePath(const std::string& path);

}  // namespace varelo
