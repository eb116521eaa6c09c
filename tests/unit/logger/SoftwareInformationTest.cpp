#include "logger/SoftwareInformation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "measurement/MeasurementJob.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

namespace fs = std::filesystem;

CLoggerInfo DemoLogger(const std::string& type = "408b") {
    CLoggerInfo info;
    info.HardwType = type + " Power Logger   1";
    info.HardwBasicUnit = "BU " + type.substr(0, 3);
    info.HardwSupplyVoltage = 1;
    info.HardwNomFreq = 1;
    info.HardwVoltRange = 1;
    info.HardwCurrRange = 1;
    info.VersionBoot = "1.20";
    info.Calibration = "2024-01-15";
    info.VersionCPU = "5.03";
    info.FuncCPU = "A;CPU";
    info.VersionDSP = "5.03";
    info.FuncDSP = "A;DSP";
    return info;
}

TEST(SoftwareInformationNames, SectionsAndKeysFollowTheHardwareCodes) {
    test::RecordingUserInterface ui;
    CLoggerInfo info = DemoLogger();
    SoftwareInformation file(info, ui, "/firmware");
    EXPECT_EQ(file.Path(), "/firmware/408b/408b.kvr");
    EXPECT_EQ(file.DeviceSection(), "408bBU 408*");
    EXPECT_EQ(file.ConfigurationSection(), "408bBU 40801010101");
    info.HardwSupplyVoltage = 2;
    info.HardwNomFreq = 0;
    info.HardwVoltRange = 5;
    info.HardwCurrRange = 0;
    EXPECT_EQ(SoftwareInformation(info, ui, "/f").ConfigurationSection(), "408bBU 4080200");
    info.HardwSupplyVoltage = 7;  // codes beyond 2 leave no trace in the name
    EXPECT_EQ(SoftwareInformation(info, ui, "/f").ConfigurationSection(), "408bBU 40800");
    // Keys put the frequency code before the supply code.
    EXPECT_EQ(SoftwareInformation::ApplicationKey(kMeasFuncA, 2, 0, "CPU"), "A20-CPU-Applikation");
    EXPECT_EQ(SoftwareInformation::ApplicationKey(kMeasFuncP, 1, 2, "DSP"), "P12-DSP-Applikation");
}

TEST(SoftwareInformationNames, FrequencyCodeFromFunctionTextsWhenHardwareSaysZero) {
    struct Case {
        int16_t nomFreq;
        const char* cpu;
        const char* dsp;
        int code;
    };
    const Case cases[] = {{2, "A;1", "A;1", 2}, {0, "A;1", "A;1", 1},  {0, "A;0", "A;2", 2},
                          {0, "A;2", "A", 2},   {0, "A;1", "A;2", -1}, {0, "A;CPU", "A;DSP", 0}};
    test::RecordingUserInterface ui;
    for (const Case& c : cases) {
        CLoggerInfo info = DemoLogger();
        info.HardwNomFreq = c.nomFreq;
        info.FuncCPU = c.cpu;
        info.FuncDSP = c.dsp;
        EXPECT_EQ(SoftwareInformation(info, ui, "/f").LoggerFrequencyCode(), c.code)
            << c.cpu << " " << c.dsp;
    }
}

TEST(SoftwareInformationDemo, EveryDeviceTypeHasItsPackage) {
    for (const DeviceTypeRow& row : DeviceTypes()) {
        test::RecordingUserInterface ui;
        SoftwareInformation file(DemoLogger(row.typeCode), ui);
        EXPECT_TRUE(file.Check()) << row.typeCode;
        EXPECT_EQ(file.BootProgramVersion(), " 1.20") << row.typeCode;
        for (uint32_t function : {kMeasFuncA, kMeasFuncP}) {
            EXPECT_EQ(file.CpuApplicationVersion(function, -1, -1), " 5.03") << row.typeCode;
            EXPECT_EQ(file.DspApplicationVersion(function, 0, 1), " 5.03") << row.typeCode;
        }
        EXPECT_TRUE(file.SupportsMeasurementFunction(kMeasFuncA, -1, -1)) << row.typeCode;
        EXPECT_TRUE(ui.messages.empty()) << row.typeCode;
    }
}

// A copy of the 408b demo package whose software information file a test may break.
class BrokenPackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(FirmwareFolder() + "/408b", dir.File("408b"));
        std::ifstream in(KvrPath());
        std::stringstream text;
        text << in.rdbuf();
        kvr = text.str();
    }
    std::string KvrPath() const { return dir.File("408b/408b.kvr"); }
    void Replace(const std::string& from, const std::string& to) {
        size_t at = kvr.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        kvr.replace(at, from.size(), to);
        std::ofstream(KvrPath(), std::ios::trunc) << kvr;
    }
    SoftwareInformation File() { return SoftwareInformation(info, ui, dir.Path()); }
    // The section and key named by the only message, which must be 352.
    std::string Named352() const {
        EXPECT_EQ(ui.MessageIds(), std::vector<int>{352});
        if (ui.messages.empty()) return {};
        const std::string& t = ui.messages[0].text;
        return t.substr(t.find("Section: "));
    }

    test::TempDir dir;
    test::RecordingUserInterface ui;
    CLoggerInfo info = DemoLogger();
    std::string kvr;
};

