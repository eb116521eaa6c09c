#include "gui/views/ViewPrinting.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "document/Vamor800Doc.h"
#include "gui/app/ModalRunner.h"
#include "gui/print/PaintOptions.h"
#include "gui/print/PrintJob.h"
#include "gui/print/SharedPrinter.h"

namespace varelo {

void PrintView(QWidget& view, const ViewContext& context, Printout& printout, bool askPrinter) {
    QPrinter& printer = SharedPrinter();
    if (askPrinter) {
        QPrintDialog dialog(&printer, &view);
        if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    }
    PrintRequest request{printout,    Q(context.doc->FilePath(true)),
                         context.doc, *context.settings,
                         *context.ui, view.window()};
    RunPrintJob(printer, request);
}

}  // namespace varelo
