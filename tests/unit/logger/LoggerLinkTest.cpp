#include <gtest/gtest.h>

#include "app/StringTable.h"
#include "logger/LoggerLink.h"
#include "support/FakeSerialDevice.h"
#include "support/RecordingUserInterface.h"
#include "support/SimulatedClock.h"

namespace varelo {
namespace {

using test::FakeSerialDevice;

class LoggerLinkTest : public ::testing::Test {
protected:
    test::SimulatedClock clock;
    FakeSerialDevice device{&clock};
    test::RecordingUserInterface ui;
    CSerialPort serial{device, clock, [](const std::string& name) { return "/dev/" + name; }};
    CLoggerLink port{serial, ui};
    int errors = 0;

    std::string Receive(size_t count, bool quiet = false) {
        std::string buffer(count, '\0');
        int n = port.ReceiveExact(reinterpret_cast<uint8_t*>(buffer.data()), count, 3000, quiet,
                                  errors);
        return n < 0 ? "<failed>" : buffer;
    }
};

TEST_F(LoggerLinkTest, OpenAppliesTimeoutsAndLineSettingsOnce) {
    ASSERT_TRUE(port.Open("COM1", "57600", false));
    EXPECT_EQ(device.openedPaths, std::vector<std::string>{"/dev/COM1"});
    EXPECT_EQ(device.timeouts, (SerialTimeouts{0, 1, 5000, 1, 5000}));
    EXPECT_EQ(device.lineSettings.baudRate, 57600u);
    EXPECT_FALSE(device.lineSettings.dtr);
    EXPECT_TRUE(device.lineSettings.rts);

    // The same port again re-uses the handle; only a changed baud text is applied again.
    ASSERT_TRUE(port.Open("COM1", "57600", false));
    EXPECT_EQ(device.openedPaths.size(), 1u);
    EXPECT_EQ(device.lineSettingsWrites, 1);
    ASSERT_TRUE(port.Open("COM1", "9600", false));
    EXPECT_EQ(device.openedPaths.size(), 1u);
    EXPECT_EQ(device.lineSettingsWrites, 2);

    // Another port closes the first and applies the line settings after the fresh open.
    ASSERT_TRUE(port.Open("COM2", "9600", false));
    EXPECT_EQ(device.openedPaths.back(), "/dev/COM2");
    EXPECT_EQ(device.lineSettingsWrites, 3);
}

TEST_F(LoggerLinkTest, BaudTextsOutsideTheListGive38400) {
    for (const char* text : {"4800", "", "115200 "}) {
        EXPECT_EQ(CSerialPort::BaudFromText(text), 38400u) << text;
    }
    EXPECT_EQ(CSerialPort::BaudFromText("115200"), 115200u);
}

TEST_F(LoggerLinkTest, OpenFailuresShowTheirMessageWithPortAndOsError) {
    device.failOpen = OsError::FromErrno(ENOENT);
    EXPECT_FALSE(port.Open("COM3", "115200", false));
    ASSERT_EQ(ui.MessageIds(), std::vector<int>{718});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(ui.messages[0].text,
              Msg(718, {"COM3", std::to_string(ENOENT), OsError::FromErrno(ENOENT).text}));
    EXPECT_NE(ui.messages[0].text.find("No such file or directory"), std::string::npos);

    struct Case {
        OsError FakeSerialDevice::*failure;
        int message;
    } cases[] = {{&FakeSerialDevice::failQueueSizes, 719},
                 {&FakeSerialDevice::failGetTimeouts, 736},
                 {&FakeSerialDevice::failSetTimeouts, 736},
                 {&FakeSerialDevice::failGetLine, 720},
                 {&FakeSerialDevice::failSetLine, 721}};
    for (const auto& c : cases) {
        test::SimulatedClock clk;
        FakeSerialDevice dev{&clk};
        test::RecordingUserInterface rec;
        CSerialPort serialPort{dev, clk, [](const std::string& n) { return n; }};
        CLoggerLink p{serialPort, rec};
        dev.*c.failure = OsError{5, "I/O error\n"};
        EXPECT_FALSE(p.Open("COM1", "9600", false));
        ASSERT_EQ(rec.MessageIds(), std::vector<int>{c.message});
        EXPECT_NE(rec.messages[0].text.find("COM1"), std::string::npos);
    }
}

TEST_F(LoggerLinkTest, TimeoutTemplateIsPrintfStyle) {
    device.failSetTimeouts = OsError{22, "Invalid argument\n"};
    EXPECT_FALSE(port.Open("COM4", "9600", false));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Error serial interface COM4!\n\nInitialisation of communication parameters "
              "faild.\nError: 22 - Invalid argument\n");
}

TEST_F(LoggerLinkTest, ShortReadReportsExpectedAndReceivedCounts) {
    ASSERT_TRUE(port.Open("COM1", "115200", false));
    device.Queue(std::string(10, 'a'));
    EXPECT_EQ(Receive(131), "<failed>");
    ASSERT_EQ(ui.MessageIds(), std::vector<int>{733});
    EXPECT_EQ(ui.messages[0].text, Msg(733, {"COM1", "131", "10"}));
    EXPECT_EQ(port.LastReceivedCount(), 10u);

    // Quiet: nothing shown, the caller's counter counts.
    EXPECT_EQ(Receive(5, true), "<failed>");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(errors, 1);
}

TEST_F(LoggerLinkTest, LineErrorsFailACompleteRead) {
    struct Case {
        uint32_t flags;
        std::string texts;
    } cases[] = {
        {line_error::kFraming, "Hardware framing error detected.\n"},
        {line_error::kMode | line_error::kFraming | line_error::kParity,
         "Selected mode is not supported or device parameter is not valid.\n"},
        {line_error::kParity | line_error::kBreak | line_error::kOverrun,
         "Hardware brake condition detected.\nBuffer overflow detected.\nParity error detected.\n"},
    };
    ASSERT_TRUE(port.Open("COM1", "115200", false));
    for (const auto& c : cases) {
        ui.messages.clear();
        device.Queue("abc");
        device.pendingErrorFlags = c.flags;
        EXPECT_EQ(Receive(3), "<failed>");
        ASSERT_EQ(ui.MessageIds(), std::vector<int>{734});
        EXPECT_EQ(ui.messages[0].text, Msg(734, {"COM1", c.texts, std::to_string(c.flags)}));
    }
}

TEST_F(LoggerLinkTest, WaitAfterOpenSleepsTheRestOfFiveSecondsOnce) {
    ASSERT_TRUE(port.Open("COM1", "115200", false));
    clock.Advance(1000);
    port.WaitAfterOpen();
    EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{4000});
    port.WaitAfterOpen();
    EXPECT_EQ(clock.sleeps.size(), 1u);
}

