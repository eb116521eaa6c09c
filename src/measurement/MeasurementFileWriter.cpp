#include "measurement/MeasurementFileWriter.h"

#include "logger/LoggerInfo.h"
#include "logger/MeasurementJob.h"
#include "measurement/ItemBlock.h"
#include "measurement/MeasurementFileFormat.h"
#include "measurement/MeasurementItems.h"

namespace varelo {

namespace ff = file_format;

bool CMeasurementFileWriter::Create() {
    if (file_.Open().Failed()) return false;
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
    ItemBlockWriter items;
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
    ItemBlockWriter items;
    VisitJobItems(items, written, kFileVersion102, phNrCurrTransducer);
    OpenElement(ff::kJob);
    file_.Write(items.Result());
    CloseElement(ff::kJob);
}

bool CMeasurementFileWriter::Close() {
    CloseElement(ff::kRoot);
    return !file_.Commit().Failed();
}

bool WriteJobFile(const std::string& path, const CMeasurementJob& job) {
    CMeasurementFileWriter writer(path);
    if (!writer.Create()) return false;
    writer.WriteJob(job);
    return writer.Close();
}

}  // namespace varelo
