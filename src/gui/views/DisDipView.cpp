#include "gui/views/DisDipView.h"

#include <QAction>
#include <QMenu>

#include "app/AppOptions.h"
#include "app/PrintoutKinds.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "gui/app/QtText.h"
#include "gui/views/DisDipPainter.h"

namespace varelo {

namespace {

PhaseLabels Labels() {
    return AppOptions::Instance().PhaseLabeling();
}

}  // namespace

DisDipView::DisDipView(const ViewContext& context, QWidget* parent)
    : PaintedResultView(context, parent) {
    menu_ = new QMenu(QTxt(txt::menu_events), this);
    for (int id : DisDipPhaseCommands(Labels()))
        AddCommandAction(menu_, id)->setCheckable(true);
    menu_->addSeparator();
    AddCommandAction(menu_, kEventListCommand);
    Rebuild(0);
}

QString DisDipView::ViewName() const {
    return Q(Str(1368));
}

QAction* DisDipView::AddCommandAction(QMenu* menu, int commandId) {
    QAction* action = MakeCommandAction(commandId);
    menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, commandId] { RunCommand(commandId); });
    actions_.insert(commandId, action);
    return action;
}

QAction* DisDipView::CommandAction(int commandId) const {
    return actions_.value(commandId);
}

int DisDipView::PhaseOfCommand(int commandId) {
    for (PhaseLabels labels : {PhaseLabels::L123, PhaseLabels::ABC}) {
        const auto ids = DisDipPhaseCommands(labels);
        for (int phase = 0; phase < 4; ++phase) {
            if (ids[phase] == commandId) return phase;
        }
    }
    return -1;
}

void DisDipView::Rebuild(int phaseFilter) {
    const CVamor800Doc& doc = *context_.doc;
    table_.Build(doc.Data().events, doc.Data().job, doc.Limits(), phaseFilter);
    UpdateActions();
    UpdateScrollRange();
    update();
}

void DisDipView::OnDocumentUpdate() {
    Rebuild(table_.PhaseFilter());
}

bool DisDipView::RunCommand(int commandId) {
    if (!IsCommandEnabled(commandId)) return false;
    if (commandId == kEventListCommand) {
        emit DocumentCommandRequested(kEventListCommand);
        return true;
    }
    int phase = PhaseOfCommand(commandId);
    if (phase < 0) return false;
    Rebuild(phase);
    return true;
}

bool DisDipView::IsCommandEnabled(int commandId) const {
    if (commandId == kEventListCommand)
        return CDisDipTable::IsEventListEnabled(context_.doc->Data().job);
    return PhaseOfCommand(commandId) >= 0;
}

bool DisDipView::IsCommandChecked(int commandId) const {
    int phase = PhaseOfCommand(commandId);
    return phase >= 0 && phase == table_.PhaseFilter();
}

void DisDipView::UpdateActions() {
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        it.value()->setEnabled(IsCommandEnabled(it.key()));
        it.value()->setChecked(IsCommandChecked(it.key()));
    }
}

QList<QMenu*> DisDipView::WindowMenus() {
    return {menu_};
}

bool DisDipView::PaintContent(QPainter& painter, const QRectF& area, const PaintOptions& options) {
    return DisDipPainter(table_, Labels(), options).Paint(painter, area);
}

double DisDipView::ContentHeight(const PaintOptions& options, double) const {
    return DisDipPainter(table_, Labels(), options).Height(this);
}

std::unique_ptr<Printout> DisDipView::MakePrintout(const CVamor800Doc& doc, int phaseFilter) {
    CDisDipTable table;
    table.Build(doc.Data().events, doc.Data().job, doc.Limits(), phaseFilter);
    return std::make_unique<SinglePagePrintout>(
        kPrintDisDip, [table](QPainter& painter, const QRectF& area, const PaintOptions& options) {
            return DisDipPainter(table, Labels(), options).Paint(painter, area);
        });
}

std::unique_ptr<Printout> DisDipView::MakePrintout() const {
    return MakePrintout(*context_.doc, table_.PhaseFilter());
}

}  // namespace varelo