TEST(LoggerLinkWaitTest, TickCounterWrapStillGivesTheTrueElapsedTime) {
    test::SimulatedClock clock(0xFFFFFFFFu - 499);  // wraps 500 ms after the open
    FakeSerialDevice device{&clock};
    test::RecordingUserInterface ui;
    CSerialPort serial{device, clock, [](const std::string& n) { return n; }};
    CLoggerLink port{serial, ui};
    ASSERT_TRUE(port.Open("COM1", "115200", false));
    clock.Advance(1500);
    port.WaitAfterOpen();
    EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{3500});
}

TEST_F(LoggerLinkTest, TransmitDiscardsUnaskedBytesFirst) {
    ASSERT_TRUE(port.Open("COM1", "115200", false));
    device.Queue("stale");
    device.responder = [](FakeSerialDevice& d, std::span<const uint8_t>) { d.Queue("OK"); };
    EXPECT_EQ(port.Transmit(reinterpret_cast<const uint8_t*>("q"), 1, 0), 1);
    EXPECT_EQ(Receive(2), "OK");
}

TEST_F(LoggerLinkTest, TransmitWaitsItsPreDelayAndReportsWriteFailures) {
    ASSERT_TRUE(port.Open("COM1", "115200", false));
    const uint8_t data[] = {1, 2, 3};
    EXPECT_EQ(port.Transmit(data, 3, 10), 1);
    EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{10});

    device.shortWrite = 2;
    EXPECT_EQ(port.Transmit(data, 3, 0), -1);
    device.shortWrite = SIZE_MAX;
    device.failWrite = OsError{5, "Input/output error\n"};
    EXPECT_EQ(port.Transmit(data, 3, 0), -1);
    EXPECT_EQ(ui.MessageIds(), (std::vector<int>{723, 722}));
    EXPECT_EQ(ui.messages[0].text, Msg(723, {"COM1", "2", "3"}));
}

}  // namespace
}  // namespace varelo
