#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "logger/FirmwareImage.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"
#include "support/FakeSerialDevice.h"
#include "support/RecordingUserInterface.h"
#include "support/SimulatedClock.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

// The download commands against a Logger that answers each command byte from a table.
class DownloadCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        device.responder = [this](test::FakeSerialDevice& d, std::span<const uint8_t> w) {
            auto answer = answers.find(w[0]);
            if (answer != answers.end()) d.Queue(answer->second);
        };
        answers[0x1B] = "+";
        ASSERT_EQ(protocol.Connect(0), CLoggerProtocol::kConnected);
        device.writes.clear();
        device.reads.clear();
        clock.sleeps.clear();
    }

    // Before the device: the protocol still ends its connection when the fixture goes.
    std::map<uint8_t, std::string> answers;
    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::SimulatedClock clock;
    test::FakeSerialDevice device{&clock};
    test::RecordingUserInterface ui;
    CSerialPort serial{device, clock, [](const std::string& n) { return n; }};
    CLoggerLink port{serial, ui};
    CLoggerProtocol protocol{port, settings};
};

TEST_F(DownloadCommandsTest, WriteMemorySendsHeaderAndTheImageBytes) {
    FirmwareImage image;
    for (size_t i = 0; i < 128; ++i)
        image.bytes[0x1AB80 + i] = uint8_t(i);
    answers['W'] = "o";
    ASSERT_TRUE(protocol.WriteMemory('C', 128, 0x1AB80, image));
    std::string written = device.WrittenBytes();
    ASSERT_EQ(written.size(), 9u + 128u);
    EXPECT_EQ(written.substr(0, 9), "WC801AB80");
    EXPECT_EQ(uint8_t(written[9 + 127]), 127);
    EXPECT_EQ(std::count(clock.sleeps.begin(), clock.sleeps.end(), 20u), 2);  // before and after
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DownloadCommandsTest, ShortBootBlockHasItsLengthInTheHeader) {
    FirmwareImage image;
    answers['W'] = "o";
    ASSERT_TRUE(protocol.WriteMemory('R', 0x40, 0x280, image));
    EXPECT_EQ(device.WrittenBytes().substr(0, 9), "WR4000280");
}

struct AnswerCase {
    const char* name;
    std::function<bool(CLoggerProtocol&)> run;
    uint8_t command;
    const char* answer;  // empty: none
    bool ok;
    std::vector<int> shown;
    int recordedText;  // text recorded in the diagnostics; 0: none
};

class DownloadAnswerTest : public DownloadCommandsTest,
                           public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(DownloadAnswerTest, AcknowledgeDecides) {
    const AnswerCase& c = GetParam();
    if (*c.answer) answers[c.command] = c.answer;
    EXPECT_EQ(c.run(protocol), c.ok);
    EXPECT_EQ(uint8_t(device.WrittenBytes().at(0)), c.command);
    EXPECT_EQ(ui.MessageIds(), c.shown);
    const auto& texts = protocol.Diagnostics().texts;
    if (c.recordedText == 0) {
        EXPECT_TRUE(texts.empty());
    } else {
        ASSERT_FALSE(texts.empty());
        EXPECT_TRUE(texts.back().starts_with(Str(c.recordedText).substr(0, 40))) << texts.back();
        EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 1);
    }
}

bool Write(CLoggerProtocol& p) {
    return p.WriteMemory('R', 128, 0, FirmwareImage{});
}
bool StartFlash(CLoggerProtocol& p) {
    return p.StartCpuFlash();
}
bool FinishFlash(CLoggerProtocol& p) {
    return p.FinishCpuFlash();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DownloadAnswerTest,
    ::testing::Values(AnswerCase{"BlockAccepted", Write, 'W', "o", true, {}, 0},
                      AnswerCase{"BlockRefused", Write, 'W', "f", false, {738}, 738},
                      AnswerCase{"BlockWrongAcknowledge", Write, 'W', "?", false, {614}, 614},
                      AnswerCase{"BlockNotAcknowledged", Write, 'W', "", false, {733}, 613},
                      AnswerCase{"FlashStarted", StartFlash, 'C', "C", true, {}, 0},
                      AnswerCase{"FlashStartWrong", StartFlash, 'C', "c", false, {599}, 599},
                      AnswerCase{"FlashFinished", FinishFlash, 'c', "c", true, {}, 0},
                      AnswerCase{"FlashFinishWrong", FinishFlash, 'c', "C", false, {602}, 602}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloadCommandsTest, CpuFlashWaitsForTheEraseWithALongTimeout) {
    answers['C'] = "C";
    ASSERT_TRUE(protocol.StartCpuFlash());
    EXPECT_EQ(std::count(clock.sleeps.begin(), clock.sleeps.end(), 3000u), 1);
    EXPECT_EQ(device.ReadTimeouts(1), std::vector<uint32_t>{9000});
}

TEST_F(DownloadCommandsTest, BootDownloadStartWaitsForNothing) {
    ASSERT_TRUE(protocol.StartBootDownload());
    EXPECT_EQ(device.WrittenBytes(), "B");
    EXPECT_TRUE(device.ReadTimeouts(1).empty());
}

TEST_F(DownloadCommandsTest, BlockPastTheImageIsNotSent) {
    EXPECT_FALSE(protocol.WriteMemory('C', 128, FirmwareImage::kSize - 127, FirmwareImage{}));
    EXPECT_FALSE(protocol.WriteMemory('C', 0, 0, FirmwareImage{}));
    EXPECT_EQ(device.WrittenBytes(), "");
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 2);
}

}  // namespace
}  // namespace varelo
