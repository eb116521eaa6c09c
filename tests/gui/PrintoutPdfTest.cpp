// The printouts of the result views as PDF files through varelo-cli print, read back with
// pdftotext.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "app/Settings.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

// The pages of a PDF file as pdftotext lays them out.
std::vector<std::string> PdfPages(const std::string& pdf) {
    test::ProgramResult text = RunProgram("pdftotext -layout " + ShellQuote(pdf) + " -");
    EXPECT_EQ(text.status, 0) << text.output;
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t at; (at = text.output.find('\f', start)) != std::string::npos; start = at + 1)
        pages.push_back(text.output.substr(start, at - start));
    return pages;
}

std::string FirstLine(const std::string& page) {
    size_t begin = page.find_first_not_of(" \n");
    if (begin == std::string::npos) return {};
    return page.substr(begin, page.find('\n', begin) - begin);
}

// One generated week of function A measured by a Logger, shared by the tests.
class PrintoutPdfTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        home_ = new test::TempDir;
        file_ = home_->File("week.VXM");
        ASSERT_EQ(
            RunProgram(test::BuiltProgramLine(
                           home_->Path(), "logger-sim",
                           "generate --function A --intervals 1008 --output " + ShellQuote(file_)))
                .status,
            0);
    }
    static void TearDownTestSuite() {
        delete home_;
        home_ = nullptr;
    }

    test::ProgramResult Print(const std::string& kind, const std::string& output) {
        return RunProgram(test::BuiltProgramLine(
            home_->Path(), "varelo-cli",
            "print " + kind + " " + ShellQuote(file_) + " --output " + ShellQuote(output)));
    }

    void SetPrintHeader(const std::string& header) {
        SettingsStore store(home_->File("Orbant/Varelo.conf"));
        Settings settings(store);
        ASSERT_TRUE(settings.Write(setting::PrintHeader, header));
    }

    static test::TempDir* home_;
    static std::string file_;
};

test::TempDir* PrintoutPdfTest::home_ = nullptr;
std::string PrintoutPdfTest::file_;

TEST_F(PrintoutPdfTest, EveryPageHasTheHeaderCountedPagesAndTheInformationFirst) {
    struct Case {
        const char* kind;
        const char* title;
    } cases[] = {{"graphical-summary", "Graphical summary"},
                 {"table-summary", "Table summary"},
                 {"events", "Events and interruptions"},
                 {"disdip", "UNIPEDE DISDIP table"},
                 {"timeplot", "Timeplot"},
                 {"voltage-cumulative", "Voltage cumulative frequency"},
                 {"current-cumulative", "Current cumulative frequency"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        std::string pdf = home_->File(std::string(c.kind) + ".pdf");
        test::ProgramResult result = Print(c.kind, pdf);
        ASSERT_EQ(result.status, 0) << result.output;
        ASSERT_TRUE(std::filesystem::exists(pdf));
        EXPECT_FALSE(std::filesystem::exists(home_->File(std::string(".") + c.kind + ".pdf.part")));
        std::vector<std::string> pages = PdfPages(pdf);
        ASSERT_FALSE(pages.empty());
        for (size_t n = 0; n < pages.size(); ++n) {
            const std::string& page = pages[n];
            SCOPED_TRACE("page " + std::to_string(n + 1));
            EXPECT_TRUE(
                std::regex_search(page, std::regex("Page " + std::to_string(n + 1) + "\\b")));
            EXPECT_TRUE(std::regex_search(page, std::regex("Varelo\\s+Version \\d")));
            EXPECT_NE(page.find(c.title), std::string::npos);
            EXPECT_NE(page.find(file_), std::string::npos);  // the document name
            bool block = page.find("Measurement function") != std::string::npos &&
                         page.find("Frequency measurement within tolerance") != std::string::npos;
            EXPECT_EQ(block, n == 0);
        }
    }
}

TEST_F(PrintoutPdfTest, EventListPrintsEveryEvent) {
    std::string pdf = home_->File("all-events.pdf");
    ASSERT_EQ(Print("events", pdf).status, 0);
    test::ProgramResult json = RunProgram(test::BuiltProgramLine(
        home_->Path(), "varelo-cli", "evaluate --json " + ShellQuote(file_)));
    ASSERT_EQ(json.status, 0);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(json.output, m,
                                  std::regex("\"Total events and interruptions\": (\\d+)")));
    const int events = std::stoi(m[1]);
    int rows = 0;
    for (const std::string& page : PdfPages(pdf)) {
        // A row starts with its date and time with milliseconds.
        std::regex row("\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\s+\\d");
        rows += int(std::distance(std::sregex_iterator(page.begin(), page.end(), row),
                                  std::sregex_iterator()));
        EXPECT_NE(page.find("Date and time"),
                  std::string::npos);  // the column header on every page
    }
    EXPECT_GE(rows, events);
}

