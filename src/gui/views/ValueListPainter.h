#pragma once

#include <QRectF>
#include <cstddef>

#include "app/AppOptions.h"
#include "gui/print/PaintOptions.h"

class QPainter;
class QPaintDevice;

namespace varelo {

class MeasurementValueList;

// The one drawing of the measurement value list: the column header with its rule, then the rows
// [begin, end) as far as they fit.
class ValueListPainter {
public:
    ValueListPainter(const MeasurementValueList& list, const PaintOptions& options,
                     PhaseLabels labels)
        : l_(list), o_(options), labels_(labels) {}

    double LineHeight(const QPaintDevice* device) const;
    // Rows below the header in a height.
    int RowsPerPage(double height, const QPaintDevice* device) const;
    // Returns the number of rows drawn.
    size_t Paint(QPainter& painter, const QRectF& area, size_t begin, size_t end) const;

private:
    const MeasurementValueList& l_;
    const PaintOptions& o_;
    PhaseLabels labels_;
};

}  // namespace varelo
