#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "app/StringTable.h"
#include "evaluation/LimitEditor/HarmonicLimitsModel.h"
#include "evaluation/LimitEditor/InterharmonicLimitsModel.h"
#include "evaluation/LimitEditor/LimitEditorModel.h"
#include "evaluation/LimitEditor/LimitPrintLines.h"
#include "evaluation/LimitEditor/SignallingLimitsModel.h"
#include "evaluation/LimitEditor/VseModel.h"
#include "evaluation/LimitValueFile.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

// Answers "Save changes?" with a chosen button.
class AnsweringUi : public test::RecordingUserInterface {
public:
    Answer answer = Answer::Cancel;
    Answer Ask(const Question& question) override {
        asked.push_back(question);
        return answer;
    }
};

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class LimitEditorModelTest : public ::testing::Test {
protected:
    test::TempDir folder;
    AnsweringUi ui;
    CLimitEditorModel model{ui, folder.Path()};

    // The default 50-Hz set in a file of its own, opened in the editor.
    std::string StartWithDefaults(const std::string& name = "set.gwd") {
        CLimitValues defaults;
        defaults.SetDefaults(50);
        const std::string path = folder.Path() + "/" + name;
        EXPECT_TRUE(WriteLimitFile(path, defaults));
        model.Start(path, 50);
        return path;
    }
};

TEST(LimitEditorFields, OutOfRangeEntriesAreReplacedByTheirResetValue) {
    struct Case {
        LimitField field;
        std::string typed;
        std::string shown;
    };
    const Case cases[] = {
        {LimitField::Histogram, "101", "95"},
        {LimitField::Histogram, "-1", "95"},
        {LimitField::Histogram, "90", "90"},
        {LimitField::NplusTol95, "-3", "0.00"},
        {LimitField::NplusTol95, "150", "100.00"},
        {LimitField::NplusTol95, "7.126", "7.13"},       // reshown with two decimals
        {LimitField::NminusTol95, "-250.5", "-250.50"},  // no range
        {LimitField::FplusTol95, "0", "1"},
        {LimitField::FminusTol95, "21", "1"},
        {LimitField::FplusTol100, "21", "4"},
        {LimitField::FminusTol100, "0", "6"},
        {LimitField::FminusTol100, "20", "20"},
        {LimitField::FlickPst, "31", "1.00"},
        {LimitField::FlickPlt, "-0.5", "1.00"},
        {LimitField::VoltUnbal, "100.5", "2.00"},
        // A 16-bit count: above 32767 it would wrap negative.
        {LimitField::NrEvents, "32767", "32767"},
        {LimitField::NrEvents, "32768", "100"},
        {LimitField::NrEvents, "51050", "100"},
        {LimitField::NrEvents, "-1", "100"},
        {LimitField::NrEvents, "abc", "previous"},    // not a number: the field keeps its text
        {LimitField::InterruptionLimit, "55", "55"},  // refused only when taken over
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CLimitEditorModel::CheckField(c.field, c.typed, "previous"), c.shown)
            << LimitFieldName(c.field) << " " << c.typed;
    }
}

TEST(LimitEditorFields, DescriptionKeepsWhatTheFileCanHold) {
    EXPECT_EQ(LimitDescription("a\nb"), "a\r\nb");
    // "</t>" would end the item early; removing one must not leave another.
    EXPECT_EQ(LimitDescription("x</t>y=<</t>/t>z"), "xy=z");
    EXPECT_EQ(LimitDescription(std::string(400, 'a')).size(), 360u);
    // A cut never splits a line break or a character.
    EXPECT_EQ(LimitDescription(std::string(359, 'a') + "\nb"), std::string(359, 'a'));
    EXPECT_EQ(LimitDescription(std::string(359, 'a') + "\xC3\xA4\xC3\xA4"),
              std::string(359, 'a') + "\xC3\xA4");
}

