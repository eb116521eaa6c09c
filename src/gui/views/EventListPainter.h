#pragma once

#include <QRectF>
#include <QStringList>
#include <vector>

#include "evaluation/EventListModel.h"
#include "gui/print/PaintOptions.h"

class QPainter;

namespace varelo {

// What the event list draws: its column titles and the rows of the current filters.
struct EventListContent {
    QStringList columnTitles;  // "Phase L1", ...
    std::vector<EventListRow> rows;
};

// The one drawing of the event list: title, column header and the rows [begin, end).
class EventListPainter {
public:
    EventListPainter(const EventListContent& content, const PaintOptions& options)
        : c_(content), o_(options) {}

    double LineHeight(const QPaintDevice* device) const;
    // Returns the number of rows that fitted.
    size_t Paint(QPainter& painter, const QRectF& area, size_t begin, size_t end) const;

private:
    const EventListContent& c_;
    const PaintOptions& o_;
};

}  // namespace varelo
