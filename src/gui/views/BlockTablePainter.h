#pragma once

#include <QRectF>

#include "evaluation/BlockTable.h"
#include "gui/print/PaintOptions.h"

class QPainter;
class QPaintDevice;

namespace varelo {

// The one drawing of the statistical values and the most critical values: the column header
// box, then framed blocks one below the other from a given block on.
class BlockTablePainter {
public:
    BlockTablePainter(const BlockReport& report, const PaintOptions& options)
        : r_(report), o_(options) {}

    // Height of one text line: 1.2 x (text height + external leading).
    double LineHeight(const QPaintDevice* device) const;
    // Height of the column header box and of a block with the gap below it.
    double HeaderHeight(const QPaintDevice* device) const { return 3 * LineHeight(device); }
    double BlockHeight(size_t block, const QPaintDevice* device) const;
    // Blocks from `first` on that fit whole below the header box in a height.
    size_t BlocksThatFit(size_t first, double height, const QPaintDevice* device) const;
    // False when the area is too narrow for the columns.
    bool Fits(const QRectF& area, const QPaintDevice* device) const;

    // Draws the header box and the blocks from `first` on; `wholeOnly` stops before a block
    // that does not fit whole (printing), otherwise the last one is cut at the bottom. Returns
    // the number of blocks drawn whole.
    size_t Paint(QPainter& painter, const QRectF& area, size_t first, bool wholeOnly) const;

private:
    BlockColumns Columns(double width, const QPaintDevice* device) const;
    void PaintHeaderBox(QPainter& painter, const QRectF& box, const BlockColumns& c) const;
    void PaintBlock(QPainter& painter, const ReportBlock& block, double x, double y,
                    const BlockColumns& c) const;
    void PaintStatisticalRow(QPainter& painter, const StatisticalRow& row, double x, double y,
                             const BlockColumns& c) const;
    void PaintCriticalRow(QPainter& painter, const CriticalRow& row, double x, double y,
                          const BlockColumns& c) const;
    void PaintCell(QPainter& painter, const QRectF& cell, const std::string& text, int mark) const;
    void PaintPhaseNames(QPainter& painter, double x, double y, const BlockColumns& c) const;
    void CentredText(QPainter& painter, const QRectF& cell, const std::string& text) const;

    const BlockReport& r_;
    const PaintOptions& o_;
};

}  // namespace varelo