TEST(LimitEditorFields, HistogramLabelsFollowTheValue) {
    const auto labels = CLimitEditorModel::HistogramLabels("90");
    EXPECT_EQ(labels[0], " 90 % of the time");
    EXPECT_EQ(labels[1], " 90% of the time, Flicker Plt");
    EXPECT_EQ(labels[2], " 90% of the time, Unbalance");
}

TEST(LimitEditorFields, ExtensionCompletion) {
    EXPECT_EQ(CompleteLimitFileExtension("/tmp/a"), "/tmp/a.gwd");
    EXPECT_EQ(CompleteLimitFileExtension("/tmp/a."), "/tmp/a.gwd");
    EXPECT_EQ(CompleteLimitFileExtension("/tmp/a.GWD"), "/tmp/a.GWD");
    EXPECT_EQ(CompleteLimitFileExtension("/tmp/x.d/a"), "/tmp/x.d/a");  // the folder's "."
}

TEST_F(LimitEditorModelTest, StartsWithTheLimitFileOrANewDefaultSet) {
    const std::string path = StartWithDefaults();
    EXPECT_EQ(model.FileName(), path);
    EXPECT_EQ(model.Title(), "Limit value level file - " + path);
    model.Start(folder.Path() + "/missing.gwd", 60);
    EXPECT_EQ(model.FileName(), "NoName.gwd");
    EXPECT_EQ(model.Working().PowSysNomFreq, 60);
    EXPECT_FALSE(model.Changed());
}

TEST_F(LimitEditorModelTest, TakingOverRefusesABadInterruptionLimitAndTakesNothing) {
    StartWithDefaults();
    LimitFieldTexts fields = model.FieldTexts();
    fields[size_t(LimitField::NrEvents)] = "200";
    for (const char* bad : {"0", "41", "x"}) {
        fields[size_t(LimitField::InterruptionLimit)] = bad;
        const LimitCheck check = model.TakeOver(fields);
        EXPECT_EQ(check.message, 61714) << bad;
        EXPECT_EQ(check.text, "Please enter an integer between 1 and 40.");
        EXPECT_EQ(check.field, int(LimitField::InterruptionLimit));
        EXPECT_EQ(model.Working().NrEvents, 100);
    }
    fields[size_t(LimitField::InterruptionLimit)] = "40";
    fields[size_t(LimitField::NrEvents)] = "40000";  // taken over with the field's own rule
    EXPECT_TRUE(model.TakeOver(fields).Ok());
    EXPECT_EQ(model.Working().InterruptionLimit, 40);
    EXPECT_EQ(model.Working().NrEvents, 100);
    EXPECT_TRUE(model.Changed());
}

TEST_F(LimitEditorModelTest, UntouchedDecimalsKeepTheirFullValue) {
    CLimitValues limits;
    limits.SetDefaults(50);
    limits.FlickPst = 0.125f;  // shown as 0.13
    const std::string path = folder.Path() + "/fine.gwd";
    ASSERT_TRUE(WriteLimitFile(path, limits));
    model.Start(path, 50);
    ASSERT_TRUE(model.TakeOver(model.FieldTexts()).Ok());
    EXPECT_FALSE(model.Changed());
    LimitFieldTexts fields = model.FieldTexts();
    fields[size_t(LimitField::FlickPst)] = "0.1251";  // taken as typed
    ASSERT_TRUE(model.TakeOver(fields).Ok());
    EXPECT_EQ(model.Working().FlickPst, 0.1251f);
    EXPECT_TRUE(model.Changed());
}

