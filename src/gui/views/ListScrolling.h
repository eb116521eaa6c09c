#pragma once

#include "evaluation/EventListPaging.h"

class QScrollBar;
class QWheelEvent;
class QWidget;

namespace varelo {

// The scrolling shared by the row lists (event list, exceedings, value list).

// Moves the list by Page Up/Down, Home/End or an arrow key; false for any other key.
bool ScrollByKey(EventListScroll& scroll, int key);
// Moves the list a row per wheel notch.
void ScrollByWheel(EventListScroll& scroll, const QWheelEvent& event);
// The bar along the view's right edge, showing the list's rows and position.
void PlaceScrollBar(QScrollBar& bar, const EventListScroll& scroll, const QWidget& view);

}  // namespace varelo
