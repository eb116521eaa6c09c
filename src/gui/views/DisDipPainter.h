#pragma once

#include <QRectF>

#include "evaluation/DisDipTable.h"
#include "gui/print/PaintOptions.h"

class QPainter;

namespace varelo {

// The one drawing of the UNIPEDE DISDIP table: the table with its row and column labels and
// corner, the recording text, the framed note and the totals.
class DisDipPainter {
public:
    DisDipPainter(const CDisDipTable& table, PhaseLabels labels, const PaintOptions& options)
        : t_(table), labels_(labels), o_(options) {}

    double Height(const QPaintDevice* device) const;
    // False when the area is too narrow or too low (nothing drawn then).
    bool Paint(QPainter& painter, const QRectF& area) const;

private:
    double Line(const QPaintDevice* device) const;
    double LabelWidth(const QPaintDevice* device) const;
    double PaintTable(QPainter& painter, const QRectF& area) const;
    void PaintBelow(QPainter& painter, const QRectF& area, double y) const;

    const CDisDipTable& t_;
    PhaseLabels labels_;
    const PaintOptions& o_;
};

}  // namespace varelo
