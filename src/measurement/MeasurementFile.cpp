#include "measurement/MeasurementFile.h"

#include <fstream>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "measurement/LineReader.h"
#include "measurement/MeasurementFileFormat.h"
#include "measurement/MeasurementItems.h"
#include "measurement/MeasurementFileReader.h"
#include "measurement/MeasurementFileWriter.h"

namespace varelo {

namespace ff = file_format;

namespace {

bool HasSeries(const CMeasurementJob& job) {
    return job.MeasFunc == kMeasFuncA || job.MeasFunc == kMeasFuncP;
}

// A newest-version UTF-8 file keeps every line but those of its job section.
bool CopyWithNewJob(const std::string& path, const CMeasurementJob& newJob,
                    CMeasurementFileWriter& writer) {
    LineReader lines;
    if (!lines.Open(path)) return false;
    const std::string open = "<" + std::string(ff::kJob) + ">";
    const std::string close = "</" + std::string(ff::kJob) + ">";
    std::string_view line;
    bool replaced = false;
    int headerLines = 5;  // the writer has written the header already
    while (lines.Next(line)) {
        if (headerLines > 0 && !replaced) {
            // Skip the old header up to and including its version line.
            if (line.find("<Version>") != std::string_view::npos) headerLines = 0;
            continue;
        }
        if (!replaced && line == open) {
            while (lines.Next(line) && line != close) {
            }
            writer.WriteJob(newJob);
            replaced = true;
            continue;
        }
        if (line == "</" + std::string(ff::kRoot) + ">") continue;  // Close() writes it
        writer.WriteLine(line);
    }
    return replaced && !lines.Failed();
}

// Any other file is read completely and written anew in the newest version.
bool RewriteWithNewJob(const std::string& path, const CMeasurementJob& newJob,
                       CMeasurementFileWriter& writer) {
    MeasurementData data;
    if (!ReadMeasurementFile(path, data)) return false;
    writer.WriteLoggerInfo(data.logger);
    writer.WriteJob(newJob);
    // The old job says how the series were read; the statistics are written for every
    // function, since a file without them cannot be read again.
    writer.WriteSeries(data.job, data.intervals, data.statistics, data.events);
    return true;
}

}  // namespace

bool ReadMeasurementFile(const std::string& path, MeasurementData& data) {
    CMeasurementFileReader reader;
    if (!reader.Open(path)) return false;
    data.fileVersion = reader.Version();
    if (!reader.ReadLoggerInfo(data.logger) || !reader.ReadJob(data.job)) return false;
    if (!HasSeries(data.job)) return true;
    return reader.ReadIntervals(data.job, data.intervals) &&
           reader.ReadStatistics(data.job, data.statistics) &&
           reader.ReadEvents(data.job, data.events);
}

bool WriteMeasurementFile(const std::string& path, const MeasurementData& data) {
    CMeasurementFileWriter writer(path);
    if (!writer.Create()) return false;
    writer.WriteLoggerInfo(data.logger);
    writer.WriteJob(data.job);
    writer.WriteSeries(data.job, data.intervals, data.statistics, data.events);
    return writer.Close();
}

bool ReplaceJob(const std::string& path, const CMeasurementJob& newJob, UserInterface& ui) {
    CMeasurementFileReader reader;
    bool ok = reader.Open(path);
    bool current = ok && reader.Version() == kFileVersion102 && reader.CodePage() == ff::kUtf8CodePage;
    reader.Close();
    CMeasurementFileWriter writer(path);
    ok = ok && writer.Create() &&
         (current ? CopyWithNewJob(path, newJob, writer) : RewriteWithNewJob(path, newJob, writer)) &&
         writer.Close();
    if (ok) return true;
    writer.Abandon();
    ui.ShowMessage(374, Str(374), MessageIcon::Warning);
    return false;
}

}  // namespace varelo
