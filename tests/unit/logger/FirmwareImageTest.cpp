#include "logger/FirmwareImage.h"

#include <gtest/gtest.h>

#include <string>

#include "logger/SoftwareInformation.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

std::string TextAt(const FirmwareImage& image, size_t address, size_t length) {
    return std::string(image.bytes.begin() + long(address),
                       image.bytes.begin() + long(address + length));
}

class FirmwareImageTest : public ::testing::Test {
protected:
    bool ReadText(const std::string& text) {
        dir.Write("image.hex", text);
        return ReadHexImage(dir.File("image.hex"), image, ui);
    }

    test::TempDir dir;
    test::RecordingUserInterface ui;
    FirmwareImage image;
};

TEST_F(FirmwareImageTest, DemoBootImageStartsAtAddressZero) {
    ASSERT_TRUE(ReadHexImage(FirmwareFolder() + "/408b/boot.hex", image, ui));
    EXPECT_EQ(image.usedSize, 0x400u);
    EXPECT_EQ(TextAt(image, 0, 22), "VARELO-DEMO-IMAGE|BOOT");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FirmwareImageTest, DemoCpuImageUsesSegmentAndLinearBases) {
    ASSERT_TRUE(ReadHexImage(FirmwareFolder() + "/301b/cpu-p.hex", image, ui));
    EXPECT_EQ(TextAt(image, 0x10000, 21), "VARELO-DEMO-IMAGE|CPU");
    EXPECT_NE(image.bytes[0x20000 + 0x3FF], 0);  // filler up to the end of the second part
    EXPECT_EQ(image.usedSize, 0x20400u);
}

TEST_F(FirmwareImageTest, MissingFileFailsQuietly) {
    EXPECT_FALSE(ReadHexImage(dir.File("none.hex"), image, ui));
    EXPECT_TRUE(ui.messages.empty());
}

struct HexCase {
    const char* name;
    const char* text;
    bool ok;
    size_t usedSize;   // when ok
    long messageLine;  // line named by message 359; 0: no message
};

class HexCaseTest : public FirmwareImageTest, public ::testing::WithParamInterface<HexCase> {};

TEST_P(HexCaseTest, ReadsOrRejects) {
    const HexCase& c = GetParam();
    EXPECT_EQ(ReadText(c.text), c.ok);
    if (c.ok) {
        EXPECT_EQ(image.usedSize, c.usedSize);
    }
    if (c.messageLine == 0) {
        EXPECT_TRUE(ui.messages.empty());
    } else {
        ASSERT_EQ(ui.MessageIds(), std::vector<int>{359});
        EXPECT_NE(ui.messages[0].text.find("line " + std::to_string(c.messageLine) + "."),
                  std::string::npos)
            << ui.messages[0].text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, HexCaseTest,
    ::testing::Values(
        HexCase{"Plain", ":0400100001020304E2\n:00000001FF\n", true, 0x14, 0},
        HexCase{"ChecksumDigitsMissing", ":0400100001020304\n:00000001FF\n", true, 0x14, 0},
        HexCase{"CrLfEndings", ":0400100001020304E2\r\n:00000001FF\r\n", true, 0x14, 0},
        HexCase{"CommentLinesSkipped", "demo\n\n:0100000041BE\n", true, 1, 0},
        HexCase{"StopsAtEndRecord", ":0100000041BE\n:00000001FF\n:01100000FFxx\n", true, 1, 0},
        HexCase{"SegmentBase", ":020000021000EC\n:0100050041B9\n", true, 0x10006, 0},
        HexCase{"MoreDataThanCount", "\n:020010000102030400E0\n", false, 0, 2},
        HexCase{"WrongChecksum", ":0400100001020304E3\n", false, 0, 1},
        HexCase{"TooShortForItsCount", ":04001000010203\n", false, 0, 1},
        HexCase{"HeaderCut", ":0400\n", false, 0, 1},
        HexCase{"NotHexadecimal", ":04001000010G0304E2\n", false, 0, 1},
        HexCase{"BaseRecordOfWrongLength", ":03000004000100F8\n", false, 0, 1},
        HexCase{"BeyondTheImage", ":020000040004F6\n:01400000FFC0\n", false, 0, 2},
        HexCase{"LastByteOfTheImage", ":020000040004F6\n:013FFF00FFC2\n", true, 0x44000, 0},
        HexCase{"Type03Fails", ":0400000300001000E9\n", false, 0, 0},
        HexCase{"Type05Fails", ":0400000500001000E7\n", false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FirmwareImageTest, LinearBase0047MapsToImageStart) {
    ASSERT_TRUE(ReadText(":020000040047B3\n:01002000419E\n"));
    EXPECT_EQ(image.bytes[0x20], 0x41);
    ASSERT_TRUE(ReadText(":020000040001F9\n:01002000419E\n"));
    EXPECT_EQ(image.bytes[0x20], 0);
    EXPECT_EQ(image.bytes[0x10020], 0x41);
}

TEST_F(FirmwareImageTest, OverlongLineIsAnErrorNotACrash) {
    std::string line = ":FF000000" + std::string(600, '0') + "\n";
    EXPECT_FALSE(ReadText(line));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{359});
}

}  // namespace
}  // namespace varelo
