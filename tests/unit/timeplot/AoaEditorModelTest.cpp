#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"
#include "timeplot/AoaDefinition/AoaChannelRules.h"
#include "timeplot/AoaDefinition/AoaEditorModel.h"
#include "timeplot/AoaDefinition/AoaObjectPayload.h"

namespace varelo {
namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CAOAChannelInfo Channel(int quantity, int16_t phase = 0) {
    CAOAChannelInfo channel;
    channel.Quantity = quantity;
    channel.Phase = phase;
    return channel;
}

CAOAApplication App(const std::string& name, uint8_t mode, std::vector<CAOAChannelInfo> channels) {
    CAOAApplication app;
    app.Name = name;
    app.Mode = mode;
    app.Description = "about " + name;
    app.Channels = std::move(channels);
    return app;
}

// Function P: groups A..D, A holding applications of every phase mode; function A: group "Harm".
CAOARootObj Definition() {
    CAOARootObj root;
    auto& p = *root.ListFor(3);
    p.push_back(
        {"A",
         {App("One1", 1, {Channel(11), Channel(91), Channel(12), Channel(2)}), App("All1", 2, {}),
          App("One2", 1, {}), App("Mixed1", 0, {Channel(11, 2)}), App("One3", 1, {})}});
    for (const char* name : {"B", "C", "D"})
        p.push_back({name, {}});
    root.ListFor(10)->push_back({"Harm", {App("H", 1, {Channel(305)})}});
    return root;
}

class AoaEditorModelTest : public ::testing::Test {
protected:
    test::TempDir data;
    test::TempDir files;
    test::RecordingUserInterface ui;
    CAoaEditorModel model{ui, data.Path(), "ENG"};
    std::string path = files.File("mine.aoa");

