#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTreeWidget>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "gui/app/QtText.h"
#include "gui/job/JobCurrentDialog.h"
#include "gui/job/JobGeneralDialog.h"
#include "gui/job/JobInterharmonicDialog.h"
#include "gui/job/JobPeriodDialog.h"
#include "job/JobEditor.h"
#include "job/JobSchedule.h"
#include "platform/SettingsStore.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

void Type(QLineEdit* field, const QString& text) {
    field->setText(text);
}

// An offline editor for function A, opened on a fixed day: a 408b without a sensor, 600-s
// intervals on linear memory, start 2024-03-05 15:30 and end a week later.
class JobPageDialogsTest : public ::testing::Test {
protected:
    JobEditor Editor() {
        const JobEditorContext context{settings, ui, dir.Path(), dir.Path(), dir.Path()};
        std::optional<JobEditor> editor = JobEditor::OpenWith(kMeasFuncA, nullptr, context, now);
        EXPECT_TRUE(editor.has_value());
        return *editor;
    }
    // The message ids shown since the last call.
    std::vector<int> TakeMessages() {
        std::vector<int> ids;
        for (const auto& m : ui.messages) {
            EXPECT_EQ(m.icon, MessageIcon::Warning) << m.id;
            ids.push_back(m.id);
        }
        ui.messages.clear();
        return ids;
    }

    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
    CTimeStamp now{2024, 3, 5, 14, 37, 21};
};

TEST_F(JobPageDialogsTest, GeneralRefusesTolerancesInOrderWithTheFocusOnTheField) {
    const JobEditor editor = Editor();
    JobGeneralDialog dialog(editor, ui);
    EXPECT_EQ(dialog.windowTitle(), "Set up a Logger for function A - General");
    QLineEdit* positive = static_cast<QLineEdit*>(dialog.FieldWidget(JobField::PositiveTolerance));
    QLineEdit* negative = static_cast<QLineEdit*>(dialog.FieldWidget(JobField::NegativeTolerance));
    QLineEdit* hysteresis = static_cast<QLineEdit*>(dialog.FieldWidget(JobField::Hysteresis));
    EXPECT_EQ(positive->text(), "10.0");
    EXPECT_EQ(negative->text(), "10.0");

    struct Case {
        const char* positive;
        const char* negative;
        const char* hysteresis;
        int message;
        QWidget* focus;
    };
    const Case cases[] = {
        {"20.1", "0.9", "0", 752, positive},  // the positive tolerance is checked first
        {"0.9", "10", "0", 753, positive},    {"10", "0.9", "0", 753, negative},
        {"10", "100.1", "0", 751, negative},  {"10", "10", "4.01", 61715, hysteresis},
        {"10", "10", "x", 61715, hysteresis},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.positive) + " " + c.negative + " " + c.hysteresis);
        Type(positive, c.positive);
        Type(negative, c.negative);
        Type(hysteresis, c.hysteresis);
        EXPECT_FALSE(dialog.TryAccept());
        EXPECT_EQ(TakeMessages(), std::vector<int>{c.message});
        EXPECT_EQ(dialog.focusWidget(), c.focus);
        EXPECT_EQ(dialog.Job(), editor.Job()) << "a refusal takes nothing over";
    }
    EXPECT_EQ(positive->maxLength(), 5);
    EXPECT_EQ(dialog.CaptionEdit(0)->maxLength(), 20);
    EXPECT_EQ(dialog.TextEdit(5)->maxLength(), 40);

    Type(positive, "20");
    Type(negative, "12.3");
    Type(hysteresis, "4");
    dialog.TextEdit(2)->setText("Feeder 7");
    dialog.MemoryModelList()->setCurrentIndex(1);
    ASSERT_TRUE(dialog.TryAccept());
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_FLOAT_EQ(dialog.Job().VoltUpperThreshShort, 120.0f);
    EXPECT_FLOAT_EQ(dialog.Job().VoltLowerThreshShort, 87.7f);
    EXPECT_DOUBLE_EQ(dialog.Job().EventHysteresis, 4.0);
    EXPECT_EQ(dialog.Job().EventMemModel, 1);
    EXPECT_EQ(dialog.Job().JobText[2], "Feeder 7");
}

