#include "gui/limits/LimitEditorPrintout.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include "app/PrintoutKinds.h"
#include "gui/app/QtText.h"
#include "gui/print/PrintJob.h"

namespace varelo {

namespace {

constexpr double kTextMm = 3.5;
constexpr double kLineMm = 5.0;
constexpr double kIndentMm = 6;
// Columns: parameter, value, unit, as shares of the page width.
constexpr double kValueColumn = 0.62;
constexpr double kUnitColumn = 0.80;

using Style = LimitPrintLine::Style;

}  // namespace

LimitEditorPrintout::LimitEditorPrintout(const CLimitValues& limits, const std::string& fileName)
    : lines_(LimitPrintLines(limits, fileName)) {}

int LimitEditorPrintout::Kind() const {
    return kPrintLimitFile;
}

bool LimitEditorPrintout::PaintPage(QPainter& painter, const QRectF& area,
                                    const PaintOptions& options, int page) {
    const size_t index = size_t(std::max(page, 1) - 1);
    const size_t first = index < pageStarts_.size() ? pageStarts_[index] : pageStarts_.back();
    const double line = options.Mm(kLineMm);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    double y = area.top();
    size_t n = first;
    painter.save();
    painter.setPen(Qt::black);
    for (; n < lines_.size(); ++n) {
        const LimitPrintLine& l = lines_[n];
        const bool bold = l.style != Style::Row && l.style != Style::Description;
        painter.setFont(options.Font(kTextMm, bold));
        if (l.style == Style::Description) {
            // The description wraps within the page width.
            const QRectF bounds =
                painter.boundingRect(QRectF(area.left(), y, area.width(), area.height()),
                                     Qt::TextWordWrap, Q(l.parameter).replace("\r\n", "\n"));
            if (y + bounds.height() > area.bottom() && n != first) break;
            painter.drawText(QRectF(area.left(), y, area.width(), bounds.height()),
                             Qt::TextWordWrap, Q(l.parameter).replace("\r\n", "\n"));
            y += bounds.height() + line * 0.5;
            continue;
        }
        // A heading keeps to the line below it.
        const double needed = l.style == Style::Heading ? 2 * line : line;
        if (y + needed > area.bottom() && n != first) break;
        const double indent = l.style == Style::Row ? options.Mm(kIndentMm) : 0;
        if (l.style == Style::Title) {
            painter.drawText(QRectF(area.left(), y, area.width(), line), flags, Q(l.parameter));
            y += line * 1.5;
            continue;
        }
        const double valueX = area.left() + area.width() * kValueColumn;
        const double unitX = area.left() + area.width() * kUnitColumn;
        painter.drawText(QRectF(area.left() + indent, y, valueX - area.left() - indent, line),
                         flags, Q(l.parameter));
        painter.drawText(QRectF(valueX, y, unitX - valueX, line), flags, Q(l.value));
        painter.drawText(QRectF(unitX, y, area.right() - unitX, line), flags, Q(l.unit));
        if (l.style == Style::Header)
            painter.drawLine(QPointF(area.left(), y + line), QPointF(area.right(), y + line));
        y += line;
    }
    painter.restore();
    if (index + 1 >= pageStarts_.size()) pageStarts_.resize(index + 2, n);
    return n < lines_.size();
}

bool PrintLimitsToPdf(const CLimitValues& limits, const std::string& fileName,
                      const std::string& output, Settings& settings, UserInterface& ui) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, Q(output), Q(fileName));
    LimitEditorPrintout printout(limits, fileName);
    PrintRequest request{printout, Q(fileName), nullptr, settings, ui, nullptr};
    return RunPrintJob(printer, request);
}

}  // namespace varelo
