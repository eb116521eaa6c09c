#include "gui/print/PageFrame.h"

#include <QFontMetricsF>
#include <QPainter>

#include "app/ProductVersion.h"
#include "app/StringTable.h"

namespace varelo {

namespace {

constexpr double kTitleMm = 4.9;
constexpr double kTextMm = 3.5;
constexpr double kVersionPoints = 7;
constexpr double kInfoLineSpacing = 1.35;  // line height of the information block, x text height

}  // namespace

QRectF PageFrame::DrawHeader(const QRectF& area, const PageHeaderTexts& texts, int page) {
    painter_.save();
    painter_.setPen(Qt::black);
    painter_.setBackgroundMode(Qt::TransparentMode);
    double y = area.top();

    QFont title = options_.Font(kTitleMm, true);
    painter_.setFont(title);
    double titleHeight = QFontMetricsF(title, painter_.device()).height();
    painter_.drawText(QRectF(area.left(), y, area.width(), titleHeight),
                      Qt::AlignLeft | Qt::AlignTop, texts.title);
    y += titleHeight;

    QFont text = options_.Font(kTextMm);
    painter_.setFont(text);
    double line = QFontMetricsF(text, painter_.device()).height();
    painter_.drawText(QRectF(area.left(), y, area.width(), line), Qt::AlignLeft | Qt::AlignTop,
                      texts.documentName);
    painter_.drawText(QRectF(area.left(), y, area.width(), line), Qt::AlignRight | Qt::AlignTop,
                      texts.printedAt);
    y += line;
    painter_.drawText(QRectF(area.left(), y, area.width(), line), Qt::AlignRight | Qt::AlignTop,
                      Q(Str(1196)) + " " + QString::number(page));
    y += line + options_.Mm(0.5);

    painter_.setPen(QPen(Qt::black, options_.LineWidth(1)));
    painter_.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    y += options_.Mm(0.5);

    QFont small(QStringLiteral("Arial"));
    small.setPointSizeF(kVersionPoints);
    painter_.setFont(small);
    double smallLine = QFontMetricsF(small, painter_.device()).height();
    painter_.drawText(
        QRectF(area.left(), y, area.width(), smallLine), Qt::AlignRight | Qt::AlignTop,
        Q(Str(174)) + "  " + Q(Str(1379)) + " " + QString::fromLatin1(kProductVersion));
    y += smallLine;

    QFont kind = options_.Font(kTextMm, true);
    painter_.setFont(kind);
    painter_.drawText(QRectF(area.left(), y, area.width(), line), Qt::AlignLeft | Qt::AlignTop,
                      texts.kindTitle);
    y += line * 1.5;
    painter_.restore();
    return QRectF(area.left(), y, area.width(), qMax(0.0, area.bottom() - y));
}

QRectF PageFrame::DrawInformationBlock(const QRectF& area,
                                       const std::vector<InfoBlockLine>& lines) {
    painter_.save();
    painter_.setPen(Qt::black);
    QFont text = options_.Font(kTextMm * 0.85);
    QFont bold = options_.Font(kTextMm * 0.85, true);
    QFontMetricsF metrics(text, painter_.device());
    double line = metrics.height() * kInfoLineSpacing / 1.15;
    double indent = options_.Mm(4);
    double valueColumn = area.left() + options_.Mm(62);
    double neutralColumn = valueColumn + (area.right() - valueColumn) / 2;
    double y = area.top();
    for (const InfoBlockLine& l : lines) {
        if (y + line > area.bottom()) break;
        painter_.setFont(l.indented ? text : bold);
        double x = area.left() + (l.indented ? indent : 0);
        painter_.drawText(QRectF(x, y, valueColumn - x, line), Qt::AlignLeft | Qt::AlignVCenter,
                          Q(l.label));
        painter_.setFont(text);
        double valueRight = l.neutralValue.empty() ? area.right() : neutralColumn;
        painter_.drawText(
            QRectF(valueColumn, y, valueRight - valueColumn, line),
            Qt::AlignLeft | Qt::AlignVCenter,
            metrics.elidedText(Q(l.value), Qt::ElideMiddle, valueRight - valueColumn));
        if (!l.neutralValue.empty())
            painter_.drawText(QRectF(neutralColumn, y, area.right() - neutralColumn, line),
                              Qt::AlignLeft | Qt::AlignVCenter, Q(l.neutralValue));
        y += line;
    }
    y += line * 0.5;
    painter_.setPen(QPen(Qt::black, options_.LineWidth(1)));
    painter_.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    y += line;
    painter_.restore();
    return QRectF(area.left(), y, area.width(), qMax(0.0, area.bottom() - y));
}

}  // namespace varelo
