#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "logger/IntervalWireFormat.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"
#include "logger/StatisticEventWireFormat.h"
#include "logger/TestSum.h"
#include "measurement/EventRecord.h"
#include "measurement/IntervalRecord.h"
#include "measurement/StatisticSegment.h"
#include "support/FakeSerialDevice.h"
#include "support/RecordingUserInterface.h"
#include "support/SimulatedClock.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::FakeSerialDevice;

// Data bytes with the test sum after them, which `damage` is added to.
std::vector<uint8_t> Answer(std::vector<uint8_t> data, int damage = 0) {
    data.push_back(uint8_t(XorTestSum(data) + damage));
    return data;
}

// A Logger whose answers to the data commands ("m", "x", "T", "E") come from a queue; an
// empty queue answers nothing.
class DataCommandsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScopedEnv documents{"XDG_DOCUMENTS_DIR", dir.Path().c_str()};
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::SimulatedClock clock;
    FakeSerialDevice device{&clock};
    test::RecordingUserInterface ui;
    // Declared before the protocol, which still talks to the Logger when it is destroyed.
    std::deque<std::vector<uint8_t>> answers;
    std::string commands;  // data commands received, in order
    CSerialPort serial{device, clock, [](const std::string& n) { return n; }};
    CLoggerLink port{serial, ui};
    CLoggerProtocol protocol{port, settings};

    void SetUp() override {
        device.responder = [this](FakeSerialDevice& d, std::span<const uint8_t> w) {
            if (w.size() != 1) return;
            if (w[0] == cmd::kWakeUp) {
                d.Queue("+");
                return;
            }
            commands += char(w[0]);
            if (answers.empty()) return;
            d.Queue(answers.front());
            answers.pop_front();
        };
        ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
    }

    static std::vector<uint8_t> IntervalP(int16_t status) {
        std::vector<uint8_t> data(kIntervalPDataSize, 0);
        data[0] = uint8_t(status >> 8);
        data[1] = uint8_t(status);
        const uint8_t date[6] = {24, 1, 1, 0, 10, 0};
        std::copy(date, date + 6, data.begin() + 2);
        return data;
    }
};

TEST_F(DataCommandsTest, IntervalRepeatsWithXUntilTheTestSumIsRight) {
    for (int i = 0; i < 3; ++i)
        answers.push_back(Answer(IntervalP(0x40), 1));
    answers.push_back(Answer(IntervalP(0x40)));
    CIntervalRecord record;
    bool empty = true;
    ASSERT_EQ(protocol.ReadIntervalP(1, record, 0, empty), 1);
    EXPECT_FALSE(empty);
    EXPECT_EQ(commands, "mxxx");
    EXPECT_EQ(record.Status, 0x40);
    EXPECT_EQ(record.DateTime, CTimeStamp(2024, 1, 1, 0, 10, 0));
    const auto sent = Answer(IntervalP(0x40));
    const std::string wrong =
        Msg(509, {std::to_string(uint8_t(sent.back() + 1)), std::to_string(sent.back())});
    EXPECT_EQ(protocol.Diagnostics().texts, std::vector<std::string>(3, wrong));
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 3);
}

TEST_F(DataCommandsTest, IntervalFailsAfterFourBadAnswers) {
    for (int i = 0; i < 4; ++i)
        answers.push_back(Answer(std::vector<uint8_t>(kIntervalADataSize, 3), 1));
    CIntervalRecord record;
    bool empty = false;
    EXPECT_EQ(protocol.ReadIntervalA(1, record, empty), 0);
    EXPECT_EQ(commands, "mxxx");
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 4);
}

TEST_F(DataCommandsTest, LostIntervalAnswersAreQuietUntilTheLastAttempt) {
    CIntervalRecord record;
    bool empty = false;
    EXPECT_EQ(protocol.ReadIntervalP(1, record, 2, empty), 0);
    EXPECT_EQ(commands.front(), 'm');
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 'm'), 1);
    EXPECT_EQ(ui.messages.size(), 1u);  // only the last reception speaks
    EXPECT_EQ(protocol.Diagnostics().texts.back(), Msg(508, {"249", "0"}));
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 4);
}

