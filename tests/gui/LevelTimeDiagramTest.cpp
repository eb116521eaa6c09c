// The level-time diagram window: opening, periods, scrolling, zooming with the mouse, and a
// decimated drawing that covers the same pixels as the full one.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include "OpenedMeasurement.h"
#include "app/AppOptions.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "gui/views/PzdView.h"
#include "gui/views/ViewRegistry.h"
#include "platform/Paths.h"
#include "timeplot/TimePeriodTable.h"

namespace varelo {
namespace {

// A generated year of function A with three recording gaps.
class LevelTimeDiagramTest : public test::OpenedMeasurementTest {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(Generate("year.VXM",
                             "--function A --intervals 52560 --missing 100:1 "
                             "--missing 20000:500 --missing 40000:1"));
    }
    std::unique_ptr<CPzdView> Open(const std::vector<int>& curves) {
        doc.HandOverChannels(curves, {}, true);
        return std::unique_ptr<CPzdView>(CPzdView::Create(Context(), nullptr));
    }
};

TEST_F(LevelTimeDiagramTest, OpensOnTheStoredPeriodWithTheHandedOverCurves) {
    settings.Write(setting::TimePeriod, 16);
    auto view = Open({1011, 2011, 1031});
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->TemplateId(), 181);
    EXPECT_EQ(view->State().CurveCount(), 3);
    EXPECT_EQ(view->State().Axis().Period(), kOneDayPeriod);
    EXPECT_EQ(view->State().LeftCurve(), 0);
    EXPECT_EQ(view->State().RightCurve(), 1);
    EXPECT_FALSE(doc.UsesChannelList() && !doc.TakeChannelList().empty());  // taken once

    // The registry opens it for command 33022; without a hand-over the phase voltages.
    doc.HandOverChannels({}, {}, false);
    const ViewKind* kind = FindViewKindByCommand(33022);
    ASSERT_NE(kind, nullptr);
    std::unique_ptr<ResultView> fromRegistry(kind->create(Context(), nullptr));
    ASSERT_NE(fromRegistry, nullptr);
    EXPECT_EQ(static_cast<CPzdView&>(*fromRegistry).State().CurveCount(), 3);

    // A cancelled choice opens no window.
    CPzdView::SetCurveChooser([](const CVamor800Doc&) { return std::nullopt; });
    EXPECT_EQ(CPzdView::Create(Context(), nullptr), nullptr);
    CPzdView::SetCurveChooser(nullptr);
}

TEST_F(LevelTimeDiagramTest, PeriodCommandsScrollingAndTheirEnabling) {
    auto view = Open({1011});
    view->resize(1200, 700);
    EXPECT_TRUE(view->IsCommandChecked(33145));  // the whole measurement
    EXPECT_FALSE(view->IsCommandEnabled(33145));
    EXPECT_FALSE(view->IsCommandEnabled(33159));  // no segments in the whole measurement
    ASSERT_TRUE(view->RunCommand(33141));         // 7 days
    EXPECT_EQ(view->State().Axis().Period(), kSevenDaysPeriod);
    // The window may move back until it ends with the measurement's first hour.
    EXPECT_TRUE(view->IsCommandEnabled(33161));
    const CTimeStamp first = view->State().Axis().WindowStart();
    ASSERT_TRUE(view->RunCommand(33159));  // one page on: a day of hourly steps
    CTimeStamp expected = first;
    expected.AddSeconds(86400);
    EXPECT_EQ(view->State().Axis().WindowStart(), expected);
    QTest::keyClick(view.get(), Qt::Key_Right);  // one step
    expected.AddSeconds(3600);
    EXPECT_EQ(view->State().Axis().WindowStart(), expected);
    ASSERT_TRUE(view->RunCommand(33158));  // to the end
    EXPECT_FALSE(view->IsCommandEnabled(33159));
    ASSERT_TRUE(view->RunCommand(33153));  // reduce: 8 days
    EXPECT_EQ(view->State().Axis().Period(), kSevenDaysPeriod + 1);
    ASSERT_TRUE(view->RunCommand(33092));  // thick curves, stored
    EXPECT_EQ(settings.ReadInt(setting::CurveWidth), 2);
    EXPECT_TRUE(view->IsCommandChecked(33092));
}

TEST_F(LevelTimeDiagramTest, MouseZoomAndItsUndo) {
    auto view = Open({1011, 2011});
    view->resize(1200, 700);
    view->RunCommand(33141);
    const YRange before = view->State().Range(0);
    // A drag across the middle of the diagram.
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(400, 250));
    QTest::mouseMove(view.get(), QPoint(700, 450));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(700, 450));
    ASSERT_TRUE(view->State().HasZoomHistory());
    EXPECT_LT(view->State().Range(0).Span(), before.Span());
    EXPECT_LT(view->State().Axis().Period(), kSevenDaysPeriod);
    EXPECT_TRUE(view->IsCommandEnabled(33151));
    ASSERT_TRUE(view->RunCommand(33151));  // zoom undo
    EXPECT_EQ(view->State().Range(0), before);
    EXPECT_EQ(view->State().Axis().Period(), kSevenDaysPeriod);
    // A click is no zoom.
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_FALSE(view->State().HasZoomHistory());
}

TEST_F(LevelTimeDiagramTest, DecimatedAndFullThinPenDrawingsMatchPixelForPixel) {
    auto view = Open({1011, 2011, 3011, 1031, 2031, 3031, 1067, 1084, 1305});
    QImage fast(1920, 1080, QImage::Format_RGB32), full(1920, 1080, QImage::Format_RGB32);
    for (QImage* image : {&fast, &full}) {
        image->fill(Qt::white);
        QPainter painter(image);
        PaintOptions options;
        ASSERT_TRUE(view->PaintDiagram(painter, QRectF(0, 0, 1920, 1080), options, image == &fast));
    }
    EXPECT_TRUE(fast == full);
    // And the drawing has curves in it: pixels of the first curve's colour.
    int coloured = 0;
    for (int y = 0; y < fast.height(); ++y) {
        for (int x = 0; x < fast.width(); ++x)
            coloured += fast.pixelColor(x, y) == QColor(0, 0, 255);
    }
    EXPECT_GT(coloured, 1000);
}

TEST_F(LevelTimeDiagramTest, ASmallWindowShowsOnlyItsNote) {
    auto view = Open({1011});
    QImage image(400, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_FALSE(view->PaintDiagram(painter, QRectF(0, 0, 299, 500), PaintOptions()));
    EXPECT_TRUE(view->PaintDiagram(painter, QRectF(0, 0, 300, 200), PaintOptions()));
}

}  // namespace
}  // namespace varelo
