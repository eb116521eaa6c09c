#include <gtest/gtest.h>

#include <filesystem>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "logger/JobWireFormat.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"
#include "logger/TestSum.h"
#include "measurement/MeasurementJob.h"
#include "support/FakeSerialDevice.h"
#include "support/RecordingUserInterface.h"
#include "support/SimulatedClock.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::FakeSerialDevice;

class JobCommandsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScopedEnv documents{"XDG_DOCUMENTS_DIR", dir.Path().c_str()};
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::SimulatedClock clock;
    FakeSerialDevice device{&clock};
    test::RecordingUserInterface ui;
    // Declared before the protocol, which still talks to the Logger when it is destroyed.
    int testSumOffset = 0;  // added to the test sum the Logger answers
    std::vector<uint8_t> received;
    CSerialPort serial{device, clock, [](const std::string& n) { return n; }};
    CLoggerLink port{serial, ui};
    CLoggerProtocol protocol{port, settings};

    void SetUp() override {
        device.responder = [this](FakeSerialDevice& d, std::span<const uint8_t> w) {
            if (w.size() == 1 && w[0] == cmd::kWakeUp) d.Queue("+");
            if (w.size() == kJobWriteBlockSize) {
                received.assign(w.begin(), w.end());
                d.Queue(std::string(1, char(XorTestSum(w) + testSumOffset)));
            }
        };
        ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
    }
};

TEST_F(JobCommandsTest, WriteSendsCommandThenBlockAndChecksTheEchoedTestSum) {
    CMeasurementJob job;
    EXPECT_EQ(protocol.WriteMeasurementJob(job), 1);
    EXPECT_EQ(device.writes[1], std::vector<uint8_t>{'A'});
    auto expected = EncodeJob(job, false);
    EXPECT_EQ(received, std::vector<uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(device.ReadTimeouts(1).back(), 3000u + 4000u);  // a job takes the Logger longer
    EXPECT_FALSE(std::filesystem::exists(dir.File("Varelo/JobA_VamorToKelvaro.BIN")));

    testSumOffset = 1;
    EXPECT_EQ(protocol.WriteMeasurementJob(job), 0);
    EXPECT_EQ(protocol.Diagnostics().texts.back(), Str(506));
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 1);
}

TEST_F(JobCommandsTest, DebugImageGoesToTheUserDataFolder) {
    settings.Write(setting::StoreJobBinary, 1);
    CMeasurementJob job;
    ASSERT_EQ(protocol.WriteMeasurementJob(job), 1);
    EXPECT_EQ(std::filesystem::file_size(dir.File("Varelo/JobA_VamorToKelvaro.BIN")),
              kJobWriteBlockSize);
}

}  // namespace
}  // namespace varelo
