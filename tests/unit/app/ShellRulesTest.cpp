#include <gtest/gtest.h>

#include "app/ColorSlots.h"
#include "app/CommandTable.h"
#include "app/FileFilter.h"
#include "app/RecentFiles.h"
#include "app/Settings.h"
#include "app/ShellRules.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

class ShellStoreTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsStore store{dir.File("Orbant/Varelo.conf")};
    Settings settings{store};
};

TEST_F(ShellStoreTest, OpenFolderFollowsTheFileUnlessPinned) {
    RememberMeasurementFolder(settings, "/data/week/a.VXM");
    EXPECT_EQ(settings.ReadString(setting::SavePathMeasurementfile), "/data/week");
    settings.Write(setting::ChangeSavePathMeasurementfile, 1);
    RememberMeasurementFolder(settings, "/other/b.VXM");
    EXPECT_EQ(settings.ReadString(setting::SavePathMeasurementfile), "/data/week");
    settings.Write(setting::ChangeSavePathMeasurementfile, 2);
    RememberMeasurementFolder(settings, "/other/b.VXM");
    EXPECT_EQ(settings.ReadString(setting::SavePathMeasurementfile), "/other");
}

TEST_F(ShellStoreTest, RecentFilesKeepNineNewestFirstAndSurviveARestart) {
    RecentFiles recent(settings);
    for (int i = 0; i < 11; ++i)
        recent.Add("/m/" + std::to_string(i) + ".VXM");
    recent.Add("/m/5.VXM");
    ASSERT_EQ(recent.Entries().size(), 9u);
    EXPECT_EQ(recent.Entries().front(), "/m/5.VXM");
    EXPECT_EQ(recent.Entries()[1], "/m/10.VXM");
    EXPECT_EQ(recent.Entries().back(), "/m/2.VXM");  // 0 and 1 dropped, 5 moved up
    recent.Remove("/m/10.VXM");
    RecentFiles again(settings);
    EXPECT_EQ(again.Entries(), recent.Entries());
    EXPECT_EQ(again.Entries().size(), 8u);
}

TEST_F(ShellStoreTest, ColoursStoreAllSeventeenSlotsAndIgnoreBadStrings) {
    EXPECT_EQ(LoadColors(settings), DefaultColors());
    settings.Write(setting::ScreenColor("Graphical Summary", 2), "1 2 3");
    settings.Write(setting::ScreenColor("Level-Time Diagram", 4), "1 2");       // too short
    settings.Write(setting::ScreenColor("Cumulativ frequency", 1), "a b c d");  // no numbers
    ColorSet colors = LoadColors(settings);
    EXPECT_EQ(colors[12], Rgb(1, 2, 3));
    EXPECT_EQ(colors[4], Rgb(0, 255, 255));
    EXPECT_EQ(colors[14], Rgb(0, 0, 255));
    // The summaries draw with their section's three: black, blue and the stored one.
    EXPECT_EQ(LoadSectionColors(settings, kGraphicalSummaryColors),
              (std::vector<unsigned>{Rgb(0, 0, 0), Rgb(0, 0, 255), Rgb(1, 2, 3)}));
    colors[0] = Rgb(10, 20, 30);
    StoreColors(settings, colors);
    EXPECT_EQ(settings.ReadString(setting::ScreenColor("Level-Time Diagram", 0)), "10 20 30");
    EXPECT_EQ(settings.ReadString(setting::ScreenColor("Cumulativ frequency", 3)), "0 255 0");
    EXPECT_EQ(LoadColors(settings), colors);
}

TEST(ColorSlotsTable, FourteenButtonsAndThreeSlotsWithout) {
    int withoutButton = 0;
    int nextButton = 1;
    for (const auto& slot : ColorSlots()) {
        if (slot.button == 0) {
            ++withoutButton;
            EXPECT_EQ(slot.index, 0) << slot.section;
        } else {
            EXPECT_EQ(slot.button, nextButton++);
        }
    }
    EXPECT_EQ(withoutButton, 3);
    EXPECT_EQ(nextButton, 15);
}

TEST(ShellRules, ShellRequestsNeedAnEnabledWindowAndAShortText) {
    EXPECT_TRUE(AcceptShellRequest("/m/a.VXM", true));
    EXPECT_FALSE(AcceptShellRequest("/m/a.VXM", false));
    EXPECT_TRUE(AcceptShellRequest(std::string(519, 'a'), true));
    EXPECT_FALSE(AcceptShellRequest(std::string(520, 'a'), true));
    EXPECT_FALSE(AcceptShellRequest("", true));
}

TEST(ShellRules, FirstWindowAfterOpening) {
    EXPECT_EQ(FirstWindowAfterOpen(false, PhaseLabels::ABC), FirstWindow::GraphicalSummary);
    EXPECT_EQ(FirstWindowAfterOpen(true, PhaseLabels::L123), FirstWindow::GraphicalSummary);
    EXPECT_EQ(FirstWindowAfterOpen(true, PhaseLabels::ABC), FirstWindow::LevelTimeDiagram);
}

