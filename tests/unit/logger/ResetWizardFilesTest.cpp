#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "logger/FirstAidPackage.h"
#include "logger/WizardHexFile.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

// The wizard's reading of record lines: fixed columns, digits in either case, other
// characters as 0, reading ends at the first line that is no record line.
TEST(WizardHexFileTest, ReadsRecordLinesByTheirColumns) {
    WizardHexFile file;
    ASSERT_EQ(file.Parse(":02ABCD00a1F2xx\r\n"    // lower and upper case, CR LF
                         ":01001000g4FF\n"        // "g" counts as 0: data 0x04
                         ":0200000400017F\n"      // type 04
                         "; a comment ends it\n"  // no colon: reading stops
                         ":0100200001FF\n"),
              WizardHexFile::Status::Ok);
    ASSERT_EQ(file.Records().size(), 3u);
    EXPECT_EQ(file.Records()[0].address, 0xABCD);
    EXPECT_EQ(file.Records()[0].type, 0);
    EXPECT_EQ(file.Records()[0].data, (std::vector<uint8_t>{0xA1, 0xF2}));
    EXPECT_EQ(file.Records()[1].data, (std::vector<uint8_t>{0x04}));
    EXPECT_EQ(file.Records()[2].type, 4);
    EXPECT_EQ(file.Records()[2].data, (std::vector<uint8_t>{0x00, 0x01}));

    // A line shorter than 11 characters ends the records as well.
    ASSERT_EQ(file.Parse(":0100000011FF\n:000000\n:0100010022FF\n"), WizardHexFile::Status::Ok);
    EXPECT_EQ(file.Records().size(), 1u);
}

// A line with fewer data characters than its count is refused instead of reading past it;
// the checksum digits may be missing.
TEST(WizardHexFileTest, LineShorterThanItsCountIsRefused) {
    WizardHexFile file;
    EXPECT_EQ(file.Parse(":0400000001020304\n"), WizardHexFile::Status::Ok);
    EXPECT_EQ(file.Parse(":04000000010203\n"), WizardHexFile::Status::ShortRecord);
    EXPECT_EQ(file.Parse(":0100000011FF\n:FF000000000102\n"), WizardHexFile::Status::ShortRecord);
    EXPECT_EQ(file.Read("/nonexistent/monitor.hex"), WizardHexFile::Status::Unreadable);
    EXPECT_EQ(file.Read(""), WizardHexFile::Status::Unreadable);
}

TEST(FirstAidPackageTest, MaxAddressBelow17FFFBecomes30000) {
    struct Case {
        const char* text;
        uint32_t value;
    } const cases[] = {
        {"20000", 0x20000}, {"8000", 0x30000},  {"17FFF", 0x17FFF}, {"17ffe", 0x30000},
        {"", 0x30000},      {"4x000", 0x40000}, {"44000", 0x44000}, {"fffffffffff", 0xFFFFFFFF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstAidPackage::ParseMaxAddress(c.text), c.value) << c.text;
}

TEST(FirstAidPackageTest, FilesAreInTheDeviceFolderAndMissingKeysEmpty) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.File("404b"));
    dir.Write("404b/404b.kvr", "[firstaid]\nhexloader=h.hex\nMONITOR=m.hex\nMaxAddress=20000\n");
    FirstAidPackage p = FirstAidPackage::Read(dir.Path(), "404b");
    EXPECT_EQ(p.hexLoader, dir.Path() + "/404b/h.hex");
    EXPECT_EQ(p.monitor, dir.Path() + "/404b/m.hex");
    EXPECT_EQ(p.cpuFile, "");
    EXPECT_EQ(p.maxAddress, 0x20000u);
    EXPECT_EQ(FirstAidPackage::Read(dir.Path(), "408b").hexLoader, "");
}

}  // namespace
}  // namespace varelo
