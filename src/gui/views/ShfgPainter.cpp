#include "gui/views/ShfgPainter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "app/StringTable.h"
#include "evaluation/GraphicalSummary.h"
#include "gui/app/QtText.h"

namespace varelo {

namespace {

constexpr double kTextMm = 3.2;
constexpr int kBarScale = 1200;  // per mille at the bar's right end
constexpr int kDetailLines = 4;  // caption, header, values, gap

QString Time(const CTimeStamp& t) {
    return Q(t.DisplayText());
}

}  // namespace

double ShfgPainter::LineHeight(const QPaintDevice* device) const {
    return QFontMetricsF(o_.Font(kTextMm), const_cast<QPaintDevice*>(device)).lineSpacing() * 1.3;
}

double ShfgPainter::HeadHeight(const QPaintDevice* device) const {
    return LineHeight(device) * (kDetailLines + 1);
}

double ShfgPainter::ContentHeight(const QPaintDevice* device) const {
    return HeadHeight(device) + LineHeight(device) * double(p_.lines.size() + 1);
}

ShfgPainter::Columns ShfgPainter::Layout(const QRectF& area, const QPaintDevice* device) const {
    QFontMetricsF fm(o_.Font(kTextMm), const_cast<QPaintDevice*>(device));
    QFont bold = o_.Font(kTextMm);
    bold.setBold(true);
    const QFontMetricsF head(bold, const_cast<QPaintDevice*>(device));
    double number = fm.horizontalAdvance(QStringLiteral("-000000.00"));
    for (const QString& text :
         {QTxt(txt::view_shfg_nominalValue), QStr(1284), Q(Msg(1245, {"100"})), QStr(234)})
        number = std::max(number, head.horizontalAdvance(text));
    number += 2 * fm.averageCharWidth();
    const double time = fm.horizontalAdvance(QStringLiteral("00/00/0000 00:00:00 "));
    const double unit = fm.horizontalAdvance(QStringLiteral("  kvar "));
    const double fixed = 4 * number + unit + time;
    // The caption and the bar share what the numbers leave, the caption taking the larger part.
    const double rest = std::max(0.0, area.width() - fixed);
    const double caption =
        std::max(fm.averageCharWidth() * 12, std::min(area.width() * 0.25, rest * 0.6));
    Columns c;
    c.caption = area.left();
    c.bar = c.caption + caption;
    c.reference = std::max(c.bar, area.right() - fixed);
    c.lower = c.reference + number;
    c.upper = c.lower + number;
    c.maximum = c.upper + number;
    c.unit = c.maximum + number;
    c.time = c.unit + unit;
    c.right = area.right();
    return c;
}

QString ShfgPainter::Number(int channel, double value) const {
    return QString::number(value, 'f', p_.decimals[size_t(channel)]);
}

double ShfgPainter::PaintHead(QPainter& painter, const QRectF& area) const {
    const double line = LineHeight(painter.device());
    double y = area.top();
    painter.setPen(p_.colors[0]);
    const int lower = p_.settings.lowerClassLimit, upper = p_.settings.upperClassLimit;
    if (p_.detail >= 0 && size_t(p_.detail) < p_.channels.size()) {
        const CumulativeChannel& c = p_.channels[size_t(p_.detail)];
        const double reference = c.Reference(p_.settings.scaleMode);
        const bool limit = p_.settings.scaleMode == 0;
        QString text = p_.captions[size_t(p_.detail)];
        if (limit)
            text += Q(Msg(1206, {reference > 0 ? S(Number(p_.detail, reference)) + " " +
                                                     S(p_.units[size_t(p_.detail)])
                                               : Str(1333)}));
        else if (reference > 0)
            text += Q(Msg(
                1212, {S(Number(p_.detail, reference)) + " " + S(p_.units[size_t(p_.detail)])}));
        painter.drawText(QRectF(area.left(), y, area.width(), line),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPixelSize(painter.font().pixelSize());
        painter.save();
        painter.setFont(fixed);
        const QString header = Q(Msg(1234, {std::to_string(lower), std::to_string(upper), ""}));
        painter.drawText(QRectF(area.left(), y + line, area.width(), line),
                         Qt::AlignLeft | Qt::AlignVCenter, header);
        const QString values =
            c.hasValues ? QStringLiteral("%1 %2  %3  %4  %5 %6")
                              .arg(Number(p_.detail, c.minimum), Time(c.minimumTime),
                                   Number(p_.detail, c.lower), Number(p_.detail, c.upper),
                                   Number(p_.detail, c.maximum), Time(c.maximumTime))
                        : QTxt(txt::view_shfg_noMeasurementValueAvailable);
        painter.drawText(QRectF(area.left(), y + 2 * line, area.width(), line),
                         Qt::AlignLeft | Qt::AlignVCenter, values);
        painter.restore();
    }
    y += kDetailLines * line;
    const Columns c = Layout(area, painter.device());
    const QString reference =
        p_.settings.scaleMode == 0 ? QStr(1284) : QTxt(txt::view_shfg_nominalValue);
    const struct {
        double x0, x1;
        QString text;
    } heads[] = {{c.caption, c.bar, QTxt(txt::view_shfg_quantity)},
                 {c.reference, c.lower, reference},
                 {c.lower, c.upper, Q(Msg(1245, {std::to_string(lower)}))},
                 {c.upper, c.maximum, Q(Msg(1245, {std::to_string(upper)}))},
                 {c.maximum, c.unit, QStr(234)},
                 {c.unit, c.time, QTxt(txt::view_shfg_unit)},
                 {c.time, c.right, QStr(367)}};
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    for (const auto& h : heads) {
        const bool number = h.x0 >= c.reference && h.x0 < c.unit;
        painter.drawText(QRectF(h.x0, y, h.x1 - h.x0, line),
                         (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, h.text);
    }
    painter.restore();
    painter.drawLine(QPointF(area.left(), y + line), QPointF(area.right(), y + line));
    return y + line;
}

void ShfgPainter::PaintLine(QPainter& painter, const ShfgLine& line, const Columns& c, double y,
                            double height) const {
    if (line.channel < 0) {
        QFont bold = painter.font();
        bold.setBold(true);
        painter.save();
        painter.setFont(bold);
        painter.drawText(QRectF(c.caption, y, c.right - c.caption, height),
                         Qt::AlignLeft | Qt::AlignVCenter, line.heading);
        painter.restore();
        return;
    }
    const int i = line.channel;
    const CumulativeChannel& ch = p_.channels[size_t(i)];
    const auto selected = std::find(p_.selection.begin(), p_.selection.end(), i);
    QString caption = p_.captions[size_t(i)];
    if (selected != p_.selection.end())
        caption = QStringLiteral("[%1] ").arg(int(selected - p_.selection.begin()) + 1) + caption;
    painter.drawText(QRectF(c.caption, y, c.bar - c.caption, height),
                     Qt::AlignLeft | Qt::AlignVCenter, caption);
    const double reference = ch.Reference(p_.settings.scaleMode);
    const QRectF cell(c.reference, y, c.lower - c.reference, height);
    painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter,
                     reference > 0 ? Number(i, reference) : Q(Str(1333)));
    if (!ch.hasValues) {
        painter.drawText(QRectF(c.lower, y, c.right - c.lower, height),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QTxt(txt::view_shfg_noMeasurementValueAvailable2));
        return;
    }
    const struct {
        double x0, x1;
        QString text;
    } cells[] = {{c.lower, c.upper, Number(i, ch.lower)},
                 {c.upper, c.maximum, Number(i, ch.upper)},
                 {c.maximum, c.unit, Number(i, ch.maximum)}};
    for (const auto& cellText : cells)
        painter.drawText(QRectF(cellText.x0, y, cellText.x1 - cellText.x0, height),
                         Qt::AlignRight | Qt::AlignVCenter, cellText.text);
    painter.drawText(QRectF(c.unit, y, c.time - c.unit, height), Qt::AlignLeft | Qt::AlignVCenter,
                     "  " + p_.units[size_t(i)]);
    painter.drawText(QRectF(c.time, y, c.right - c.time, height), Qt::AlignLeft | Qt::AlignVCenter,
                     Time(ch.maximumTime));
    if (!(reference > 0)) return;  // no bar without a reference
    // Three stacked parts: up to the lower class value, to the upper one and to the maximum.
    const double width = c.reference - c.bar - o_.Mm(3);
    const double top = y + height * 0.2, barHeight = height * 0.6;
    double from = 0;
    const double ends[3] = {ch.lower, ch.upper, ch.maximum};
    for (int part = 0; part < 3; ++part) {
        const double to = BarPerMille(ends[part], reference);
        if (to > from)
            painter.fillRect(QRectF(c.bar + width * from / kBarScale, top,
                                    width * (to - from) / kBarScale, barHeight),
                             p_.colors[size_t(part + 1)]);
        from = std::max(from, to);
    }
    const double mark = c.bar + width * 1000 / kBarScale;  // the reference itself
    painter.drawLine(QPointF(mark, y), QPointF(mark, y + height));
}

size_t ShfgPainter::Paint(QPainter& painter, const QRectF& area, size_t first,
                          bool pagePerPhase) const {
    painter.save();
    painter.setFont(o_.Font(kTextMm));
    painter.setPen(p_.colors[0]);
    const double line = LineHeight(painter.device());
    double y = PaintHead(painter, area);
    const Columns c = Layout(area, painter.device());
    size_t i = first;
    for (; i < p_.lines.size() && y + line <= area.bottom() + 0.5; ++i) {
        if (pagePerPhase && p_.lines[i].newPhase && i > first) break;
        PaintLine(painter, p_.lines[i], c, y, line);
        y += line;
    }
    painter.restore();
    return i;
}

int ShfgPainter::ChannelAt(const QPointF& point, const QRectF& area,
                           const QPaintDevice* device) const {
    const double line = LineHeight(device);
    const double top = area.top() + HeadHeight(device);
    if (point.y() < top || point.x() < area.left() || point.x() > area.right()) return -1;
    const size_t index = size_t((point.y() - top) / line);
    return index < p_.lines.size() ? p_.lines[index].channel : -1;
}

}  // namespace varelo
