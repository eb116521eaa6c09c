#include "gui/views/ListScrolling.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <cstdlib>

namespace varelo {

bool ScrollByKey(EventListScroll& scroll, int key) {
    switch (key) {
        case Qt::Key_PageDown: scroll.PageDown(); return true;
        case Qt::Key_PageUp: scroll.PageUp(); return true;
        case Qt::Key_Home: scroll.Home(); return true;
        case Qt::Key_End: scroll.End(); return true;
        case Qt::Key_Down: scroll.LineDown(); return true;
        case Qt::Key_Up: scroll.LineUp(); return true;
        default: return false;
    }
}

void ScrollByWheel(EventListScroll& scroll, const QWheelEvent& event) {
    const int steps = event.angleDelta().y() / 120;
    for (int i = 0; i < std::abs(steps); ++i)
        steps > 0 ? scroll.LineUp() : scroll.LineDown();
}

void PlaceScrollBar(QScrollBar& bar, const EventListScroll& scroll, const QWidget& view) {
    const QSignalBlocker block(&bar);
    bar.setRange(1, qMax(1, scroll.Rows()));
    bar.setPageStep(scroll.RowsPerPage());
    bar.setValue(scroll.First());
    const int width = bar.sizeHint().width();
    bar.setGeometry(view.width() - width, 0, width, view.height());
}

}  // namespace varelo