TEST(ShellRules, AboutVersionLine) {
    EXPECT_EQ(AboutVersionLine("1.2.3"), "Version: 1.2.3 Unicode (rev 3206)");
}

TEST(CommandTable, ToolBarHasTheButtonsAndGapsInOrder) {
    const std::vector<int> expected = {33037, 57601, 33117, 57608, 0,     33134, 33125,
                                       33132, 0,     33135, 0,     33027, 33028, 33022,
                                       33018, 33025, 33026, 33029, 0,     33069, 57664};
    const auto bar = MainToolBar();
    EXPECT_EQ(std::vector<int>(bar.begin(), bar.end()), expected);
}

TEST(CommandTable, MenusOfTheWindowKinds) {
    const auto main = MenuBarOf(174);
    ASSERT_EQ(main.size(), 4u);
    EXPECT_EQ(Txt(main[1].title), "&Logger");
    EXPECT_EQ(main[1].items.front(), cmd::kReadResults);
    // The current cumulative frequency shares the voltage view's menu, popups and all.
    EXPECT_EQ(MenuBarOf(183).size(), MenuBarOf(182).size());
    const auto doc = MenuBarOf(186);
    std::vector<std::string> titles;
    for (const auto& popup : doc)
        titles.push_back(popup.title.name.empty() ? "*" : Txt(popup.title));
    const std::vector<std::string> expected = {"&File",     "&Logger", "&Analysis", "*",
                                               "S&ettings", "&Window", "&?"};
    EXPECT_EQ(titles, expected);
    // The online diagram offers no Logger set-up.
    const auto onlineBar = MenuBarOf(180);
    const auto& online = onlineBar[1].items;
    EXPECT_EQ(std::count(online.begin(), online.end(), cmd::kSetUpA), 0);
    EXPECT_EQ(std::count(online.begin(), online.end(), cmd::kStopMeasurement), 1);
}

TEST(CommandTable, TipTextDropsMarksAndDots) {
    EXPECT_EQ(CommandTipText(57601), "Open a data file");
    EXPECT_EQ(CommandTipText(33027), "Graphical summary");
}

TEST(CommandTable, Enabling) {
    const CommandState none;
    CommandState open;
    open.documentOpen = true;
    CommandState viewing = open;
    viewing.resultViewActive = viewing.childWindowActive = true;
    struct Case {
        int command;
        const CommandState& state;
        bool docEnabled;
        bool viewBuilt;
        bool expected;
    } cases[] = {
        {cmd::kOpen, none, false, false, true},
        {cmd::kReadResults, none, false, false, true},
        {33078, none, false, false, true},  // a language
        {cmd::kSetUpA, none, false, false, true},
        {cmd::kSetUpP, open, false, false, true},
        {cmd::kLoggerInfo, none, false, false, true},
        {cmd::kReset, none, false, false, true},
        {cmd::kStopMeasurement, none, false, false, true},
        {cmd::kGraphicalSummary, none, true, true, false},
        {cmd::kGraphicalSummary, open, true, true, true},
        {cmd::kGraphicalSummary, open, false, true, false},
        {cmd::kGraphicalSummary, open, true, false, false},
        {cmd::kReopen, none, false, false, false},
        {cmd::kReopen, open, false, false, true},
        {cmd::kPrint, open, false, false, false},
        {cmd::kPrint, viewing, false, false, true},
        {cmd::kWindowCascade, viewing, false, false, true},
        {cmd::kExportIntervals, open, true, false, true},
        {cmd::kSpanishReport, open, false, false, false},  // the document's rule says no
        {cmd::kExportEvents, none, true, false, false},
        {33165, open, true, false, true},
        {33165, open, false, false, false},  // an online document
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsShellCommandEnabled(c.command, c.state, c.docEnabled, c.viewBuilt), c.expected)
            << c.command;
    }
}

TEST(FileFilter, TheMeasurementFilterBecomesFourDialogEntries) {
    const auto entries = ParseFileFilter(
        "All measurement files (*.VXM;*.40A)|*.VXM;*.40A|Varelo measurement files "
        "(*.VXM)|*.VXM|Vamor measurement files (*.40A)|*.40A|All files (*.*)|*.*||");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].patterns, (std::vector<std::string>{"*.VXM", "*.40A"}));
    EXPECT_EQ(DialogFilterText(entries[0]), "All measurement files (*.VXM *.40A)");
    EXPECT_EQ(DialogFilterText(entries[3]), "All files (*.*)");
    // A text without its own bracket keeps all of it; a missing pattern ends the list.
    const auto short_ = ParseFileFilter("Limits|*.GWD|Broken||More|*.x||");
    ASSERT_EQ(short_.size(), 1u);
    EXPECT_EQ(DialogFilterText(short_[0]), "Limits (*.GWD)");
    EXPECT_TRUE(ParseFileFilter("").empty());
}

}  // namespace
}  // namespace varelo
