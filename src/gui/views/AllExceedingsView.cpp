#include "gui/views/AllExceedingsView.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/AppOptions.h"
#include "app/PrintoutKinds.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/Vamor800Doc.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/dialogs/ExceedingsChannelDialog.h"
#include "gui/print/Printout.h"
#include "gui/views/AllExceedingsPainter.h"
#include "gui/views/ListScrolling.h"
#include "gui/views/ViewPrinting.h"

namespace varelo {

namespace {

constexpr double kMarginMm = 4;

ExceedingsReport BuildReport(const CVamor800Doc& doc, const std::vector<int>& channels,
                             bool status) {
    return ExceedingsReport::Build(doc.Evaluated(), doc.Data().intervals, channels, status);
}

// The sections on pages: each page continues where the last one stopped.
class AllExceedingsPrintout : public Printout {
public:
    explicit AllExceedingsPrintout(ExceedingsReport report) : report_(std::move(report)) {}

    int Kind() const override { return kPrintExceedings; }
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                   int page) override {
        AllExceedingsPainter paint(report_, options, AppOptions::Instance().PhaseLabeling());
        if (page == 1) cursor_ = {};
        const size_t drawn = paint.Paint(painter, area, cursor_, size_t(-1));
        // A page that takes nothing would never end.
        return !paint.AtEnd(cursor_) && (drawn > 0 || page == 1);
    }

private:
    ExceedingsReport report_;
    ExceedingsCursor cursor_;
};

}  // namespace

AllExceedingsView::AllExceedingsView(const ViewContext& context, std::vector<int> channels,
                                     QWidget* parent)
    : ResultView(context, parent), channels_(std::move(channels)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    status_ = context_.settings->ReadInt(setting::AllExceedingsIntervalStatus) == 1;
    bar_ = new QScrollBar(Qt::Vertical, this);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
        scroll_.MoveTo(value);
        update();
    });
    printout_ = new QMenu(QTxt(txt::menu_printout), this);
    statusAction_ = MakeCommandAction(kIntervalStatus);
    statusAction_->setCheckable(true);
    statusAction_->setChecked(status_);
    connect(statusAction_, &QAction::triggered, this, [this] { RunCommand(kIntervalStatus); });
    printout_->addAction(statusAction_);
    Rebuild();
}

AllExceedingsView* AllExceedingsView::Create(const ViewContext& context, QWidget* parent) {
    ExceedingsChannelDialog dialog(*context.doc, parent);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted || dialog.Channels().empty()) return nullptr;
    return new AllExceedingsView(context, dialog.Channels(), parent);
}

QString AllExceedingsView::ViewName() const {
    return Q(Str(kTemplate));  // "All exceedings"
}

void AllExceedingsView::Rebuild() {
    {
        WaitCursor wait(*context_.ui);
        report_ = BuildReport(*context_.doc, channels_, status_);
    }
    scroll_.SetRows(int(report_.RowCount()));
    UpdateScrollBar();
    update();
}

void AllExceedingsView::OnDocumentUpdate() {
    Rebuild();
}

bool AllExceedingsView::RunCommand(int commandId) {
    if (commandId != kIntervalStatus) return false;
    status_ = !status_;
    context_.settings->Write(setting::AllExceedingsIntervalStatus, status_ ? 1 : 0);
    statusAction_->setChecked(status_);
    const int first = scroll_.First();
    Rebuild();
    scroll_.MoveTo(first);
    UpdateScrollBar();
    return true;
}

QList<QMenu*> AllExceedingsView::WindowMenus() {
    return {printout_};
}

QAction* AllExceedingsView::CommandAction(int commandId) const {
    return commandId == kIntervalStatus ? statusAction_ : nullptr;
}

void AllExceedingsView::UpdateScrollBar() {
    PaintOptions options;
    options.pxPerMm = logicalDpiY() / 25.4;
    const double line = AllExceedingsPainter(report_, options, PhaseLabels::L123).LineHeight(this);
    scroll_.SetRowsPerPage(qMax(1, int(height() / line) - 6));
    PlaceScrollBar(*bar_, scroll_, *this);
}

void AllExceedingsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintOptions options;
    options.pxPerMm = logicalDpiY() / 25.4;
    const double margin = options.Mm(kMarginMm);
    const QRectF area(QPointF(margin, margin),
                      QPointF(width() - bar_->width() - margin, height() - margin));
    AllExceedingsPainter paint(report_, options, AppOptions::Instance().PhaseLabeling());
    ExceedingsCursor cursor = paint.CursorOfRow(size_t(scroll_.First() - 1));
    paint.Paint(painter, area, cursor, AllExceedingsPainter::kScreenRows);
}

void AllExceedingsView::resizeEvent(QResizeEvent* event) {
    ResultView::resizeEvent(event);
    UpdateScrollBar();
}

void AllExceedingsView::keyPressEvent(QKeyEvent* event) {
    if (!ScrollByKey(scroll_, event->key())) return ResultView::keyPressEvent(event);
    UpdateScrollBar();
    update();
}

void AllExceedingsView::wheelEvent(QWheelEvent* event) {
    ScrollByWheel(scroll_, *event);
    UpdateScrollBar();
    update();
    event->accept();
}

std::unique_ptr<Printout> AllExceedingsView::MakePrintout() const {
    return std::make_unique<AllExceedingsPrintout>(report_);
}

std::unique_ptr<Printout> AllExceedingsView::MakePrintout(const CVamor800Doc& doc,
                                                          const std::vector<int>& channels,
                                                          bool status) {
    return std::make_unique<AllExceedingsPrintout>(BuildReport(doc, channels, status));
}

void AllExceedingsView::Print(bool askPrinter) {
    PrintView(*this, context_, *MakePrintout(), askPrinter);
}

}  // namespace varelo
