#pragma once

#include <functional>
#include <memory>

#include "gui/print/Printout.h"
#include "gui/views/ResultView.h"

class QScrollBar;

namespace varelo {

// A printout of one page drawn by a view's paint routine. A drawing that does not fit below
// the information block is printed smaller rather than left out.
class SinglePagePrintout : public Printout {
public:
    // Draws into the area; false when it does not fit.
    using PaintFunction = std::function<bool(QPainter&, const QRectF&, const PaintOptions&)>;
    SinglePagePrintout(int kind, PaintFunction paint) : kind_(kind), paint_(std::move(paint)) {}

    int Kind() const override { return kind_; }
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                   int) override;

private:
    int kind_;
    PaintFunction paint_;
};

// A result view that paints its content with the routine its printout uses: white page,
// margins, a vertical scroll bar when the content is taller than the window, and "Window too
// small." when the drawing cannot fit.
class PaintedResultView : public ResultView {
    Q_OBJECT

public:
    explicit PaintedResultView(const ViewContext& context, QWidget* parent = nullptr);

    void Print(bool askPrinter) override;
    // The printout of the view's current state.
    virtual std::unique_ptr<Printout> MakePrintout() const = 0;

protected:
    // Draws the content into the area; false when the area is too small.
    virtual bool PaintContent(QPainter& painter, const QRectF& area,
                              const PaintOptions& options) = 0;
    // Height in pixels the content needs at the given width; 0 when it fits any window.
    virtual double ContentHeight(const PaintOptions&, double) const { return 0; }
    PaintOptions ScreenOptions() const;
    void UpdateScrollRange();
    // The area the content is painted into, in content coordinates, and how far the content
    // is scrolled up: a click at p lies at p + (0, ScrollOffset()) in the content.
    QRectF ContentArea() const;
    int ScrollOffset() const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QScrollBar* scroll_ = nullptr;
};

}  // namespace varelo
