#include "gui/views/ValueListPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <vector>

#include "evaluation/MeasurementValueList.h"

namespace varelo {

namespace {

constexpr double kTextMm = 3.2;
constexpr double kHeaderLines = 2.5;  // the captions and their rule

}  // namespace

double ValueListPainter::LineHeight(const QPaintDevice* device) const {
    return QFontMetricsF(o_.Font(kTextMm), const_cast<QPaintDevice*>(device)).height() * 1.15;
}

int ValueListPainter::RowsPerPage(double height, const QPaintDevice* device) const {
    const double line = LineHeight(device);
    return qMax(1, int((height - kHeaderLines * line) / line));
}

size_t ValueListPainter::Paint(QPainter& painter, const QRectF& area, size_t begin,
                               size_t end) const {
    const double line = LineHeight(painter.device());
    if (area.height() < (kHeaderLines + 1) * line) return 0;
    painter.save();
    const QFont text = o_.Font(kTextMm);
    QFontMetricsF fm(text, painter.device());
    painter.setFont(text);
    painter.setPen(Qt::black);
    // Date and time and the status take what their texts need; the channels share the rest.
    const double gap = o_.Mm(4);
    std::vector<double> widths = {fm.horizontalAdvance(QStringLiteral("00.00.0000 00:00:00")) +
                                  gap};
    if (l_.Status())
        widths.push_back(fm.horizontalAdvance(QStringLiteral("000000 *LG--2YNSUIC")) + gap);
    const double fixed = widths.size() == 2 ? widths[0] + widths[1] : widths[0];
    const size_t channels = l_.Columns().size();
    const double channelWidth = channels
                                    ? qMax(fm.horizontalAdvance(QStringLiteral("-0000.000")) + gap,
                                           (area.width() - fixed) / double(channels))
                                    : 0;
    widths.insert(widths.end(), channels, channelWidth);
    const size_t firstChannel = l_.Status() ? 2 : 1;
    auto cell = [&](size_t c, double y) {
        double x = area.left();
        for (size_t i = 0; i < c; ++i)
            x += widths[i];
        return QRectF(x, y, widths[c] - (c >= firstChannel ? gap / 2 : 0), line);
    };
    double y = area.top();
    const std::vector<std::string> titles = l_.ColumnTitles(labels_);
    for (size_t c = 0; c < titles.size() && c < widths.size(); ++c) {
        const QRectF r = cell(c, y);
        if (r.left() >= area.right()) break;
        const QString title = fm.elidedText(Q(titles[c]), Qt::ElideRight, r.width());
        painter.drawText(r, (c >= firstChannel ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                         title);
    }
    y += 1.5 * line;
    painter.setPen(QPen(Qt::black, o_.LineWidth(1)));
    painter.drawLine(QPointF(area.left(), y - 0.25 * line), QPointF(area.right(), y - 0.25 * line));
    painter.setPen(Qt::black);
    size_t r = begin;
    for (; r < end && r < l_.Rows() && y + line <= area.bottom() + 0.5; ++r) {
        const std::vector<std::string> texts = l_.RowTexts(r);
        for (size_t c = 0; c < texts.size() && c < widths.size(); ++c) {
            const QRectF rect = cell(c, y);
            if (rect.left() >= area.right()) break;
            painter.drawText(
                rect, (c >= firstChannel ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                Q(texts[c]));
        }
        y += line;
    }
    painter.restore();
    return r - begin;
}

}  // namespace varelo
