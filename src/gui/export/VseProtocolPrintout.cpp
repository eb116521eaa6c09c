#include "gui/export/VseProtocolPrintout.h"

#include <QPainter>

#include "app/PrintoutKinds.h"
#include "gui/app/QtText.h"

namespace varelo {

namespace {

constexpr double kTextMm = 3.5;
constexpr double kLineMm = 5.5;
// Left edges of the table's five columns and whether each is right-aligned to the next edge.
constexpr double kColumns[] = {0, 0.12, 0.42, 0.62, 0.85, 1.0};
constexpr bool kRight[] = {false, true, true, false, false};

}  // namespace

int VseProtocolPrintout::Kind() const {
    return kPrintVseProtocol;
}

double VseProtocolPrintout::PaintLines(QPainter& painter, const QRectF& area,
                                       const PaintOptions& options) const {
    const double line = options.Mm(kLineMm);
    const double valueLeft = area.width() * 0.35;
    double y = area.top();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    for (const VseProtocol::Line& l : protocol_.lines) {
        painter.drawText(QRectF(area.left(), y, valueLeft, line), flags, Q(l.label));
        const QRectF value(area.left() + valueLeft, y, area.width() - valueLeft, line);
        // Paths too long for the line lose their middle.
        painter.drawText(
            value, flags,
            painter.fontMetrics().elidedText(Q(l.value), Qt::ElideMiddle, int(value.width())));
        y += line;
    }
    return y;
}

void VseProtocolPrintout::PaintRow(QPainter& painter, const QRectF& area, double y,
                                   const PaintOptions& options,
                                   const std::array<std::string, 5>& cells) const {
    const double line = options.Mm(kLineMm);
    const double gap = options.Mm(2);
    for (size_t c = 0; c < cells.size(); ++c) {
        const double left = area.left() + area.width() * kColumns[c];
        const double right = area.left() + area.width() * kColumns[c + 1] - (kRight[c] ? gap : 0);
        const int flags =
            (kRight[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine;
        painter.drawText(QRectF(left, y, right - left, line), flags, Q(cells[c]));
    }
}

bool VseProtocolPrintout::PaintPage(QPainter& painter, const QRectF& area,
                                    const PaintOptions& options, int page) {
    const size_t index = size_t(std::max(page, 1) - 1);
    const size_t first = index < pageStarts_.size() ? pageStarts_[index] : pageStarts_.back();
    const double line = options.Mm(kLineMm);
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(options.Font(kTextMm));
    double y = index == 0 ? PaintLines(painter, area, options) : area.top();
    painter.setFont(options.Font(kTextMm, true));
    PaintRow(painter, area, y, options, protocol_.head);
    y += line;
    painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    painter.setFont(options.Font(kTextMm));
    size_t n = first;
    for (; n < protocol_.rows.size() && (y + line <= area.bottom() || n == first); ++n) {
        PaintRow(painter, area, y, options, protocol_.rows[n]);
        y += line;
    }
    painter.restore();
    if (index + 1 >= pageStarts_.size()) pageStarts_.resize(index + 2, n);
    return n < protocol_.rows.size();
}

}  // namespace varelo
