#include "gui/views/GraphicalSummaryView.h"

#include <QAction>
#include <QMenu>

#include "app/ColorSlots.h"
#include "app/PrintoutKinds.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitValueFile.h"
#include "gui/app/QtText.h"

namespace varelo {

namespace {

// "Background" 1 prints without background; the default -1 and 0 print with it.
bool WithoutBackground(Settings& settings) {
    return settings.ReadInt(setting::GraphicalSummaryBackground) == 1;
}

}  // namespace

GraphicalSummaryView::GraphicalSummaryView(const ViewContext& context, QWidget* parent)
    : PaintedResultView(context, parent) {
    menu_ = new QMenu(QTxt(txt::menu_printout), this);
    withoutBackground_ = menu_->addAction(Q(Str(kWithoutBackgroundCommand)));
    withoutBackground_->setCheckable(true);
    withoutBackground_->setData(kWithoutBackgroundCommand);
    connect(withoutBackground_, &QAction::triggered, this,
            &GraphicalSummaryView::ToggleWithoutBackground);
    OnDocumentUpdate();
}

QString GraphicalSummaryView::ViewName() const {
    return Q(Str(1314));
}

GraphicalSummary GraphicalSummaryView::BuildSummary(const CVamor800Doc& doc, Settings& settings) {
    GraphicalSummaryOptions options;
    options.thdDisabled = settings.ReadInt(setting::IsThdDisabled) != 0;
    options.standardLimitFile = IsStandardLimitFilePath(doc.LimitFilePath());
    options.en50160CheckEnabled = settings.ReadInt(setting::IsEN50160Disabled) == 0;
    return GraphicalSummary::Build(doc.Evaluated(), options);
}

GraphicalSummaryStyle GraphicalSummaryView::ReadStyle(Settings& settings) {
    GraphicalSummaryStyle style;
    auto colors = LoadSectionColors(settings, kGraphicalSummaryColors);
    for (size_t i = 0; i < colors.size(); ++i)
        style.colors[i] = ColorOf(colors[i]);
    style.withoutBackground = WithoutBackground(settings);
    return style;
}

void GraphicalSummaryView::OnDocumentUpdate() {
    summary_ = BuildSummary(*context_.doc, *context_.settings);
    style_ = ReadStyle(*context_.settings);
    withoutBackground_->setChecked(style_.withoutBackground);
    update();
}

QList<QMenu*> GraphicalSummaryView::WindowMenus() {
    return {menu_};
}

void GraphicalSummaryView::ToggleWithoutBackground() {
    style_.withoutBackground = !WithoutBackground(*context_.settings);
    context_.settings->Write(setting::GraphicalSummaryBackground, style_.withoutBackground ? 1 : 0);
    withoutBackground_->setChecked(style_.withoutBackground);
}

bool GraphicalSummaryView::PaintContent(QPainter& painter, const QRectF& area,
                                        const PaintOptions& options) {
    GraphicalSummaryStyle screen = style_;
    screen.withoutBackground = false;  // the option is one of the printout
    return PaintGraphicalSummary(painter, area, summary_, screen, options);
}

std::unique_ptr<Printout> GraphicalSummaryView::MakePrintout(const CVamor800Doc& doc,
                                                             Settings& settings) {
    GraphicalSummary summary = BuildSummary(doc, settings);
    GraphicalSummaryStyle style = ReadStyle(settings);
    return std::make_unique<SinglePagePrintout>(
        kPrintGraphicalSummary,
        [summary, style](QPainter& painter, const QRectF& area, const PaintOptions& options) {
            QRectF page = area;
            page.setHeight(qMin(area.height(), area.width() * 0.85));
            return PaintGraphicalSummary(painter, page, summary, style, options);
        });
}

std::unique_ptr<Printout> GraphicalSummaryView::MakePrintout() const {
    return MakePrintout(*context_.doc, *context_.settings);
}

}  // namespace varelo
