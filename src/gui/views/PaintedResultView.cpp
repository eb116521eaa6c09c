#include "gui/views/PaintedResultView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "gui/views/ViewPrinting.h"

namespace varelo {

namespace {

constexpr double kMarginMm = 4;
constexpr int kTooSmallText = 1434;

}  // namespace

bool SinglePagePrintout::PaintPage(QPainter& painter, const QRectF& area,
                                   const PaintOptions& options, int) {
    constexpr double kStep = 0.9, kSmallest = 0.4;
    for (double scale = 1; scale >= kSmallest; scale *= kStep) {
        painter.save();
        painter.translate(area.topLeft());
        painter.scale(scale, scale);
        bool painted =
            paint_(painter, QRectF(0, 0, area.width() / scale, area.height() / scale), options);
        painter.restore();
        if (painted) break;
    }
    return false;
}

PaintedResultView::PaintedResultView(const ViewContext& context, QWidget* parent)
    : ResultView(context, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->hide();
    connect(scroll_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

PaintOptions PaintedResultView::ScreenOptions() const {
    PaintOptions options;
    options.pxPerMm = logicalDpiY() / 25.4;
    return options;
}

void PaintedResultView::UpdateScrollRange() {
    const PaintOptions options = ScreenOptions();
    const double margin = options.Mm(kMarginMm);
    double needed = ContentHeight(options, width() - 2 * margin - scroll_->sizeHint().width());
    int excess = needed > 0 ? int(needed + 2 * margin) - height() : 0;
    scroll_->setVisible(excess > 0);
    scroll_->setRange(0, qMax(0, excess));
    scroll_->setPageStep(height());
    scroll_->setSingleStep(qMax(1, int(options.Mm(5))));
    scroll_->setGeometry(width() - scroll_->sizeHint().width(), 0, scroll_->sizeHint().width(),
                         height());
}

QRectF PaintedResultView::ContentArea() const {
    const PaintOptions options = ScreenOptions();
    const double margin = options.Mm(kMarginMm);
    double right = width() - margin - (scroll_->isVisible() ? scroll_->width() : 0);
    double needed = ContentHeight(options, right - margin);
    double bottom = needed > 0 ? margin + qMax(needed, height() - 2 * margin) : height() - margin;
    return QRectF(QPointF(margin, margin), QPointF(right, bottom));
}

int PaintedResultView::ScrollOffset() const {
    return scroll_->value();
}

void PaintedResultView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const PaintOptions options = ScreenOptions();
    painter.translate(0, -scroll_->value());
    if (!PaintContent(painter, ContentArea(), options)) {
        painter.resetTransform();
        painter.fillRect(rect(), Qt::white);
        painter.setPen(Qt::black);
        painter.setFont(options.Font(3.5));
        painter.drawText(rect(), Qt::AlignCenter, Q(Str(kTooSmallText)));
    }
}

void PaintedResultView::resizeEvent(QResizeEvent* event) {
    ResultView::resizeEvent(event);
    UpdateScrollRange();
}

void PaintedResultView::wheelEvent(QWheelEvent* event) {
    if (!scroll_->isVisible()) return ResultView::wheelEvent(event);
    scroll_->setValue(scroll_->value() - event->angleDelta().y() / 120 * scroll_->singleStep() * 3);
    event->accept();
}

void PaintedResultView::Print(bool askPrinter) {
    PrintView(*this, context_, *MakePrintout(), askPrinter);
}

}  // namespace varelo
