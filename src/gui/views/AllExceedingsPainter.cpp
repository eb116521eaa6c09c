#include "gui/views/AllExceedingsPainter.h"

#include <QFontMetricsF>
#include <QPainter>

#include "app/StringTable.h"
#include "evaluation/ExceedingsReport.h"

namespace varelo {

namespace {

constexpr double kTextMm = 3.2;
constexpr int kDateTime = 1323;  // "Date time"
constexpr double kHeadingLines = 1.6;
// The heading box, the captions and the closing line take this many lines besides the rows.
constexpr double kSectionFrameLines = kHeadingLines + 1.5 + 0.5;

}  // namespace

double AllExceedingsPainter::LineHeight(const QPaintDevice* device) const {
    return QFontMetricsF(o_.Font(kTextMm), const_cast<QPaintDevice*>(device)).height() * 1.15;
}

ExceedingsCursor AllExceedingsPainter::CursorOfRow(size_t row) const {
    ExceedingsCursor cursor;
    for (const ExceedingsSection& s : r_.Sections()) {
        if (row < s.rows.size()) {
            cursor.row = row;
            return cursor;
        }
        row -= s.rows.size();
        ++cursor.section;
    }
    return cursor;
}

bool AllExceedingsPainter::AtEnd(const ExceedingsCursor& cursor) const {
    return cursor.section >= r_.Sections().size();
}

size_t AllExceedingsPainter::Paint(QPainter& painter, const QRectF& area, ExceedingsCursor& cursor,
                                   size_t maxRows) const {
    const double line = LineHeight(painter.device());
    painter.save();
    const QFont text = o_.Font(kTextMm);
    const QFont bold = o_.Font(kTextMm, true);
    QFontMetricsF fm(text, painter.device());
    const QString sample = QStringLiteral("00.00.0000 00:00:00") +
                           (r_.Status() ? QStringLiteral("  00000000  LG--2YNSUIC") : "");
    const double timeWidth = fm.horizontalAdvance(sample) + o_.Mm(6);
    const QPen thin(Qt::black, o_.LineWidth(1));
    double y = area.top();
    size_t drawn = 0;
    bool first = true;
    while (!AtEnd(cursor) && drawn < maxRows) {
        const ExceedingsSection& s = r_.Sections()[cursor.section];
        const double room = area.bottom() - y - kSectionFrameLines * line;
        const int fit = room < 0 ? 0 : int(room / line);
        // A section begins on the next page rather than with a few rows at a page's foot.
        const int needed = o_.printing ? kMinimumRowsOnPage : 1;
        if (fit < needed && !(first && fit > 0)) break;
        first = false;
        // The framed heading, then the captions.
        painter.setPen(thin);
        const QRectF box(area.left(), y, area.width(), kHeadingLines * line);
        painter.drawRect(box);
        painter.setFont(bold);
        painter.drawText(box, Qt::AlignCenter, Q(s.heading));
        y += box.height() + 0.25 * line;
        painter.setFont(text);
        painter.drawText(QRectF(area.left(), y, timeWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                         Q(Str(kDateTime)));
        const int columns = int(s.phases.size());
        const double columnWidth = (area.width() - timeWidth) / qMax(1, columns);
        auto columnRect = [&](int c, double top) {
            return QRectF(area.left() + timeWidth + c * columnWidth, top, columnWidth, line);
        };
        const std::vector<std::string> titles = r_.ColumnTitles(s, labels_);
        for (int c = 0; c < int(titles.size()); ++c)
            painter.drawText(columnRect(c, y), Qt::AlignCenter, Q(titles[size_t(c)]));
        y += line;
        painter.drawLine(QPointF(area.left(), y + 0.1 * line),
                         QPointF(area.right(), y + 0.1 * line));
        y += 0.25 * line;
        for (; cursor.row < s.rows.size() && drawn < maxRows &&
               y + line <= area.bottom() - 0.5 * line;
             ++cursor.row, ++drawn) {
            const ExceedingsRow& row = s.rows[cursor.row];
            painter.drawText(QRectF(area.left(), y, timeWidth, line),
                             Qt::AlignLeft | Qt::AlignVCenter, Q(r_.TimeText(row)));
            const std::vector<std::string> cells = r_.CellTexts(s, row);
            for (int c = 0; c < int(cells.size()); ++c)
                painter.drawText(columnRect(c, y), Qt::AlignCenter, Q(cells[size_t(c)]));
            y += line;
        }
        painter.drawLine(QPointF(area.left(), y + 0.1 * line),
                         QPointF(area.right(), y + 0.1 * line));
        y += 0.5 * line;
        if (cursor.row < s.rows.size()) break;  // the page is full
        ++cursor.section;
        cursor.row = 0;
        y += line;  // a blank line between sections
    }
    painter.restore();
    return drawn;
}

}  // namespace varelo
