#pragma once

namespace varelo {

// Rows of the event list in a window or on a page: the title, a blank line, the column header
// and its rule take four lines.
int EventRowsPerPage(double clientHeight, double lineHeight);

// The event list's vertical position: the first visible row, 1 to the number of rows (1 when
// the list is empty).
class EventListScroll {
public:
    void SetRows(int rows);
    void SetRowsPerPage(int perPage) { perPage_ = perPage < 1 ? 1 : perPage; }
    int Rows() const { return rows_; }
    int RowsPerPage() const { return perPage_; }
    int First() const { return first_; }

    void MoveTo(int row);
    void LineDown() { MoveTo(first_ + 1); }
    void LineUp() { MoveTo(first_ - 1); }
    void PageDown() { MoveTo(first_ + perPage_); }
    void PageUp() { MoveTo(first_ - perPage_); }
    void Home() { MoveTo(1); }
    void End() { MoveTo(rows_); }

private:
    int rows_ = 0;
    int perPage_ = 1;
    int first_ = 1;
};

}  // namespace varelo
