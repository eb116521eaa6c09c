#include "gui/info/MeasurementInfoPrintout.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "app/PrintoutKinds.h"
#include "gui/print/PrintJob.h"

namespace varelo {

namespace {

constexpr double kTextMm = 3.5;
constexpr double kLineMm = 5.0;
constexpr double kIndentMm = 6;
constexpr double kLabelShare = 0.32;
// The columns before the last of a line with more than two.
constexpr double kLeadingShare = 0.72;

}  // namespace

MeasurementInfoPrintout::MeasurementInfoPrintout(std::vector<InfoPrintLine> lines)
    : lines_(std::move(lines)) {}

int MeasurementInfoPrintout::Kind() const {
    return kPrintMeasurementInfo;
}

QString MeasurementInfoPrintout::Title() const {
    return QStr(PrintoutTitleId(kPrintMeasurementInfo));
}

bool MeasurementInfoPrintout::PaintPage(QPainter& painter, const QRectF& area,
                                        const PaintOptions& options, int page) {
    const size_t index = size_t(std::max(page, 1) - 1);
    const size_t first = index < pageStarts_.size() ? pageStarts_[index] : pageStarts_.back();
    const double labelWidth = area.width() * kLabelShare;
    const double lineHeight = options.Mm(kLineMm);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    double y = area.top();
    size_t n = first;
    painter.save();
    painter.setPen(Qt::black);
    for (; n < lines_.size() && (y + lineHeight <= area.bottom() || n == first); ++n) {
        const InfoPrintLine& line = lines_[n];
        // A heading keeps to the line below it: it does not end a page.
        if (line.heading && n != first && y + 2 * lineHeight > area.bottom()) break;
        const QFont font = options.Font(kTextMm, line.heading);
        painter.setFont(font);
        const double indent = line.indented ? options.Mm(kIndentMm) : 0;
        painter.drawText(QRectF(area.left() + indent, y, labelWidth - indent, lineHeight), flags,
                         Q(line.label));
        const double columnsWidth = area.width() - labelWidth;
        const size_t count = line.columns.size();
        // Of more than two columns the last, the free text, takes the widest share.
        const double columnWidth =
            count > 2 ? columnsWidth * kLeadingShare / double(count - 1) : columnsWidth / 2;
        for (size_t c = 0; c < count; ++c) {
            // One column alone takes the whole width; a path too long for it is shortened
            // inside, so its file name stays readable.
            const double left = area.left() + labelWidth + double(c) * columnWidth;
            const double width =
                count == 1 || c + 1 == count ? area.left() + area.width() - left : columnWidth;
            const QRectF cell(left, y, width, lineHeight);
            QString text = Q(line.columns[c]);
            if (line.path)
                text = QFontMetricsF(font, painter.device())
                           .elidedText(text, Qt::ElideMiddle, cell.width());
            painter.drawText(cell, flags, text);
        }
        y += lineHeight;
    }
    painter.restore();
    if (index + 1 >= pageStarts_.size()) pageStarts_.resize(index + 2, n);
    return n < lines_.size();
}

bool PrintMeasurementInfoToPdf(std::vector<InfoPrintLine> lines, const std::string& documentName,
                               const std::string& output, Settings& settings, UserInterface& ui) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Q(output));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setDocName(Q(documentName));
    MeasurementInfoPrintout printout(std::move(lines));
    PrintRequest request{printout, Q(documentName), nullptr, settings, ui, nullptr};
    return RunPrintJob(printer, request);
}

}  // namespace varelo
