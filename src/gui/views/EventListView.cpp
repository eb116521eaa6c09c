#include "gui/views/EventListView.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "app/AppOptions.h"
#include "app/PrintoutKinds.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "gui/app/QtText.h"
#include "gui/print/Printout.h"
#include "gui/views/ListScrolling.h"
#include "gui/views/ViewPrinting.h"

namespace varelo {

namespace {

constexpr double kMarginMm = 4;

EventListContent MakeContent(const CEventListModel& model, const CEventList& events) {
    EventListContent content;
    for (const std::string& title : model.ColumnTitles(AppOptions::Instance().PhaseLabeling()))
        content.columnTitles << Q(title);
    content.rows = model.Rows(events);
    return content;
}

// The rows of the list on pages of the printable area: each page with title and column header.
class EventListPrintout : public Printout {
public:
    EventListPrintout(EventListContent content, size_t firstVisible, int printMode)
        : content_(std::move(content)), first_(firstVisible), mode_(printMode) {}

    int Kind() const override { return kPrintEvents; }
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                   int page) override {
        EventListPainter list(content_, options);
        if (page == 1) next_ = mode_ == 1 ? std::min(first_, content_.rows.size()) : 0;
        // The first page is shorter (information block), so each page takes what fits.
        int perPage = EventRowsPerPage(area.height(), list.LineHeight(painter.device()));
        size_t drawn = list.Paint(painter, area, next_, next_ + size_t(perPage));
        next_ += drawn;
        // A later page that holds no row would never end.
        return mode_ != 1 && next_ < content_.rows.size() && (drawn > 0 || page == 1);
    }

private:
    EventListContent content_;
    size_t first_;
    int mode_;
    size_t next_ = 0;
};

}  // namespace

EventListView::EventListView(const ViewContext& context, QWidget* parent)
    : ResultView(context, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    bar_ = new QScrollBar(Qt::Vertical, this);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
        scroll_.MoveTo(value);
        update();
    });
    events_ = new QMenu(QTxt(txt::menu_events), this);
    for (int phase = 0; phase < 4; ++phase)
        AddCommand(events_, PhaseCommand(phase));
    events_->addSeparator();
    for (int id : EventKindCommands())
        AddCommand(events_, id);
    printout_ = new QMenu(QTxt(txt::menu_printout), this);
    AddCommand(printout_, kPrintSinglePage);
    AddCommand(printout_, kPrintWholeList);
    model_.Build(context_.doc->Data().events, context_.doc->Data().job);
    Refill();
}

QString EventListView::ViewName() const {
    return Q(Str(kTemplate));  // "Event list"; 365 names its printout
}

QAction* EventListView::AddCommand(QMenu* menu, int commandId) {
    QAction* action = MakeCommandAction(commandId);
    menu->addAction(action);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, commandId] { RunCommand(commandId); });
    actions_.insert(commandId, action);
    return action;
}

QAction* EventListView::CommandAction(int commandId) const {
    return actions_.value(commandId);
}

int EventListView::PhaseCommand(int phase) const {
    return EventListPhaseCommands(AppOptions::Instance().PhaseLabeling())[size_t(phase)];
}

int EventListView::PhaseOfCommand(int commandId) {
    for (PhaseLabels labels : {PhaseLabels::L123, PhaseLabels::ABC}) {
        const auto ids = EventListPhaseCommands(labels);
        for (int phase = 0; phase < 4; ++phase) {
            if (ids[size_t(phase)] == commandId) return phase;
        }
    }
    return -1;
}

int EventListView::KindOfCommand(int commandId) {
    const auto kinds = EventKindCommands();
    const auto kind = std::find(kinds.begin(), kinds.end(), commandId);
    return kind == kinds.end() ? -1 : int(kind - kinds.begin());
}

void EventListView::OnDocumentUpdate() {
    // The limits may have changed the classification: count again, keeping the filters.
    int phase = model_.PhaseFilter(), kind = model_.GetKindFilter();
    model_.Build(context_.doc->Data().events, context_.doc->Data().job);
    model_.SetPhaseFilter(phase);
    if (model_.IsKindEnabled(kind)) model_.SetKindFilter(kind);
    Refill();
}