    void SetUp() override {
        CAOARootObj root = Definition();
        ASSERT_TRUE(root.Write(path));
        model.Start(path);
        ASSERT_TRUE(model.HasFile());
    }
    std::vector<std::string> Rows(AoaLevel level) { return model.Lists().Rows(level); }
};

TEST_F(AoaEditorModelTest, ListsFollowTheFiltersAndSelections) {
    EXPECT_EQ(Rows(AoaLevel::Group), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_TRUE(Rows(AoaLevel::Application).empty());
    model.Lists().Select(AoaLevel::Group, 0);
    EXPECT_EQ(Rows(AoaLevel::Application), (std::vector<std::string>{"One1", "One2", "One3"}));
    model.Lists().Select(AoaLevel::Application, 0);
    // Quantity 91 is offered by no function.
    EXPECT_EQ(Rows(AoaLevel::Channel),
              (std::vector<std::string>{"V average", "V max", "frequency"}));

    model.SetFilter(3, 0);
    EXPECT_EQ(model.Lists().Selected(AoaLevel::Group), 0);
    EXPECT_EQ(Rows(AoaLevel::Application), (std::vector<std::string>{"Mixed1"}));
    EXPECT_TRUE(Rows(AoaLevel::Channel).empty());
    model.SetFilter(10, 0);
    EXPECT_EQ(Rows(AoaLevel::Group), (std::vector<std::string>{"Harm"}));
    EXPECT_TRUE(Rows(AoaLevel::Application).empty());
    EXPECT_FALSE(model.Changed());
}

TEST_F(AoaEditorModelTest, MovesBeforeAnItemAboveAfterOneBelowAndToTheEnd) {
    struct Case {
        int row, target;
        std::vector<std::string> order;
        int selected;
    };
    const Case cases[] = {
        {0, 2, {"B", "C", "A", "D"}, 2},   // dropped on C, which lay below: after it
        {3, 1, {"A", "D", "B", "C"}, 1},   // dropped on B, which lay above: before it
        {1, -1, {"A", "C", "D", "B"}, 3},  // below the last item: the end
        {2, 2, {"A", "B", "C", "D"}, 2},   // on itself: nothing moves
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << " onto " << c.target);
        model.Start(path);
        EXPECT_EQ(model.Move(AoaLevel::Group, c.row, c.target), c.selected);
        EXPECT_EQ(Rows(AoaLevel::Group), c.order);
        EXPECT_EQ(model.Lists().Selected(AoaLevel::Group), c.selected);
        EXPECT_EQ(model.Changed(), c.row != c.target);
    }
    // Filtered rows: "One3" onto "One1" goes before it, past the hidden applications between.
    model.Start(path);
    model.Lists().Select(AoaLevel::Group, 0);
    EXPECT_EQ(model.Move(AoaLevel::Application, 2, 0), 0);
    EXPECT_EQ(Rows(AoaLevel::Application), (std::vector<std::string>{"One3", "One1", "One2"}));
    EXPECT_EQ(model.Edited().ListFor(3)->front().Applications[0].Name, "One3");
}

TEST_F(AoaEditorModelTest, CopiesGoAfterTheTargetAndOnlyIntoTheirOwnLevel) {
    const std::string group = ArchiveAoaObject(CAOAAppGroup{"New", {App("X", 1, {})}});
    const std::string app = ArchiveAoaObject(App("Y", 1, {Channel(11)}));
    EXPECT_EQ(model.InsertCopy(AoaLevel::Group, AoaLevel::Application, app, 0), -1);
    EXPECT_EQ(model.InsertCopy(AoaLevel::Group, AoaLevel::Group, "\xFF\xFF garbage", 0), -1);
    EXPECT_FALSE(model.Changed());

    EXPECT_EQ(model.InsertCopy(AoaLevel::Group, AoaLevel::Group, group, 1), 2);
    EXPECT_EQ(Rows(AoaLevel::Group), (std::vector<std::string>{"A", "B", "New", "C", "D"}));
    EXPECT_EQ(model.InsertCopy(AoaLevel::Group, AoaLevel::Group, group, -1), 5);
    EXPECT_TRUE(model.Changed());
    // An empty list takes the copy at its end; no selected group, no place for an application.
    model.Lists().Select(AoaLevel::Group, -1);
    EXPECT_EQ(model.InsertCopy(AoaLevel::Application, AoaLevel::Application, app, -1), -1);
    model.Lists().Select(AoaLevel::Group, 1);
    EXPECT_EQ(model.InsertCopy(AoaLevel::Application, AoaLevel::Application, app, -1), 0);
    EXPECT_EQ(model.Lists().Application(0)->Channels, std::vector<CAOAChannelInfo>{Channel(11)});
}

TEST(AoaObjectPayload, EachLevelRoundTripsWithItsClassReference) {
    CAOAChannelInfo channel = Channel(400, 2);
    channel.FreqMeasurement = 1;
    channel.FreqOrOrder = 2.5f;
    channel.BeginType = 6;
    channel.BeginValue = -3.25f;
    const CAOAApplication app = App("Ä Flicker", 0, {channel, Channel(17, 1)});
    const CAOAAppGroup group{"Group", {app, App("Other", 2, {})}};

    const std::string bytes = ArchiveAoaObject(channel);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\xFF\xFF\x01\x00\x0F\x00", 6));
    EXPECT_EQ(bytes.size(), 6 + 15 + 23u);
    CAOAChannelInfo channelBack;
    CAOAApplication appBack;
    CAOAAppGroup groupBack;
    EXPECT_TRUE(UnarchiveAoaObject(bytes, channelBack));
    EXPECT_EQ(channelBack, channel);
    EXPECT_TRUE(UnarchiveAoaObject(ArchiveAoaObject(app), appBack));
    EXPECT_EQ(appBack, app);
    EXPECT_TRUE(UnarchiveAoaObject(ArchiveAoaObject(group), groupBack));
    EXPECT_EQ(groupBack, group);
    // Another level's object, a cut payload or bytes after the object are refused.
    EXPECT_FALSE(UnarchiveAoaObject(ArchiveAoaObject(app), groupBack));
    EXPECT_FALSE(UnarchiveAoaObject(bytes.substr(0, bytes.size() - 1), channelBack));
    EXPECT_FALSE(UnarchiveAoaObject(bytes + "x", channelBack));
    EXPECT_EQ(groupBack, group);
}

TEST_F(AoaEditorModelTest, AddEditAndDeleteWithTheirQuestions) {
    model.Lists().Select(AoaLevel::Group, 0);
    EXPECT_EQ(model.DeleteQuestion(AoaLevel::Group, 0), 325);
    EXPECT_EQ(model.DeleteQuestion(AoaLevel::Group, 1), 0);
    EXPECT_EQ(model.DeleteQuestion(AoaLevel::Application, 0), 326);
    EXPECT_EQ(model.DeleteQuestion(AoaLevel::Application, 1), 0);

    model.SetFilter(3, 2);
    model.Lists().Select(AoaLevel::Group, 0);
    ASSERT_TRUE(model.AddApplication("Fresh", "", "text"));
    EXPECT_EQ(model.Lists().Application(1)->Mode, CAOAApplication::kAll);
    EXPECT_EQ(model.Lists().Selected(AoaLevel::Application), 1);
    ASSERT_TRUE(model.AddChannel(Channel(31)));
    model.EditChannel(0, Channel(32));
    EXPECT_EQ(Rows(AoaLevel::Channel), std::vector<std::string>{"I max"});
    model.Delete(AoaLevel::Channel, 0);
    EXPECT_TRUE(Rows(AoaLevel::Channel).empty());
    ASSERT_TRUE(model.AddGroup("Z"));
    model.EditGroup(4, "Y");
    EXPECT_EQ(Rows(AoaLevel::Group), (std::vector<std::string>{"A", "B", "C", "D", "Y"}));
    model.Delete(AoaLevel::Group, 0);
    EXPECT_EQ(Rows(AoaLevel::Group), (std::vector<std::string>{"B", "C", "D", "Y"}));
    EXPECT_TRUE(model.Changed());
}

TEST_F(AoaEditorModelTest, OkWritesOnlyWhenChanged) {
    files.Write("mine.aoa", "someone else's bytes");
    EXPECT_EQ(model.Ok(), CAoaEditorModel::OkResult::Close);
    EXPECT_EQ(FileBytes(path), "someone else's bytes");

    model.EditGroup(0, "Renamed");
    EXPECT_EQ(model.Ok(), CAoaEditorModel::OkResult::Close);
    CAOARootObj expected = Definition();
    expected.ListFor(3)->front().Name = "Renamed";
    EXPECT_EQ(FileBytes(path), expected.Serialize());
    EXPECT_FALSE(model.Changed());

    // Changed without a file: the caller picks one; a reserved name is refused.
    model.Start("");
    std::string defaults = data.File("Default-ENG.aoa");
    ASSERT_TRUE(Definition().Write(defaults));
    ASSERT_TRUE(model.FillWithDefaults());
    EXPECT_EQ(model.Ok(), CAoaEditorModel::OkResult::NeedFile);
    EXPECT_FALSE(model.WriteAs(data.File("default-DEU.aoa")));
    EXPECT_EQ(ui.messages.back().id, 196);
    EXPECT_TRUE(model.WriteAs(files.File("new.aoa")));
    EXPECT_EQ(FileBytes(files.File("new.aoa")), FileBytes(defaults));
    EXPECT_EQ(model.FileName(), files.File("new.aoa"));
}

TEST_F(AoaEditorModelTest, ReservedNamesInAnyLetterCaseGive196AndNoFile) {
    for (const char* name : {"Default-ENG.aoa", "default-deu.AOA", "DEFAULT-xyz.Aoa"}) {
        SCOPED_TRACE(name);
        model.Start(path);
        ui.messages.clear();
        model.SelectFile(data.File(name));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].id, 196);
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
        EXPECT_FALSE(model.HasFile());
        EXPECT_TRUE(Rows(AoaLevel::Group).empty());
    }
    // The same name elsewhere is an ordinary file.
    model.SelectFile(files.File("Default-ENG.aoa"));
    EXPECT_EQ(ui.questions.back().id, 323);
}

