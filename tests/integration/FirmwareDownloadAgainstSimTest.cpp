#include <gtest/gtest.h>

#include "ProtocolSimFixture.h"
#include "logger/FirmwareDownload.h"
#include "logger/LoggerProtocol.h"
#include "logger/SaveDataProgress.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"
#include "sim/DownloadCommands.h"
#include "sim/SimOptions.h"

namespace varelo {
namespace {

// Firmware updates from the demo packages into the simulated Logger.
class FirmwareDownloadAgainstSimTest : public ProtocolSimFixture {
protected:
    // A 408b with boot program 1.10 (so it takes the boot RAM image) and older application.
    static sim::Scenario OldFirmware() {
        sim::Scenario s;
        s.hardware.bootVersion = "1.10";
        s.software.cpuVersion = "5.02";
        s.software.dspVersion = "5.01";
        return s;
    }

    CLoggerInfo Identify(CLoggerProtocol& protocol) {
        CLoggerInfo info;
        EXPECT_EQ(protocol.Connect(info, 0), CLoggerProtocol::kConnected);
        protocol.EndConnection();
        return info;
    }

    size_t Count(char command) const {
        std::string commands = Commands();
        return size_t(std::count(commands.begin(), commands.end(), command));
    }
};

TEST_F(FirmwareDownloadAgainstSimTest, UpdateEndsWithTheNewVersionsReported) {
    StartSim(ShippedScenario("408b-firmware-update.ini"));
    CLoggerProtocol protocol(port, settings);
    CLoggerInfo before = Identify(protocol);
    ASSERT_EQ(before.VersionCPU, "5.02");
    {
        SaveDataProgress window(ui);
        FirmwareDownload download(protocol, window, before, ui);
        ASSERT_TRUE(download.DownloadBootProgram(true));
        ASSERT_TRUE(download.DownloadApplication(kMeasFuncA, true, -1));
        const long total = window.FirmwareTotal();
        // Boot 8 blocks, boot RAM 0x2C0 bytes, CPU 24 blocks, the restart's share.
        EXPECT_EQ(total, 8 * 128 + 0x2C0 + 24 * 128 + 15360);
        ASSERT_TRUE(download.DownloadBootProgram(false));
        ASSERT_TRUE(download.DownloadApplication(kMeasFuncA, false, -1));
        EXPECT_EQ(window.FirmwareDone(), total);
        EXPECT_EQ(ui.waitCursorDepth, 1);  // the window holds it
    }
    EXPECT_EQ(ui.waitCursorDepth, 0);
    ASSERT_TRUE(WaitForCommands(sim_->Log().Entries().size()));
    EXPECT_EQ(Count('B'), 1u);
    EXPECT_EQ(Count('W'), 8u + 6u + 24u);
    EXPECT_EQ(Count('C'), 1u);
    EXPECT_EQ(Count('c'), 1u);
    EXPECT_EQ(Count('R'), 1u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 0);

    CLoggerInfo after = Identify(protocol);
    EXPECT_EQ(after.VersionBoot, "1.20");
    EXPECT_EQ(after.VersionCPU, "5.03");
    EXPECT_EQ(after.VersionDSP, "5.03");
    EXPECT_EQ(after.FuncCPU, "A;CPU demo");
    test::RecordingUserInterface quiet;
    EXPECT_TRUE(SoftwareInformation(after, quiet).CheckFirmwareCompatibility(kMeasFuncA, -1, -1));
    EXPECT_TRUE(quiet.messages.empty());
}

TEST_F(FirmwareDownloadAgainstSimTest, FirstBootProgramIsNotUpdated) {
    sim::Scenario s = OldFirmware();
    s.hardware.bootVersion = " 1.00";
    StartSim(s);
    CLoggerProtocol protocol(port, settings);
    CLoggerInfo info = Identify(protocol);
    SaveDataProgress window(ui);
    FirmwareDownload download(protocol, window, info, ui);
    EXPECT_FALSE(download.DownloadBootProgram(true));
    EXPECT_FALSE(download.DownloadApplication(kMeasFuncA, true, -1));
    EXPECT_EQ(window.FirmwareTotal(), 0);
}

TEST_F(FirmwareDownloadAgainstSimTest, BootRamImageNeedsTheBootProgram) {
    StartSim(OldFirmware());
    CLoggerProtocol protocol(port, settings);
    CLoggerInfo info = Identify(protocol);
    SaveDataProgress window(ui);
    FirmwareDownload download(protocol, window, info, ui);
    EXPECT_FALSE(download.DownloadBootRamImage(false));
    ASSERT_EQ(ui.MessageIds(), std::vector<int>{376});
    EXPECT_NE(ui.messages[0].text.find("is Application.\n"), std::string::npos);
    EXPECT_EQ(Count('W'), 0u);
}

TEST_F(FirmwareDownloadAgainstSimTest, BootModeLoggerTakesTheBootRamImage) {
    sim::Scenario s = OldFirmware();
    sim::SimOptions options;
    std::vector<std::string> args{"--boot"};
    std::string error;
    ASSERT_TRUE(sim::ParseSimOptions(args, options, error)) << error;
    sim::FaultSettings faults;
    options.ApplyTo(s, faults);
    StartSim(s);
    CLoggerProtocol protocol(port, settings);
    EXPECT_EQ(protocol.Connect(0), CLoggerProtocol::kNotRunningApplication);
    CLoggerInfo info;
    info.HardwType = "408b Power Logger   1";  // what was identified before the reset
    info.HardwBasicUnit = "BU 408";
    info.VersionBoot = "1.10";
    SaveDataProgress window(ui);
    FirmwareDownload download(protocol, window, info, ui);
    ASSERT_TRUE(download.DownloadBootRamImage(false));
    EXPECT_EQ(window.FirmwareDone(), 0x2C0);
    EXPECT_EQ(sim_->CurrentScenario().firmware.bootRam.blocks, 6u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FirmwareDownloadAgainstSimTest, BlockOutsideAnOpenMemoryIsRefused) {
    StartSim(OldFirmware());
    CLoggerProtocol protocol(port, settings);
    ASSERT_EQ(protocol.Connect(0), CLoggerProtocol::kConnected);
    FirmwareImage image;
    EXPECT_FALSE(protocol.WriteMemory('C', 128, 0x10000, image));  // no "C" before it
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{738});
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 1);
    EXPECT_EQ(DataOf('W').at(0).size(), 8u + 128u);
    // A block reaching past the image is not sent at all.
    EXPECT_FALSE(protocol.WriteMemory('C', 128, FirmwareImage::kSize - 64, image));
    EXPECT_EQ(DataOf('W').size(), 1u);
}

}  // namespace
}  // namespace varelo