TEST_F(LimitEditorModelTest, HarmonicsOkOnTheDefaultSetChangesNothing) {
    const std::string path = StartWithDefaults();
    const std::string before = FileBytes(path);
    CHarmonicLimitsModel harmonics = model.Harmonics(false);
    EXPECT_EQ(harmonics.Lists().Right().size(), 24u);  // orders 2 to 25
    EXPECT_EQ(harmonics.Lists().Left().size(), 25u);   // 26 to 50, with 0
    EXPECT_EQ(LimitItemText(harmonics.Lists().Left().front(), 2), "26\t0.00");
    ASSERT_TRUE(harmonics.Accept(harmonics.ThdText()).Ok());
    model.TakeHarmonics(harmonics);
    EXPECT_EQ(model.Flags(), 0);
    EXPECT_FALSE(model.Changed());
    ASSERT_TRUE(model.Save());
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LimitEditorModelTest, UnselectedOrderKeepsItsNegatedValueAndIsSavedAsZero) {
    CLimitValues limits;
    limits.SetDefaults(50);
    limits.SetHarmonicLimit(3, 0);
    const std::string path = folder.Path() + "/order3.gwd";
    ASSERT_TRUE(WriteLimitFile(path, limits));
    model.Start(path, 50);

    CHarmonicLimitsModel first = model.Harmonics(false);
    ASSERT_EQ(first.Lists().Left().front().key, 3);
    EXPECT_EQ(LimitItemText(first.Lists().Left().front(), 2), "03\t5.00");  // the default offered
    ASSERT_TRUE(first.Accept(first.ThdText()).Ok());
    model.TakeHarmonics(first);
    EXPECT_EQ(model.Working().HarmonicLimit(3), -5.0f);
    EXPECT_EQ(model.Flags(), CLimitEditorModel::kVoltageHarmonics);
    EXPECT_TRUE(model.Changed());

    // Once confirmed, the list shows the kept value, which moves back selected.
    CHarmonicLimitsModel second = model.Harmonics(false);
    EXPECT_EQ(LimitItemText(second.Lists().Left().front(), 2), "03\t5.00");

    ASSERT_TRUE(model.Save());
    CLimitValues read;
    ASSERT_TRUE(ReadLimitFile(path, read));
    EXPECT_EQ(read.HarmonicLimit(3), 0.0f);
    EXPECT_NE(FileBytes(path).find("<t>Harm29=0</t>"), std::string::npos);  // order 3: 3 x 10 - 1
    EXPECT_EQ(model.Flags(), 0);
    EXPECT_FALSE(model.Changed());
    EXPECT_EQ(model.Working().HarmonicLimit(3), -5.0f);  // still unselected while open
}

TEST_F(LimitEditorModelTest, ZeroOrderAfterAConfirmedDialogShowsZero) {
    CLimitValues limits;
    limits.SetDefaults(50);
    limits.SetHarmonicLimit(3, 0);
    const std::string path = folder.Path() + "/zero.gwd";
    ASSERT_TRUE(WriteLimitFile(path, limits));
    model.Start(path, 50);
    CHarmonicLimitsModel first = model.Harmonics(false);
    ASSERT_TRUE(first.Set("3", "0").Ok());  // selected, but 0
    ASSERT_TRUE(first.Set("4", "0.7").Ok());
    ASSERT_TRUE(first.Accept(first.ThdText()).Ok());
    model.TakeHarmonics(first);
    ASSERT_EQ(model.Flags(), CLimitEditorModel::kVoltageHarmonics);
    EXPECT_EQ(model.Working().HarmonicLimit(3), 0.0f);
    CHarmonicLimitsModel after = model.Harmonics(false);
    EXPECT_EQ(LimitItemText(after.Lists().Left().front(), 2), "03\t0.00");
}

