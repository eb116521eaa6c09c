#include "gui/views/MeasurementValueListView.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "app/AppOptions.h"
#include "app/PrintoutKinds.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/dialogs/ValueListPrintDialog.h"
#include "gui/print/Printout.h"
#include "gui/views/ListScrolling.h"
#include "gui/views/ValueListPainter.h"
#include "gui/views/ViewPrinting.h"

namespace varelo {

namespace {

constexpr double kMarginMm = 4;

std::unique_ptr<MeasurementValueList> MakeList(const CVamor800Doc& doc, std::vector<int> channels) {
    return std::make_unique<MeasurementValueList>(doc.Data().intervals, doc.Data().job,
                                                  ValueListColumns(doc, std::move(channels)),
                                                  doc.GetIntervalLength(), doc.Plt());
}

// The rows of a print range on pages, each with the column header.
class ValueListPrintout : public Printout {
public:
    ValueListPrintout(const MeasurementValueList& list, ValueListRange range)
        : list_(list), range_(range) {}

    int Kind() const override { return kPrintMeasurementList; }
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                   int page) override {
        ValueListPainter paint(list_, options, AppOptions::Instance().PhaseLabeling());
        if (page == 1) next_ = range_.first;
        const size_t perPage = size_t(paint.RowsPerPage(area.height(), painter.device()));
        const size_t drawn =
            paint.Paint(painter, area, next_, std::min(range_.end, next_ + perPage));
        next_ += drawn;
        return !range_.onePage && next_ < range_.end && (drawn > 0 || page == 1);
    }

private:
    MeasurementValueList list_;  // a copy that refers to the document's records
    ValueListRange range_;
    size_t next_ = 0;
};

}  // namespace

std::vector<ValueListColumn> ValueListColumns(const CVamor800Doc& doc, std::vector<int> channels) {
    if (channels.empty()) {
        const PhasePresence presence = doc.Evaluation().Presence();
        for (int p = 0; p < 3; ++p) {
            if (presence.Has(p)) channels.push_back(ChannelIdOf(p, 11));
        }
    }
    std::vector<ValueListColumn> columns;
    for (int id : channels)
        columns.push_back({id, doc.ChannelDecimals(id)});
    return columns;
}

MeasurementValueListView::MeasurementValueListView(const ViewContext& context, QWidget* parent)
    : ResultView(context, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    CVamor800Doc::ValueListHandOver handOver = context_.doc->TakeValueListChannels();
    list_ = MakeList(*context_.doc, std::move(handOver.channels));
    list_->SetStatus(context_.settings->ReadInt(setting::ValueListIntervalStatus) == 1);
    period_ = MeasurementValueList::ValidPeriod(
        context_.settings->ReadInt(setting::ValueListPrintingRange));
    bar_ = new QScrollBar(Qt::Vertical, this);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
        scroll_.MoveTo(value);
        update();
    });
    printout_ = new QMenu(QTxt(txt::menu_printout), this);
    AddCommand(printout_, kIntervalStatus, true);
    printout_->addSeparator();
    for (const ValueListPeriod& p : MeasurementValueList::Periods())
        AddCommand(printout_, p.command, true);
    printout_->addSeparator();
    AddCommand(printout_, kStartAndPeriod, false);
    scroll_.SetRows(int(list_->Rows()));
    if (!handOver.start.IsZero()) scroll_.MoveTo(int(list_->RowAtOrAfter(handOver.start)) + 1);
    UpdateScrollBar();
    UpdateActions();
}

QString MeasurementValueListView::ViewName() const {
    return Q(Str(kTemplate));  // "Comprehensive list"
}

QAction* MeasurementValueListView::AddCommand(QMenu* menu, int commandId, bool checkable) {
    QAction* action = MakeCommandAction(commandId);
    action->setCheckable(checkable);
    menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, commandId] { RunCommand(commandId); });
    actions_.insert(commandId, action);
    return action;
}

QAction* MeasurementValueListView::CommandAction(int commandId) const {
    return actions_.value(commandId);
}

QList<QMenu*> MeasurementValueListView::WindowMenus() {
    return {printout_};
}

void MeasurementValueListView::OnDocumentUpdate() {
    // The records stay; channel values may follow changed options.
    scroll_.SetRows(int(list_->Rows()));
    UpdateScrollBar();
    update();
}

