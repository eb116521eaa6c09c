#pragma once

#include <string>
#include <string_view>

#include "app/AppOptions.h"

namespace varelo {

class Settings;

// The folder part of a path: everything before its last separator.
std::string FolderOfPath(std::string_view path);
// After a measurement file was chosen to open or save: its folder becomes the dialogs' initial
// folder unless "ChangeSavePathMeasurementfile" is 1.
void RememberMeasurementFolder(Settings& settings, std::string_view path);

// A file name handed over by a second start is carried out only while no modal dialog is
// open, and never when it is 520 characters or longer.
inline constexpr size_t kShellRequestLimit = 520;
bool AcceptShellRequest(std::string_view text, bool mainWindowEnabled);

// The result window an opened measurement shows first when the channel selection is not
// taken: the graphical summary, or with A/B/C labels the level-time diagram of "V average" L1.
enum class FirstWindow { GraphicalSummary, LevelTimeDiagram };
FirstWindow FirstWindowAfterOpen(bool hasIntervals, PhaseLabels labels);

// The about box's version line: "Version: <version> Unicode (rev <revision>)".
std::string AboutVersionLine(std::string_view productVersion);

}  // namespace varelo
