#include "job/JobFile.h"

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "measurement/MeasurementFileReader.h"
#include "measurement/MeasurementFileWriter.h"

namespace varelo {

namespace {

constexpr int kUnsupportedFunction = 1010;
constexpr int kWriteError = 372;

void ShowUnsupported(UserInterface& ui) {
    ui.ShowMessage(kUnsupportedFunction, Str(kUnsupportedFunction), MessageIcon::Warning);
}

}  // namespace

bool IsSupportedFunction(uint32_t function) {
    return function == kMeasFuncA || function == kMeasFuncP;
}

JobFileNames JobFileNamesOf(uint32_t function) {
    JobFileNames names;
    if (function == kMeasFuncA)
        names = {"A", Str(261), Str(265), {}, {}};
    else if (function == kMeasFuncP)
        names = {"P", Str(262), Str(266), {}, {}};
    names.openTitle = Msg(337, {names.letter});
    names.saveTitle = Msg(338, {names.letter});
    return names;
}

JobSaveResult SaveJobFile(const CMeasurementJob& job, const std::string& path, UserInterface& ui) {
    if (!IsSupportedFunction(job.MeasFunc)) {
        ShowUnsupported(ui);
        return JobSaveResult::Unsupported;
    }
    if (WriteJobFile(path, job)) return JobSaveResult::Saved;
    // The job stays unsaved: saying nothing would let its changes be dropped unnoticed.
    ui.ShowMessage(kWriteError, Str(kWriteError), MessageIcon::Warning);
    return JobSaveResult::Failed;
}

std::string TemplateFilePath(const std::string& stored, const std::string& dataFolder) {
    const bool keptAsIs = stored.size() <= 2 || stored.starts_with("\\\\") || stored[1] == ':';
    if (keptAsIs) return stored;
    std::string path = stored;
    for (char& c : path)
        if (c == '\\') c = '/';
    if (path.starts_with('/')) return path;
    return dataFolder.ends_with('/') ? dataFolder + path : dataFolder + "/" + path;
}

std::optional<CMeasurementJob> JobTemplate(uint32_t function, Settings& settings, UserInterface& ui,
                                           const std::string& dataFolder) {
    const std::string stored =
        settings.ReadString(function == kMeasFuncA ? setting::JobTemplateA : setting::JobTemplateP);
    if (stored.empty()) return std::nullopt;
    const std::string path = TemplateFilePath(stored, dataFolder);
    CMeasurementJob job;
    if (!CheckFile(path) || !ReadJobFile(path, job)) return std::nullopt;
    if (!IsSupportedFunction(job.MeasFunc)) {
        ShowUnsupported(ui);
        return std::nullopt;
    }
    if (job.MeasFunc != function) return std::nullopt;
    return job;
}

}  // namespace varelo