TEST(LimitEditorSubDialogs, SetChecksInOrderAndNamesTheField) {
    CLimitValues limits;
    limits.SetDefaults(50);
    CHarmonicLimitsModel voltage(CHarmonicLimitsModel::Mode::Voltage, limits, false);
    struct Case {
        std::string order, value;
        int message, field;
    };
    const Case cases[] = {
        {"1", "1", 171, CHarmonicLimitsModel::kOrder},
        {"51", "200", 171, CHarmonicLimitsModel::kOrder},
        {"x", "1", 171, CHarmonicLimitsModel::kOrder},
        {"7", "100.01", 166, CHarmonicLimitsModel::kValue},
        {"7", "-1", 166, CHarmonicLimitsModel::kValue},
        {"7", "2.345", 0, 0},
    };
    for (const Case& c : cases) {
        const LimitCheck check = voltage.Set(c.order, c.value);
        EXPECT_EQ(check.message, c.message) << c.order << " " << c.value;
        if (!check.Ok()) {
            EXPECT_EQ(check.field, c.field);
        }
    }
    EXPECT_EQ(voltage.Set("51", "1").text, "The rank of the harmonic must be within 2 to 50.");
    EXPECT_EQ(voltage.Set("7", "101").text,
              "The value for the limit value must be within 0% to 100%");
    // Current limits have no percent range.
    CHarmonicLimitsModel current(CHarmonicLimitsModel::Mode::Current, limits, false);
    EXPECT_TRUE(current.Set("5", "150").Ok());

    CSignallingLimitsModel signalling(limits);
    std::string frequency = "3007";
    EXPECT_EQ(signalling.Set(frequency, "1").message, 164);
    EXPECT_EQ(frequency, "3005");  // shown rounded down
    frequency = "99";
    EXPECT_EQ(signalling.Set(frequency, "1").text,
              "The frequency must be within 100 Hz to 3000 Hz");
    frequency = "217";
    EXPECT_EQ(signalling.Set(frequency, "120").message, 166);
    EXPECT_EQ(frequency, "215");
}

TEST(LimitEditorSubDialogs, SignallingOkKeepsOnlyTheSelectedFrequencies) {
    CLimitValues limits;
    limits.SetDefaults(50);
    limits.ClearSignalling();
    CSignallingLimitsModel model(limits);
    EXPECT_TRUE(model.Lists().Right().empty());
    EXPECT_EQ(LimitItemText(model.Lists().Left().front(), 4), "0100\t8.70");
    std::string frequency = "1052";
    ASSERT_TRUE(model.Set(frequency, "3.5").Ok());
    EXPECT_EQ(model.Lists().MoveRight(0), 0);  // 100 Hz selected; the next row takes its place
    const auto result = model.Limits();
    limits.SignallingVolt = result;
    EXPECT_EQ(limits.SignallingLimit(1050), 3.5f);
    EXPECT_EQ(limits.SignallingLimit(100), 8.7f);
    EXPECT_EQ(limits.SignallingLimit(105), 0.0f);  // unselected: dropped
}

TEST(LimitEditorSubDialogs, InterharmonicBinsAndTheirLimitOfTen) {
    CLimitValues limits;
    limits.SetDefaults(50);
    CInterharmonicLimitsModel model(limits);
    EXPECT_EQ(CInterharmonicLimitsModel::BinText(95, 50), "0095-0104");
    EXPECT_EQ(CInterharmonicLimitsModel::BinText(110, 50), "0110-0114");
    EXPECT_EQ(CInterharmonicLimitsModel::BinText(2995, 60), "2995-3000");
    std::string frequency = "100";
    ASSERT_TRUE(model.Set(frequency, "0.5").Ok());
    EXPECT_EQ(frequency, "95");
    EXPECT_EQ(model.ItemText(model.Items()[0]), "0095-0104\t0.50");
    for (int f = 110; model.Items().size() < 10; f += 10) {
        frequency = std::to_string(f);
        ASSERT_TRUE(model.Set(frequency, "0.2").Ok());
    }
    frequency = "2000";
    const LimitCheck eleventh = model.Set(frequency, "0.2");
    EXPECT_EQ(eleventh.message, 169);
    EXPECT_EQ(model.Items().size(), 10u);
    frequency = "97";  // the same bin: replaced
    EXPECT_TRUE(model.Set(frequency, "0.9").Ok());
    frequency = "0";
    EXPECT_EQ(model.Set(frequency, "1").message, 164);
    const auto harm = model.Apply(limits.Harm);
    limits.Harm = harm;
    EXPECT_EQ(limits.InterharmonicLimit(100), 0.9f);  // bin 95 Hz, entry 18
    EXPECT_EQ(limits.Harm[18], 0.9f);
    EXPECT_EQ(limits.HarmonicLimit(2), 2.0f);  // harmonic entries untouched
    EXPECT_EQ(model.Delete(9), 8);
    EXPECT_EQ(model.Items().size(), 9u);
}

