#include "gui/views/PzdPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "app/StringTable.h"
#include "timeplot/NiceScale.h"
#include "timeplot/TimePeriodTable.h"

namespace varelo {

namespace {

constexpr double kPointSize = 10;
constexpr int kSideCharacters = 10;
constexpr int kTopBottomLines = 4;
constexpr int kAxisValues = 11;

double Unfold(double folded) {
    return folded >= 0 ? 1 - folded : -1 - folded;
}

QString Number(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

QPolygonF Polygon(const Polyline& line) {
    QPolygonF polygon;
    polygon.reserve(qsizetype(line.size()));
    for (const PathPoint& p : line)
        polygon << QPointF(p.x, p.y);
    return polygon;
}

}  // namespace

int AxisDecimals(double step, double largest) {
    if (largest >= 100000) return 0;
    for (int d = 0; d < 4; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) < 0.0001) return d;
    }
    return 4;
}

QFont PzdPainter::Font() const {
    return o_.Font(kPointSize * 25.4 / 72);
}

QRectF PzdPainter::DiagramRect(const QRectF& area, const QPaintDevice* device) const {
    QFontMetricsF fm(Font(), const_cast<QPaintDevice*>(device));
    const double side = kSideCharacters * fm.averageCharWidth();
    const double band = kTopBottomLines * fm.lineSpacing();
    return area.adjusted(side, band, -side, -band);
}

DiagramGeometry PzdPainter::Geometry(const QRectF& diagram) const {
    const TimeAxis& axis = p_.state->Axis();
    return {diagram.left(),
            diagram.top(),
            diagram.width(),
            diagram.height(),
            axis.WindowStart().SecondsSince(p_.data->Origin()),
            axis.WindowEnd().SecondsSince(p_.data->Origin())};
}

bool PzdPainter::Paint(QPainter& painter, const QRectF& area) const {
    if (area.width() < kMinimumWidth || area.height() < kMinimumHeight) return false;
    painter.save();
    painter.setFont(Font());
    const QRectF diagram = DiagramRect(area, painter.device());
    PaintGrid(painter, diagram);
    PaintTimeLabels(painter, diagram);
    PaintAxis(painter, diagram, p_.state->LeftCurve(), true);
    PaintAxis(painter, diagram, p_.state->RightCurve(), false);
    painter.save();
    painter.setClipRect(diagram.adjusted(-1, -1, 1, 1));
    PaintCurves(painter, diagram);
    painter.restore();
    PaintGapMarks(painter, diagram);
    PaintLegend(painter, area, diagram);
    painter.restore();
    return true;
}

