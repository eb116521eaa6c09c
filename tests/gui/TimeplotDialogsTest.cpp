#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>

#include "ShellFixture.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "gui/dialogs/ChannelSelectionDialog.h"
#include "gui/dialogs/LimitValueDialog.h"
#include "gui/dialogs/XAxisScalingDialog.h"
#include "gui/dialogs/YAxisScalingDialog.h"
#include "timeplot/NiceScale.h"

namespace varelo::test {
namespace {

// The timeplot dialogs over a generated day of function A (ten-minute intervals).
class TimeplotDialogsTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Start();
        CloseStartupScreen();
        doc = app->OpenMeasurement(QString::fromStdString(Measurement("day.VXM", 144)));
        ASSERT_NE(doc, nullptr);
        dialogs.clear();
        messages.clear();
    }
    DiagramState Diagram(const std::vector<int>& curves) {
        const CIntervalList& intervals = doc->Data().intervals;
        DiagramState diagram(TimeAxis(intervals.FirstTimeStamp(), intervals.LastTimeStamp(),
                                      doc->GetIntervalLength()));
        diagram.SetCurves(curves);
        diagram.ComputeRanges(Sources());
        diagram.ChooseAxisCurvesAfresh();
        return diagram;
    }
    ScaleSources Sources() {
        return {[this](int id, double& begin, double& end) { doc->MeasuringRange(id, begin, end); },
                [this](int id, double& minimum, double& maximum) {
                    const ExtremeValue* e = doc->Extremes().Find(id);
                    if (!e) return false;
                    minimum = IsRangeLimited(id % 1000) ? Fold(e->maximum) : e->minimum;
                    maximum = IsRangeLimited(id % 1000) ? Fold(e->minimum) : e->maximum;
                    return true;
                }};
    }
    static QStringList Items(const QListWidget* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    int StoredInt(const char* section, const char* key) {
        return app->AppSettings().Store().GetInt(app->AppSettings().SettingsSection(section), key,
                                                 -100);
    }

    CVamor800Doc* doc = nullptr;
};

TEST_F(TimeplotDialogsTest, TimeplotChannelSelectionAddsTheSwitchedPhasesUpToNine) {
    ChannelSelectionDialog dialog(*doc, ChannelLayout::kTimeplot, app->AppSettings(), app->Ui());
    EXPECT_EQ(dialog.windowTitle(), "Timeplot - Channel selection");
    EXPECT_TRUE(dialog.AddAllButton()->isHidden());
    EXPECT_FALSE(dialog.ReplaceBox()->isHidden());
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.CountLabel()->text(), "0 channels selected (maximum 9)");
    ASSERT_EQ(dialog.OfferedList()->item(0)->text(), "V average");

    dialog.PhaseBox(1)->setChecked(false);
    dialog.OfferedList()->setCurrentRow(0);
    dialog.AddButton()->click();
    EXPECT_EQ(Items(dialog.ChosenList()), (QStringList{"V average L1", "V average L3"}));
    EXPECT_FALSE(dialog.AddButton()->isEnabled());  // both switched phases are in

    dialog.PhaseBox(1)->setChecked(true);
    for (int row = 0; row < 4; ++row) {
        dialog.OfferedList()->setCurrentRow(row);
        if (dialog.AddButton()->isEnabled()) dialog.AddButton()->click();
    }
    EXPECT_EQ(dialog.ChosenList()->count(), 9);
    dialog.OfferedList()->setCurrentRow(5);
    EXPECT_FALSE(dialog.AddButton()->isEnabled());
    EXPECT_EQ(dialog.CountLabel()->text(), "9 channels selected (maximum 9)");

    // Replace the third channel: the count stays.
    dialog.ChosenList()->setCurrentRow(2);
    ASSERT_TRUE(dialog.ReplaceBox()->isEnabled());
    dialog.ReplaceBox()->setChecked(true);
    ASSERT_TRUE(dialog.AddButton()->isEnabled());
    dialog.AddButton()->click();
    EXPECT_EQ(dialog.ChosenList()->count(), 9);
    EXPECT_EQ(dialog.Channels()[2] % 1000, dialog.Selection().Offered()[5]);
    EXPECT_FALSE(dialog.ReplaceBox()->isChecked());

    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(StoredInt("Level-Time OffLine", "A"), 9);
    EXPECT_EQ(StoredInt("Level-Time OffLine", "A00"), 1011);
}

