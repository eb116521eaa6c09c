#include "gui/print/PrintToPdf.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <cstdlib>
#include <functional>
#include <memory>

#include "document/Vamor800Doc.h"
#include "gui/print/PrintJob.h"
#include "gui/print/Printout.h"
#include "gui/views/DisDipView.h"
#include "gui/views/EventListView.h"
#include "gui/views/GraphicalSummaryView.h"
#include "gui/views/TableSummaryView.h"

namespace varelo {

namespace {

struct PrintoutEntry {
    const char* name;
    std::function<std::unique_ptr<Printout>(const CVamor800Doc&, Settings&)> make;
};

const PrintoutEntry kPrintouts[] = {
    {"graphical-summary",
     [](const CVamor800Doc& d, Settings& s) { return GraphicalSummaryView::MakePrintout(d, s); }},
    {"table-summary",
     [](const CVamor800Doc& d, Settings& s) { return TableSummaryView::MakePrintout(d, s); }},
    {"events", [](const CVamor800Doc& d, Settings&) { return EventListView::MakePrintout(d); }},
    {"disdip", [](const CVamor800Doc& d, Settings&) { return DisDipView::MakePrintout(d, 0); }},
};

const PrintoutEntry* Find(const std::string& name) {
    for (const PrintoutEntry& entry : kPrintouts) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

// Painting needs a GUI application; without a display the offscreen platform serves. One made
// here lives until the printout is done, not until static destruction, where Qt's threads
// would outlive it.
std::unique_ptr<QApplication> EnsureApplication() {
    if (QCoreApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "varelo-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

const char* PrintoutNames() {
    return "graphical-summary|table-summary|events|disdip";
}

bool IsPrintoutName(const std::string& name) {
    return Find(name) != nullptr;
}

bool PrintToPdf(const CVamor800Doc& doc, const std::string& printout, const std::string& output,
                Settings& settings, UserInterface& ui) {
    const PrintoutEntry* entry = Find(printout);
    if (!entry) return false;
    const std::unique_ptr<QApplication> application = EnsureApplication();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(output));
    printer.setPageSize(QPageSize(QPageSize::A4));
    // A PDF page has no unprintable edge.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setDocName(QString::fromStdString(doc.FilePath(true)));
    std::unique_ptr<Printout> pages = entry->make(doc, settings);
    PrintRequest request{*pages, QString::fromStdString(doc.FilePath(true)), &doc, settings, ui,
                         nullptr};
    return RunPrintJob(printer, request);
}

}  // namespace varelo
