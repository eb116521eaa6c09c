#pragma once

#include <QColor>
#include <QRectF>
#include <array>

#include "evaluation/GraphicalSummary.h"
#include "gui/print/PaintOptions.h"

class QPainter;

namespace varelo {

// How the graphical summary is coloured: colour 0 text and axes, 1 maximum bars, 2 share bars.
struct GraphicalSummaryStyle {
    std::array<QColor, 3> colors{QColor(Qt::black), QColor(Qt::blue), QColor(Qt::red)};
    // Printing with "Background" 1 leaves the grey out and draws thin grid lines instead.
    bool withoutBackground = false;
};

// The one drawing of the graphical summary for screen, printer and PDF. False when the area is
// too small for it (nothing is drawn then).
bool PaintGraphicalSummary(QPainter& painter, const QRectF& area, const GraphicalSummary& summary,
                           const GraphicalSummaryStyle& style, const PaintOptions& options);

}  // namespace varelo