TEST_F(TimeplotDialogsTest, ChannelSelectionOfADiagramWithZoomsAsksBeforeOk) {
    DiagramState diagram = Diagram({1011, 1031});
    ASSERT_TRUE(diagram.Zoom({100, 100, 200, 200}, {0, 0, 960, 500}));
    ChannelSelectionDialog dialog(*doc, ChannelLayout::kTimeplot, app->AppSettings(), app->Ui(),
                                  &diagram, false);
    EXPECT_EQ(Items(dialog.ChosenList()), (QStringList{"V average L1", "I average L1"}));
    dialog.show();
    dialog.OkButton()->click();  // the message box is answered without Yes
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Str(373));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(StoredInt("Level-Time OffLine", "A"), -100);
}

TEST_F(TimeplotDialogsTest, ExportChannelSelectionAddsEverything) {
    ChannelSelectionDialog dialog(*doc, ChannelLayout::kExport, app->AppSettings(), app->Ui());
    EXPECT_EQ(dialog.windowTitle(), "Export - Channel selection");
    EXPECT_TRUE(dialog.ReplaceBox()->isHidden());
    ASSERT_TRUE(dialog.AddAllButton()->isEnabled());
    dialog.AddAllButton()->click();
    const int count = dialog.ChosenList()->count();
    EXPECT_GT(count, 150);  // three phases of the plain quantities and every harmonic
    EXPECT_EQ(dialog.CountLabel()->text(),
              QString("%1 channels selected (maximum 999)").arg(count));
    dialog.RemoveAllButton()->click();
    EXPECT_EQ(dialog.ChosenList()->count(), 0);
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
}

TEST_F(TimeplotDialogsTest, YAxisScalingRefusesBadManualValuesWithTheFocusOnTheField) {
    DiagramState diagram = Diagram({1011, 1084});
    YAxisScalingDialog dialog(diagram, Sources(), *doc, app->AppSettings(), app->Ui());
    EXPECT_EQ(dialog.windowTitle(), "Timeplot - Scaling Y-axis");
    EXPECT_FALSE(dialog.ZoomBox()->isEnabled());
    EXPECT_FALSE(dialog.BottomEdit(0)->isEnabled());
    // The power factor's whole measuring range, unfolded: from -0 through 1 to 0.
    EXPECT_EQ(dialog.BottomEdit(1)->text(), "-0.000");
    EXPECT_EQ(dialog.TopEdit(1)->text(), "0.000");
    dialog.show();

    dialog.ModeButton(kScaleManual)->click();
    ASSERT_TRUE(dialog.BottomEdit(0)->isEnabled());
    Type(dialog.BottomEdit(0), "10");
    Type(dialog.TopEdit(0), "10");
    dialog.accept();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Str(1172));
    EXPECT_EQ(dialog.focusWidget(), dialog.TopEdit(0));

    Type(dialog.BottomEdit(0), "-1000000");
    dialog.accept();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find("within -999000 to 999000."), std::string::npos) << messages[1];
    EXPECT_EQ(dialog.focusWidget(), dialog.BottomEdit(0));

    Type(dialog.BottomEdit(0), "200");
    Type(dialog.TopEdit(0), "250");
    Type(dialog.TopEdit(1), "1.5");
    dialog.accept();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_NE(messages[2].find("within -1 to 1."), std::string::npos) << messages[2];
    EXPECT_EQ(dialog.focusWidget(), dialog.TopEdit(1));

    Type(dialog.TopEdit(1), "0.00");  // back to the whole scale
    dialog.RightButton(1)->click();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(diagram.Range(0), (YRange{200, 250}));
    EXPECT_EQ(diagram.Range(1), (YRange{-1, 1}));
    EXPECT_EQ(diagram.RightCurve(), 1);
    EXPECT_EQ(app->AppSettings().ReadInt(setting::Yscaling), kScaleManual);
}

