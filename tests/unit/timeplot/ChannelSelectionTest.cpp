#include <gtest/gtest.h>

#include <algorithm>

#include "app/Settings.h"
#include "measurement/MeasurementJob.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"
#include "timeplot/ChannelSelection.h"

namespace varelo {
namespace {

using Channels = std::vector<int>;

// A three-phase function A measurement with a neutral current and two interharmonic channels.
class ChannelSelectionTest : public ::testing::Test {
protected:
    ChannelSelectionTest() {
        job.MeasFunc = kMeasFuncA;
        job.NrInterHarm = 2;
        job.HarmOrder = {350, 1100, 0, 0, 0};
        setup.availability.measFunc = kMeasFuncA;
        setup.availability.neutral = true;
        setup.availability.phases = {true, true, true};
        setup.availability.threePhase = true;
        setup.functionLetter = 'A';
    }
    ChannelSelection Open() { return ChannelSelection(setup, settings); }
    static void AddQuantity(ChannelSelection& s, int quantity) {
        const auto& offered = s.Offered();
        const auto at = std::find(offered.begin(), offered.end(), quantity);
        ASSERT_NE(at, offered.end()) << quantity;
        s.SelectOffered(int(at - offered.begin()));
        s.Add();
    }
    int Stored(const char* section, const std::string& key) {
        return store.GetInt(settings.SettingsSection(section), key, -100);
    }

    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    CMeasurementJob job;
    ChannelSelectionSetup setup{job};
    test::RecordingUserInterface ui;
};

TEST_F(ChannelSelectionTest, OffersTheAvailableQuantitiesInListOrderAndOneEntryPerHarmonic) {
    ChannelSelection selection = Open();
    const Channels& offered = selection.Offered();
    // 91 and 90 are never offered; 95 needs the extended Logger family.
    EXPECT_EQ(Channels(offered.begin(), offered.begin() + 5), (Channels{11, 13, 12, 20, 102}));
    EXPECT_EQ(selection.OfferedName(0), "V average");
    auto count = [&](int first, int last) {
        return std::count_if(offered.begin(), offered.end(),
                             [&](int q) { return q >= first && q <= last; });
    };
    EXPECT_EQ(count(301, 350), 50);
    EXPECT_EQ(count(121, 170), 50);
    EXPECT_EQ(count(401, 405), 2);  // as many as the job has channels
    EXPECT_EQ(count(201, 205), 2);
    EXPECT_EQ(offered.back(), 202);
    EXPECT_EQ(selection.OfferedName(int(offered.size()) - 4), "V 175.0 Hz");

    // Function P: no harmonics; a single-phase system: no totals and no "V delta rms".
    setup.availability.measFunc = kMeasFuncP;
    setup.availability.singlePhase = true;
    setup.availability.phases = {true, false, false};
    setup.availability.neutral = false;
    const Channels p = Open().Offered();
    for (int q : {301, 121, 401, 201, 64, 70, 102, 111})
        EXPECT_EQ(std::count(p.begin(), p.end(), q), 0) << q;
    EXPECT_EQ(std::count(p.begin(), p.end(), 11), 1);
}

TEST_F(ChannelSelectionTest, AddingTakesTheSwitchedPhasesOrL1ToL3WhenNoneIsOn) {
    store.WriteInt(settings.SettingsSection("Level-Time Diagram"), "ChanelSelection2", 0);
    store.WriteInt(settings.SettingsSection("Level-Time Diagram"), "ChanelSelectionN", 0);
    ChannelSelection selection = Open();
    EXPECT_TRUE(selection.PhaseOn(0) && !selection.PhaseOn(1) && selection.PhaseOn(2));
    EXPECT_FALSE(selection.PhaseOn(3));
    AddQuantity(selection, 11);
    EXPECT_EQ(selection.Chosen(), (Channels{1011, 3011}));
    EXPECT_EQ(selection.ChosenName(1), "V average L3");

    for (int p = 0; p < 4; ++p)
        selection.SetPhaseOn(p, false);
    AddQuantity(selection, 12);
    EXPECT_EQ(selection.Chosen(), (Channels{1011, 3011, 1012, 2012, 3012}));

    // N adds the neutral counterpart: the single neutral quantity, or conductor N of a current
    // harmonic. A single quantity goes in by its bare identifier, whatever the switches.
    selection.RemoveAll();
    selection.SetPhaseOn(1, true);
    selection.SetPhaseOn(3, true);
    AddQuantity(selection, 31);
    AddQuantity(selection, 125);
    AddQuantity(selection, 2);
    EXPECT_EQ(selection.Chosen(), (Channels{2031, 41, 2125, 4125, 2}));
    EXPECT_EQ(selection.ChosenName(1), "I average N");
    // Nothing more to add for 2: ">" is disabled.
    EXPECT_FALSE(selection.CanAdd());
}

TEST_F(ChannelSelectionTest, NineChannelsFillTheTimeplotAndReplaceKeepsTheCount) {
    ChannelSelection selection = Open();
    for (int p = 0; p < 4; ++p)
        selection.SetPhaseOn(p, false);
    AddQuantity(selection, 11);
    AddQuantity(selection, 12);
    AddQuantity(selection, 13);
    ASSERT_EQ(selection.Chosen().size(), 9u);
    AddQuantity(selection, 31);  // a tenth channel is impossible
    EXPECT_FALSE(selection.CanAdd());
    EXPECT_EQ(selection.Chosen().size(), 9u);
    EXPECT_EQ(selection.CountText(), "9 channels selected (maximum 9)");

    // Replace with the third channel selected: it is replaced in place, nothing is appended.
    EXPECT_FALSE(selection.CanReplace());
    selection.SelectChosen(2);
    ASSERT_TRUE(selection.CanReplace());
    selection.SetReplace(true);
    EXPECT_TRUE(selection.CanAdd());
    selection.Add();
    EXPECT_EQ(selection.Chosen().size(), 9u);
    EXPECT_EQ(selection.Chosen()[2], 1031);
    EXPECT_EQ(selection.Chosen()[1], 2011);
    EXPECT_FALSE(selection.Replace());  // switched off after every add

    // Below the maximum the further channels are appended.
    selection.Remove();
    selection.Remove();
    ASSERT_EQ(selection.Chosen().size(), 7u);
    selection.SelectChosen(0);
    selection.SetReplace(true);
    AddQuantity(selection, 2);
    EXPECT_EQ(selection.Chosen()[0], 2);
    EXPECT_EQ(selection.Chosen().size(), 7u);
}

TEST_F(ChannelSelectionTest, RemovingMovesTheSelectionAndEnablingFollowsTheLists) {
    ChannelSelection selection = Open();
    EXPECT_FALSE(selection.CanAdd());  // nothing selected on the left
    EXPECT_FALSE(selection.CanAccept());
    EXPECT_FALSE(selection.CanRemoveAll());
    AddQuantity(selection, 11);
    ASSERT_EQ(selection.Chosen(), (Channels{1011, 2011, 3011}));
    EXPECT_FALSE(selection.CanAdd());  // every switched phase is in already
    EXPECT_TRUE(selection.CanAccept());
    EXPECT_FALSE(selection.CanRemove());

    selection.SelectChosen(1);
    selection.Remove();
    EXPECT_EQ(selection.Chosen(), (Channels{1011, 3011}));
    EXPECT_EQ(selection.ChosenSelection(), 1);  // the same position
    EXPECT_TRUE(selection.CanAdd());
    selection.Remove();
    EXPECT_EQ(selection.ChosenSelection(), 0);  // it was the last: the new last
    selection.Remove();
    EXPECT_EQ(selection.ChosenSelection(), -1);
    EXPECT_FALSE(selection.CanAccept());
}

TEST_F(ChannelSelectionTest, StoredSelectionsSkipWhatTheMeasurementCannotShow) {
    const std::string section = settings.SettingsSection("Level-Time OffLine");
    // 1999 is no quantity, 1091 is never offered, 4011 has no neutral, 1002 names the single
    // frequency, index 2 is negative and index 5 absent.
    const int entries[] = {3011, 1999, -5, 1091, 4011, 0, 1002, 1305, 1002};
    store.WriteInt(section, "A", 10);
    for (int i = 0; i < 9; ++i) {
        if (i != 5) store.WriteInt(section, "A0" + std::to_string(i), entries[i]);
    }
    store.WriteInt(section, "A09", 1011);
    EXPECT_EQ(Open().Chosen(), (Channels{3011, 2, 1305, 1011}));

    // Without the flag the diagram's curves are the start; the online diagram keeps its own.
    setup.fromStored = false;
    setup.currentCurves = {2012, 5011};
    EXPECT_EQ(Open().Chosen(), (Channels{2012}));
    setup.fromStored = true;
    setup.online = true;
    EXPECT_TRUE(Open().Chosen().empty());

    // OK stores the list under the function letter from index 0 and the phase switches.
    setup.online = false;
    ChannelSelection selection = Open();
    selection.SetPhaseOn(1, false);
    selection.RemoveAll();
    AddQuantity(selection, 13);
    ASSERT_TRUE(selection.Accept(ui));
    EXPECT_EQ(Stored("Level-Time OffLine", "A"), 2);
    EXPECT_EQ(Stored("Level-Time OffLine", "A00"), 1013);
    EXPECT_EQ(Stored("Level-Time OffLine", "A01"), 3013);
    EXPECT_EQ(Stored("Level-Time Diagram", "ChanelSelection1"), 1);
    EXPECT_EQ(Stored("Level-Time Diagram", "ChanelSelection2"), 0);
    EXPECT_EQ(Stored("Level-Time Diagram", "ChanelSelectionN"), 1);
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(ChannelSelectionTest, TheZoomQuestionCanKeepTheDialogOpen) {
    setup.zoomHistory = true;
    ChannelSelection selection = Open();
    AddQuantity(selection, 2);
    ui.answerYes = false;
    EXPECT_FALSE(selection.Accept(ui));
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].id, 373);
    EXPECT_EQ(ui.questions[0].icon, MessageIcon::Warning);
    EXPECT_EQ(Stored("Level-Time OffLine", "A"), -100);
    ui.answerYes = true;
    EXPECT_TRUE(selection.Accept(ui));
    EXPECT_EQ(Stored("Level-Time OffLine", "A00"), 2);
}

TEST_F(ChannelSelectionTest, ASinglePhaseMeasurementFixesL1AndKeepsTheOtherSwitchesStored) {
    store.WriteInt(settings.SettingsSection("Level-Time Diagram"), "ChanelSelection1", 0);
    setup.availability.phases = {true, false, false};
    setup.availability.neutral = false;
    ChannelSelection selection = Open();
    EXPECT_TRUE(selection.PhaseOn(0));  // the only phase starts on
    for (int p = 0; p < 4; ++p)
        EXPECT_FALSE(selection.PhaseEnabled(p)) << p;
    EXPECT_FALSE(selection.PhaseOn(1));
    AddQuantity(selection, 11);
    EXPECT_EQ(selection.Chosen(), (Channels{1011}));
    ASSERT_TRUE(selection.Accept(ui));
    EXPECT_EQ(Stored("Level-Time Diagram", "ChanelSelection1"), 1);
    EXPECT_EQ(Stored("Level-Time Diagram", "ChanelSelection2"), -100);
}

TEST_F(ChannelSelectionTest, TheExportStartsFromItsStoredListAndAddsEverything) {
    setup.layout = ChannelLayout::kExport;
    setup.fromStored = false;  // the export always starts from its stored list
    const std::string section = settings.SettingsSection("ASCII");
    store.WriteInt(section, "A", 2);
    store.WriteInt(section, "A00", 1013);  // below the export's first index
    store.WriteInt(section, "A01", 2011);
    store.WriteInt(section, "A02", 2);
    store.WriteInt(settings.SettingsSection("Level-Time Diagram"), "ChanelSelection1", 0);
    ChannelSelection selection = Open();
    EXPECT_EQ(selection.Chosen(), (Channels{2011, 2}));
    EXPECT_TRUE(selection.PhaseOn(0));  // the timeplot's switches are not the export's
    EXPECT_FALSE(selection.CanReplace());

    ASSERT_TRUE(selection.CanAddAll());
    selection.AddAll();
    const Channels& all = selection.Chosen();
    EXPECT_EQ(Channels(all.begin(), all.begin() + 5), (Channels{2011, 2, 1011, 3011, 1013}));
    EXPECT_EQ(std::count(all.begin(), all.end(), 4125), 1);
    EXPECT_EQ(std::count(all.begin(), all.end(), 2), 1);
    EXPECT_EQ(selection.CountText(),
              std::to_string(all.size()) + " channels selected (maximum 999)");

    ASSERT_TRUE(selection.Accept(ui));  // the export stores its list itself
    EXPECT_EQ(Stored("ASCII", "A"), 2);
}

TEST(StoredChannelSelection, KeysPerLayoutAndFunction) {
    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    StoredChannelSelection::ForTimeplot(true, 'P').Write(settings, {1011, 2});
    StoredChannelSelection::ForExport('A').Write(settings, {1031});
    EXPECT_EQ(store.GetInt(settings.SettingsSection("Level-Time OnLine"), "P", 0), 2);
    EXPECT_EQ(store.GetInt(settings.SettingsSection("Level-Time OnLine"), "P01", 0), 2);
    EXPECT_EQ(store.GetInt(settings.SettingsSection("ASCII"), "A01", 0), 1031);
    EXPECT_EQ(StoredChannelSelection::ForExport('A').Read(settings), (Channels{1031}));

    // A measurement of another function has no letter: nothing is read or written.
    const StoredChannelSelection none = StoredChannelSelection::ForTimeplot(false, 0);
    EXPECT_FALSE(none.Usable());
    none.Write(settings, {1011});
    EXPECT_TRUE(none.Read(settings).empty());
    EXPECT_FALSE(store.Has(settings.SettingsSection("Level-Time OffLine"), std::string(1, '\0')));
}

}  // namespace
}  // namespace varelo
