// varelo-cli --language: messages, printouts and exports in the chosen language, nothing stored.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/StringTable.h"
#include "platform/CodePage.h"
#include "support/GeneratedWeekTest.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

using test::ReadAll;

std::string ChineseText(int id) {
    StringTable module;
    EXPECT_TRUE(module.LoadFile(std::string(std::getenv("VARELO_DATA_DIR")) + "/VareloCHN.lng"));
    const std::string* text = module.Find(id);
    return text ? *text : std::string("(missing)");
}

using CliLanguage = test::GeneratedWeekTest;

TEST_F(CliLanguage, ChineseExportsWriteCodePage936AndEnglishStaysTheDefault) {
    const std::string chinese = dir.File("chinese.ASC");
    ASSERT_EQ(Cli("--language CHN export ascii intervals " + ShellQuote(file) + " --output " +
                  ShellQuote(chinese))
                  .status,
              0);
    const std::string date = ChineseText(756);
    EXPECT_NE(date, "Date");
    EXPECT_NE(ReadAll(chinese).find(Utf8ToCodePage(date, 936)), std::string::npos);

    // The option is not stored: the next run is English again.
    const std::string english = dir.File("english.ASC");
    ASSERT_EQ(Cli("export ascii intervals " + ShellQuote(file) + " --output " + ShellQuote(english))
                  .status,
              0);
    EXPECT_NE(ReadAll(english).find("Date"), std::string::npos);
    EXPECT_EQ(ReadAll(english).find(Utf8ToCodePage(date, 936)), std::string::npos);
}

TEST_F(CliLanguage, UnknownLanguageIsAUsageError) {
    const test::ProgramResult r = Cli("--language XYZ info " + ShellQuote(file));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("GER ENG FRA ITL SPA PTG CHN"), std::string::npos) << r.output;
    EXPECT_EQ(Cli("info " + ShellQuote(file) + " --language").status, 2);
}

#ifdef VARELO_CLI_PRINTS
TEST_F(CliLanguage, ChinesePrintoutHoldsTheModulesTitle) {
    const std::string pdf = dir.File("summary.pdf");
    ASSERT_EQ(Cli("--language CHN print table-summary " + ShellQuote(file) + " --output " +
                  ShellQuote(pdf))
                  .status,
              0);
    const test::ProgramResult text = RunProgram("pdftotext " + ShellQuote(pdf) + " -");
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.output.find(ChineseText(1315)), std::string::npos) << text.output;
}
#endif

}  // namespace
}  // namespace varelo