TEST_F(BrokenPackageTest, HeaderMustSayOneForSyntaxAndVersion) {
    Replace("Syntax=1", "Syntax=2");
    EXPECT_FALSE(File().Check());
    EXPECT_EQ(Named352(), "Section: 'KELVARO 800 Software'\nKey: 'Syntax'");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
}

TEST_F(BrokenPackageTest, HeaderVersionIsCheckedToo) {
    Replace("\nVersion=1\n", "\nVersion=0\n");
    EXPECT_EQ(File().BootProgramVersion(), "");
    EXPECT_EQ(Named352(), "Section: 'KELVARO 800 Software'\nKey: 'Version'");
}

TEST_F(BrokenPackageTest, MissingFileFailsTheCheck) {
    fs::remove(KvrPath());
    EXPECT_FALSE(File().Check());
    EXPECT_EQ(Named352(), "Section: 'KELVARO 800 Software'\nKey: 'Syntax'");
}

TEST_F(BrokenPackageTest, MissingConfigurationSectionNamesItsKey) {
    Replace("[408bBU 40801010101]", "[408bBU 40801010101-gone]");
    EXPECT_EQ(File().CpuApplicationVersion(kMeasFuncA, -1, -1), "");
    EXPECT_EQ(Named352(), "Section: '408bBU 40801010101'\nKey: 'A11-CPU-Applikation'");
}

TEST_F(BrokenPackageTest, ShortBootSectionNameIsRejected) {
    Replace("CPU-BootRom=408b-Boot", "CPU-BootRom=Bt");
    EXPECT_EQ(File().BootProgramVersion(), "");
    EXPECT_EQ(Named352(), "Section: '408bBU 408*'\nKey: 'CPU-BootRom'");
}

TEST_F(BrokenPackageTest, VersionMustHaveFiveCharacters) {
    Replace("[408b-DSP-A]\nVersion=\" 5.03\"", "[408b-DSP-A]\nVersion=5.03");
    EXPECT_EQ(File().DspApplicationVersion(kMeasFuncA, -1, -1), "");
    EXPECT_EQ(Named352(), "Section: '408b-DSP-A'\nKey: 'Version'");
}

TEST_F(BrokenPackageTest, CalibrationEntriesAreSearchedUntilAMalformedOne) {
    const std::string section = "[Eichung-202;0;0]\n1=A00-Eichung\n2=P00-Eichung";
    Replace(section, "[Eichung-202;0;0]\n1=P00-Eichung\n2=A00-Eichung");
    EXPECT_TRUE(File().SupportsMeasurementFunction(kMeasFuncA, -1, -1));
    Replace("1=P00-Eichung\n2=A00-Eichung", "1=A0-Eichung\n2=A00-Eichung");
    EXPECT_FALSE(File().SupportsMeasurementFunction(kMeasFuncA, -1, -1));
    info.Calibration = "1999-01-01";  // no section for this calibration
    EXPECT_FALSE(File().SupportsMeasurementFunction(kMeasFuncP, 0, 0));
    EXPECT_TRUE(ui.messages.empty());
}

// The Logger's versions against the demo package's (boot 1.20, CPU and DSP 5.03).
struct CompatibilityCase {
    const char* name;
    const char* boot;
    const char* cpu;
    const char* dsp;
    const char* function;
    bool compatible;
    const char* named;  // the software the message names; none: no message
};

class CompatibilityTest : public ::testing::TestWithParam<CompatibilityCase> {};

TEST_P(CompatibilityTest, ComparesVersionsAsNumbers) {
    const CompatibilityCase& c = GetParam();
    CLoggerInfo info = DemoLogger();
    info.VersionBoot = c.boot;
    info.VersionCPU = c.cpu;
    info.VersionDSP = c.dsp;
    info.FuncCPU = info.FuncDSP = c.function;
    test::RecordingUserInterface ui;
    EXPECT_EQ(SoftwareInformation(info, ui).CheckFirmwareCompatibility(kMeasFuncP, -1, -1),
              c.compatible);
    if (!*c.named) {
        EXPECT_TRUE(ui.messages.empty());
        return;
    }
    ASSERT_EQ(ui.MessageIds(), std::vector<int>{778});
    const std::string& text = ui.messages[0].text;
    EXPECT_TRUE(text.starts_with(std::string("Logger ") + c.named + ": ")) << text;
    EXPECT_NE(text.find("\nCD-ROM Version:  5.03\n\nCD-ROM software version"), std::string::npos)
        << text;
}

INSTANTIATE_TEST_SUITE_P(
    Versions, CompatibilityTest,
    ::testing::Values(
        CompatibilityCase{"Equal", " 1.20", " 5.03", "5.030", "A;1", true, ""},
        CompatibilityCase{"CpuDiffers", "1.20", "5.02", "5.03", "A;1", false, "CPU Software"},
        CompatibilityCase{"OnlyDspDiffers", "1.10", "5.03", "5.04", "A;1", false, "DSP Software"},
        CompatibilityCase{"FileBootOlder", "1.30", "5.02", "5.02", "A;1", false, ""},
        CompatibilityCase{"LoggerRunsOtherFunction", "1.20", "4.00", "4.00", "P;1", true, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace varelo