TEST(LimitEditorSubDialogs, VseCalculation) {
    CLimitValues limits;
    CHarmonicLimitsModel current(CHarmonicLimitsModel::Mode::Current, limits, false);
    CVseModel vse(current.Vse());
    EXPECT_EQ(LimitItemText(vse.Parameters()[3], 2), "05\t15.00");  // standard parameters
    struct Case {
        const char *ia, *sa, *skv;
        int field;
    };
    // Each input must be greater than 0, checked in order.
    const Case refused[] = {{"0", "0", "0", CVseModel::kRatedCurrent},
                            {"10", "0.004", "1", CVseModel::kRatedPower},
                            {"10", "100", "-1", CVseModel::kShortCircuitPower}};
    for (const Case& c : refused) {
        const LimitCheck check = vse.Accept(c.ia, c.sa, c.skv);
        EXPECT_EQ(check.message, 1378);
        EXPECT_EQ(check.field, c.field);
    }
    EXPECT_EQ(vse.Accept("0", "1", "1").text,
              "The value for 'Rated current IA' must be greater than 0.0");
    int row = -1;
    EXPECT_EQ(vse.Set("1", "3", row).message, 171);
    ASSERT_TRUE(vse.Set("7", "-2", row).Ok());
    EXPECT_EQ(row, 5);
    EXPECT_EQ(vse.Parameters()[5].value, 0.0f);
    vse.Standard();
    ASSERT_TRUE(vse.Accept("10", "100", "10000").Ok());
    EXPECT_DOUBLE_EQ(vse.K(), 0.1);
    current.TakeVse(vse);
    EXPECT_EQ(current.ThdText(), "20.00");
    ASSERT_TRUE(current.Accept(current.ThdText()).Ok());
    EXPECT_EQ(current.Limits()[5 - 2], -1.5f);  // unselected, 15 x 0.1
    EXPECT_EQ(current.Vse().ratedCurrent, 10.0f);
}

TEST_F(LimitEditorModelTest, FailedSaveShowsItsCauseAndKeepsTheChanges) {
    const std::string readOnly = folder.Path() + "/data";
    ASSERT_EQ(::mkdir(readOnly.c_str(), 0755), 0);
    CLimitValues defaults;
    defaults.SetDefaults(50);
    const std::string path = readOnly + "/En50160-50Hz.gwd";
    ASSERT_TRUE(WriteLimitFile(path, defaults));
    ASSERT_EQ(::chmod(readOnly.c_str(), 0555), 0);
    model.Start(path, 50);
    int expectedId = 193;
    std::string expectedText = "Access to file " + path + " denied.";
    if (::access(readOnly.c_str(), W_OK) == 0) {
        // Rights beyond the mode bits (root): the folder goes away instead.
        ::chmod(readOnly.c_str(), 0755);
        ASSERT_EQ(::rename(readOnly.c_str(), (readOnly + "-gone").c_str()), 0);
        expectedId = 814;
        expectedText = "File " + path + " not found!";
    }
    CSignallingLimitsModel signalling = model.Signalling();
    signalling.Lists().MoveAllLeft();
    model.TakeSignalling(signalling);
    ASSERT_TRUE(model.Changed());

    EXPECT_FALSE(model.Save());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].id, expectedId);
    EXPECT_EQ(ui.messages[0].text, expectedText);
    EXPECT_EQ(model.Flags(), CLimitEditorModel::kSignalling);
    EXPECT_EQ(model.FileName(), path);
    // Save as starts where the user can write.
    ui.saveAnswer = folder.Path() + "/mine";
    EXPECT_TRUE(model.SaveAs());
    EXPECT_EQ(ui.saveQuestions.back().initialFolder, folder.Path());
    EXPECT_EQ(model.FileName(), folder.Path() + "/mine.gwd");
    EXPECT_FALSE(model.Changed());
    ::chmod(readOnly.c_str(), 0755);
}

