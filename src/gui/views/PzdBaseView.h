#pragma once

#include <QHash>
#include <QPoint>
#include <QRect>
#include <array>
#include <optional>

#include "gui/views/PzdPainter.h"
#include "gui/views/ResultView.h"
#include "timeplot/CurveData.h"
#include "timeplot/DiagramSettings.h"
#include "timeplot/DiagramState.h"
#include "timeplot/LimitLine.h"

class QScrollBar;

namespace varelo {

class Printout;

// The behaviour every level-time diagram shares: curves over a time axis with their ranges,
// scrolling, zooming with the mouse, the legend as the choice of the axis curves, energy and
// the limit line, and printing through the same paint routine as the screen.
class CPzdBaseView : public ResultView {
    Q_OBJECT

public:
    CPzdBaseView(const ViewContext& context, TimeAxis axis, QWidget* parent = nullptr);

    QString ViewName() const override;
    void OnDocumentUpdate() override;
    void Print(bool askPrinter) override;
    QList<QMenu*> WindowMenus() override;
    QAction* CommandAction(int commandId) const override;

    // New curves (their ranges kept where they were shown before), ranges for the scaling
    // mode, axis curves afresh or kept.
    void SetCurves(const std::vector<int>& channelIds, bool freshAxisCurves);
    // The next drawing recomputes every range (a harmonic reference changed).
    void MarkForRecalculation() { recalculate_ = true; }

    bool RunCommand(int commandId);
    // 33021: the curves and the window's start go to a new measurement value list.
    void OpenValueList();
    bool IsCommandEnabled(int commandId) const;
    bool IsCommandChecked(int commandId) const;

    const DiagramState& State() const { return state_; }
    DiagramState& State() { return state_; }
    const CurveData& Data() const { return data_; }
    // The drawing of the view's current state into an area (screen, printer or PDF).
    bool PaintDiagram(QPainter& painter, const QRectF& area, const PaintOptions& options,
                      bool decimate = true) const;
    std::unique_ptr<Printout> MakePrintout() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    virtual void ChoosePeriod(int period) { state_.ChoosePeriod(period); }
    void Changed();
    // Y-axis scaling dialog; OK hands the ranges back.
    void ScaleYAxis();

private:
    void BuildMenus();
    // The limit of the limit-line curve in the current limits; none without a limit line.
    LimitLine Limit() const;
    void ChooseChannels();
    void ScaleXAxis();
    void ChooseLimitLine();
    QAction* AddCommandAction(QMenu* menu, int commandId, bool checkable = false);
    void UpdateActions();
    void RebuildCurveData();
    ScaleSources Sources() const;
    PzdPicture Picture(bool decimate) const;
    PaintOptions ScreenOptions() const;
    QRectF ClientArea() const;
    QRect DiagramPixels() const;
    int LegendEntryAt(const QPoint& position) const;
    void UpdateScrollBar();
    void Scroll(int64_t steps);
    void PageToEnd(bool forward);

    DiagramState state_;
    CurveData data_;
    DiagramSettings settings_;
    std::array<QColor, 10> colors_{};
    std::vector<PzdCurveText> texts_;
    bool energy_ = false;
    bool scalingLeft_ = true;
    bool recalculate_ = false;
    QScrollBar* scroll_ = nullptr;
    std::optional<QPoint> dragStart_;
    QRect band_;
    QList<QMenu*> menus_;
    QHash<int, QAction*> actions_;
};

}  // namespace varelo