TEST_F(DataCommandsTest, ErasedIntervalIsEmptyAndNotDecoded) {
    answers.push_back(Answer(std::vector<uint8_t>(kIntervalPDataSize, 0xFF)));
    EXPECT_EQ(answers.back().back(), 0x00);
    CIntervalRecord record;
    record.Status = 7;
    bool empty = false;
    ASSERT_EQ(protocol.ReadIntervalP(1, record, 0, empty), 1);
    EXPECT_TRUE(empty);
    EXPECT_EQ(record.Status, 7);
    EXPECT_TRUE(protocol.Diagnostics().texts.empty());
}

TEST_F(DataCommandsTest, IntervalCommandThatCannotBeSentFailsAtOnce) {
    device.failWrite = OsError{5, "Input/output error"};
    CIntervalRecord record;
    bool empty = false;
    EXPECT_EQ(protocol.ReadIntervalP(1, record, 0, empty), 0);
    EXPECT_EQ(protocol.Diagnostics().texts.back(), Str(507));
    EXPECT_EQ(protocol.Diagnostics().transmissionErrorCount, 1);
}

TEST_F(DataCommandsTest, StatisticAndEventAnswersAreCheckedOnce) {
    std::vector<uint8_t> segment(kStatisticDataSize, 0);
    const uint8_t date[7] = {24, 1, 1, 1, 0, 0, 0};
    std::copy(date, date + 7, segment.begin() + 1);
    segment[0] = 0x20;
    answers.push_back(Answer(segment, 1));
    answers.push_back(Answer(segment));
    CStatisticSegment s;
    EXPECT_EQ(protocol.ReadStatisticSegment(1, s), 0);
    const auto good = Answer(segment);
    EXPECT_EQ(protocol.Diagnostics().texts.back(),
              Msg(555, {std::to_string(uint8_t(good.back() + 1)), std::to_string(good.back())}));
    ASSERT_EQ(protocol.ReadStatisticSegment(2, s), 1);
    EXPECT_EQ(s.Status, 0x20);
    EXPECT_EQ(s.DateTime, CTimeStamp(2024, 1, 1, 1, 0, 0, 0));

    std::vector<uint8_t> event(kEventDataSize, 0);
    const uint8_t times[16] = {0, 2, 24, 1, 1, 1, 0, 0, 10, 24, 1, 1, 1, 0, 1, 0};
    std::copy(times, times + 16, event.begin());
    answers.push_back(Answer(event, 1));
    answers.push_back(Answer(event));
    CEventRecord e;
    EXPECT_EQ(protocol.ReadEvent(1, e), 0);
    const auto goodEvent = Answer(event);
    EXPECT_EQ(protocol.Diagnostics().texts.back(),
              Msg(565, {std::to_string(uint8_t(goodEvent.back() + 1)),
                        std::to_string(goodEvent.back())}));
    ASSERT_EQ(protocol.ReadEvent(2, e), 1);
    EXPECT_EQ(e.Phase, 2);
    EXPECT_EQ(e.EndDateTime, CTimeStamp(2024, 1, 1, 1, 0, 1, 0));
    EXPECT_EQ(commands, "TTEE");
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 2);
}

TEST_F(DataCommandsTest, ShortStatisticAndEventAnswersFail) {
    CStatisticSegment s;
    CEventRecord e;
    EXPECT_EQ(protocol.ReadStatisticSegment(1, s), 0);
    EXPECT_EQ(protocol.Diagnostics().texts.back(), Msg(554, {"0", "781"}));
    EXPECT_EQ(protocol.ReadEvent(1, e), 0);
    EXPECT_EQ(protocol.Diagnostics().texts.back(), Msg(564, {"0", "19"}));
}

}  // namespace
}  // namespace varelo
