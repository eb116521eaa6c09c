#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace varelo {

class CVamor800Doc;
class Printout;
class Settings;
class UserInterface;

// One printout on a printer (or a PDF file): the page frame around the printout's pages, the
// print status window and the failure messages.
struct PrintRequest {
    Printout& printout;
    QString documentName;
    const CVamor800Doc* doc;  // for the measurement information block
    Settings& settings;
    UserInterface& ui;
    // The window that started the printout: disabled meanwhile and the parent of the status
    // window. Without one (headless printing) no status window is shown.
    QWidget* window = nullptr;
};

// Prints every page; false after a failure (its message shown) or a cancel.
bool RunPrintJob(QPrinter& printer, const PrintRequest& request);

// An A4 PDF file without unprintable edges, under the document's name.
void SetUpPdfPrinter(QPrinter& printer, const QString& output, const QString& documentName);

}  // namespace varelo