TEST_F(AoaEditorModelTest, AMissingFileIsCreatedEmptyOnYesOnly) {
    const std::string fresh = files.File("fresh.aoa");
    ui.answerYes = false;
    model.SelectFile(fresh);
    EXPECT_EQ(ui.questions.back().text,
              "File " + fresh + " does not exist. Create and open the file?");
    EXPECT_FALSE(model.HasFile());
    EXPECT_FALSE(std::ifstream(fresh).good());
    EXPECT_EQ(model.Edited().Count(), 0u);

    ui.answerYes = true;
    model.SelectFile(fresh);
    EXPECT_TRUE(model.HasFile());
    EXPECT_EQ(FileBytes(fresh).size(), 90u);
    EXPECT_FALSE(model.Changed());
    // An existing file is read, all functions.
    model.SelectFile(path);
    EXPECT_EQ(model.Edited(), Definition());
}

TEST(AoaChannelRules, NamesOrderAndPhases) {
    struct Case {
        CAOAChannelInfo channel;
        const char* name;
    };
    CAOAChannelInfo absolute = Channel(400);
    absolute.FreqOrOrder = 175;
    CAOAChannelInfo relative = Channel(400);
    relative.FreqMeasurement = 1;
    relative.FreqOrOrder = 2.5f;
    const Case cases[] = {{Channel(11, 2), "V average"},
                          {Channel(2), "frequency"},
                          {Channel(401), "Interharmonic 1"},
                          {Channel(405), "Interharmonic 5"},
                          {absolute, "V 175.0 Hz"},
                          {relative, "V h2.5"},
                          {Channel(305), "V h5"},
                          {Channel(122), "I h2"},
                          {Channel(-1), ""}};
    for (const Case& c : cases)
        EXPECT_EQ(AoaChannelName(c.channel), c.name);

    const std::vector<int> p = AoaQuantityChoices(3);
    const std::vector<int> a = AoaQuantityChoices(10);
    EXPECT_EQ(std::vector<int>(p.begin(), p.begin() + 6),
              (std::vector<int>{12, 11, 13, 20, 95, 102}));
    EXPECT_EQ(a.size(), p.size() + 106);  // 400, 401..405, 301..350, 121..170
    EXPECT_EQ(std::find(p.begin(), p.end(), 400), p.end());
    EXPECT_EQ(p.back(), 89);
    EXPECT_EQ(AoaPhaseChoices(CAOAApplication::kAll), std::vector<int>{0});
    EXPECT_EQ(AoaPhaseChoices(CAOAApplication::kMixed), (std::vector<int>{1, 2, 3}));
}

