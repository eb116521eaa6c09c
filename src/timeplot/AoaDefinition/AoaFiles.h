#pragma once

#include <cstdint>
#include <string>

#include "timeplot/AoaDefinition/AoaArchiveReader.h"

namespace varelo {

class CAOARootObj;
class UserInterface;

// "<data folder>/Default-<CODE>.aoa" of a language; the English one when that file is missing.
std::string DefaultAoaPath(const std::string& dataFolder, const std::string& languageCode);

// A path under which a default definition file could stand: without its last seven
// characters ("XXX.aoa") it is "<data folder>/Default-", in any letter case. Shorter paths
// are never reserved.
bool IsReservedAoaPath(const std::string& path, const std::string& dataFolder);

// Reads a definition file for a key (0 = all) and shows what went wrong, with the file's name:
// a missing file fails silently, a system failure with its file message, an archive error with
// its message. On failure the root is empty.
AoaReadError LoadAoaDefinition(const std::string& path, uint32_t key, CAOARootObj& root,
                               UserInterface& ui, int ansiCodePage = 1252);

}  // namespace varelo
