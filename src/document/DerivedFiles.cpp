#include "document/DerivedFiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <utility>

#include "app/CommandTable.h"
#include "app/FileErrorMessage.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/IntervalAggregation.h"
#include "document/Vamor800Doc.h"
#include "measurement/MeasurementFile.h"
#include "measurement/MeasurementFileWriter.h"

namespace varelo {

namespace {

constexpr int kCalculating = 281;
constexpr int kReady = 57345;
constexpr int kSaveTitle = 343;
constexpr int kSaveFilter = 1024;
constexpr int kTenMinutes = 600;
constexpr int kFifteenMinutes = 900;

struct PathParts {
    std::string folder;     // with its final slash; empty for a bare name
    std::string stem;       // the file name without its extension
    std::string extension;  // with its dot; empty when there is none
};

PathParts Split(const std::string& path) {
    PathParts parts;
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    parts.folder = path.substr(0, nameStart);
    const std::string name = path.substr(nameStart);
    const size_t dot = name.rfind('.');
    parts.stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    parts.extension = name.substr(parts.stem.size());
    return parts;
}

// Whether two names lead to the same file: renaming over it would lose the measurement.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// Starts the file under target; the source's own file is refused as if access were denied.
OsError Create(CMeasurementFileWriter& writer, const std::string& sourcePath) {
    if (SameFile(writer.Path(), sourcePath)) return OsError::FromErrno(EACCES);
    if (!writer.Create()) return writer.Error();
    return OsError::None();
}

void ShowFileError(UserInterface& ui, const OsError& error, const std::string& path) {
    ui.ShowMessage(FileErrorMessageId(error.code), FileErrorMessage(error, path),
                   MessageIcon::Warning);
}

}  // namespace

std::string DerivedFileName(const std::string& sourcePath, const std::string& suffix) {
    const PathParts parts = Split(sourcePath);
    return parts.folder + parts.stem + suffix + parts.extension;
}

DerivedFileOutcome WriteDerivedFile(const MeasurementData& data, const std::string& sourcePath,
                                    const std::string& target, int targetSeconds, UserInterface& ui,
                                    bool askElsewhere) {
    DerivedFileOutcome outcome;
    outcome.path = target;
    const int interval = int(data.job.Interval);
    if (interval <= 0 || targetSeconds % interval != 0) return outcome;
    WaitCursor wait(ui);

    CMeasurementJob job = data.job;
    job.Interval = decltype(job.Interval)(targetSeconds);
    job.NrInterval = decltype(job.NrInterval)(
        AggregateIntervals(data.intervals, interval, targetSeconds, nullptr));

    auto writer = std::make_unique<CMeasurementFileWriter>(target);
    OsError error = Create(*writer, sourcePath);
    if (error.Failed()) {
        if (!askElsewhere) {
            ShowFileError(ui, error, target);
            return outcome;
        }
        std::string chosen;
        const PathParts parts = Split(target);
        const std::string extension = parts.extension.empty() ? "" : parts.extension.substr(1);
        if (!ui.ChooseSaveFile(Msg(kSaveTitle, {"A"}), Str(kSaveFilter), extension, target,
                               chosen) ||
            chosen.empty()) {
            outcome.cancelled = true;
            return outcome;
        }
        outcome.path = chosen;
        writer = std::make_unique<CMeasurementFileWriter>(chosen);
        error = Create(*writer, sourcePath);
        if (error.Failed()) {
            ShowFileError(ui, error, chosen);
            return outcome;
        }
    }

    writer->WriteLoggerInfo(data.logger);
    writer->WriteJob(job);
    bool ok = true;
    writer->BeginIntervals(job);
    if (job.NrInterval >= 1)
        ok = AggregateIntervals(data.intervals, interval, targetSeconds, writer.get()) > 0;
    writer->EndIntervals();
    int n = 0;
    writer->BeginStatistics();
    if (data.job.NrStat > 0) {
        for (const CStatisticSegment& segment : data.statistics)
            writer->WriteStatistic(segment, n++);
    }
    writer->EndStatistics();
    n = 0;
    writer->BeginEvents();
    if (data.job.EventReady + data.job.EventOpen > 0) {
        for (const CEventRecord& event : data.events)
            writer->WriteEvent(event, n++);
    }
    writer->EndEvents();
    // A failed write shows in Close, which then leaves no file behind.
    const bool closed = writer->Close();
    if (!ok || !closed) {
        const OsError closeError = writer->Error();
        writer->Abandon();
        ShowFileError(ui, closeError.Failed() ? closeError : OsError::FromErrno(EIO), outcome.path);
        return outcome;
    }
    outcome.written = true;
    return outcome;
}

DerivedFilesOutcome CreateDerivedFiles(const CVamor800Doc& doc, UserInterface& ui,
                                       bool askElsewhere) {
    DerivedFilesOutcome outcome;
    if (!doc.IsCommandEnabled(cmd::kDerivedFiles)) return outcome;
    ui.SetStatusText(Str(kCalculating));
    const std::string source = doc.FilePath(true);
    for (const auto& [seconds, suffix] :
         {std::pair{kTenMinutes, "10min"}, std::pair{kFifteenMinutes, "15min"}}) {
        const DerivedFileOutcome file = WriteDerivedFile(
            doc.Data(), source, DerivedFileName(source, suffix), seconds, ui, askElsewhere);
        if (!file.written) break;
        outcome.paths.push_back(file.path);
    }
    outcome.written = outcome.paths.size() == 2;
    // Also after a failure: the calculation text must not stay.
    ui.SetStatusText(Str(kReady));
    return outcome;
}

}  // namespace varelo
