#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "export/AsciiExport.h"
#include "export/ExportSource.h"
#include "export/SpanishReport.h"
#include "job/JobTexts.h"
#include "support/RecordingUserInterface.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::ReadAll;

std::vector<std::string> Records(const std::string& text) {
    std::vector<std::string> records;
    std::string record;
    for (char c : text) {
        if (c == '\r') {
            records.push_back(record);
            record.clear();
        } else {
            record.push_back(c);
        }
    }
    return records;
}

class SpanishReportTest : public ::testing::Test {
protected:
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 2, 17600);
    test::TempDir dir;
    test::RecordingUserInterface ui;
    std::string path = dir.File("M_V.ASC");

    void SetUp() override {
        CRawScaling scaling;
        scaling.Build(data.job, data.fileVersion, 0);
        data.intervals.SetScaling(scaling);
    }
};

TEST_F(SpanishReportTest, HeaderRecordsInWindows1252WithCarriageReturnsOnly) {
    data.job.JobText[0] = "Say \"hi\"";
    data.job.VoltPowSysType = kPowSysTwoElementDelta;
    data.job.PhCurrClampRawVal = 100000;  // 1000 A
    const ExportResult result = ExportSpanishReport(data, {path}, ui);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.rows, 2u);
    const std::string bytes = ReadAll(path);
    EXPECT_EQ(bytes.find('\n'), std::string::npos);
    // "Período de medición:" in Windows-1252: í = 0xED, ó = 0xF3.
    EXPECT_NE(bytes.find("\"Per\xED"
                         "odo de medici\xF3n: 10 minutos\""),
              std::string::npos);

    const std::vector<std::string> r = Records(bytes);
    ASSERT_EQ(r.size(), 23u + 2u);
    EXPECT_EQ(r[0], "\"Marca del equipo: Orbant\"");
    EXPECT_EQ(r[4], "");
    EXPECT_EQ(r[6], "\"Nombre de la Empresa Distribuidora: Say \"\"hi\"\"\"");
    // The ratios line up: a = range + 13, b = "1000" + 15, k = max(a, b).
    const std::string range = std::to_string(job_text::InputRangeVolts(data.job));
    const size_t a = range.size() + 13, b = 4 + 15, k = std::max(a, b);
    EXPECT_EQ(r[14], "\"Tensi\xF3n: " + range + " V\"" + std::string(k - a + 1, ' ') +
                         "\"Relaci\xF3n TP: 1\"");
    EXPECT_EQ(r[15],
              "\"Corriente: 1000 A\"" + std::string(k - b + 1, ' ') + "\"Relaci\xF3n TC: 200\"");
    EXPECT_EQ(r[14].find("\"Rela"), r[15].find("\"Rela"));
    EXPECT_EQ(r[16], "\"Configuraci\xF3n: Delta\"");
    EXPECT_EQ(r[19], "\"Fecha y hora de instalaci\xF3n:\" \"2026/03/02\" \"00:00:00\"");
    EXPECT_EQ(r[20], "\"Fecha y hora de retiro:\"      \"2026/03/02\" \"00:20:00\"");
    EXPECT_EQ(r[22].substr(0, 13), "Fecha\tHora\tUR");
    EXPECT_EQ(r[23].substr(0, 24), "\"2026/03/02\"\t\"00:10:00\"\t");
    // 25 fields per row.
    EXPECT_EQ(std::count(r[23].begin(), r[23].end(), '\t'), 24);
}

TEST(SpanishReport, IntervalLengthInSpanish) {
    EXPECT_EQ(SpanishIntervalText(600), "10 minutos");
    EXPECT_EQ(SpanishIntervalText(60), "1 minuto");
    EXPECT_EQ(SpanishIntervalText(1), "1 segundo");
    EXPECT_EQ(SpanishIntervalText(30), "30 segundos");
}

// A file that cannot be created shows the access message with its name and keeps the old
// file. Run in a child that gave up root, which would write anyway.
TEST_F(SpanishReportTest, AFolderWithoutWriteAccessKeepsTheOldFileAndSaysSo) {
    const std::string old = "old content\r\n";
    dir.Write("M_V.ASC", old);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && ::setresuid(65534, 65534, 65534) != 0) ::_exit(100);
        test::RecordingUserInterface childUi;
        const ExportResult result = ExportSpanishReport(data, {path}, childUi);
        const bool named =
            childUi.messages.size() == 1 && childUi.messages[0].text == Msg(193, {path});
        ::_exit(!result.written && named ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::chmod(dir.Path().c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadAll(path), old);
}

// A disk that fills up midway: the export stops, says so, and the old file stays as it was.
TEST_F(SpanishReportTest, AWriteFailingMidwayKeepsTheOldFile) {
    MeasurementData big = test::SteadyMeasurement(kMeasFuncA, 2000, 17600);
    big.intervals.SetScaling(data.intervals.Scaling());
    const std::string old(5000, 'x');
    dir.Write("M_V.ASC", old);
    const std::string interval = dir.File("M_I.ASC");
    dir.Write("M_I.ASC", old);

    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const ExportResult spanish = ExportSpanishReport(big, {path}, ui);
    IntervalExportRequest request;
    request.target.path = interval;
    request.start = big.job.MeasStartMeasured;
    request.end = big.job.MeasStopMeasured;
    const ExportResult ascii = ExportIntervals(ExportSource(big), request, ui);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_FALSE(spanish.written);
    EXPECT_FALSE(ascii.written);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].id, 331);
    EXPECT_EQ(ui.messages[1].id, 331);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(ReadAll(interval), old);
    // No temporary file is left beside them.
    const auto files = std::distance(std::filesystem::directory_iterator(dir.Path()),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(files, 2);
}

}  // namespace
}  // namespace varelo
