#include "app/ShellRules.h"

#include "app/Settings.h"
#include "app/StringTable.h"

namespace varelo {

namespace {
constexpr const char* kBuildRevision = "3206";
}  // namespace

std::string FolderOfPath(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

void RememberMeasurementFolder(Settings& settings, std::string_view path) {
    if (settings.ReadInt(setting::ChangeSavePathMeasurementfile) == 1) return;
    settings.Write(setting::SavePathMeasurementfile, FolderOfPath(path));
}

bool AcceptShellRequest(std::string_view text, bool mainWindowEnabled) {
    return mainWindowEnabled && !text.empty() && text.size() < kShellRequestLimit;
}

FirstWindow FirstWindowAfterOpen(bool hasIntervals, PhaseLabels labels) {
    if (!hasIntervals || labels == PhaseLabels::L123) return FirstWindow::GraphicalSummary;
    return FirstWindow::LevelTimeDiagram;
}

std::string AboutVersionLine(std::string_view productVersion) {
    return Str(1379) + ": " + std::string(productVersion) + " Unicode (rev " + kBuildRevision + ")";
}

}  // namespace varelo
