#include "gui/views/BlockTablePainter.h"

#include <QFontMetricsF>
#include <QPainter>

#include "app/StringTable.h"

namespace varelo {

namespace {

constexpr double kTextMm = 3.2;
constexpr double kBlockGapLines = 0.3;
constexpr double kMinimumCellChars = 6;  // a phase cell fits "-10.00" at least
constexpr int kParameterText = 1307;
constexpr int kMeasurementValueText = 1300;
constexpr int kDeviationFromText = 1273;
constexpr int kLimitValueText = 1284;
constexpr int kUnitText = 1277;
constexpr int kDurationText = 1276;
const QColor kGrey(192, 192, 192);

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

double BlockTablePainter::LineHeight(const QPaintDevice* device) const {
    QFontMetricsF fm(o_.Font(kTextMm), const_cast<QPaintDevice*>(device));
    return 1.2 * (fm.height() + fm.leading());
}

double BlockTablePainter::BlockHeight(size_t block, const QPaintDevice* device) const {
    if (block >= r_.blocks.size()) return 0;
    return (double(r_.blocks[block].LineCount()) + kBlockGapLines) * LineHeight(device);
}

size_t BlockTablePainter::BlocksThatFit(size_t first, double height,
                                        const QPaintDevice* device) const {
    double y = HeaderHeight(device);
    size_t n = 0;
    for (size_t b = first; b < r_.blocks.size(); ++b, ++n) {
        y += BlockHeight(b, device);
        if (y > height + 0.5) break;
    }
    return n;
}

BlockColumns BlockTablePainter::Columns(double width, const QPaintDevice* device) const {
    QFontMetricsF fm(o_.Font(kTextMm), const_cast<QPaintDevice*>(device));
    return LayoutColumns(
        r_, width, [&fm](const std::string& s) { return fm.horizontalAdvance(Text(s)); },
        fm.averageCharWidth());
}

bool BlockTablePainter::Fits(const QRectF& area, const QPaintDevice* device) const {
    const BlockColumns c = Columns(area.width(), device);
    QFontMetricsF fm(o_.Font(kTextMm), const_cast<QPaintDevice*>(device));
    return c.phases > 0 && c.group / c.phases >= fm.averageCharWidth() * kMinimumCellChars &&
           area.height() >= HeaderHeight(device) + LineHeight(device);
}

size_t BlockTablePainter::Paint(QPainter& painter, const QRectF& area, size_t first,
                                bool wholeOnly) const {
    const QPaintDevice* device = painter.device();
    const BlockColumns c = Columns(area.width(), device);
    painter.save();
    painter.setFont(o_.Font(kTextMm));
    PaintHeaderBox(painter, QRectF(area.left(), area.top(), c.Total(), HeaderHeight(device)), c);
    double y = area.top() + HeaderHeight(device) + kBlockGapLines * LineHeight(device);
    size_t whole = 0;
    for (size_t b = first; b < r_.blocks.size() && y < area.bottom(); ++b) {
        const double height = BlockHeight(b, device);
        const bool fits = y + height <= area.bottom() + 0.5;
        if (!fits && wholeOnly) break;
        PaintBlock(painter, r_.blocks[b], area.left(), y, c);
        if (fits) ++whole;
        y += height;
    }
    painter.restore();
    return whole;
}

void BlockTablePainter::CentredText(QPainter& painter, const QRectF& cell,
                                    const std::string& text) const {
    painter.drawText(cell, Qt::AlignCenter, Text(text));
}

void BlockTablePainter::PaintPhaseNames(QPainter& painter, double x, double y,
                                        const BlockColumns& c) const {
    const double z = LineHeight(painter.device());
    for (int p = 0; p < 3; ++p) {
        if (!r_.presence.Has(p)) continue;
        const auto [left, width] = c.PhaseCell(p, r_.presence);
        CentredText(painter, QRectF(x + left, y, width, z), r_.phaseNames[size_t(p)]);
        if (left > 0) painter.drawLine(QPointF(x + left, y), QPointF(x + left, y + z));
    }
}

void BlockTablePainter::PaintHeaderBox(QPainter& painter, const QRectF& box,
                                       const BlockColumns& c) const {
    const double z = LineHeight(painter.device());
    const bool critical = r_.kind == BlockReport::Kind::kCritical;
    const double x0 = box.left(), xGroup = x0 + c.label + c.unit + c.third;
    const double xLast = xGroup + c.group;
    painter.setPen(QPen(Qt::black, o_.LineWidth(1)));
    painter.drawRect(box);
    painter.drawLine(QPointF(x0, box.top() + 2 * z), QPointF(box.right(), box.top() + 2 * z));
    for (double x : {xGroup, xLast})
        painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
    for (double x : {x0 + c.label, x0 + c.label + c.unit})
        painter.drawLine(QPointF(x, box.top() + 2 * z), QPointF(x, box.bottom()));
    QFontMetricsF fm(painter.font(), painter.device());
    const double inset = 0.1 * fm.height();  // texts sit a tenth of their height below the top
    auto line = [&](double x, double w, int row) {
        return QRectF(x, box.top() + row * z + inset, w, z - inset);
    };
    auto top = [&](const QRectF& cell, const std::string& text) {
        painter.drawText(cell, Qt::AlignHCenter | Qt::AlignTop, Text(text));
    };
    top(line(x0, c.label + c.unit + c.third, 0), Str(kParameterText));
    top(line(xGroup, c.group, 0), Str(kMeasurementValueText));
    if (critical) {
        top(line(xLast, c.last, 0), Str(kDurationText));
    } else {
        top(line(xLast, c.last, 0), Str(kDeviationFromText));
        top(line(xLast, c.last, 1), Str(kLimitValueText));
    }
    top(line(x0 + c.label, c.unit, 2), Str(kUnitText));
    PaintPhaseNames(painter, xGroup, box.top() + 2 * z, c);
    if (!critical) PaintPhaseNames(painter, xLast, box.top() + 2 * z, c);
}

void BlockTablePainter::PaintBlock(QPainter& painter, const ReportBlock& block, double x, double y,
                                   const BlockColumns& c) const {
    const double z = LineHeight(painter.device());
    const double indent = QFontMetricsF(painter.font(), painter.device()).averageCharWidth();
    const double height = double(block.LineCount()) * z;
    double ly = y;
    for (const BlockHeaderLine& line : block.header) {
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + indent, ly, c.label - indent, z),
                         Qt::AlignLeft | Qt::AlignVCenter, Text(line.label));
        CentredText(painter, QRectF(x + c.label, ly, c.unit, z), line.unit);
        CentredText(painter, QRectF(x + c.label + c.unit, ly, c.third, z), line.limit);
        ly += z;
    }
    painter.setPen(QPen(Qt::black, o_.LineWidth(1)));
    painter.drawLine(QPointF(x, ly), QPointF(x + c.Total(), ly));
    for (const StatisticalRow& row : block.statistical) {
        PaintStatisticalRow(painter, row, x, ly, c);
        ly += z;
    }
    for (const CriticalRow& row : block.critical) {
        PaintCriticalRow(painter, row, x, ly, c);
        ly += z;
    }
    painter.setPen(QPen(Qt::black, o_.LineWidth(1)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(x, y, c.Total(), height));
    const double xGroup = x + c.label + c.unit + c.third;
    for (double gx : {x + c.label, x + c.label + c.unit, xGroup, xGroup + c.group})
        painter.drawLine(QPointF(gx, y), QPointF(gx, y + height));
}

void BlockTablePainter::PaintCell(QPainter& painter, const QRectF& cell, const std::string& text,
                                  int mark) const {
    if (mark == kMarkGrey) {
        painter.fillRect(cell, kGrey);
    } else if (mark == kMarkFramed) {
        const double w = o_.LineWidth(3);
        painter.setPen(QPen(Qt::black, w));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(w / 2, w / 2, -w / 2, -w / 2));
    }
    painter.setPen(Qt::black);
    CentredText(painter, cell, text);
}

