#pragma once

#include <QColor>
#include <QRectF>
#include <array>

#include "evaluation/TableSummary.h"
#include "gui/print/PaintOptions.h"

class QPainter;

namespace varelo {

// The one drawing of the table summary. colors: 0 text, 1 marked maximum cells, 2 marked x %
// cells.
class TableSummaryPainter {
public:
    TableSummaryPainter(const TableSummary& table, const std::array<QColor, 3>& colors,
                        const PaintOptions& options)
        : t_(table), colors_(colors), o_(options) {}

    // Height the table and its legend need.
    double Height(const QPaintDevice* device) const;
    // False when the area is too narrow for the columns (nothing drawn then).
    bool Paint(QPainter& painter, const QRectF& area) const;

private:
    struct Columns {
        double label = 0, unit = 0, limit = 0, group = 0;
        int phases = 0;
    };
    double RowHeight(const QPaintDevice* device) const;
    Columns Measure(const QPaintDevice* device) const;
    void PaintHeader(QPainter& painter, const QRectF& area, const Columns& c, double z) const;
    void PaintRow(QPainter& painter, const SummaryRow& row, double x, double y, const Columns& c,
                  double z) const;
    void PaintCell(QPainter& painter, const QRectF& cell, const std::string& text, int mark) const;
    void PaintLegend(QPainter& painter, double x, double y) const;
    QBrush MarkBrush(int mark) const;

    const TableSummary& t_;
    const std::array<QColor, 3>& colors_;
    const PaintOptions& o_;
};

}  // namespace varelo
