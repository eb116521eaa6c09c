#include "measurement/MeasurementFileReader.h"

#include <cctype>

#include "measurement/EventList.h"
#include "measurement/IntervalList.h"
#include "measurement/ItemBlock.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementFileFormat.h"
#include "measurement/MeasurementItems.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RowCodec.h"
#include "measurement/StatisticList.h"

namespace varelo {

namespace ff = file_format;

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// The value of the attribute encoding="..." of the declaration line.
std::string_view EncodingOf(std::string_view declaration) {
    size_t at = declaration.find("encoding=");
    if (at == std::string_view::npos) return {};
    std::string_view rest = declaration.substr(at + 9);
    if (rest.empty() || (rest.front() != '"' && rest.front() != '\'')) return {};
    char quote = rest.front();
    rest.remove_prefix(1);
    return rest.substr(0, rest.find(quote));
}

std::string Tag(std::string_view name, bool closing) {
    return std::string(closing ? "</" : "<") + std::string(name) + ">";
}

}  // namespace

bool CMeasurementFileReader::Open(const std::string& path) {
    version_ = 0;
    codePage_ = ff::kAnsiCodePage;
    if (!lines_.Open(path)) return false;
    if (CheckHeader()) return true;
    lines_.Close();
    return false;
}

bool CMeasurementFileReader::CheckHeader() {
    std::string_view line;
    // A byte-order mark before "<?xml " fails here: the declaration must come first.
    if (!lines_.Next(line) || !Trim(line).starts_with("<?xml ")) return false;
    if (EncodingOf(Trim(line)) == "UTF-8") codePage_ = ff::kUtf8CodePage;
    do {
        if (!lines_.Next(line)) return false;
    } while (!Trim(line).starts_with("<Vamor>"));
    if (!lines_.Next(line)) return false;
    line = Trim(line);
    for (size_t i = 0; i < std::size(ff::kVersionLines); ++i) {
        if (line.starts_with(ff::kVersionLines[i])) {
            version_ = ff::kVersions[i];
            return true;
        }
    }
    return false;
}

bool CMeasurementFileReader::FindSection(std::string_view name) {
    std::string tag = Tag(name, false);
    std::string_view line;
    while (lines_.Next(line)) {
        if (line.find(tag) != std::string_view::npos) return true;
    }
    return false;
}

bool CMeasurementFileReader::ReadItemBlock(std::string_view name, std::string& block) {
    block.clear();
    if (!FindSection(name)) return false;
    uint64_t afterTag = lines_.Position();
    std::string closing = Tag(name, true);
    std::string_view line;
    while (lines_.Next(line)) {
        if (!block.empty()) block += "\r\n";
        block += line;
        if (line.find(closing) != std::string_view::npos) return true;
        if (block.size() > ff::kMaxItemBlockLength) break;
    }
    if (lines_.Failed()) return false;
    // No closing tag: the block counts as empty and reading goes on after the opening tag.
    block.clear();
    return lines_.Seek(afterTag);
}

bool CMeasurementFileReader::ReadLoggerInfo(CLoggerInfo& info) {
    std::string block;
    if (!ReadItemBlock(ff::kConfiguration, block)) return false;
    ItemBlockReader reader(block, codePage_);
    VisitLoggerInfoItems(reader, info);
    return true;
}

bool CMeasurementFileReader::ReadJob(CMeasurementJob& job) {
    std::string block;
    if (!ReadItemBlock(ff::kJob, block)) return false;
    ItemBlockReader reader(block, codePage_);
    int phNrCurrTransducer = job.VoltPowSysType == kPowSysTwoElementDelta ? 1 : 0;
    VisitJobItems(reader, job, version_, phNrCurrTransducer);
    // Older files tell Delta from 2-Element Delta by the number of current transducers.
    if (version_ < kFileVersion102 &&
        (job.VoltPowSysType == kPowSysDelta || job.VoltPowSysType == kPowSysTwoElementDelta)) {
        job.VoltPowSysType = phNrCurrTransducer == 1 ? kPowSysTwoElementDelta : kPowSysDelta;
    }
    return true;
}

template <typename Record, typename List>
bool CMeasurementFileReader::ReadSeries(std::string_view name,
                                        std::span<const RecordColumn> columns, uint64_t rows,
                                        bool realCounters, List& list,
                                        void (*finish)(Record&, const CMeasurementJob&),
                                        const CMeasurementJob& job) {
    if (!FindSection(name)) return false;
    std::string_view line;
    for (int i = 0; i < 3; ++i) {  // Title, Unit, Scale
        if (!lines_.Next(line)) return false;
    }
    std::string closing = Tag(name, true);
    Record record;
    for (uint64_t n = 0; n < rows; ++n) {
        if (!lines_.Next(line)) return false;
        switch (row_codec::Parse(line, closing, columns, realCounters, record)) {
            case row_codec::Result::End: return true;
            case row_codec::Result::Bad: return false;
            case row_codec::Result::Row: break;
        }
        if (finish) finish(record, job);
        if (!list.Add(record)) return false;
    }
    return true;  // rows beyond the announced number are passed over by the next search
}

bool CMeasurementFileReader::ReadIntervals(const CMeasurementJob& job, CIntervalList& list) {
    return ReadSeries<CIntervalRecord>(ff::kIntervals, IntervalColumns(job.MeasFunc, version_),
                                       job.NrInterval, false, list, nullptr, job);
}

bool CMeasurementFileReader::ReadStatistics(const CMeasurementJob& job, CStatisticList& list) {
    return ReadSeries<CStatisticSegment>(ff::kStatistics, StatisticColumns(),
                                         uint64_t(std::max<int>(job.NrStat, 0)), true, list,
                                         nullptr, job);
}

namespace {
// An event that did not end before it started ends with the measurement.
void FinishEvent(CEventRecord& event, const CMeasurementJob& job) {
    if (!(event.StartDateTime < event.EndDateTime)) event.EndDateTime = job.MeasStopMeasured;
    event.ComputeValue(job);
}
}  // namespace

bool CMeasurementFileReader::ReadEvents(const CMeasurementJob& job, CEventList& list) {
    uint64_t rows =
        uint64_t(std::max<int>(job.EventReady, 0)) + uint64_t(std::max<int>(job.EventOpen, 0));
    return ReadSeries<CEventRecord>(ff::kEvents, EventColumns(), rows, false, list, FinishEvent,
                                    job);
}

bool CheckFile(const std::string& path) {
    CMeasurementFileReader reader;
    return reader.Open(path);
}

bool ReadJobFile(const std::string& path, CMeasurementJob& job) {
    CMeasurementFileReader reader;
    return reader.Open(path) && reader.ReadJob(job);
}

}  // namespace varelo