void BlockTablePainter::PaintStatisticalRow(QPainter& painter, const StatisticalRow& row, double x,
                                            double y, const BlockColumns& c) const {
    const double z = LineHeight(painter.device());
    const double indent = QFontMetricsF(painter.font(), painter.device()).averageCharWidth();
    painter.setPen(Qt::black);
    painter.drawText(QRectF(x + indent, y, c.label - indent, z), Qt::AlignLeft | Qt::AlignVCenter,
                     Text(row.label));
    CentredText(painter, QRectF(x + c.label, y, c.unit, z), row.unit);
    CentredText(painter, QRectF(x + c.label + c.unit, y, c.third, z), row.limit);
    const double xGroup = x + c.label + c.unit + c.third;
    for (int part = 0; part < 2; ++part) {
        const double left = xGroup + part * c.group;
        const auto& texts = part == 0 ? row.measured : row.deviation;
        const auto& marks = part == 0 ? row.measuredMark : row.deviationMark;
        if (row.merged) {
            PaintCell(painter, QRectF(left, y, c.group, z), texts[1], marks[1]);
            continue;
        }
        for (int p = 0; p < 3; ++p) {
            if (!r_.presence.Has(p)) continue;
            const auto [offset, width] = c.PhaseCell(p, r_.presence);
            PaintCell(painter, QRectF(left + offset, y, width, z), texts[size_t(p)],
                      marks[size_t(p)]);
        }
    }
}

void BlockTablePainter::PaintCriticalRow(QPainter& painter, const CriticalRow& row, double x,
                                         double y, const BlockColumns& c) const {
    const double z = LineHeight(painter.device());
    painter.setPen(Qt::black);
    CentredText(painter, QRectF(x + c.label, y, c.unit, z), row.unit);
    CentredText(painter, QRectF(x + c.label + c.unit, y, c.third, z), row.time);
    const double xGroup = x + c.label + c.unit + c.third;
    const auto [offset, width] = c.PhaseCell(row.column, r_.presence);
    CentredText(painter, QRectF(xGroup + offset, y, width, z), row.value);
    CentredText(painter, QRectF(xGroup + c.group, y, c.last, z), row.duration);
}

}  // namespace varelo
