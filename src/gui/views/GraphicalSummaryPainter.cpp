#include "gui/views/GraphicalSummaryPainter.h"

#include <QFontMetricsF>
#include <QPainter>

#include "app/StringTable.h"
#include "gui/app/QtText.h"

namespace varelo {

namespace {

constexpr double kTextMm = 3.5;
constexpr double kLabelMm = 3.0;
constexpr int kScaleStep = 200;
const QColor kBackground(192, 192, 192);
const QColor kGridLine(160, 160, 164);

class GraphicalPainter {
public:
    GraphicalPainter(QPainter& painter, const GraphicalSummary& summary,
                     const GraphicalSummaryStyle& style, const PaintOptions& options)
        : p_(painter), s_(summary), style_(style), o_(options) {}

    bool Paint(const QRectF& area) {
        QFont text = o_.Font(kTextMm);
        QFontMetricsF fm(text, p_.device());
        line_ = fm.height();
        double top = area.top() + line_ * 4.5;  // note and legend above the bars
        double left = area.left() + fm.horizontalAdvance(QStringLiteral("1200 ")) + o_.Mm(1);
        double sideText =
            qMax(fm.horizontalAdvance(Q(s_.limitName)), fm.horizontalAdvance(Q(Str(1284))));
        double right = area.right() - sideText - o_.Mm(3);
        double bottom = area.bottom() - line_ * 2.4;  // two staggered rows of group labels
        bars_ = QRectF(QPointF(left, top), QPointF(right, bottom));
        if (bars_.width() < o_.Mm(60) || bars_.height() < o_.Mm(30)) return false;
        p_.save();
        p_.setFont(text);
        Background();
        Scale();
        Groups();
        LimitLine();
        Legend(area);
        if (s_.en50160Note) {
            p_.setPen(style_.colors[0]);
            p_.drawText(QRectF(area.left(), area.top(), area.width() * 0.6, line_ * 2),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Q(Str(1088)));
        }
        p_.restore();
        return true;
    }

private:
    double Y(int perMille) const {
        return bars_.bottom() - bars_.height() * perMille / GraphicalSummary::kScaleTop;
    }
    double GroupWidth() const { return bars_.width() / GraphicalSummary::kGroups; }

    void Background() {
        if (!style_.withoutBackground) {
            p_.fillRect(bars_, kBackground);
            return;
        }
        p_.setPen(QPen(kGridLine, o_.LineWidth(1)));
        for (int g = 1; g < GraphicalSummary::kGroups; ++g) {
            double x = bars_.left() + g * GroupWidth();
            p_.drawLine(QPointF(x, bars_.top()), QPointF(x, bars_.bottom()));
        }
    }

