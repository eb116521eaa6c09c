#pragma once

#include <string>

namespace varelo {

// The folder of the running program file, without a trailing slash.
std::string ProgramFolder();

// Read-only data (limit files, language modules, firmware packages): <program>/../share/varelo,
// which holds in the build tree as when installed; VARELO_DATA_DIR overrides it.
std::string DataFolder();

// The user's documents folder + "/Varelo": $XDG_DOCUMENTS_DIR, else ~/Documents; the program
// folder when neither can be found.
std::string UserDataFolder();

bool FileIsReadable(const std::string& path);

}  // namespace varelo
