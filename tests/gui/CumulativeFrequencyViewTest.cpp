// The voltage and current cumulative frequency windows: selection, scaling, class limits and
// the printout's pages per phase.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QSpinBox>

#include "OpenedMeasurement.h"
#include "app/AppOptions.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "gui/app/ModalRunner.h"
#include "gui/dialogs/ClassLimitsDialog.h"
#include "gui/print/Printout.h"
#include "gui/views/ShfgView.h"
#include "gui/views/ViewRegistry.h"
#include "platform/Paths.h"

namespace varelo {
namespace {

class CumulativeViewTest : public test::OpenedMeasurementTest {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(Generate("week.VXM", "--function A --intervals 1008"));
    }
    void TearDown() override { ModalRunner::SetHook(nullptr); }
};

TEST_F(CumulativeViewTest, ClickedChannelsAreSelectedUpToNineAndOpenATimeplot) {
    CShfgView view(Context());
    EXPECT_EQ(view.TemplateId(), 182);
    EXPECT_FALSE(view.IsCommandEnabled(33023));  // nothing selected
    for (int channel = 0; channel < 10; ++channel)
        view.ClickChannel(channel);
    ASSERT_EQ(view.Picture().selection.size(), 9u);  // the tenth click selects nothing
    EXPECT_EQ(view.Picture().detail, 9);
    view.ClickChannel(3);  // a second click deselects
    EXPECT_EQ(view.Picture().selection, (std::vector<int>{0, 1, 2, 4, 5, 6, 7, 8}));

    QSignalSpy requested(&view, &ResultView::DocumentCommandRequested);
    ASSERT_TRUE(view.RunCommand(33023));
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.at(0).at(0).toInt(), 33022);
    ASSERT_TRUE(doc.UsesChannelList());
    const std::vector<int> handed = doc.TakeChannelList();
    ASSERT_EQ(handed.size(), 8u);
    EXPECT_EQ(handed[0], view.Picture().channels[0].channelId);
    EXPECT_EQ(handed[3], view.Picture().channels[4].channelId);
}

TEST_F(CumulativeViewTest, ScaleModesAreStoredPerViewAndShowTheirReference) {
    CShfgViewCurrent current(Context());
    EXPECT_EQ(current.TemplateId(), 183);
    EXPECT_TRUE(current.IsCommandChecked(33146));  // nominal values by default
    ASSERT_TRUE(current.RunCommand(33143));
    EXPECT_TRUE(current.IsCommandChecked(33143));
    EXPECT_EQ(settings.ReadInt(setting::ScalemodeAmpere), 0);
    EXPECT_EQ(settings.ReadInt(setting::Scalemode), 1);  // the voltage view's own key
    ASSERT_TRUE(current.RunCommand(33076));
    EXPECT_EQ(settings.ReadInt(setting::NewPageForPhase), 1);
}

TEST_F(CumulativeViewTest, ClassLimitsRefuseAnUpperLimitNotAboveTheLowerOne) {
    ClassLimitsDialog dialog(95, 5, ui);
    dialog.UpperBox()->setValue(40);
    dialog.LowerBox()->setValue(40);
    dialog.accept();
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{788});
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    // Through the view: accepted limits are stored and the class values follow.
    CShfgView view(Context());
    const double before = view.Picture().channels[0].upper;
    ModalRunner::SetHook([](QDialog& d) {
        auto& limits = static_cast<ClassLimitsDialog&>(d);
        limits.UpperBox()->setValue(50);
        limits.LowerBox()->setValue(10);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(view.RunCommand(33144));
    EXPECT_EQ(settings.ReadInt(setting::UpperClassLimit), 50);
    EXPECT_EQ(settings.ReadInt(setting::LowerClassLimit), 10);
    EXPECT_LE(view.Picture().channels[0].upper, before);
}

TEST_F(CumulativeViewTest, APageForEachPhaseWhenAsked) {
    CShfgView view(Context());
    auto pages = [&](bool perPhase) {
        if (view.Picture().settings.newPageForPhase != perPhase) view.RunCommand(33076);
        std::unique_ptr<Printout> printout = view.MakePrintout();
        QImage page(800, 20000, QImage::Format_RGB32);  // room for every line
        int count = 0;
        bool more = true;
        while (more && count < 20) {
            QPainter painter(&page);
            more = printout->PaintPage(painter, QRectF(0, 0, 800, 20000), PaintOptions(), ++count);
        }
        return count;
    };
    EXPECT_EQ(pages(false), 1);
    EXPECT_EQ(pages(true), 3);  // L1, L2 and L3 of a three-phase measurement
}

}  // namespace
}  // namespace varelo
