#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/AtomicFile.h"

namespace varelo {

struct CLoggerInfo;
class CMeasurementJob;
class CIntervalRecord;
class CStatisticSegment;
class CEventRecord;
class CIntervalList;
class CStatisticList;
class CEventList;

// Writes the measurement data file container, always in the newest version and in UTF-8.
// The file is written under a temporary name and appears under its own name only when Close
// succeeds; a writer destroyed before that leaves any earlier file of that name untouched.
class CMeasurementFileWriter {
public:
    explicit CMeasurementFileWriter(std::string path) : file_(std::move(path)) {}

    // Starts the file with its header; false when it cannot be created.
    bool Create();
    void WriteLoggerInfo(const CLoggerInfo& info);
    void WriteJob(const CMeasurementJob& job);
    // Series: the opening tag with the Title, Unit and Scale lines, rows numbered from 0, the
    // closing tag. The interval columns follow the job's measurement function.
    void BeginIntervals(const CMeasurementJob& job);
    void WriteInterval(const CIntervalRecord& record, int number);
    void EndIntervals();
    void BeginStatistics();
    void WriteStatistic(const CStatisticSegment& segment, int number);
    void EndStatistics();
    void BeginEvents();
    void WriteEvent(const CEventRecord& event, int number);
    void EndEvents();
    // All three series of lists at once.
    void WriteSeries(const CMeasurementJob& job, const CIntervalList& intervals,
                     const CStatisticList& statistics, const CEventList& events);
    // Writes the closing root tag and puts the file in place; false on any write failure.
    bool Close();
    // Drops the file being written.
    void Abandon() { file_.Discard(); }
    // A line could not be written; Close will fail.
    bool WriteFailed() const { return file_.WriteFailed(); }
    // Why Create or Close failed.
    const OsError& Error() const { return error_; }

    const std::string& Path() const { return file_.TargetPath(); }

    // For series and the other sections: an element tag line, any other line.
    void OpenElement(std::string_view name);
    void CloseElement(std::string_view name);
    void WriteLine(std::string_view line);
    void WriteRaw(std::string_view text) { file_.Write(text); }

private:
    void BeginSeries(std::string_view name, std::string_view title);

    AtomicFile file_;
    OsError error_;
    uint32_t intervalFunction_ = 0;
    std::string row_;
};

// A job file: the header and the job section.
bool WriteJobFile(const std::string& path, const CMeasurementJob& job);

}  // namespace varelo
