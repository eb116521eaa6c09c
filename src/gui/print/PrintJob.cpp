#include "gui/print/PrintJob.h"

#include <sys/statvfs.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <memory>
#include <new>

#include "app/PageGeometry.h"
#include "app/PrintoutKinds.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/Vamor800Doc.h"
#include "gui/print/PageFrame.h"
#include "gui/print/PrintStatusDialog.h"
#include "gui/print/Printout.h"

namespace varelo {

namespace {

constexpr int kStatusWindowFailed = 775;
constexpr int kNoPrinterContext = 774;
constexpr int kJobRefused = 61702;
constexpr int kStartPageFailed = 789;
constexpr int kDiskFull = 61730;
constexpr int kOutOfMemory = 61475;
constexpr int kUnknownError = 61476;

void Fail(UserInterface& ui, int id) {
    ui.ShowMessage(id, Str(id), MessageIcon::Stop);
}

bool FolderIsFull(const QString& file) {
    struct statvfs fs {};
    QByteArray folder = QFileInfo(file).absolutePath().toLocal8Bit();
    return statvfs(folder.constData(), &fs) == 0 && fs.f_bavail == 0;
}

// A PDF file is written under a temporary name in its folder and renamed when complete, so a
// failed printout never leaves a half file under the user's name.
class PdfTarget {
public:
    explicit PdfTarget(QPrinter& printer) : printer_(printer) {
        if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
            return;
        final_ = printer.outputFileName();
        QFileInfo info(final_);
        temporary_ = info.absolutePath() + "/." + info.fileName() + ".part";
        printer.setOutputFileName(temporary_);
    }
    ~PdfTarget() {
        if (temporary_.isEmpty()) return;
        if (!committed_) std::remove(temporary_.toLocal8Bit().constData());
        printer_.setOutputFileName(final_);
    }
    bool IsFile() const { return !temporary_.isEmpty(); }
    // Error message of a file that could not be written.
    int WriteError() const { return FolderIsFull(temporary_) ? kDiskFull : kUnknownError; }
    bool Commit() {
        if (temporary_.isEmpty()) return true;
        committed_ = std::rename(temporary_.toLocal8Bit().constData(),
                                 final_.toLocal8Bit().constData()) == 0;
        return committed_;
    }

private:
    QPrinter& printer_;
    QString final_;
    QString temporary_;
    bool committed_ = false;
};

// The page area in device pixels of the printable area.
QRectF PageArea(QPrinter& printer, Settings& settings) {
    QPageLayout layout = printer.pageLayout();
    QRectF full = layout.fullRect(QPageLayout::Millimeter);
    QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    PaperInfo paper;
    paper.paperWidth = qRound(full.width() * 10);
    paper.paperHeight = qRound(full.height() * 10);
    paper.offsetX = qRound((paint.left() - full.left()) * 10);
    paper.offsetY = qRound((paint.top() - full.top()) * 10);
    paper.printableWidth = qRound(paint.width() * 10);
    paper.printableHeight = qRound(paint.height() * 10);
    PageRect area = ComputePageArea(settings.ReadInt(setting::LeftBorder), paper);
    double px = printer.resolution() / 254.0;  // device pixels per 0.1 mm
    return QRectF(area.left * px, area.top * px, area.Width() * px, area.Height() * px);
}

class JobRun {
public:
    JobRun(QPrinter& printer, const PrintRequest& request) : printer_(printer), request_(request) {}

    bool Run() {
        port_ = printer_.outputFileName();  // before the temporary name takes its place
        PdfTarget pdf(printer_);
        if (!printer_.isValid()) return Failed(kNoPrinterContext);
        if (request_.window && !OpenStatusWindow()) return Failed(kStatusWindowFailed);
        QPainter painter;
        if (!painter.begin(&printer_)) return Failed(pdf.IsFile() ? pdf.WriteError() : kJobRefused);
        int error = PrintPages(painter);
        if (!painter.end() && error == 0) error = pdf.IsFile() ? pdf.WriteError() : kUnknownError;
        if (error == 0 && !pdf.Commit()) error = pdf.WriteError();
        return error == 0 ? Finish(!cancelled_) : Failed(error);
    }

private:
    bool OpenStatusWindow() {
        try {
            QString printer =
                Q(Msg(1527, {printer_.printerName().toStdString(),
                             port_.isEmpty() ? std::string("-") : port_.toStdString()}));
            status_ = std::make_unique<PrintStatusDialog>(Texts().kindTitle, request_.documentName,
                                                          printer);
        } catch (const std::bad_alloc&) {
            return false;
        }
        // A window of its own, so that disabling the starting window leaves Cancel usable.
        status_->show();
        request_.window->setEnabled(false);
        QCoreApplication::processEvents();
        return true;
    }

    PageHeaderTexts Texts() const {
        PageHeaderTexts texts;
        texts.title = request_.printout.Title();
        if (texts.title.isEmpty())
            texts.title = Q(request_.settings.ReadString(setting::PrintHeader));
        texts.documentName = request_.documentName;
        texts.printedAt = Q(CTimeStamp::FromCalendarTime(std::time(nullptr)).DisplayText());
        texts.kindTitle = Q(Str(PrintoutTitleId(request_.printout.Kind())));
        return texts;
    }

    // 0 when every page was printed (or the printout was cancelled), else the failure message.
    int PrintPages(QPainter& painter) {
        PaintOptions options;
        options.pxPerMm = printer_.resolution() / 25.4;
        options.printing = true;
        options.monochrome = printer_.colorMode() == QPrinter::GrayScale;
        const PageHeaderTexts texts = Texts();
        const QRectF page = PageArea(printer_, request_.settings);
        PageFrame frame(painter, options);
        try {
            for (int n = 1;; ++n) {
                if (status_) status_->SetPage(n);
                QRectF area = frame.DrawHeader(page, texts, n);
                if (n == 1 && request_.doc && PrintsMeasurementInfo(request_.printout.Kind()))
                    area = frame.DrawInformationBlock(area, MeasurementInfoBlock(*request_.doc));
                bool more = request_.printout.PaintPage(painter, area, options, n);
                if (status_) {
                    QCoreApplication::processEvents();
                    cancelled_ = status_->Cancelled();
                }
                if (!more || cancelled_) return 0;
                if (!printer_.newPage()) return kStartPageFailed;
            }
        } catch (const std::bad_alloc&) {
            return kOutOfMemory;
        }
    }

    bool Failed(int id) {
        Finish(false);
        Fail(request_.ui, id);
        return false;
    }

    bool Finish(bool result) {
        if (request_.window) request_.window->setEnabled(true);
        status_.reset();
        return result;
    }

    QPrinter& printer_;
    const PrintRequest& request_;
    std::unique_ptr<PrintStatusDialog> status_;
    QString port_;
    bool cancelled_ = false;
};

}  // namespace

bool RunPrintJob(QPrinter& printer, const PrintRequest& request) {
    return JobRun(printer, request).Run();
}

void SetUpPdfPrinter(QPrinter& printer, const QString& output, const QString& documentName) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(output);
    printer.setPageSize(QPageSize(QPageSize::A4));
    // A PDF page has no unprintable edge.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setDocName(documentName);
}

}  // namespace varelo