TEST_F(JobPageDialogsTest, PeriodSetMovesBeginAndEndAndTheBeginDragsTheEnd) {
    const JobEditor editor = Editor();
    CTimeStamp pcNow(2024, 3, 6, 9, 12, 40);
    JobPeriodDialog dialog(editor, ui, nullptr, [&pcNow] { return pcNow; });
    EXPECT_EQ(dialog.windowTitle(), "Set up a Logger for function A - Measurement period");
    EXPECT_EQ(dialog.StartChoiceList()->count(), 7);
    EXPECT_EQ(dialog.StartChoiceList()->currentText(), Q(Str(1443)));
    EXPECT_EQ(dialog.BeginDate()->minimumDate(), QDate(1982, 1, 1));
    EXPECT_EQ(dialog.BeginDate()->date(), QDate(2024, 3, 5));
    EXPECT_EQ(dialog.BeginTime()->time(), QTime(15, 30));

    // Next full hour: 10:00, the end 1008 intervals of 600 s (7 days) later.
    dialog.SetButton()->click();
    EXPECT_EQ(dialog.Job().ProgStartMeas, CTimeStamp(2024, 3, 6, 10, 0, 0));
    EXPECT_EQ(dialog.EndDate()->date(), QDate(2024, 3, 13));
    EXPECT_EQ(dialog.EndTime()->time(), QTime(10, 0));
    // + 5 minutes: 09:17:40, up to the next 10 minutes.
    dialog.StartChoiceList()->setCurrentIndex(2);
    dialog.SetButton()->click();
    EXPECT_EQ(dialog.Job().ProgStartMeas, CTimeStamp(2024, 3, 6, 9, 20, 0));

    dialog.BeginDate()->setDate(QDate(2024, 4, 1));
    EXPECT_EQ(dialog.Job().ProgStopMeas, CTimeStamp(2024, 4, 8, 9, 20, 0));
    EXPECT_EQ(dialog.EndDate()->date(), QDate(2024, 4, 8));
}

TEST_F(JobPageDialogsTest, PeriodOkRefusesAnEndBeforeTheBeginAndCorrectsAnEndBeyondTheMemory) {
    const JobEditor editor = Editor();
    JobPeriodDialog dialog(editor, ui);
    // The end before the begin stays open with the focus on the end.
    dialog.EndDate()->setDate(QDate(2024, 3, 4));
    EXPECT_FALSE(dialog.TryAccept());
    EXPECT_EQ(TakeMessages(), std::vector<int>{796});
    EXPECT_EQ(dialog.focusWidget(), dialog.EndDate());

    // Exactly 1008 intervals is accepted as it is.
    dialog.EndDate()->setDate(QDate(2024, 3, 12));
    EXPECT_TRUE(dialog.TryAccept());
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(dialog.Job().ProgStopMeas, CTimeStamp(2024, 3, 12, 15, 30, 0));

    // One interval more on linear memory: 797, corrected to the limit and closed.
    dialog.EndTime()->setTime(QTime(15, 40));
    EXPECT_TRUE(dialog.TryAccept());
    EXPECT_EQ(TakeMessages(), std::vector<int>{797});
    EXPECT_EQ(dialog.Job().ProgStopMeas, CTimeStamp(2024, 3, 12, 15, 30, 0));
    EXPECT_EQ(dialog.EndTime()->time(), QTime(15, 30));
}

TEST_F(JobPageDialogsTest, PeriodSegmentButtonsRefuseEqualAndOverlappingSegments) {
    const JobEditor editor = Editor();
    JobPeriodDialog dialog(editor, ui);
    EXPECT_EQ(dialog.SegmentBeginTime()->time(), QTime(1, 0));
    EXPECT_EQ(dialog.SegmentEndTime()->time(), QTime(23, 0));
    auto segment = [&](int beginDay, QTime begin, int endDay, QTime end) {
        dialog.SegmentBeginDay()->setCurrentIndex(dialog.SegmentBeginDay()->findData(beginDay));
        dialog.SegmentBeginTime()->setTime(begin);
        dialog.SegmentEndDay()->setCurrentIndex(dialog.SegmentEndDay()->findData(endDay));
        dialog.SegmentEndTime()->setTime(end);
        dialog.AddButton()->click();
    };
    segment(1, QTime(8, 0), 1, QTime(8, 0));  // Monday 08:00 to Monday 08:00
    EXPECT_EQ(TakeMessages(), std::vector<int>{783});
    EXPECT_EQ(dialog.focusWidget(), dialog.SegmentBeginDay());
    EXPECT_EQ(dialog.SegmentList()->topLevelItemCount(), 0);

    segment(1, QTime(8, 0), 5, QTime(18, 0));  // Monday 08:00 to Friday 18:00
    EXPECT_TRUE(TakeMessages().empty());
    ASSERT_EQ(dialog.SegmentList()->topLevelItemCount(), 1);
    EXPECT_EQ(dialog.SegmentList()->topLevelItem(0)->text(0), "Monday");
    EXPECT_EQ(dialog.SegmentList()->topLevelItem(0)->text(3), "18:00");
    // The end now counts only the intervals inside the segment: 1008 of them in 106 hours a
    // week, so past a week after the begin.
    EXPECT_GT(dialog.Job().ProgStopMeas, CTimeStamp(2024, 3, 12, 15, 30, 0));

    segment(2, QTime(9, 0), 3, QTime(10, 0));  // inside the first
    EXPECT_EQ(TakeMessages(), std::vector<int>{790});
    EXPECT_EQ(dialog.SegmentList()->topLevelItemCount(), 1);

    // "daily" as begin makes the end daily and locks it.
    dialog.SegmentBeginDay()->setCurrentIndex(dialog.SegmentBeginDay()->findData(0));
    EXPECT_EQ(dialog.SegmentEndDay()->currentText(), "daily");
    EXPECT_FALSE(dialog.SegmentEndDay()->isEnabled());
    dialog.SegmentBeginDay()->setCurrentIndex(0);
    EXPECT_TRUE(dialog.SegmentEndDay()->isEnabled());
    EXPECT_EQ(dialog.SegmentEndDay()->findData(0), -1);

    // Delete without a selection asks 779; Yes deletes all.
    dialog.SegmentList()->clearSelection();
    dialog.DeleteButton()->click();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].id, 779);
    EXPECT_EQ(dialog.SegmentList()->topLevelItemCount(), 0);
    EXPECT_TRUE(dialog.AddButton()->isEnabled());

    // Below a minute the segments cannot be edited.
    JobEditor tenSeconds = Editor();
    BasicSettings basic = tenSeconds.Basic();
    basic.interval = 10;
    ASSERT_TRUE(tenSeconds.ApplyBasic(basic).Accepted());
    JobPeriodDialog fast(tenSeconds, ui);
    EXPECT_FALSE(fast.AddButton()->isEnabled());
    EXPECT_FALSE(fast.SegmentBeginDay()->isEnabled());
}

