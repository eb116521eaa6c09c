#include <gtest/gtest.h>

#include "evaluation/EventListPaging.h"

namespace varelo {
namespace {

TEST(EventListPaging, RowsPerPageLeaveFourLinesForTitleAndHeader) {
    EXPECT_EQ(EventRowsPerPage(200, 10), 16);
    EXPECT_EQ(EventRowsPerPage(205, 10), 16);
    EXPECT_EQ(EventRowsPerPage(30, 10), 1);  // never less than one row
    EXPECT_EQ(EventRowsPerPage(100, 0), 1);
}

TEST(EventListPaging, ScrollingStaysWithinOneToTheRowCount) {
    EventListScroll scroll;
    scroll.SetRows(0);
    scroll.End();
    EXPECT_EQ(scroll.First(), 1);  // an empty list stays at row 1

    scroll.SetRows(50);
    scroll.SetRowsPerPage(20);
    scroll.PageDown();
    EXPECT_EQ(scroll.First(), 21);
    scroll.PageDown();
    scroll.PageDown();
    EXPECT_EQ(scroll.First(), 50);
    scroll.LineDown();
    EXPECT_EQ(scroll.First(), 50);
    scroll.LineUp();
    EXPECT_EQ(scroll.First(), 49);
    scroll.PageUp();
    scroll.PageUp();
    scroll.PageUp();
    EXPECT_EQ(scroll.First(), 1);
    scroll.End();
    EXPECT_EQ(scroll.First(), 50);
    scroll.SetRows(10);  // a filter left fewer rows
    EXPECT_EQ(scroll.First(), 10);
    scroll.Home();
    EXPECT_EQ(scroll.First(), 1);
}

}  // namespace
}  // namespace varelo
