#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Settings.h"
#include "logger/FirmwareDownload.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"
#include "logger/SaveDataProgress.h"
#include "measurement/MeasurementJob.h"
#include "support/FakeSerialDevice.h"
#include "support/RecordingUserInterface.h"
#include "support/SimulatedClock.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

namespace fs = std::filesystem;

// The counting passes of the downloads on a copy of the 408b demo package: they read the
// software information file only, so nothing is sent.
class FirmwareDownloadCountTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(FirmwareFolder() + "/408b", dir.File("408b"));
        std::ifstream in(dir.File("408b/408b.kvr"));
        std::stringstream text;
        text << in.rdbuf();
        kvr = text.str();
        info.HardwType = "408b Power Logger   1";
        info.HardwBasicUnit = "BU 408";
        info.HardwSupplyVoltage = info.HardwNomFreq = 1;
        info.HardwVoltRange = info.HardwCurrRange = 1;
        info.VersionBoot = "1.10";
    }
    void Replace(const std::string& from, const std::string& to) {
        size_t at = kvr.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        kvr.replace(at, from.size(), to);
        std::ofstream(dir.File("408b/408b.kvr"), std::ios::trunc) << kvr;
    }
    long BootTotal() {
        SaveDataProgress window(ui);
        FirmwareDownload download(protocol, window, info, ui, dir.Path());
        if (!download.DownloadBootProgram(true)) return -1;
        return window.FirmwareTotal();
    }
    long BootRamTotal() {
        SaveDataProgress window(ui);
        FirmwareDownload download(protocol, window, info, ui, dir.Path());
        if (!download.DownloadBootRamImage(true)) return -1;
        return window.FirmwareTotal();
    }

    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::SimulatedClock clock;
    test::FakeSerialDevice device{&clock};
    test::RecordingUserInterface ui;
    CSerialPort serial{device, clock, [](const std::string& n) { return n; }};
    CLoggerLink port{serial, ui};
    CLoggerProtocol protocol{port, settings};
    CLoggerInfo info;
    std::string kvr;
};

TEST_F(FirmwareDownloadCountTest, RangesAreCutIntoBlocksOf128) {
    struct Case {
        const char* range;
        long total;
    };
    const std::string original = kvr;
    for (Case c : {Case{"00000-0007F", 128}, Case{"00000-00080", 256}, Case{"00100-00100", 128}}) {
        kvr = original;
        Replace("1-Start/Ende=00000-003FF", std::string("1-Start/Ende=") + c.range);
        EXPECT_EQ(BootTotal(), c.total) << c.range;
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(device.WrittenBytes(), "");
}

TEST_F(FirmwareDownloadCountTest, BootRamBlocksEndAtTheEndAddress) {
    EXPECT_EQ(BootRamTotal(), 0x2C0);  // 5 full blocks and one of 64 bytes
}

TEST_F(FirmwareDownloadCountTest, ApplicationCountsItsRangesAndTheRestart) {
    SaveDataProgress window(ui);
    info.VersionBoot = "1.20";
    FirmwareDownload noBootRam(protocol, window, info, ui, dir.Path());
    ASSERT_TRUE(noBootRam.DownloadApplication(kMeasFuncA, true, -1));
    EXPECT_EQ(window.FirmwareTotal(), 24 * 128 + 15360);
    ASSERT_TRUE(noBootRam.DownloadApplication(kMeasFuncP, true, 2));  // no restart for P
    EXPECT_EQ(window.FirmwareTotal(), 2 * 24 * 128 + 15360);
}

struct BrokenCase {
    const char* name;
    std::string from;
    std::string to;
    int message;
};

// The start of the configuration section of the test's Logger, up to its A11 keys.
const std::string kSection =
    "[408bBU 40801010101]\nA01-CPU-Applikation=408b-CPU-A\nA01-DSP-Applikation=408b-DSP-A\n";

class BrokenDownloadTest : public FirmwareDownloadCountTest,
                           public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenDownloadTest, FailsWithItsMessage) {
    const BrokenCase& c = GetParam();
    Replace(c.from, c.to);
    SaveDataProgress window(ui);
    FirmwareDownload download(protocol, window, info, ui, dir.Path());
    EXPECT_FALSE(download.DownloadBootProgram(true) &&
                 download.DownloadApplication(kMeasFuncA, true, -1));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{c.message});
}

INSTANTIATE_TEST_SUITE_P(
    Package, BrokenDownloadTest,
    ::testing::Values(
        BrokenCase{"BootRangeMissing", "1-Start/Ende=00000-003FF", "; none", 354},
        BrokenCase{"BootImageMissing", "IntelHexDatei=boot.hex", "IntelHexDatei=gone.hex", 350},
        BrokenCase{"ImageNameTooShort", "IntelHexDatei=boot.hex", "IntelHexDatei=b.h", 352},
        BrokenCase{"BootRamRangeBackwards", "1-Start/Ende=00000-0027F", "1-Start/Ende=10000-0FFFF",
                   351},
        BrokenCase{"BootRamRangeNotHex", "1-Start/Ende=00000-0027F", "1-Start/Ende=0000X-0027F",
                   352},
        BrokenCase{"CpuRangeBeyondTheImage", "1-Start/Ende=10000-107FF", "1-Start/Ende=10000-4407F",
                   351},
        BrokenCase{"CpuRangeWrongLength", "1-Start/Ende=10000-107FF", "1-Start/Ende=10000--107FF",
                   352},
        BrokenCase{"CpuKeyMissing",
                   kSection + "A11-CPU-Applikation=", kSection + "A11-CPU-Applikatio=", 352},
        BrokenCase{"DspKeyMissing", kSection + "A11-CPU-Applikation=408b-CPU-A\nA11-DSP-",
                   kSection + "A11-CPU-Applikation=408b-CPU-A\nA11-DSX-", 352}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace varelo
