#pragma once

#include <QRectF>
#include <cstddef>

#include "app/AppOptions.h"
#include "gui/print/PaintOptions.h"

class QPainter;
class QPaintDevice;

namespace varelo {

class ExceedingsReport;

// Where drawing continues: a section and a row within it.
struct ExceedingsCursor {
    size_t section = 0;
    size_t row = 0;
};

// The one drawing of the all exceedings report: per section a framed heading, the column
// captions, the rows and a closing line.
class AllExceedingsPainter {
public:
    // A printed section starts on a new page when fewer rows than this fit below its heading.
    static constexpr int kMinimumRowsOnPage = 7;
    // The screen draws at most this many rows from the scroll position.
    static constexpr size_t kScreenRows = 100;

    AllExceedingsPainter(const ExceedingsReport& report, const PaintOptions& options,
                         PhaseLabels labels)
        : r_(report), o_(options), labels_(labels) {}

    double LineHeight(const QPaintDevice* device) const;
    // The cursor of a row counted over all sections.
    ExceedingsCursor CursorOfRow(size_t row) const;
    // Draws from the cursor into the area and moves it on, at most maxRows rows; a section that
    // continues repeats its heading and captions. Returns the rows drawn.
    size_t Paint(QPainter& painter, const QRectF& area, ExceedingsCursor& cursor,
                 size_t maxRows) const;
    bool AtEnd(const ExceedingsCursor& cursor) const;

private:
    const ExceedingsReport& r_;
    const PaintOptions& o_;
    PhaseLabels labels_;
};

}  // namespace varelo