TEST_F(JobPageDialogsTest, CurrentRefusesValuesInOrderWithTheFocusOnTheField) {
    const JobEditor editor = Editor();
    JobCurrentDialog dialog(editor, ui);
    EXPECT_EQ(dialog.windowTitle(), "Set up a Logger for function A - Current");
    // Without a sensor neither neutral is possible.
    EXPECT_FALSE(dialog.MeasuredButton()->isEnabled());
    EXPECT_FALSE(dialog.CalculatedButton()->isEnabled());
    auto field = [&](JobField f) { return dialog.FieldWidget(f); };
    auto edit = [&](JobField f) { return static_cast<QLineEdit*>(field(f)); };
    dialog.PhaseTransformerBox()->setChecked(true);
    dialog.SpecialTransformerBox()->setChecked(true);

    struct Case {
        const char* range;
        const char* primary;
        const char* secondary;
        const char* shift;
        int message;
        JobField focus;
    };
    const Case cases[] = {
        {"1500.01", "0", "0", "10", 872, JobField::PhaseRange},  // Imax is 1500 A
        {"0.001", "100", "5", "0", 872, JobField::PhaseRange},
        {"150", "0", "5", "0", 1422, JobField::PhasePrimary},
        {"150", "100", "999000.01", "0", 1423, JobField::PhaseSecondary},
        {"150", "100", "5", "-10", 1106, JobField::PhaseShift},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        dialog.PhaseRangeList()->setCurrentText(c.range);
        edit(JobField::PhasePrimary)->setText(c.primary);
        edit(JobField::PhaseSecondary)->setText(c.secondary);
        edit(JobField::PhaseShift)->setText(c.shift);
        EXPECT_FALSE(dialog.TryAccept());
        EXPECT_EQ(TakeMessages(), std::vector<int>{c.message});
        EXPECT_EQ(dialog.focusWidget(), field(c.focus));
    }
    dialog.PhaseRangeList()->setCurrentText("1500.01");
    dialog.TryAccept();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("within 0.01 to 1500 A."), std::string::npos)
        << ui.messages[0].text;
    TakeMessages();

    dialog.PhaseRangeList()->setCurrentText("150");
    edit(JobField::PhaseShift)->setText("-9.9");
    ASSERT_TRUE(dialog.TryAccept());
    EXPECT_EQ(dialog.Job().PhCurrClampRawVal, 15000);
    EXPECT_EQ(dialog.Job().PhCurrPrimaryRawVal, 10000);
    EXPECT_EQ(dialog.Job().PhCurrSecondaryRawVal, 500);
    EXPECT_EQ(dialog.Job().PhaseCorrRawVal, -990);
    EXPECT_EQ(dialog.Job().NeutralMeas, 0);
}

