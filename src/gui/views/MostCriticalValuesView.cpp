#include "gui/views/MostCriticalValuesView.h"

#include "app/AppOptions.h"
#include "app/PrintoutKinds.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "evaluation/MostCriticalValues.h"
#include "gui/print/Printout.h"

namespace varelo {

namespace {

BlockReport Build(const CVamor800Doc& doc) {
    return MostCriticalValues::Build(doc.Evaluated(), AppOptions::Instance().PhaseLabeling());
}

}  // namespace

MostCriticalValuesView::MostCriticalValuesView(const ViewContext& context, QWidget* parent)
    : BlockTableView(context, parent) {
    OnDocumentUpdate();
}

QString MostCriticalValuesView::ViewName() const {
    return Q(Str(kTemplate));
}

BlockReport MostCriticalValuesView::BuildReport() const {
    return Build(*context_.doc);
}

int MostCriticalValuesView::PrintoutKind() const {
    return kPrintMostCritical;
}

std::unique_ptr<Printout> MostCriticalValuesView::MakePrintout(const CVamor800Doc& doc) {
    return BlockTableView::MakePrintout(Build(doc), kPrintMostCritical);
}

}  // namespace varelo
