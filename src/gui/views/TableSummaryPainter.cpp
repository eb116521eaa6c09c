#include "gui/views/TableSummaryPainter.h"
#include "gui/app/QtText.h"

#include <QFontMetricsF>
#include <QPainter>

namespace varelo {

namespace {

constexpr double kTextMm = 3.2;
constexpr int kHeaderRows = 3;
constexpr double kLegendLines = 4;
constexpr double kMinimumCellChars = 6;  // a phase column fits "-10.00" at least
const char* const kLongFileName = "XXXXXXXXXXXXXX";

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

double TableSummaryPainter::RowHeight(const QPaintDevice* device) const {
    QFontMetricsF fm(o_.Font(kTextMm), const_cast<QPaintDevice*>(device));
    return (fm.height() + fm.leading()) * (o_.printing ? 1.3 : 1.6);
}

double TableSummaryPainter::Height(const QPaintDevice* device) const {
    double z = RowHeight(device);
    return (kHeaderRows + double(t_.rows.size())) * z + kLegendLines * z;
}

TableSummaryPainter::Columns TableSummaryPainter::Measure(const QPaintDevice* device) const {
    QFontMetricsF fm(o_.Font(kTextMm), const_cast<QPaintDevice*>(device));
    double pad = 2 * fm.averageCharWidth();
    Columns c;
    QString fileName = Text(t_.limitFileName);
    if (fileName.size() > 14) fileName = kLongFileName;
    c.unit = fm.horizontalAdvance(QStr(1277));
    c.limit = fm.horizontalAdvance(fileName);
    for (const SummaryRow& row : t_.rows) {
        c.label = qMax(c.label, fm.horizontalAdvance(Text(row.label)));
        c.unit = qMax(c.unit, fm.horizontalAdvance(Text(row.unit)));
        c.limit = qMax(c.limit, fm.horizontalAdvance(Text(row.limit)));
    }
    c.label += pad;
    c.unit += pad;
    c.limit += pad;
    for (bool present : t_.phases)
        c.phases += present ? 1 : 0;
    return c;
}

bool TableSummaryPainter::Paint(QPainter& painter, const QRectF& area) const {
    const QPaintDevice* device = painter.device();
    Columns c = Measure(device);
    double z = RowHeight(device);
    double rest = area.width() - c.label - c.unit - c.limit;
    c.group = rest / 2;
    QFontMetricsF fm(o_.Font(kTextMm), painter.device());
    if (c.phases == 0 || c.group / c.phases < fm.averageCharWidth() * kMinimumCellChars)
        return false;
    if (area.height() < Height(device)) return false;
    painter.save();
    painter.setFont(o_.Font(kTextMm));
    PaintHeader(painter, area, c, z);
    double y = area.top() + kHeaderRows * z;
    for (const SummaryRow& row : t_.rows) {
        PaintRow(painter, row, area.left(), y, c, z);
        y += z;
    }
    QPen thick(colors_[0], o_.LineWidth(2));
    painter.setPen(thick);
    painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    painter.drawRect(QRectF(area.left(), area.top(), area.width(), y - area.top()));
    PaintLegend(painter, area.left(), y + z);
    painter.restore();
    return true;
}

void TableSummaryPainter::PaintHeader(QPainter& painter, const QRectF& area, const Columns& c,
                                      double z) const {
    const double top = area.top(), x0 = area.left();
    const double xMax = x0 + c.label + c.unit + c.limit, xShare = xMax + c.group;
    painter.setPen(colors_[0]);
    painter.drawText(QRectF(x0, top, c.label + c.unit + c.limit, 2 * z), Qt::AlignCenter,
                     QStr(1307));
    painter.drawText(QRectF(xMax, top, c.group, 2 * z), Qt::AlignCenter,
                     QTxt(txt::view_tableSummary_maximumValue));
    painter.drawText(QRectF(xShare, top, c.group, 2 * z), Qt::AlignCenter, Text(t_.shareHeading));
    const double y3 = top + 2 * z;
    painter.drawText(QRectF(x0 + c.label, y3, c.unit, z), Qt::AlignCenter, QStr(1277));
    QFontMetricsF fm(painter.font(), painter.device());
    painter.drawText(QRectF(x0 + c.label + c.unit, y3, c.limit, z), Qt::AlignCenter,
                     fm.elidedText(Text(t_.limitFileName), Qt::ElideRight, c.limit));
    double w = c.group / c.phases;
    for (int part = 0; part < 2; ++part) {
        double x = part == 0 ? xMax : xShare;
        for (int p = 0; p < 3; ++p) {
            if (!t_.phases[size_t(p)]) continue;
            painter.drawText(QRectF(x, y3, w, z), Qt::AlignCenter, Text(t_.phaseNames[size_t(p)]));
            x += w;
        }
    }
    painter.setPen(QPen(colors_[0], o_.LineWidth(1)));
    for (double x : {x0 + c.label, x0 + c.label + c.unit})
        painter.drawLine(QPointF(x, y3), QPointF(x, y3 + z));
    painter.drawLine(QPointF(x0, y3), QPointF(area.right(), y3));
    painter.drawLine(QPointF(xShare, top), QPointF(xShare, y3 + z));
    painter.drawLine(QPointF(xMax, top), QPointF(xMax, y3 + z));
}

QBrush TableSummaryPainter::MarkBrush(int mark) const {
    bool maximum = mark == SummaryRow::kMaximumReached;
    return o_.Hatch(colors_[maximum ? 1 : 2], maximum ? Qt::BDiagPattern : Qt::FDiagPattern);
}

void TableSummaryPainter::PaintCell(QPainter& painter, const QRectF& cell, const std::string& text,
                                    int mark) const {
    if (mark != SummaryRow::kNone) {
        QRectF inner =
            cell.adjusted(o_.LineWidth(2), o_.LineWidth(2), -o_.LineWidth(2), -o_.LineWidth(2));
        painter.fillRect(inner, MarkBrush(mark));
        QColor frame = o_.monochrome ? QColor(Qt::black)
                                     : colors_[mark == SummaryRow::kMaximumReached ? 1 : 2];
        painter.setPen(QPen(frame, o_.LineWidth(1)));
        painter.drawRect(inner);
        // The number stays readable on the hatch.
        QFontMetricsF fm(painter.font(), painter.device());
        double w = fm.horizontalAdvance(Text(text)) + fm.averageCharWidth();
        QRectF back(cell.center().x() - w / 2, cell.center().y() - fm.height() / 2, w, fm.height());
        if (!text.empty()) painter.fillRect(back, Qt::white);
    }
    painter.setPen(colors_[0]);
    painter.drawText(cell, Qt::AlignCenter, Text(text));
}

void TableSummaryPainter::PaintRow(QPainter& painter, const SummaryRow& row, double x, double y,
                                   const Columns& c, double z) const {
    const double right = x + c.label + c.unit + c.limit + 2 * c.group;
    painter.setPen(QPen(colors_[0], o_.LineWidth(row.subRow ? 1 : 2)));
    painter.drawLine(QPointF(x, y), QPointF(right, y));
    painter.setPen(colors_[0]);
    QFont font = painter.font();
    QFont bold = font;
    bold.setBold(row.header);
    painter.setFont(bold);
    double indent = row.subRow ? o_.Mm(2) : o_.Mm(1);
    painter.drawText(QRectF(x + indent, y, c.label - indent, z), Qt::AlignLeft | Qt::AlignVCenter,
                     Text(row.label));
    painter.setFont(font);
    painter.drawText(QRectF(x + c.label, y, c.unit, z), Qt::AlignCenter, Text(row.unit));
    painter.drawText(QRectF(x + c.label + c.unit, y, c.limit, z), Qt::AlignCenter, Text(row.limit));
    const double w = c.group / c.phases;
    for (int part = 0; part < 2; ++part) {
        double left = x + c.label + c.unit + c.limit + part * c.group;
        bool merged = part == 0 ? row.mergedMaximum : row.mergedShare;
        if (merged) {
            PaintCell(painter, QRectF(left, y, c.group, z), row.cells[size_t(part * 3 + 1)],
                      row.marks[size_t(part * 3 + 1)]);
        } else {
            double cx = left;
            for (int p = 0; p < 3; ++p) {
                if (!t_.phases[size_t(p)]) continue;
                size_t index = size_t(part * 3 + p);
                PaintCell(painter, QRectF(cx, y, w, z), row.cells[index], row.marks[index]);
                if (cx > left) {
                    painter.setPen(QPen(colors_[0], o_.LineWidth(1)));
                    painter.drawLine(QPointF(cx, y), QPointF(cx, y + z));
                }
                cx += w;
            }
        }
    }
    painter.setPen(QPen(colors_[0], o_.LineWidth(1)));
    for (double cx : {x + c.label, x + c.label + c.unit, x + c.label + c.unit + c.limit,
                      x + c.label + c.unit + c.limit + c.group})
        painter.drawLine(QPointF(cx, y), QPointF(cx, y + z));
}

void TableSummaryPainter::PaintLegend(QPainter& painter, double x, double y) const {
    QFontMetricsF fm(painter.font(), painter.device());
    double line = fm.height();
    double boxWidth = 5 * fm.horizontalAdvance(QLatin1Char('W'));  // the widest letter
    auto entry = [&](int mark, const std::string& text, double top) {
        QRectF box(x, top, boxWidth, line);
        painter.fillRect(box, MarkBrush(mark));
        QColor frame = o_.monochrome ? QColor(Qt::black)
                                     : colors_[mark == SummaryRow::kMaximumReached ? 1 : 2];
        painter.setPen(QPen(frame, o_.LineWidth(1)));
        painter.drawRect(box);
        painter.setPen(colors_[0]);
        painter.drawText(QRectF(x + boxWidth + fm.averageCharWidth() * 2, top, 1e5, line),
                         Qt::AlignLeft | Qt::AlignVCenter, Text(text));
    };
    entry(SummaryRow::kMaximumReached, t_.maximumLegend, y);
    entry(SummaryRow::kShareReached, t_.shareLegend, y + 2.5 * line);
}

}  // namespace varelo