TEST_F(JobPageDialogsTest, CurrentChecksTheMeasuredNeutralAgainstTheSensor) {
    settings.Write(setting::LastUsedClamp, 2);  // flexible, 3-phase + N
    settings.Write(setting::MaxClampCurrent, 3000);
    const JobEditor editor = Editor();
    JobCurrentDialog dialog(editor, ui);
    ASSERT_TRUE(dialog.MeasuredButton()->isEnabled());
    EXPECT_TRUE(dialog.CalculatedButton()->isEnabled());
    EXPECT_EQ(dialog.PhaseRangeList()->itemText(0), "3000");
    dialog.MeasuredButton()->setChecked(true);
    auto* neutral = static_cast<QComboBox*>(dialog.FieldWidget(JobField::NeutralRange));
    EXPECT_TRUE(neutral->isEnabled());
    dialog.PhaseRangeList()->setCurrentText("3000");
    neutral->setCurrentText("3000.5");
    EXPECT_FALSE(dialog.TryAccept());
    EXPECT_EQ(TakeMessages(), std::vector<int>{870});
    EXPECT_EQ(dialog.focusWidget(), neutral);
    neutral->setCurrentText("150");
    ASSERT_TRUE(dialog.TryAccept());
    EXPECT_EQ(dialog.Job().NeutralMeas, 1);
    EXPECT_EQ(dialog.Job().NeutralClampCurrRawVal, 15000);
}

TEST_F(JobPageDialogsTest, InterharmonicAddDeleteAndTheConversionOnSwitching) {
    const JobEditor editor = Editor();
    JobInterharmonicDialog dialog(editor, ui);
    EXPECT_EQ(dialog.windowTitle(), "Set up a Logger for function A - Interharmonic voltage");
    EXPECT_EQ(dialog.PrincipleList()->currentIndex(), 2);
    EXPECT_EQ(dialog.TextEdit()->maxLength(), 30);
    EXPECT_EQ(dialog.ValueLabel()->text(), "F&requency:");

    // 175 Hz at 50 Hz is order 3.50; back it is 175 Hz again. Out of range Hz is limited.
    const struct {
        const char* hertz;
        const char* order;
        const char* back;
    } conversions[] = {{"175", "3.50", "175"}, {"2600", "50.00", "2500"}, {"1", "0.10", "5"}};
    for (const auto& c : conversions) {
        SCOPED_TRACE(c.hertz);
        dialog.ValueEdit()->setText(c.hertz);
        dialog.RelativeButton()->setChecked(true);
        EXPECT_EQ(dialog.ValueEdit()->text(), c.order);
        EXPECT_EQ(dialog.ValueLabel()->text(), "O&rder:");
        EXPECT_EQ(dialog.UnitLabel()->text(), "V h");
        dialog.AbsoluteButton()->setChecked(true);
        EXPECT_EQ(dialog.ValueEdit()->text(), c.back);
        EXPECT_EQ(dialog.UnitLabel()->text(), "Hz");
    }

    dialog.ValueEdit()->setText("2501");
    dialog.AddButton()->click();
    EXPECT_EQ(TakeMessages(), std::vector<int>{826});
    EXPECT_EQ(dialog.focusWidget(), dialog.ValueEdit());
    EXPECT_EQ(dialog.ChannelList()->count(), 0);

    dialog.ValueEdit()->setText("2500");
    dialog.TextEdit()->setText("Ripple control");
    dialog.AddButton()->click();
    EXPECT_TRUE(TakeMessages().empty());
    ASSERT_EQ(dialog.ChannelList()->count(), 1);
    EXPECT_TRUE(dialog.TextEdit()->text().isEmpty());
    EXPECT_EQ(dialog.Job().HarmOrder[0], 5000);
    EXPECT_EQ(dialog.Job().HarmText[0], "Ripple control");
    EXPECT_TRUE(dialog.ChannelList()->item(0)->text().startsWith("2500 Hz"));

    dialog.AddButton()->click();
    EXPECT_EQ(TakeMessages(), std::vector<int>{883});
    EXPECT_EQ(dialog.ChannelList()->count(), 1);

    dialog.RelativeButton()->setChecked(true);
    for (const char* order : {"50.01", "0.09"}) {
        dialog.ValueEdit()->setText(order);
        dialog.AddButton()->click();
        EXPECT_EQ(TakeMessages(), std::vector<int>{1100});
    }
    for (const char* order : {"3", "5", "7", "9"}) {
        dialog.ValueEdit()->setText(order);
        dialog.AddButton()->click();
    }
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(dialog.ChannelList()->count(), 5);
    dialog.ValueEdit()->setText("11");
    dialog.AddButton()->click();  // a sixth only beeps
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(dialog.Job().NrInterHarm, 5);

    dialog.ChannelList()->setCurrentRow(0);
    dialog.DeleteButton()->click();
    ASSERT_EQ(dialog.ChannelList()->count(), 4);
    EXPECT_EQ(dialog.Job().HarmOrder[0], 300);
    EXPECT_TRUE(ui.questions.empty());
    dialog.ChannelList()->clearSelection();
    ui.answerYes = false;
    dialog.DeleteButton()->click();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].id, 964);
    EXPECT_EQ(dialog.ChannelList()->count(), 4);
}

}  // namespace
}  // namespace varelo
