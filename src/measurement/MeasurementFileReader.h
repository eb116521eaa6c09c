#pragma once

#include <string>
#include <string_view>

#include "measurement/LineReader.h"
#include "measurement/RecordColumns.h"

namespace varelo {

struct CLoggerInfo;
class CMeasurementJob;
class CIntervalList;
class CStatisticList;
class CEventList;

// Reads the measurement data file container: header check, sections found by their tag,
// item blocks taken by position, record series. Every read returns false on a format error.
class CMeasurementFileReader {
public:
    bool Open(const std::string& path);
    void Close() { lines_.Close(); }
    // 100, 101 or 102 once the header was accepted.
    int Version() const { return version_; }
    // 65001 when the header declares UTF-8, else the 8-bit code page.
    int CodePage() const { return codePage_; }

    bool ReadLoggerInfo(CLoggerInfo& info);
    bool ReadJob(CMeasurementJob& job);
    // The series, at most as many rows as the job announces; a list holds only what was read.
    bool ReadIntervals(const CMeasurementJob& job, CIntervalList& list);
    bool ReadStatistics(const CMeasurementJob& job, CStatisticList& list);
    bool ReadEvents(const CMeasurementJob& job, CEventList& list);

    // Passes over lines until one contains "<name>".
    bool FindSection(std::string_view name);
    // The lines after the opening tag up to the one with the closing tag, joined by CR LF;
    // empty when the closing tag does not come within the length limit.
    bool ReadItemBlock(std::string_view name, std::string& block);
    // The next line; for series readers.
    bool NextLine(std::string_view& line) { return lines_.Next(line); }

private:
    bool CheckHeader();
    template <typename Record, typename List>
    bool ReadSeries(std::string_view name, std::span<const RecordColumn> columns, uint64_t rows,
                    bool realCounters, List& list, void (*finish)(Record&, const CMeasurementJob&),
                    const CMeasurementJob& job);

    LineReader lines_;
    int version_ = 0;
    int codePage_ = 0;
};

// True when the file opens and its header is accepted.
bool CheckFile(const std::string& path);
// The job of a job file (or of any file of the container).
bool ReadJobFile(const std::string& path, CMeasurementJob& job);

}  // namespace varelo
