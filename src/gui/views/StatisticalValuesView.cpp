#include "gui/views/StatisticalValuesView.h"

#include "app/AppOptions.h"
#include "app/PrintoutKinds.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "evaluation/StatisticalValues.h"
#include "gui/print/Printout.h"

namespace varelo {

namespace {

BlockReport Build(const CVamor800Doc& doc) {
    return StatisticalValues::Build(doc.Evaluated(), AppOptions::Instance().PhaseLabeling());
}

}  // namespace

StatisticalValuesView::StatisticalValuesView(const ViewContext& context, QWidget* parent)
    : BlockTableView(context, parent) {
    OnDocumentUpdate();
}

QString StatisticalValuesView::ViewName() const {
    return Q(Str(kTemplate));
}

BlockReport StatisticalValuesView::BuildReport() const {
    return Build(*context_.doc);
}

int StatisticalValuesView::PrintoutKind() const {
    return kPrintStatisticalValues;
}

std::unique_ptr<Printout> StatisticalValuesView::MakePrintout(const CVamor800Doc& doc) {
    return BlockTableView::MakePrintout(Build(doc), kPrintStatisticalValues);
}

}  // namespace varelo