TEST_F(TimeplotDialogsTest, YAxisScalingGroupsAndZoom) {
    DiagramState diagram = Diagram({1011, 2011, 1084});
    diagram.SetScalingMode(kScaleExtremes);
    ASSERT_TRUE(diagram.Zoom({100, 100, 200, 200}, {0, 0, 960, 500}));
    YAxisScalingDialog dialog(diagram, Sources(), *doc, app->AppSettings(), app->Ui());
    EXPECT_TRUE(dialog.ZoomBox()->isChecked());
    EXPECT_FALSE(dialog.ModeButton(kScaleManual)->isEnabled());
    EXPECT_TRUE(dialog.GroupScalingBox()->isHidden());

    dialog.ZoomBox()->setChecked(false);
    EXPECT_TRUE(dialog.ModeButton(kScaleExtremes)->isChecked());
    EXPECT_FALSE(dialog.GroupScalingBox()->isHidden());
    dialog.GroupScalingBox()->setChecked(true);
    ASSERT_TRUE(dialog.GroupBox(2)->isEnabled());
    EXPECT_EQ(dialog.GroupBox(2)->count(), 3);
    EXPECT_EQ(dialog.GroupBox(0)->currentText(), "1");
    EXPECT_EQ(dialog.GroupBox(1)->currentText(), "1");
    dialog.GroupBox(2)->activated(0);  // the power factor cannot join the voltages
    EXPECT_EQ(dialog.GroupBox(2)->currentText(), "2");
    EXPECT_EQ(dialog.TopEdit(0)->text(), dialog.TopEdit(1)->text());

    dialog.accept();  // leaving the zoom asks first; the box is answered without Yes
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Str(373));
    EXPECT_TRUE(diagram.HasZoomHistory());
}

TEST_F(TimeplotDialogsTest, XAxisScalingOffersNoPeriodShorterThanTenMinutes) {
    TimeAxis axis = Diagram({1011}).Axis();
    axis.SetPeriod(16, true);
    XAxisScalingDialog dialog(axis);
    EXPECT_EQ(dialog.windowTitle(), "Timeplot - Scaling X-axis");
    const QStringList periods = Items(dialog.PeriodList());
    ASSERT_EQ(periods.size(), 23);
    EXPECT_EQ(periods.first(), "Measurement period");
    EXPECT_EQ(periods.last(), "10 minutes");
    EXPECT_EQ(dialog.PeriodList()->currentItem()->text(), "1 day");
    EXPECT_TRUE(dialog.TimeEdit()->isEnabled());

    dialog.PeriodList()->setCurrentRow(periods.indexOf("14 days"));
    EXPECT_TRUE(dialog.DateEdit()->isEnabled());
    EXPECT_FALSE(dialog.TimeEdit()->isEnabled());
    dialog.PeriodList()->setCurrentRow(periods.indexOf("Measurement period"));
    EXPECT_FALSE(dialog.DateEdit()->isEnabled());

    dialog.PeriodList()->setCurrentRow(periods.indexOf("2 hours"));
    dialog.TimeEdit()->setTime(QTime(13, 37, 0));
    EXPECT_EQ(dialog.Period(), 9);
    EXPECT_EQ(dialog.Start().hour, 13);
    EXPECT_EQ(dialog.Start().minute, 37);
    dialog.Scaling().Apply(axis);
    EXPECT_EQ(axis.Period(), 9);
    EXPECT_EQ(axis.WindowStart().minute, 35);  // no align: the 5-minute grid only
}

TEST_F(TimeplotDialogsTest, LimitValueListsHarmonicsOnceAndWithoutRemovesTheLine) {
    DiagramState harmonics = Diagram({1303, 2305, 3307});
    harmonics.SetLimitLine(1, 0);
    LimitValueDialog dialog(harmonics, *doc);
    EXPECT_EQ(dialog.windowTitle(), "Level-Time Diagram - Limit value");
    EXPECT_EQ(Items(dialog.List()), (QStringList{"V h3 L1\t5 %", "V h5 L2\t6 %", "V h7 L3\t5 %"}));
    EXPECT_EQ(dialog.List()->currentRow(), 1);
    dialog.List()->setCurrentRow(2);
    EXPECT_EQ(dialog.Curve(), 2);
    dialog.WithoutButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Curve(), -1);

    DiagramState voltages = Diagram({1031, 2011});
    LimitValueDialog pairs(voltages, *doc);
    EXPECT_EQ(Items(pairs.List()),
              (QStringList{"V average L2\t[95%]   +10/ -10 %", "V average L2\t[100%] +10/ -15 %"}));
    pairs.List()->setCurrentRow(1);
    EXPECT_EQ(pairs.Curve(), 1);
    EXPECT_EQ(pairs.Band(), 1);

    DiagramState none = Diagram({1031});
    LimitValueDialog empty(none, *doc);
    EXPECT_EQ(empty.List()->count(), 0);
    EXPECT_FALSE(empty.OkButton()->isEnabled());
}

}  // namespace
}  // namespace varelo::test
