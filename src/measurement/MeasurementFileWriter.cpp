#include "measurement/MeasurementFileWriter.h"

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

bool CMeasurementFileWriter::Create() {
    error_ = file_.Open();
    if (error_.Failed()) return false;
    std::setvbuf(file_.Stream(), nullptr, _IOFBF, 1u << 20);
    WriteLine(ff::kXmlDeclaration);
    WriteLine(ff::kComment);
    WriteLine(ff::kInternalComment);
    OpenElement(ff::kRoot);
    WriteLine(ff::kVersionLines[0]);
    return true;
}

void CMeasurementFileWriter::WriteLine(std::string_view line) {
    file_.Write(line);
    file_.Write("\r\n");
}

void CMeasurementFileWriter::OpenElement(std::string_view name) {
    WriteLine("<" + std::string(name) + ">");
}

void CMeasurementFileWriter::CloseElement(std::string_view name) {
    WriteLine("</" + std::string(name) + ">");
}

void CMeasurementFileWriter::WriteLoggerInfo(const CLoggerInfo& info) {
    ItemBlockWriter items(ff::kConfiguration);
    VisitLoggerInfoItems(items, info);
    OpenElement(ff::kConfiguration);
    file_.Write(items.Result());
    CloseElement(ff::kConfiguration);
}

void CMeasurementFileWriter::WriteJob(const CMeasurementJob& job) {
    // Segments and interharmonic channels beyond their counts are written empty.
    CMeasurementJob written = job;
    for (int n = std::max<int>(job.NrMeasSectionsProg, 0); n < kMeasSectionCount; ++n) {
        written.NrMeasSectionsProgStart[size_t(n)].SetZero();
        written.NrMeasSectionsProgEnd[size_t(n)].SetZero();
    }
    for (int j = std::max<int>(job.NrInterHarm, 0); j < kInterharmonicCount; ++j) {
        written.HarmOrder[size_t(j)] = 0;
        written.HarmText[size_t(j)].clear();
        written.HarmFreqSync[size_t(j)] = 0;
        written.HarmMeasPrinciple[size_t(j)] = 0;
    }
    int phNrCurrTransducer = job.VoltPowSysType == kPowSysTwoElementDelta ? 1 : 0;
    ItemBlockWriter items(ff::kJob);
    VisitJobItems(items, written, kFileVersion102, phNrCurrTransducer);
    OpenElement(ff::kJob);
    file_.Write(items.Result());
    CloseElement(ff::kJob);
}

void CMeasurementFileWriter::BeginSeries(std::string_view name, std::string_view title) {
    OpenElement(name);
    WriteLine(title);
    WriteLine("<Unit>,(not implemented),</Unit>");
    WriteLine("<Scale>,(not implemented),</Scale>");
}

void CMeasurementFileWriter::BeginIntervals(const CMeasurementJob& job) {
    intervalFunction_ = job.MeasFunc;
    BeginSeries(ff::kIntervals, row_codec::TitleLine(IntervalColumns(intervalFunction_)));
}

void CMeasurementFileWriter::WriteInterval(const CIntervalRecord& record, int number) {
    row_codec::Format(record, number, IntervalColumns(intervalFunction_), true, row_);
    WriteLine(row_);
}

void CMeasurementFileWriter::EndIntervals() {
    CloseElement(ff::kIntervals);
}

void CMeasurementFileWriter::BeginStatistics() {
    BeginSeries(ff::kStatistics, row_codec::TitleLine(StatisticColumns()));
}

void CMeasurementFileWriter::WriteStatistic(const CStatisticSegment& segment, int number) {
    row_codec::Format(segment, number, StatisticColumns(), false, row_);
    WriteLine(row_);
}

void CMeasurementFileWriter::EndStatistics() {
    CloseElement(ff::kStatistics);
}

void CMeasurementFileWriter::BeginEvents() {
    BeginSeries(ff::kEvents, row_codec::TitleLine(EventColumns()));
}

void CMeasurementFileWriter::WriteEvent(const CEventRecord& event, int number) {
    row_codec::Format(event, number, EventColumns(), true, row_);
    WriteLine(row_);
}

void CMeasurementFileWriter::EndEvents() {
    CloseElement(ff::kEvents);
}

void CMeasurementFileWriter::WriteSeries(const CMeasurementJob& job, const CIntervalList& intervals,
                                         const CStatisticList& statistics,
                                         const CEventList& events) {
    int n = 0;
    BeginIntervals(job);
    for (const auto& r : intervals)
        WriteInterval(r, n++);
    EndIntervals();
    n = 0;
    BeginStatistics();
    for (const auto& s : statistics)
        WriteStatistic(s, n++);
    EndStatistics();
    n = 0;
    BeginEvents();
    for (const auto& e : events)
        WriteEvent(e, n++);
    EndEvents();
}

bool CMeasurementFileWriter::Close() {
    CloseElement(ff::kRoot);
    error_ = file_.Commit();
    return !error_.Failed();
}

bool WriteJobFile(const std::string& path, const CMeasurementJob& job) {
    CMeasurementFileWriter writer(path);
    if (!writer.Create()) return false;
    writer.WriteJob(job);
    return writer.Close();
}

}  // namespace varelo