TEST_F(LimitEditorModelTest, SaveChangesQuestionBeforeCloseOrOpen) {
    const std::string path = StartWithDefaults();
    const std::string other = folder.Path() + "/other.gwd";
    CLimitValues otherSet;
    otherSet.SetDefaults(60);
    ASSERT_TRUE(WriteLimitFile(other, otherSet));
    EXPECT_TRUE(model.ConfirmDiscard());  // nothing changed: nothing asked
    EXPECT_TRUE(ui.asked.empty());

    LimitFieldTexts fields = model.FieldTexts();
    fields[size_t(LimitField::NrEvents)] = "7";
    ASSERT_TRUE(model.TakeOver(fields).Ok());

    ui.answer = Answer::Cancel;
    EXPECT_FALSE(model.ConfirmDiscard());
    ASSERT_EQ(ui.asked.size(), 1u);
    EXPECT_EQ(ui.asked[0].id, 1186);
    EXPECT_TRUE(ui.asked[0].withCancel);

    ui.answer = Answer::No;
    EXPECT_TRUE(model.ConfirmDiscard());
    CLimitValues read;
    ASSERT_TRUE(ReadLimitFile(path, read));
    EXPECT_EQ(read.NrEvents, 100);  // nothing saved

    ui.answer = Answer::Yes;
    EXPECT_TRUE(model.ConfirmDiscard());
    ASSERT_TRUE(ReadLimitFile(path, read));
    EXPECT_EQ(read.NrEvents, 7);

    EXPECT_TRUE(model.Open(other));
    EXPECT_EQ(model.Working().PowSysNomFreq, 60);
    EXPECT_FALSE(model.Open(folder.Path() + "/none.gwd"));
    EXPECT_EQ(model.FileName(), other);
}

TEST_F(LimitEditorModelTest, UnnamedSetAlwaysAsksForAName) {
    model.Start("", 50);
    ui.saveAnswer.reset();
    EXPECT_FALSE(model.Save());
    ASSERT_EQ(ui.saveQuestions.size(), 1u);
    EXPECT_EQ(ui.saveQuestions[0].title, "Open limit level file");
    EXPECT_EQ(ui.saveQuestions[0].defaultExtension, "GWD");
    EXPECT_EQ(ui.saveQuestions[0].initialFolder, folder.Path());
    EXPECT_EQ(model.FileName(), "NoName.gwd");
}

TEST(LimitPrintout, LinesInOrderWithNoneForEmptyLists) {
    CLimitValues limits;
    limits.SetDefaults(50);
    limits.ClearSignalling();
    limits.SetInterharmonicLimit(120, 0.4f);
    limits.Text = "Site A";
    const auto lines = LimitPrintLines(limits, "/x/a.gwd");
    using Style = LimitPrintLine::Style;
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[0],
              (LimitPrintLine{Style::Title, "Limit value level file:  /x/a.gwd", "", ""}));
    EXPECT_EQ(lines[1].parameter, "Site A");
    EXPECT_EQ(lines[2], (LimitPrintLine{Style::Header, "Parameter", "Value", "Unit"}));
    EXPECT_EQ(lines[3], (LimitPrintLine{Style::Row, "Values within tolerance", "95", "%"}));
    EXPECT_EQ(lines[5],
              (LimitPrintLine{Style::Row, "positive tolerance, 95% of the time", "10.00", "%"}));
    auto after = [&](const std::string& heading) {
        for (size_t i = 0; i + 1 < lines.size(); ++i)
            if (lines[i].parameter == heading) return lines[i + 1];
        return LimitPrintLine{};
    };
    EXPECT_EQ(after("Voltage harmonics"), (LimitPrintLine{Style::Row, "02", "2.00", "%"}));
    EXPECT_EQ(after("Current harmonics").parameter, "No");
    EXPECT_EQ(after("Mains signaling voltage").parameter, "No");
    EXPECT_EQ(after("Interharmonics harmonics"),
              (LimitPrintLine{Style::Row, "0120 Hz", "0.40", "%"}));
    EXPECT_EQ(after("Fundamental, fn"),
              (LimitPrintLine{Style::Row, "positive tolerance, 99.5% of the time", "1", "%"}));
}

}  // namespace
}  // namespace varelo
