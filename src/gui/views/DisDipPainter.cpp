#include "gui/views/DisDipPainter.h"

#include <QFontMetricsF>
#include <QPainter>

namespace varelo {

namespace {

constexpr double kTextMm = 3.2;
constexpr double kRowLines = 1.6;  // height of a table row in text lines
constexpr double kHeaderLines = 2.6;
constexpr double kBelowLines = 13;  // recording text, note and eight totals with spacing

}  // namespace

double DisDipPainter::Line(const QPaintDevice* device) const {
    return QFontMetricsF(o_.Font(kTextMm), const_cast<QPaintDevice*>(device)).height();
}

double DisDipPainter::LabelWidth(const QPaintDevice* device) const {
    QFontMetricsF fm(o_.Font(kTextMm), const_cast<QPaintDevice*>(device));
    double width = fm.horizontalAdvance(Q(t_.CornerText(labels_)));
    for (int r = 0; r < CDisDipTable::kRows; ++r)
        width = qMax(width, fm.horizontalAdvance(Q(t_.RowLabel(r))));
    return width + 2 * fm.averageCharWidth();
}

double DisDipPainter::Height(const QPaintDevice* device) const {
    return Line(device) * (kHeaderLines + CDisDipTable::kRows * kRowLines + kBelowLines);
}

bool DisDipPainter::Paint(QPainter& painter, const QRectF& area) const {
    QFontMetricsF fm(o_.Font(kTextMm), painter.device());
    double columns = area.width() - LabelWidth(painter.device());
    if (columns / CDisDipTable::kColumns < fm.horizontalAdvance(QStringLiteral("100...< 500 ")) ||
        area.height() < Height(painter.device()))
        return false;
    painter.save();
    painter.setFont(o_.Font(kTextMm));
    painter.setPen(Qt::black);
    double y = PaintTable(painter, area);
    PaintBelow(painter, area, y + Line(painter.device()));
    painter.restore();
    return true;
}

double DisDipPainter::PaintTable(QPainter& painter, const QRectF& area) const {
    const double line = Line(painter.device());
    const double label = LabelWidth(painter.device());
    const double column = (area.width() - label) / CDisDipTable::kColumns;
    const double header = kHeaderLines * line, row = kRowLines * line;
    const double x0 = area.left(), y0 = area.top();
    painter.drawText(QRectF(x0 + o_.Mm(1), y0, label, header), Qt::AlignLeft | Qt::AlignVCenter,
                     Q(t_.CornerText(labels_)));
    for (int c = 0; c < CDisDipTable::kColumns; ++c) {
        auto [first, second] = CDisDipTable::ColumnLabel(c);
        painter.drawText(QRectF(x0 + label + c * column, y0, column, header), Qt::AlignCenter,
                         Q(first) + "\n" + Q(second));
    }
    for (int r = 0; r < CDisDipTable::kRows; ++r) {
        double y = y0 + header + r * row;
        painter.drawText(QRectF(x0 + o_.Mm(1), y, label, row), Qt::AlignLeft | Qt::AlignVCenter,
                         Q(t_.RowLabel(r)));
        for (int c = 0; c < CDisDipTable::kColumns; ++c) {
            int count = t_.Cell(r, c);
            if (count > 0)
                painter.drawText(QRectF(x0 + label + c * column, y, column, row), Qt::AlignCenter,
                                 QString::number(count));
        }
    }
    const double bottom = y0 + header + CDisDipTable::kRows * row;
    painter.setPen(QPen(Qt::black, o_.LineWidth(1)));
    for (int r = 0; r <= CDisDipTable::kRows; ++r) {
        double y = y0 + header + r * row;
        painter.drawLine(QPointF(x0, y), QPointF(area.right(), y));
    }
    for (int c = 0; c <= CDisDipTable::kColumns; ++c) {
        double x = x0 + label + c * column;
        painter.drawLine(QPointF(x, y0), QPointF(x, bottom));
    }
    painter.setPen(QPen(Qt::black, o_.LineWidth(2)));
    painter.drawRect(QRectF(QPointF(x0, y0), QPointF(area.right(), bottom)));
    painter.setPen(Qt::black);
    return bottom;
}

void DisDipPainter::PaintBelow(QPainter& painter, const QRectF& area, double y) const {
    const double line = Line(painter.device());
    QFontMetricsF fm(painter.font(), painter.device());
    painter.drawText(QRectF(area.left(), y, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                     Q(t_.RecordingText()));
    y += line * 1.8;
    QString note = Q(CDisDipTable::NoteText());
    QRectF frame(area.left(), y, fm.horizontalAdvance(note) + 2 * fm.averageCharWidth(),
                 line * 1.5);
    painter.setPen(QPen(Qt::black, o_.LineWidth(1)));
    painter.drawRect(frame);
    painter.drawText(frame, Qt::AlignCenter, note);
    y += line * 2.5;
    const auto totals = t_.Totals();
    double labelWidth = 0;
    for (const auto& [label, count] : totals)
        labelWidth = qMax(labelWidth, fm.horizontalAdvance(Q(label)));
    const double numberRight =
        area.left() + labelWidth + fm.horizontalAdvance(QStringLiteral("000000"));
    for (const auto& [label, count] : totals) {
        painter.drawText(QRectF(area.left(), y, labelWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                         Q(label));
        painter.drawText(QRectF(area.left(), y, numberRight - area.left(), line),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(count));
        y += line;
    }
}

}  // namespace varelo
