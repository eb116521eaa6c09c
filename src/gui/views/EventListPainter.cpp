#include "gui/views/EventListPainter.h"

#include <QFontMetricsF>
#include <QPainter>

#include "app/StringTable.h"

namespace varelo {

namespace {

constexpr double kTextMm = 3.2;

}  // namespace

double EventListPainter::LineHeight(const QPaintDevice* device) const {
    return QFontMetricsF(o_.Font(kTextMm), const_cast<QPaintDevice*>(device)).height() * 1.15;
}

size_t EventListPainter::Paint(QPainter& painter, const QRectF& area, size_t begin,
                               size_t end) const {
    const double line = LineHeight(painter.device());
    if (area.height() < 5 * line) return 0;  // not even the header and one row
    painter.save();
    QFont text = o_.Font(kTextMm);
    QFontMetricsF fm(text, painter.device());
    painter.setPen(Qt::black);
    painter.setFont(o_.Font(kTextMm, true));
    painter.drawText(QRectF(area.left(), area.top(), area.width(), line),
                     Qt::AlignLeft | Qt::AlignVCenter, Q(Str(369)));
    painter.setFont(text);
    // Date and time, duration, then one column per shown phase.
    const double dateWidth =
        fm.horizontalAdvance(QStringLiteral("00.00.0000 00:00:00.000")) + o_.Mm(6);
    const double durationWidth = fm.horizontalAdvance(QStringLiteral("0d 00:00:00.000")) + o_.Mm(6);
    const double phaseLeft = area.left() + dateWidth + durationWidth;
    const int phases = qMax(1, int(c_.columnTitles.size()));
    const double phaseWidth = qMax(fm.horizontalAdvance(QStringLiteral("Phase L1 ")),
                                   (area.right() - phaseLeft) / phases);
    double y = area.top() + 2 * line;
    painter.drawText(QRectF(area.left(), y, dateWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                     Q(Str(367)));
    painter.drawText(QRectF(area.left() + dateWidth, y, durationWidth, line),
                     Qt::AlignLeft | Qt::AlignVCenter, Q(Str(368)));
    for (int c = 0; c < c_.columnTitles.size(); ++c)
        painter.drawText(QRectF(phaseLeft + c * phaseWidth, y, phaseWidth, line),
                         Qt::AlignRight | Qt::AlignVCenter, c_.columnTitles[c]);
    y += line;
    painter.setPen(QPen(Qt::black, o_.LineWidth(1)));
    painter.drawLine(QPointF(area.left(), y + line * 0.4), QPointF(area.right(), y + line * 0.4));
    painter.setPen(Qt::black);
    y += line;
    size_t r = begin;
    for (; r < end && r < c_.rows.size() && y + line <= area.bottom() + 0.5; ++r) {
        const EventListRow& row = c_.rows[r];
        painter.drawText(QRectF(area.left(), y, dateWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                         Q(row.startText));
        painter.drawText(QRectF(area.left() + dateWidth, y, durationWidth, line),
                         Qt::AlignLeft | Qt::AlignVCenter, Q(row.durationText));
        if (row.column >= 0)
            painter.drawText(QRectF(phaseLeft + row.column * phaseWidth, y, phaseWidth, line),
                             Qt::AlignRight | Qt::AlignVCenter, Q(row.cellText));
        y += line;
    }
    painter.restore();
    return r - begin;
}

}  // namespace varelo
