#pragma once

#include <QRectF>
#include <QString>

#include "gui/print/PaintOptions.h"

class QPainter;

namespace varelo {

// What a result view prints: its kind, the title it passes (empty: the "PrintHeader" setting)
// and its pages, painted by the same routine as the screen.
class Printout {
public:
    virtual ~Printout() = default;

    virtual int Kind() const = 0;
    virtual QString Title() const { return {}; }
    // Paints page `page` (from 1) into the area below the page header; false when it was the
    // last page.
    virtual bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                           int page) = 0;
};

}  // namespace varelo
