#include "gui/views/TableSummaryView.h"

#include "app/AppOptions.h"
#include "app/ColorSlots.h"
#include "app/PrintoutKinds.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "gui/views/TableSummaryPainter.h"

namespace varelo {

namespace {

std::array<QColor, 3> Colors(Settings& settings) {
    auto values = LoadSectionColors(settings, kGraphicalSummaryColors);
    return {ColorOf(values[0]), ColorOf(values[1]), ColorOf(values[2])};
}

TableSummary Build(const CVamor800Doc& doc) {
    return TableSummary::Build(doc.Evaluated(), AppOptions::Instance().PhaseLabeling());
}

}  // namespace

TableSummaryView::TableSummaryView(const ViewContext& context, QWidget* parent)
    : PaintedResultView(context, parent) {
    OnDocumentUpdate();
}

QString TableSummaryView::ViewName() const {
    return Q(Str(1315));
}

void TableSummaryView::OnDocumentUpdate() {
    table_ = Build(*context_.doc);
    colors_ = Colors(*context_.settings);
    UpdateScrollRange();
    update();
}

bool TableSummaryView::PaintContent(QPainter& painter, const QRectF& area,
                                    const PaintOptions& options) {
    return TableSummaryPainter(table_, colors_, options).Paint(painter, area);
}

double TableSummaryView::ContentHeight(const PaintOptions& options, double) const {
    return TableSummaryPainter(table_, colors_, options).Height(this);
}

std::unique_ptr<Printout> TableSummaryView::MakePrintout(const CVamor800Doc& doc,
                                                         Settings& settings) {
    TableSummary table = Build(doc);
    std::array<QColor, 3> colors = Colors(settings);
    return std::make_unique<SinglePagePrintout>(
        kPrintTableSummary,
        [table, colors](QPainter& painter, const QRectF& area, const PaintOptions& options) {
            return TableSummaryPainter(table, colors, options).Paint(painter, area);
        });
}

std::unique_ptr<Printout> TableSummaryView::MakePrintout() const {
    return MakePrintout(*context_.doc, *context_.settings);
}

}  // namespace varelo