bool MeasurementValueListView::IsCommandChecked(int commandId) const {
    if (commandId == kIntervalStatus) return list_->Status();
    return commandId == MeasurementValueList::PeriodOf(period_).command;
}

bool MeasurementValueListView::RunCommand(int commandId) {
    if (commandId == kIntervalStatus) {
        list_->SetStatus(!list_->Status());
        context_.settings->Write(setting::ValueListIntervalStatus, list_->Status() ? 1 : 0);
    } else if (commandId == kStartAndPeriod) {
        ChooseStartAndPeriod();
    } else {
        const auto& periods = MeasurementValueList::Periods();
        auto it =
            std::find_if(periods.begin(), periods.end(),
                         [commandId](const ValueListPeriod& p) { return p.command == commandId; });
        if (it == periods.end()) return false;
        period_ = it->period;
        context_.settings->Write(setting::ValueListPrintingRange, period_);
    }
    UpdateActions();
    update();
    return true;
}

void MeasurementValueListView::ChooseStartAndPeriod() {
    const CIntervalList& records = context_.doc->Data().intervals;
    const size_t first = size_t(scroll_.First() - 1);
    const CTimeStamp start = first < records.size() ? records[first].DateTime : CTimeStamp();
    ValueListPrintDialog dialog(period_, start, records.FirstTimeStamp(), records.LastTimeStamp(),
                                this);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    period_ = dialog.Period();
    context_.settings->Write(setting::ValueListPrintingRange, period_);
    ScrollTo(int(list_->RowAtOrAfter(dialog.Start())) + 1);
}

void MeasurementValueListView::ScrollTo(int firstRow) {
    scroll_.MoveTo(firstRow);
    UpdateScrollBar();
    update();
}

void MeasurementValueListView::UpdateActions() {
    for (auto it = actions_.begin(); it != actions_.end(); ++it)
        it.value()->setChecked(IsCommandChecked(it.key()));
}

void MeasurementValueListView::UpdateScrollBar() {
    PaintOptions options;
    options.pxPerMm = logicalDpiY() / 25.4;
    const double margin = options.Mm(kMarginMm);
    scroll_.SetRowsPerPage(ValueListPainter(*list_, options, PhaseLabels::L123)
                               .RowsPerPage(height() - 2 * margin, this));
    PlaceScrollBar(*bar_, scroll_, *this);
}

void MeasurementValueListView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintOptions options;
    options.pxPerMm = logicalDpiY() / 25.4;
    const double margin = options.Mm(kMarginMm);
    const QRectF area(QPointF(margin, margin),
                      QPointF(width() - bar_->width() - margin, height() - margin));
    const size_t first = size_t(scroll_.First() - 1);
    ValueListPainter(*list_, options, AppOptions::Instance().PhaseLabeling())
        .Paint(painter, area, first, first + size_t(scroll_.RowsPerPage()));
}

void MeasurementValueListView::resizeEvent(QResizeEvent* event) {
    ResultView::resizeEvent(event);
    UpdateScrollBar();
}

void MeasurementValueListView::keyPressEvent(QKeyEvent* event) {
    if (!ScrollByKey(scroll_, event->key())) return ResultView::keyPressEvent(event);
    UpdateScrollBar();
    update();
}

void MeasurementValueListView::wheelEvent(QWheelEvent* event) {
    ScrollByWheel(scroll_, *event);
    UpdateScrollBar();
    update();
    event->accept();
}

std::unique_ptr<Printout> MeasurementValueListView::MakePrintout() const {
    return std::make_unique<ValueListPrintout>(
        *list_, list_->PrintRange(period_, size_t(scroll_.First() - 1)));
}

std::unique_ptr<Printout> MeasurementValueListView::MakePrintout(const CVamor800Doc& doc,
                                                                 std::vector<int> channels,
                                                                 bool status, int period,
                                                                 const CTimeStamp& start) {
    auto list = MakeList(doc, std::move(channels));
    list->SetStatus(status);
    const ValueListRange range =
        list->PrintRange(period, start.IsZero() ? 0 : list->RowAtOrAfter(start));
    return std::make_unique<ValueListPrintout>(*list, range);
}

void MeasurementValueListView::Print(bool askPrinter) {
    PrintView(*this, context_, *MakePrintout(), askPrinter);
}

}  // namespace varelo
