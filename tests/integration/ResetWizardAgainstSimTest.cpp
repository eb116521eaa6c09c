#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "logger/FirmwareImage.h"
#include "logger/LoggerLink.h"
#include "logger/ResetWizard.h"
#include "logger/SoftwareInformation.h"
#include "platform/PosixSerialDevice.h"
#include "sim/LoggerSim.h"
#include "support/RecordingUserInterface.h"
#include "support/SimulatedClock.h"
#include "support/TempDir.h"
#include "support/TimeScaledDevice.h"

namespace varelo {
namespace {

using sim::Power;

// What the dialog would show: the steps entered and the steps marked "Done".
class RecordingObserver : public ResetWizardObserver {
public:
    void StepEntered(ResetStep step) override { entered.push_back(step); }
    void BarRange(ResetStep, long range) override { lastRange = range; }
    void BarPosition(ResetStep, long position) override {
        EXPECT_LE(position, lastRange);
        EXPECT_GE(position, 0);
    }
    void StepDone(ResetStep step) override { done.push_back(step); }

    std::vector<ResetStep> entered;
    std::vector<ResetStep> done;
    long lastRange = 0;
};

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// One Intel-Hex record line; the checksum is never examined, so it stays 00.
std::string Record(int type, unsigned address, const std::vector<uint8_t>& data) {
    char head[16];
    std::snprintf(head, sizeof head, ":%02X%04X%02X", unsigned(data.size()), address & 0xFFFF,
                  unsigned(type));
    std::string line = head;
    for (uint8_t b : data) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", b);
        line += digits;
    }
    return line + "00\n";
}

// Data records of count bytes of the value from address on, 16 a line.
std::string DataRecords(unsigned address, size_t count, uint8_t value = 0x5A) {
    std::string text;
    for (size_t at = 0; at < count; at += 16)
        text += Record(0, unsigned(address + at),
                       std::vector<uint8_t>(std::min<size_t>(16, count - at), value));
    return text;
}

// The reset package of the 408b, as shipped, with parts replaced by a case.
struct Package {
    std::string hexLoader;
    std::string monitor;
    std::string cpuFile;
    std::string maxAddress = "30000";
    bool withCpuFileKey = true;
};

Package ShippedPackage() {
    const std::string folder = FirmwareFolder() + "/408b/";
    return {ReadText(folder + "hexload.hex"), ReadText(folder + "monitor.hex"),
            ReadText(folder + "firstaid-cpu.hex")};
}

// The wizard on a real pseudo-terminal against logger-sim. Pauses run in simulated time, with
// a little real time each, so that the simulated Logger answers between bytes.
class ResetWizardAgainstSimTest : public ::testing::Test {
protected:
    void StartSim(sim::Scenario scenario) {
        sim_ = std::make_unique<sim::LoggerSim>(scenario);
        std::string error;
        ASSERT_TRUE(sim_->Start(error)) << error;
    }
    // Writes the package into the test's own firmware folder.
    void WritePackage(const Package& p) {
        std::filesystem::create_directories(dir.File("firmware/408b"));
        dir.Write("firmware/408b/hexload.hex", p.hexLoader);
        dir.Write("firmware/408b/monitor.hex", p.monitor);
        dir.Write("firmware/408b/cpu.hex", p.cpuFile);
        dir.Write("firmware/408b/408b.kvr",
                  "[FirstAid]\nHexLoader=hexload.hex\nMonitor=monitor.hex\n" +
                      std::string(p.withCpuFileKey ? "CpuFile=cpu.hex\n" : "") +
                      "MaxAddress=" + p.maxAddress + "\n");
    }
    std::unique_ptr<CResetWizard> MakeWizard() {
        return std::make_unique<CResetWizard>(port, settings, observer, dir.File("firmware"));
    }
    // Opening, step 1 and step 3 with the 408b.
    void RunToEnd(CResetWizard& wizard) {
        wizard.Open();
        ASSERT_EQ(wizard.Step(), ResetStep::SwitchOff);
        wizard.ConfirmSwitchedOff();
        ASSERT_EQ(wizard.Step(), ResetStep::BootMode);
        wizard.ConfirmBootMode("Logger 408b");
    }
    std::vector<int> Messages() const {
        std::vector<int> ids;
        for (const auto& m : ui.messages)
            ids.push_back(m.id);
        return ids;
    }

    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::SimulatedClock clock{1000000, 20};
    PosixSerialDevice pty;
    test::TimeScaledDevice device{pty, 1};
    test::RecordingUserInterface ui;
    CSerialPort serial{device, clock, [this](const std::string&) { return sim_->SlavePath(); }};
    CLoggerLink port{serial, ui};
    RecordingObserver observer;
    std::unique_ptr<sim::LoggerSim> sim_;
};

sim::Scenario Bootstrap(uint8_t ident = 0xD5) {
    sim::Scenario s;
    s.power = Power::Bootstrap;
    s.bootstrap.ident = ident;
    return s;
}

// The whole reset: the CPU flash holds the program below the end address except the window
// 0xF000-0xFFFF, a "MaxAddress" below 0x17FFF stands for 0x30000, and the Logger runs again.
TEST_F(ResetWizardAgainstSimTest, ResetLoadsTheCpuProgramAndReachesStep5) {
    struct Case {
        const char* maxAddress;
        uint32_t end;
    };
    for (const Case c : {Case{"8000", 0x30000}, Case{"20000", 0x20000}}) {
        SCOPED_TRACE(c.maxAddress);
        Package package = ShippedPackage();
        package.maxAddress = c.maxAddress;
        WritePackage(package);
        StartSim(Bootstrap());
        settings.Write(setting::ComPort, 12);
        observer = {};
        auto wizard = MakeWizard();
        EXPECT_EQ(wizard->PortName(), "COM1");
        EXPECT_EQ(settings.ReadInt(setting::ComPort), 1);
        RunToEnd(*wizard);
        EXPECT_EQ(wizard->Step(), ResetStep::Ready);
        EXPECT_FALSE(wizard->Ended());
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(settings.ReadString(setting::LastUsedBoxType), "Logger 408b");
        EXPECT_EQ(observer.done,
                  (std::vector<ResetStep>{ResetStep::BootPort, ResetStep::Activate,
                                          ResetStep::HexLoader, ResetStep::Monitor,
                                          ResetStep::CpuProgram, ResetStep::Restart}));

        const sim::Scenario after = sim_->CurrentScenario();
        const sim::BootstrapState& b = after.bootstrap;
        EXPECT_EQ(std::vector<uint8_t>(b.loader),
                  std::vector<uint8_t>(CResetWizard::kPrimaryLoader.begin(),
                                       CResetWizard::kPrimaryLoader.end()));
        // Expected images from the firmware reader, independent of the wizard's own.
        FirmwareImage loader, cpu;
        ASSERT_TRUE(ReadHexImage(dir.File("firmware/408b/hexload.hex"), loader, ui));
        ASSERT_TRUE(ReadHexImage(dir.File("firmware/408b/cpu.hex"), cpu, ui));
        EXPECT_EQ(b.hexLoader,
                  std::vector<uint8_t>(loader.bytes.begin(), loader.bytes.begin() + 512));
        ASSERT_FALSE(b.cpuFlash.bytes.empty());
        size_t differences = 0;
        for (uint32_t a = 0; a < c.end; ++a) {
            const uint8_t expected = (a >= 0xF000 && a < 0x10000) ? 0 : cpu.bytes[a];
            differences += b.cpuFlash.bytes[a] != expected;
        }
        EXPECT_EQ(differences, 0u);
        for (uint32_t a = c.end; a < FirmwareImage::kSize; ++a)
            ASSERT_EQ(b.cpuFlash.bytes[a], 0) << a;
        // 0 .. 0xEF80, then 0x10000 up to the end, 128 bytes a block.
        std::vector<uint32_t> blocks;
        for (uint32_t a = 0; a < c.end; a += 128)
            if (a < 0xF000 || a >= 0x10000) blocks.push_back(a);
        EXPECT_EQ(b.blockAddresses, blocks);
        // The restarted application reports the program's versions.
        EXPECT_EQ(after.power, Power::On);
        EXPECT_EQ(after.software.cpuVersion, "5.03");
        wizard.reset();
        sim_->Stop();
    }
}

// Failures in step 4: the number shown, the step the wizard is left in, and what the Logger
// received before the failure; nothing of a file the wizard refuses goes out.
TEST_F(ResetWizardAgainstSimTest, Step4FailuresShowTheirNumber) {
    struct Case {
        const char* name;
        void (*change)(Package&, sim::Scenario&);
        int error;
        bool backToStep3;
        size_t blocks;  // CPU blocks the Logger received
    };
    const Case cases[] = {
        {"extended-family Logger answers 0xC5",
         [](Package&, sim::Scenario& s) { s.bootstrap.ident = 0xC5; }, 1493, true, 0},
        {"Logger switched off", [](Package&, sim::Scenario& s) { s.power = Power::Off; }, 815, true,
         0},
        {"hex loader of 513 bytes",
         [](Package& p, sim::Scenario&) { p.hexLoader = DataRecords(0, 513); }, 817, false, 0},
        {"hex loader line shorter than its count",
         [](Package& p, sim::Scenario&) { p.hexLoader = DataRecords(0, 32) + ":10002000000102\n"; },
         817, false, 0},
        {"monitor line shorter than its count",
         [](Package& p, sim::Scenario&) { p.monitor = ":10000000000102030405\n"; }, 821, false, 0},
        {"CPU record beyond the image",
         [](Package& p, sim::Scenario&) {
             p.cpuFile = DataRecords(0, 64) + Record(4, 0, {0x00, 0x04}) + DataRecords(0x3FF8, 16);
         },
         821, false, 0},
        {"MaxAddress beyond the image", [](Package& p, sim::Scenario&) { p.maxAddress = "44080"; },
         821, false, 0},
        {"no CpuFile key", [](Package& p, sim::Scenario&) { p.withCpuFileKey = false; }, 821, false,
         0},
        {"CPU block refused", [](Package&, sim::Scenario& s) { s.bootstrap.blockAnswer = 'f'; },
         822, false, 1},
        {"CPU block unanswered",
         [](Package&, sim::Scenario& s) { s.bootstrap.blockAnswer.reset(); }, 819, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Package package = ShippedPackage();
        sim::Scenario scenario = Bootstrap();
        c.change(package, scenario);
        WritePackage(package);
        StartSim(scenario);
        ui.messages.clear();
        auto wizard = MakeWizard();
        RunToEnd(*wizard);
        EXPECT_EQ(Messages(), std::vector<int>{c.error});
        EXPECT_EQ(wizard->LastError(), c.error);
        if (c.backToStep3) {
            EXPECT_EQ(wizard->Step(), ResetStep::BootMode);
            EXPECT_FALSE(wizard->Ended());
            EXPECT_TRUE(serial.IsOpen());
        } else {
            EXPECT_TRUE(wizard->Ended());
            EXPECT_FALSE(serial.IsOpen());
        }
        const sim::BootstrapState b = sim_->CurrentScenario().bootstrap;
        EXPECT_EQ(b.blockAddresses.size(), c.blocks);
        if (c.error == 817) {
            EXPECT_TRUE(b.hexLoader.empty());  // nothing of a refused hex loader went out
        }
        wizard.reset();
        sim_->Stop();
    }
}

// The monitor's sum counts modulo 256: data 0x80 and 0x90 give 0x10, which the wizard
// expects, so the download goes on past the monitor.
TEST_F(ResetWizardAgainstSimTest, MonitorSumWrapsAt256) {
    Package package = ShippedPackage();
    package.monitor =
        Record(4, 0, {0x00, 0x01}) + Record(0, 0x0100, {0x80, 0x90}) + ":00000001FF\n";
    WritePackage(package);
    StartSim(Bootstrap());
    auto wizard = MakeWizard();
    RunToEnd(*wizard);
    EXPECT_EQ(wizard->Step(), ResetStep::Ready);
    const sim::BootstrapState b = sim_->CurrentScenario().bootstrap;
    EXPECT_EQ(b.monitorSum, 0x10);
    ASSERT_FALSE(b.monitor.bytes.empty());
    EXPECT_EQ(b.monitor.bytes[0x10100], 0x80);
    EXPECT_EQ(b.monitor.bytes[0x10101], 0x90);
}

// A Logger that still runs its application answers ESC in step 1: 816, and step 1 again. At
// opening it was identified, and its type is preselected.
TEST_F(ResetWizardAgainstSimTest, LoggerStillOnStaysInStep1) {
    WritePackage(ShippedPackage());
    sim::Scenario scenario;
    scenario.hardware.type = "404b Power Logger   1";
    StartSim(scenario);
    auto wizard = MakeWizard();
    wizard->Open();
    EXPECT_EQ(wizard->IdentifiedDesignation(), "Logger 404b");
    ASSERT_EQ(wizard->Designations().size(), 2u);
    EXPECT_EQ(wizard->Designations()[size_t(wizard->SelectedIndex())], "Logger 404b");
    wizard->ConfirmSwitchedOff();
    EXPECT_EQ(Messages(), std::vector<int>{816});
    EXPECT_EQ(wizard->Step(), ResetStep::SwitchOff);
    EXPECT_FALSE(wizard->Ended());
    EXPECT_FALSE(serial.IsOpen());

    // Switched into its bootstrap mode, the same Logger passes step 1.
    sim_->SetPower(Power::Bootstrap);
    wizard->ConfirmSwitchedOff();
    EXPECT_EQ(wizard->Step(), ResetStep::BootMode);
}

// A silent Logger is not identified; the type used last is preselected.
TEST_F(ResetWizardAgainstSimTest, UnidentifiedLoggerPreselectsTheTypeUsedLast) {
    StartSim(Bootstrap());
    settings.Write(setting::LastUsedBoxType, "Logger 408b");
    auto wizard = MakeWizard();
    wizard->Open();
    EXPECT_EQ(wizard->IdentifiedDesignation(), "");
    EXPECT_EQ(wizard->Designations()[size_t(wizard->SelectedIndex())], "Logger 408b");
    EXPECT_TRUE(sim_->CurrentScenario().bootstrap.loader.empty());
}

}  // namespace
}  // namespace varelo
