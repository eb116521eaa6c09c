#include "gui/job/JobProtocolPrintout.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include "app/PrintoutKinds.h"
#include "gui/print/PrintJob.h"

namespace varelo {

namespace {

constexpr double kTextMm = 3.5;
constexpr double kLineMm = 5.5;
constexpr double kIndentMm = 6;

}  // namespace

JobProtocolPrintout::JobProtocolPrintout(const CMeasurementJob& job)
    : lines_(JobSummary(job)), columns_(SummaryColumns(job)) {}

int JobProtocolPrintout::Kind() const {
    return kPrintJobProtocol;
}

bool JobProtocolPrintout::PaintPage(QPainter& painter, const QRectF& area,
                                    const PaintOptions& options, int page) {
    const size_t index = size_t(std::max(page, 1) - 1);
    // Pages are painted in order; one asked for out of order starts where the last known ended.
    size_t first = index < pageStarts_.size() ? pageStarts_[index] : pageStarts_.back();
    const double labelWidth = area.width() * 0.35;
    // Without the neutral column the value takes the rest of the line.
    const double valueWidth = area.width() * (columns_.neutral ? 0.4 : 0.65);
    const double lineHeight = options.Mm(kLineMm);
    double y = area.top();
    size_t n = first;
    painter.save();
    painter.setPen(Qt::black);
    for (; n < lines_.size() && (y + lineHeight <= area.bottom() || n == first); ++n) {
        const JobSummaryLine& line = lines_[n];
        // A heading keeps to the lines below it: it does not end a page.
        const bool heading = IsSummaryHeading(lines_, n);
        if (heading && n != first && y + 2 * lineHeight > area.bottom()) break;
        painter.setFont(options.Font(kTextMm, heading));
        const double indent = line.indented ? options.Mm(kIndentMm) : 0;
        const QRectF label(area.left() + indent, y, labelWidth - indent, lineHeight);
        const QRectF value(area.left() + labelWidth, y, valueWidth, lineHeight);
        const QRectF neutral(area.left() + labelWidth + valueWidth, y,
                             area.width() - labelWidth - valueWidth, lineHeight);
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        painter.drawText(label, flags, Q(line.label));
        painter.drawText(value, flags, Q(line.value));
        if (columns_.neutral) painter.drawText(neutral, flags, Q(line.neutralValue));
        y += lineHeight;
    }
    painter.restore();
    if (index + 1 >= pageStarts_.size()) pageStarts_.resize(index + 2, n);
    return n < lines_.size();
}

bool PrintJobProtocolToPdf(const CMeasurementJob& job, const std::string& documentName,
                           const std::string& output, Settings& settings, UserInterface& ui) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, Q(output), Q(documentName));
    JobProtocolPrintout printout(job);
    PrintRequest request{printout, Q(documentName), nullptr, settings, ui, nullptr};
    return RunPrintJob(printer, request);
}

}  // namespace varelo