    void Scale() {
        p_.setPen(QPen(style_.colors[0], o_.LineWidth(1)));
        p_.drawRect(bars_);
        for (int v = 0; v <= GraphicalSummary::kScaleTop; v += kScaleStep) {
            double y = Y(v);
            p_.drawLine(QPointF(bars_.left() - o_.Mm(1), y), QPointF(bars_.left(), y));
            p_.drawText(
                QRectF(bars_.left() - o_.Mm(30), y - line_ / 2, o_.Mm(30) - o_.Mm(1.5), line_),
                Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
        }
    }

    void LimitLine() {
        double y = Y(GraphicalSummary::kLimitLine);
        p_.setPen(QPen(style_.colors[0], o_.LineWidth(2)));
        p_.drawLine(QPointF(bars_.left(), y), QPointF(bars_.right() + o_.Mm(2), y));
        double x = bars_.right() + o_.Mm(3);
        p_.drawText(QRectF(x, y - line_, o_.Mm(60), line_), Qt::AlignLeft | Qt::AlignBottom,
                    Q(s_.limitName));
        p_.drawText(QRectF(x, y, o_.Mm(60), line_), Qt::AlignLeft | Qt::AlignTop, Q(Str(1284)));
    }

    void Bar(double x, double width, int value, bool maximum) {
        QRectF bar(QPointF(x, Y(value)), QPointF(x + width, bars_.bottom()));
        if (value <= 0) return;
        const QColor& color = style_.colors[maximum ? 1 : 2];
        QBrush brush = o_.monochrome
                           ? o_.Hatch(Qt::black, maximum ? Qt::BDiagPattern : Qt::FDiagPattern)
                           : QBrush(color);
        if (o_.monochrome) p_.fillRect(bar, Qt::white);
        p_.fillRect(bar, brush);
        p_.setPen(QPen(o_.monochrome ? QColor(Qt::black) : color.darker(130), o_.LineWidth(1)));
        p_.drawRect(bar);
    }

    void Groups() {
        const double gw = GroupWidth();
        const double barWidth = gw * 0.8 / 6;
        // Labels alternate between two rows, so each may be almost two groups wide.
        const double labelWidth = gw * 1.9;
        QFont label = FittingLabelFont(labelWidth);
        const double labelLine = QFontMetricsF(label, p_.device()).height();
        for (int g = 0; g < GraphicalSummary::kGroups; ++g) {
            const SummaryBarGroup& group = s_.groups[size_t(g)];
            double left = bars_.left() + g * gw;
            double start = left + (gw - barWidth * 2 * double(group.pairs.size())) / 2;
            for (size_t i = 0; i < group.pairs.size(); ++i) {
                const SummaryBarPair& pair = group.pairs[i];
                double x = start + double(i) * 2 * barWidth;
                Bar(x, barWidth, pair.share, false);
                if (pair.hasMaximum) Bar(x + barWidth, barWidth, pair.maximum, true);
            }
            p_.setPen(QPen(style_.colors[0], o_.LineWidth(1)));
            double row = bars_.bottom() + o_.Mm(1) + (g % 2) * labelLine;
            double centre = left + gw / 2;
            p_.drawLine(QPointF(centre, bars_.bottom()), QPointF(centre, row));
            p_.setFont(label);
            p_.drawText(QRectF(centre - labelWidth / 2, row, labelWidth, labelLine),
                        Qt::AlignHCenter | Qt::AlignTop, Q(group.label));
        }
        p_.setFont(o_.Font(kTextMm));
    }

    // The group labels shrink until the longest fits its width.
    QFont FittingLabelFont(double width) const {
        for (double mm = kLabelMm;; mm -= 0.25) {
            QFont font = o_.Font(mm);
            QFontMetricsF fm(font, p_.device());
            bool fits = true;
            for (const auto& group : s_.groups)
                fits = fits && fm.horizontalAdvance(Q(group.label)) <= width;
            if (fits || mm <= 1.5) return font;
        }
    }

    void Legend(const QRectF& area) {
        QFontMetricsF fm(p_.font(), p_.device());
        const double swatch = o_.Mm(6);
        const QString share = QString::number(s_.histogram) + "%";
        double width = swatch + o_.Mm(4) + fm.horizontalAdvance(QStringLiteral("99.5%")) + o_.Mm(2);
        QRectF box(area.right() - width, area.top(), width, line_ * 4.6);
        p_.setPen(QPen(style_.colors[0], o_.LineWidth(1)));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(box);
        double x = box.left() + o_.Mm(1.5), y = box.top() + line_ * 0.3;
        auto entry = [&](bool maximum, const QString& text, const QString& second) {
            QRectF sw(x, y + line_ * 0.15, swatch, line_ * 0.7);
            p_.fillRect(sw, o_.monochrome
                                ? o_.Hatch(Qt::black, maximum ? Qt::BDiagPattern : Qt::FDiagPattern)
                                : QBrush(style_.colors[maximum ? 1 : 2]));
            p_.drawRect(sw);
            p_.drawText(QRectF(x + swatch + o_.Mm(1.5), y, width, line_),
                        Qt::AlignLeft | Qt::AlignVCenter, text);
            y += line_;
            if (!second.isEmpty()) {
                p_.drawText(QRectF(x + swatch + o_.Mm(1.5), y, width, line_),
                            Qt::AlignLeft | Qt::AlignVCenter, second);
                y += line_;
            }
        };
        entry(true, QTxt(txt::view_graphicalSummary_max), {});
        entry(false, share, QStringLiteral("99.5%"));
        p_.drawText(QRectF(x, y, width, line_), Qt::AlignLeft | Qt::AlignVCenter,
                    QStringLiteral("0 %"));
    }

    QPainter& p_;
    const GraphicalSummary& s_;
    const GraphicalSummaryStyle& style_;
    const PaintOptions& o_;
    QRectF bars_;
    double line_ = 0;
};

}  // namespace

bool PaintGraphicalSummary(QPainter& painter, const QRectF& area, const GraphicalSummary& summary,
                           const GraphicalSummaryStyle& style, const PaintOptions& options) {
    return GraphicalPainter(painter, summary, style, options).Paint(area);
}

}  // namespace varelo