TEST(AoaChannelRules, OkRefusesWithTheMessageAndTheField) {
    struct Case {
        int quantity;
        const char* frequency;
        uint8_t beginType;
        const char* begin;
        uint8_t endType;
        const char* end;
        int message;
        AoaChannelField field;
    };
    using F = AoaChannelField;
    const Case cases[] = {
        {-1, "0", 3, "0", 3, "0", 284, F::Quantity},
        {11, "0", 3, "-100", 3, "100", 0, F::None},
        {11, "0", 3, "-100.5", 3, "0", 285, F::BeginValue},
        {11, "0", 3, "0", 1, "101", 285, F::EndValue},
        {11, "0", 6, "999000", 6, "-999000", 0, F::None},  // "Value" is not a percentage
        {11, "0", 6, "999001", 3, "0", 61715, F::BeginValue},
        {11, "0", 3, "0", 3, "ten", 61715, F::EndValue},
        {400, "1000001", 3, "0", 3, "0", 61715, F::FreqOrOrder},
        {400, "1000000", 3, "0", 3, "0", 0, F::None},
        {11, "x", 3, "0", 3, "0", 0, F::None},  // the frequency matters for 400 only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.quantity << " " << c.begin << " " << c.end);
        AoaChannelFields fields;
        fields.quantity = c.quantity;
        fields.freqOrOrder = c.frequency;
        fields.beginType = c.beginType;
        fields.beginValue = c.begin;
        fields.endType = c.endType;
        fields.endValue = c.end;
        CAOAChannelInfo channel;
        const AoaChannelCheck check = CheckAoaChannel(fields, CAOAApplication::kOne, channel);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.field, c.field);
        if (c.message == 0) {
            EXPECT_EQ(channel.Quantity, c.quantity);
        }
    }
    EXPECT_EQ(Msg(61715, {"-999000", "999000"}),
              "Please enter a number between -999000 and 999000.");

    // Mixed applications keep the phase, L1 for "any"; a quantity measured once has none.
    AoaChannelFields fields = AoaChannelFieldsOf(Channel(11, 0));
    CAOAChannelInfo channel;
    ASSERT_TRUE(CheckAoaChannel(fields, CAOAApplication::kMixed, channel).Ok());
    EXPECT_EQ(channel.Phase, 1);
    fields.quantity = 2;
    fields.phase = 3;
    ASSERT_TRUE(CheckAoaChannel(fields, CAOAApplication::kMixed, channel).Ok());
    EXPECT_EQ(channel.Phase, 0);

    std::string name;
    EXPECT_EQ(CheckAoaName(" \t ", name), 869);
    EXPECT_EQ(CheckAoaName("  Motors \n", name), 0);
    EXPECT_EQ(name, "Motors");
}

}  // namespace
}  // namespace varelo
