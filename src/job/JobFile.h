#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "measurement/MeasurementJob.h"

namespace varelo {

class Settings;
class UserInterface;

// How job files of a measurement function are named and offered in file dialogs.
struct JobFileNames {
    std::string letter;     // "A", "P"; empty for a function this program does not know
    std::string extension;  // "aua", "AUP"
    std::string filter;     // the file dialog's "text|patterns|...||"
    std::string openTitle;  // "Measurement function A, open job file"
    std::string saveTitle;
};
JobFileNames JobFileNamesOf(uint32_t function);

bool IsSupportedFunction(uint32_t function);

enum class JobSaveResult { Saved, Unsupported, Failed };

// Writes the job to its file. A function this program does not know shows 1010 and writes
// nothing; a file that cannot be written shows 372.
JobSaveResult SaveJobFile(const CMeasurementJob& job, const std::string& path, UserInterface& ui);

// The file a stored template path names: absolute when it begins "/", unchanged in the forms
// "X:..." and "\\...", and for two characters or fewer; otherwise relative to the data folder.
// Backslashes are read as slashes.
std::string TemplateFilePath(const std::string& stored, const std::string& dataFolder);

// The job editor's starting job for a function from its template ("Job"/"A" or "P"): none when
// no template is set, its file is unreadable or holds the other function; 1010 for a function
// this program does not know.
std::optional<CMeasurementJob> JobTemplate(uint32_t function, Settings& settings, UserInterface& ui,
                                           const std::string& dataFolder);

}  // namespace varelo
