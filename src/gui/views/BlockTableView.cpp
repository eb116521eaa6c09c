#include "gui/views/BlockTableView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "app/StringTable.h"
#include "gui/print/Printout.h"
#include "gui/views/BlockTablePainter.h"
#include "gui/views/ViewPrinting.h"

namespace varelo {

namespace {

constexpr double kScreenMargin = 5;  // pixels around the table
constexpr int kTooSmallText = 1434;

PaintOptions ScreenOptions(const QWidget& widget) {
    PaintOptions options;
    options.pxPerMm = widget.logicalDpiY() / 25.4;
    return options;
}

// The blocks on pages below the page header: each page starts with the column header box and
// takes the blocks that fit whole.
class BlockTablePrintout : public Printout {
public:
    BlockTablePrintout(BlockReport report, int kind) : report_(std::move(report)), kind_(kind) {}

    int Kind() const override { return kind_; }
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                   int page) override {
        if (page == 1) next_ = 0;
        const BlockTablePainter table(report_, options);
        if (!table.Fits(area, painter.device())) return page == 1 && !report_.blocks.empty();
        const size_t drawn = table.Paint(painter, area, next_, true);
        next_ += drawn;
        // The first page may have no room left below the information block; a later page
        // that takes no block would never end.
        return next_ < report_.blocks.size() && (drawn > 0 || page == 1);
    }

private:
    BlockReport report_;
    int kind_;
    size_t next_ = 0;
};

}  // namespace

BlockTableView::BlockTableView(const ViewContext& context, QWidget* parent)
    : ResultView(context, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    bar_ = new QScrollBar(Qt::Vertical, this);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
        first_ = size_t(std::max(0, value));
        update();
    });
}

void BlockTableView::OnDocumentUpdate() {
    report_ = BuildReport();
    first_ = std::min(first_, LastBlock());
    UpdateScrollBar();
    update();
}

void BlockTableView::ScrollTo(size_t block) {
    first_ = std::min(block, LastBlock());
    UpdateScrollBar();
    update();
}

QRectF BlockTableView::TableArea() const {
    return QRectF(
        QPointF(kScreenMargin, kScreenMargin),
        QPointF(width() - bar_->sizeHint().width() - kScreenMargin, height() - kScreenMargin));
}

size_t BlockTableView::BlocksPerPage() const {
    const PaintOptions options = ScreenOptions(*this);
    const size_t n =
        BlockTablePainter(report_, options).BlocksThatFit(first_, TableArea().height(), this);
    return std::max<size_t>(1, n);
}

void BlockTableView::UpdateScrollBar() {
    const QSignalBlocker block(bar_);
    bar_->setRange(0, int(LastBlock()));
    bar_->setPageStep(int(BlocksPerPage()));
    bar_->setSingleStep(1);
    bar_->setValue(int(first_));
    bar_->setGeometry(width() - bar_->sizeHint().width(), 0, bar_->sizeHint().width(), height());
}

void BlockTableView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const PaintOptions options = ScreenOptions(*this);
    const BlockTablePainter table(report_, options);
    const QRectF area = TableArea();
    if (!table.Fits(area, this)) {
        painter.setPen(Qt::black);
        painter.setFont(options.Font(3.5));
        painter.drawText(rect(), Qt::AlignCenter, Q(Str(kTooSmallText)));
        return;
    }
    painter.setClipRect(area.adjusted(-1, -1, 1, 1));
    table.Paint(painter, area, first_, false);
}

void BlockTableView::resizeEvent(QResizeEvent* event) {
    ResultView::resizeEvent(event);
    UpdateScrollBar();
}

void BlockTableView::keyPressEvent(QKeyEvent* event) {
    const size_t page = BlocksPerPage();
    switch (event->key()) {
        case Qt::Key_PageDown: ScrollTo(first_ + page); break;
        case Qt::Key_PageUp: ScrollTo(first_ > page ? first_ - page : 0); break;
        case Qt::Key_Home: ScrollTo(0); break;
        case Qt::Key_End: ScrollTo(LastBlock()); break;
        case Qt::Key_Down: ScrollTo(first_ + 1); break;
        case Qt::Key_Up: ScrollTo(first_ > 0 ? first_ - 1 : 0); break;
        default: return ResultView::keyPressEvent(event);
    }
}

void BlockTableView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps < 0)
        ScrollTo(first_ + size_t(-steps));
    else
        ScrollTo(first_ > size_t(steps) ? first_ - size_t(steps) : 0);
    event->accept();
}

std::unique_ptr<Printout> BlockTableView::MakePrintout(BlockReport report, int kind) {
    return std::make_unique<BlockTablePrintout>(std::move(report), kind);
}

std::unique_ptr<Printout> BlockTableView::MakePrintout() const {
    return MakePrintout(report_, PrintoutKind());
}

void BlockTableView::Print(bool askPrinter) {
    PrintView(*this, context_, *MakePrintout(), askPrinter);
}

}  // namespace varelo