void EventListView::Refill() {
    content_ = MakeContent(model_, context_.doc->Data().events);
    scroll_.SetRows(int(content_.rows.size()));
    UpdateScrollBar();
    UpdateActions();
    update();
}

bool EventListView::RunCommand(int commandId) {
    int phase = PhaseOfCommand(commandId);
    if (phase >= 0) {
        model_.SetPhaseFilter(phase);
        scroll_.Home();
    } else if (int kind = KindOfCommand(commandId); kind >= 0) {
        if (!IsCommandEnabled(commandId)) return false;
        model_.SetKindFilter(kind);
        scroll_.Home();
    } else if (commandId == kPrintSinglePage || commandId == kPrintWholeList) {
        printMode_ = commandId == kPrintSinglePage ? 1 : 2;
        UpdateActions();
        return true;
    } else {
        return false;
    }
    Refill();
    return true;
}

bool EventListView::IsCommandEnabled(int commandId) const {
    if (int kind = KindOfCommand(commandId); kind >= 0) return model_.IsKindEnabled(kind);
    int phase = PhaseOfCommand(commandId);
    if (phase > 0) return model_.Presence().Has(phase - 1);
    return phase == 0 || commandId == kPrintSinglePage || commandId == kPrintWholeList;
}

bool EventListView::IsCommandChecked(int commandId) const {
    if (int kind = KindOfCommand(commandId); kind >= 0) return model_.GetKindFilter() == kind;
    if (int phase = PhaseOfCommand(commandId); phase >= 0) return model_.PhaseFilter() == phase;
    if (commandId == kPrintSinglePage) return printMode_ == 1;
    if (commandId == kPrintWholeList) return printMode_ == 2;
    return false;
}

void EventListView::UpdateActions() {
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        it.value()->setEnabled(IsCommandEnabled(it.key()));
        it.value()->setChecked(IsCommandChecked(it.key()));
    }
}

QList<QMenu*> EventListView::WindowMenus() {
    return {events_, printout_};
}

void EventListView::UpdateScrollBar() {
    PaintOptions options;
    options.pxPerMm = logicalDpiY() / 25.4;
    EventListPainter painter(content_, options);
    double margin = options.Mm(kMarginMm);
    scroll_.SetRowsPerPage(EventRowsPerPage(height() - 2 * margin, painter.LineHeight(this)));
    PlaceScrollBar(*bar_, scroll_, *this);
}

void EventListView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintOptions options;
    options.pxPerMm = logicalDpiY() / 25.4;
    double margin = options.Mm(kMarginMm);
    QRectF area(QPointF(margin, margin),
                QPointF(width() - bar_->width() - margin, height() - margin));
    size_t first = size_t(scroll_.First() - 1);
    EventListPainter(content_, options)
        .Paint(painter, area, first, first + size_t(scroll_.RowsPerPage()));
}

void EventListView::resizeEvent(QResizeEvent* event) {
    ResultView::resizeEvent(event);
    UpdateScrollBar();
}

void EventListView::keyPressEvent(QKeyEvent* event) {
    if (!ScrollByKey(scroll_, event->key())) return ResultView::keyPressEvent(event);
    UpdateScrollBar();
    update();
}

void EventListView::wheelEvent(QWheelEvent* event) {
    ScrollByWheel(scroll_, *event);
    UpdateScrollBar();
    update();
    event->accept();
}

std::unique_ptr<Printout> EventListView::MakePrintout() const {
    return std::make_unique<EventListPrintout>(content_, size_t(scroll_.First() - 1), printMode_);
}

std::unique_ptr<Printout> EventListView::MakePrintout(const CVamor800Doc& doc) {
    CEventListModel model;
    model.Build(doc.Data().events, doc.Data().job);
    model.SetPhaseFilter(0);
    return std::make_unique<EventListPrintout>(MakeContent(model, doc.Data().events), 0, 2);
}

void EventListView::Print(bool askPrinter) {
    PrintView(*this, context_, *MakePrintout(), askPrinter);
}

}  // namespace varelo
