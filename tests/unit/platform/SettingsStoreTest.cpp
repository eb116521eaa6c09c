#include <gtest/gtest.h>

#include "platform/IniFile.h"
#include "platform/SettingsStore.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

TEST(SettingsStore, ValuesSurviveAndKeepTheirTypes) {
    test::TempDir dir;
    std::string path = dir.File("Orbant/Varelo.conf");
    {
        SettingsStore store(path);
        EXPECT_EQ(store.GetInt("Settings\\50 Hz\\Main", "LeftBorder", -1), -1);
        ASSERT_TRUE(store.WriteInt("Settings\\50 Hz\\Main", "LeftBorder", 12));
        ASSERT_TRUE(store.WriteString("Settings\\50 Hz\\Main", "PrintHeader", " Line 1\nA=B \\ \""));
        ASSERT_TRUE(store.WriteString("Settings\\50 Hz\\Communication", "BaudRate", "9600"));
    }
    SettingsStore store(path);
    EXPECT_EQ(store.GetInt("settings\\50 hz\\main", "leftborder", 0), 12);  // any case
    EXPECT_EQ(store.GetString("Settings\\50 Hz\\Main", "PrintHeader", ""), " Line 1\nA=B \\ \"");
    // An integer read of a string value gives the default, as the registry does.
    EXPECT_EQ(store.GetInt("Settings\\50 Hz\\Communication", "BaudRate", -5), -5);
}

TEST(SettingsStore, AnotherWritersValueIsSeenByTheNextRead) {
    test::TempDir dir;
    SettingsStore a(dir.File("Varelo.conf")), b(dir.File("Varelo.conf"));
    EXPECT_EQ(b.GetInt("Main", "X", 0), 0);
    a.WriteInt("Main", "X", 5);
    EXPECT_EQ(b.GetInt("Main", "X", 0), 5);
    b.WriteInt("Main", "Y", 6);
    EXPECT_EQ(a.GetInt("Main", "X", 0), 5);
    EXPECT_EQ(a.GetInt("Main", "Y", 0), 6);
}

TEST(IniFile, ProfileSemantics) {
    IniFile ini = IniFile::Parse(
        "; comment\n[Device 408b]\n  Path = \"firmware dir\" \nCount=12abc\nCount=99\n"
        "Neg=-3\nEmpty=\n[other]\nx=1\n");
    EXPECT_EQ(ini.GetString("device 408B", "path", "d"), "firmware dir");
    EXPECT_EQ(ini.GetString("Device 408b", "Path", "d", 4), "firm");
    EXPECT_EQ(ini.GetString("Device 408b", "Missing", "d"), "d");
    EXPECT_EQ(ini.GetString("Device 408b", "Empty", "d"), "");
    EXPECT_EQ(ini.GetInt("Device 408b", "Count", 7), 12);  // leading digits; first key wins
    EXPECT_EQ(ini.GetInt("Device 408b", "Neg", 7), -3);
    EXPECT_EQ(ini.GetInt("Device 408b", "Path", 7), 0);
    EXPECT_EQ(ini.GetInt("Device 408b", "Missing", 7), 7);
    EXPECT_FALSE(ini.HasSection("Device"));
}

}  // namespace
}  // namespace varelo