void PzdPainter::PaintGrid(QPainter& painter, const QRectF& diagram) const {
    QPen dotted(Qt::black, 0, Qt::DotLine);
    painter.setPen(dotted);
    for (int i = 1; i < 10; ++i) {
        const double y = diagram.bottom() - diagram.height() * i / 10;
        painter.drawLine(QPointF(diagram.left(), y), QPointF(diagram.right(), y));
    }
    const TimeAxis& axis = p_.state->Axis();
    const int divisions = TimePeriodAt(axis.Period()).divisions;
    for (int k = 1; k < divisions; ++k) {
        const double x = diagram.left() + diagram.width() * k / divisions;
        painter.drawLine(QPointF(x, diagram.top()), QPointF(x, diagram.bottom()));
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(diagram);
}

void PzdPainter::PaintTimeLabels(QPainter& painter, const QRectF& diagram) const {
    const TimeAxis& axis = p_.state->Axis();
    QFontMetricsF fm(painter.font(), painter.device());
    const double top = diagram.bottom() + fm.lineSpacing();  // room for the gap marks
    auto label = [&](const CTimeStamp& t, double x, Qt::Alignment align) {
        const QString text = Q(t.DisplayDate()) + "\n" + Q(t.DisplayTime());
        const double width = fm.horizontalAdvance(Q(t.DisplayDate())) + fm.averageCharWidth();
        double left = x - width / 2;
        if (align == Qt::AlignLeft) left = x;
        if (align == Qt::AlignRight) left = x - width;
        painter.drawText(QRectF(left, top, width, 2 * fm.lineSpacing()), align | Qt::AlignTop,
                         text);
    };
    painter.setPen(Qt::black);
    if (axis.Period() == kMeasurementPeriod) {
        label(axis.WindowStart(), diagram.left(), Qt::AlignLeft);
        label(axis.WindowEnd(), diagram.right(), Qt::AlignRight);
        return;
    }
    const TimePeriod& period = TimePeriodAt(axis.Period());
    for (int k = 0; k <= period.divisions; ++k) {
        CTimeStamp t = axis.WindowStart();
        t.AddSeconds(k * period.DivisionSeconds());
        label(t, diagram.left() + diagram.width() * k / period.divisions, Qt::AlignHCenter);
    }
}

void PzdPainter::PaintAxis(QPainter& painter, const QRectF& diagram, int curve, bool left) const {
    if (curve < 0 || curve >= p_.state->CurveCount()) return;
    const YRange& range = p_.state->Range(curve);
    if (!range.IsSet()) return;
    const PzdCurveText& text = p_.texts[size_t(curve)];
    QFontMetricsF fm(painter.font(), painter.device());
    const double step = range.Span() / (kAxisValues - 1);
    const double largest = std::max(std::fabs(range.bottom), std::fabs(range.top));
    const int decimals = text.rangeLimited ? 2 : AxisDecimals(step, largest);
    const double gap = fm.averageCharWidth() / 2;
    painter.setPen(p_.colors[size_t(curve + 1)]);
    for (int i = 0; i < kAxisValues; ++i) {
        const double value = range.bottom + step * i;
        const double y = diagram.bottom() - diagram.height() * i / (kAxisValues - 1);
        const QString label = Number(text.rangeLimited ? Unfold(value) : value, decimals);
        const double width = kSideCharacters * fm.averageCharWidth() - 2 * gap;
        const QRectF box =
            left ? QRectF(diagram.left() - gap - width, y - fm.height() / 2, width, fm.height())
                 : QRectF(diagram.right() + gap, y - fm.height() / 2, width, fm.height());
        painter.drawText(box, (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, label);
    }
    // The caption stands above the axis values, beside the legend entries above the diagram.
    const QString caption = text.unit.isEmpty() ? text.name : text.name + " [" + text.unit + "]";
    const double side = kSideCharacters * fm.averageCharWidth();
    const double captionWidth = diagram.width() / 2 + side;
    const QRectF captionBox(left ? diagram.left() - side : diagram.right() + side - captionWidth,
                            diagram.top() - 1.5 * fm.lineSpacing(), captionWidth, fm.lineSpacing());
    painter.drawText(captionBox, (left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom,
                     caption);
}

// A step line is horizontal and vertical runs between whole pixels; each run is filled as the
// pixels it spans, so a column's entry, extremes and exit cover exactly what all its records
// would, in whatever order the runs come.
void PzdPainter::PaintSteps(QPainter& painter, const Polyline& line, const QColor& color,
                            double width) {
    if (line.empty()) return;
    const double half = std::floor((width - 1) / 2);
    auto fill = [&](double x0, double y0, double x1, double y1) {
        painter.fillRect(QRectF(x0 - half, y0 - half, x1 - x0 + width, y1 - y0 + width), color);
    };
    // The points of one column form one vertical run from its lowest to its highest pixel.
    double x = line[0].x, low = line[0].y, high = line[0].y;
    for (size_t i = 1; i < line.size(); ++i) {
        const PathPoint& p = line[i];
        if (p.x == x) {
            low = std::min(low, p.y);
            high = std::max(high, p.y);
            continue;
        }
        fill(x, low, x, high);
        fill(std::min(x, p.x), p.y, std::max(x, p.x), p.y);  // the step's horizontal run
        x = p.x;
        low = high = p.y;
    }
    fill(x, low, x, high);
}

double PzdPainter::PenWidth(const QPaintDevice* device) const {
    if (p_.widthChoice == 0) return 1;  // one device pixel: the device's thinnest line
    const int tenths = p_.widthChoice == 1 ? p_.mediumTenthsMm : p_.thickTenthsMm;
    const double pxPerMm = device->logicalDpiY() / 25.4;
    return std::max(0.0, std::ceil(tenths * 0.1 * pxPerMm));
}

void PzdPainter::PaintCurves(QPainter& painter, const QRectF& diagram) const {
    const DiagramGeometry g = Geometry(diagram);
    const double width = PenWidth(painter.device());
    for (int curve : p_.state->DrawingOrder()) {
        if (!p_.state->Range(curve).IsSet()) continue;
        if (p_.limitLine && curve == p_.state->LimitCurve())
            PaintLimitLine(painter, diagram, curve);
        const QColor color = p_.colors[size_t(curve + 1)];
        for (const Polyline& line :
             CurvePath(*p_.data, curve, p_.state->Range(curve), g, p_.decimate))
            PaintSteps(painter, line, color, width);
    }
}

void PzdPainter::PaintLimitLine(QPainter& painter, const QRectF& diagram, int curve) const {
    const YRange& range = p_.state->Range(curve);
    const QColor color = p_.colors[size_t(curve + 1)];
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    for (const Polyline& area : LimitFill(*p_.data, curve, range, Geometry(diagram), p_.upperLimit,
                                          p_.hasLowerLimit, p_.lowerLimit))
        painter.drawPolygon(Polygon(area));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color, 0, Qt::DashLine));
    auto line = [&](double value) {
        if (value < range.bottom || value > range.top) return;
        const double y =
            diagram.bottom() - (value - range.bottom) / range.Span() * diagram.height();
        painter.drawLine(QPointF(diagram.left(), y), QPointF(diagram.right(), y));
    };
    line(p_.upperLimit);
    if (p_.hasLowerLimit) line(p_.lowerLimit);
}

void PzdPainter::PaintGapMarks(QPainter& painter, const QRectF& diagram) const {
    if (p_.state->CurveCount() == 0) return;
    QFontMetricsF fm(painter.font(), painter.device());
    painter.setPen(Qt::black);
    const double half = fm.horizontalAdvance(QStringLiteral("*")) / 2;
    for (double x : GapMarks(*p_.data, Geometry(diagram)))
        painter.drawText(QPointF(x - half, diagram.bottom() + fm.ascent()), QStringLiteral("*"));
}

QString PzdPainter::LegendText(int curve) const {
    const PzdCurveText& t = p_.texts[size_t(curve)];
    QString text = t.unit.isEmpty() ? t.name : t.name + " [" + t.unit + "]";
    const Curve& c = p_.state->Curves()[size_t(curve)];
    if (p_.energy && c.power && size_t(curve) < p_.energies.size()) {
        const auto [negative, positive] = p_.energies[size_t(curve)];
        text += "   " + Number(negative, t.decimals) + " " + t.unit + "h / " +
                Number(positive, t.decimals) + " " + t.unit + "h";
    }
    return text;
}

std::vector<QRectF> PzdPainter::LegendRects(const QRectF& area, const QPaintDevice* device) const {
    QFontMetricsF fm(Font(), const_cast<QPaintDevice*>(device));
    const QRectF diagram = DiagramRect(area, device);
    // Inside the axis captions, which stand above the value labels at both ends.
    const double side = kSideCharacters * fm.averageCharWidth();
    const double column = (diagram.width() - 2 * side) / 3;
    std::vector<QRectF> rects;
    for (int i = 0; i < p_.state->CurveCount(); ++i) {
        const double x = diagram.left() + side + column * (i / 3);
        const double y = area.top() + fm.lineSpacing() * (i % 3);
        rects.emplace_back(x, y, std::min(column, fm.horizontalAdvance(LegendText(i)) + 2),
                           fm.lineSpacing());
    }
    return rects;
}

void PzdPainter::PaintLegend(QPainter& painter, const QRectF& area, const QRectF&) const {
    const std::vector<QRectF> rects = LegendRects(area, painter.device());
    for (int i = 0; i < int(rects.size()); ++i) {
        painter.setPen(p_.colors[size_t(i + 1)]);
        painter.drawText(rects[size_t(i)], Qt::AlignLeft | Qt::AlignVCenter, LegendText(i));
    }
}

}  // namespace varelo
