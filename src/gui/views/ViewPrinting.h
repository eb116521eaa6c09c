#pragma once

#include "gui/views/ViewContext.h"

class QWidget;

namespace varelo {

class Printout;

// 57607 (askPrinter) shows the print dialog, which also offers a PDF file; 57608 prints on
// the current printer at once. The view's window is disabled while it prints.
void PrintView(QWidget& view, const ViewContext& context, Printout& printout, bool askPrinter);

}  // namespace varelo