TEST_F(PrintoutPdfTest, TableSummaryShowsTheNumbersOfEvaluate) {
    std::string pdf = home_->File("numbers.pdf");
    ASSERT_EQ(Print("table-summary", pdf).status, 0);
    std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    test::ProgramResult json = RunProgram(test::BuiltProgramLine(
        home_->Path(), "varelo-cli", "evaluate --json " + ShellQuote(file_)));
    ASSERT_EQ(json.status, 0) << json.output;
    std::regex value("\"value\": \"(-?[0-9]+\\.[0-9]+)\"");
    int checked = 0;
    for (auto it = std::sregex_iterator(json.output.begin(), json.output.end(), value);
         it != std::sregex_iterator(); ++it) {
        std::string number = (*it)[1];
        EXPECT_TRUE(std::regex_search(
            pages[0], std::regex("(^|\\s)" + std::regex_replace(number, std::regex("\\."), "\\.") +
                                 "(\\s|$)")))
            << number;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST_F(PrintoutPdfTest, PrintHeaderIsTheFirstLineAndEmptyStaysEmpty) {
    SetPrintHeader("Acme Power Quality");
    std::string pdf = home_->File("header.pdf");
    ASSERT_EQ(Print("disdip", pdf).status, 0);
    EXPECT_EQ(FirstLine(PdfPages(pdf).at(0)), "Acme Power Quality");

    SetPrintHeader("");
    ASSERT_EQ(Print("disdip", pdf).status, 0);
    std::string first = FirstLine(PdfPages(pdf).at(0));
    EXPECT_EQ(first.rfind(file_, 0), 0u) << first;  // the document name line moved up
    EXPECT_EQ(first.find("Acme"), std::string::npos);
}

TEST_F(PrintoutPdfTest, UnwritableOutputFailsWithAMessageAndLeavesNoFile) {
    std::string pdf = home_->File("missing-folder/out.pdf");
    test::ProgramResult result = Print("graphical-summary", pdf);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("An unknown error has occurred."), std::string::npos)
        << result.output;
    EXPECT_FALSE(std::filesystem::exists(pdf));

    // An existing file is not destroyed by a failing printout.
    test::TempDir dir;
    dir.Write("kept.pdf", "old");
    test::ProgramResult unreadable = RunProgram(
        test::BuiltProgramLine(home_->Path(), "varelo-cli",
                               "print table-summary " + ShellQuote(dir.File("none.VXM")) +
                                   " --output " + ShellQuote(dir.File("kept.pdf"))));
    EXPECT_NE(unreadable.status, 0);
    EXPECT_EQ(std::filesystem::file_size(dir.File("kept.pdf")), 3u);
}

TEST_F(PrintoutPdfTest, JobProtocolOfAJobFileAndOfAMeasurement) {
    const std::string job = home_->File("week.aua");
    ASSERT_EQ(RunProgram(test::BuiltProgramLine(home_->Path(), "varelo-cli",
                                                "job new --function A --output " + ShellQuote(job)))
                  .status,
              0);
    for (const std::string& file : {job, file_}) {
        SCOPED_TRACE(file);
        const std::string pdf = home_->File("job-protocol.pdf");
        test::ProgramResult result = RunProgram(test::BuiltProgramLine(
            home_->Path(), "varelo-cli",
            "print job-protocol " + ShellQuote(file) + " --output " + ShellQuote(pdf)));
        ASSERT_EQ(result.status, 0) << result.output;
        std::vector<std::string> pages = PdfPages(pdf);
        ASSERT_GE(pages.size(), 1u);
        EXPECT_NE(pages[0].find("Job protocol"), std::string::npos);
        EXPECT_NE(pages[0].find("Nominal voltage"), std::string::npos);
        EXPECT_NE(pages[0].find(file), std::string::npos);
        // The job alone: no measurement information block.
        EXPECT_EQ(pages[0].find("Frequency measurement within tolerance"), std::string::npos);
    }
    test::ProgramResult none = RunProgram(
        test::BuiltProgramLine(home_->Path(), "varelo-cli",
                               "print job-protocol " + ShellQuote(home_->File("none.aua")) +
                                   " --output " + ShellQuote(home_->File("none.pdf"))));
    EXPECT_NE(none.status, 0);
    EXPECT_FALSE(std::filesystem::exists(home_->File("none.pdf")));
}

TEST_F(PrintoutPdfTest, MeasurementInformationIsCompleteInItself) {
    const std::string pdf = home_->File("measurement-info.pdf");
    test::ProgramResult result = Print("measurement-info", pdf);
    ASSERT_EQ(result.status, 0) << result.output;
    test::ProgramResult info = RunProgram("pdfinfo " + ShellQuote(pdf));
    // About sixty lines of 5 mm: two pages, each with the page header.
    EXPECT_TRUE(std::regex_search(info.output, std::regex("Pages:\\s+2\\n"))) << info.output;
    std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2u);
    for (const std::string& page : pages)
        EXPECT_NE(page.find("Information about measurement"), std::string::npos);
    const std::string all = pages[0] + pages[1];
    for (const char* text :
         {"Measurement period", "Interharmonic voltages", "Saved values", "Number of events"})
        EXPECT_NE(all.find(text), std::string::npos) << text;
    EXPECT_LT(all.find("Measurement period"), all.find("Number of events"));
    EXPECT_EQ(all.find("Frequency measurement within tolerance"), std::string::npos);

    // An unreadable file: message 374, no PDF.
    test::TempDir dir;
    dir.Write("bad.VXM", "nothing");
    test::ProgramResult bad = RunProgram(
        test::BuiltProgramLine(home_->Path(), "varelo-cli",
                               "print measurement-info " + ShellQuote(dir.File("bad.VXM")) +
                                   " --output " + ShellQuote(dir.File("bad.pdf"))));
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.output.find(" 374: "), std::string::npos) << bad.output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.pdf")));
}

TEST_F(PrintoutPdfTest, UnknownPrintoutIsAUsageError) {
    test::ProgramResult result = Print("pie-chart", home_->File("x.pdf"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("graphical-summary|table-summary|events|disdip"),
              std::string::npos);
}

}  // namespace
}  // namespace varelo
