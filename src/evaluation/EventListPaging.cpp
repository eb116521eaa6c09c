#include "evaluation/EventListPaging.h"

#include <algorithm>

namespace varelo {

namespace {

constexpr int kFrameLines = 4;

}  // namespace

int EventRowsPerPage(double clientHeight, double lineHeight) {
    if (!(lineHeight > 0)) return 1;
    return std::max(1, int((clientHeight - kFrameLines * lineHeight) / lineHeight));
}

void EventListScroll::SetRows(int rows) {
    rows_ = std::max(0, rows);
    MoveTo(first_);
}

void EventListScroll::MoveTo(int row) {
    first_ = std::clamp(row, 1, std::max(1, rows_));
}

}  // namespace varelo
