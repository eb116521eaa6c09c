#include <gtest/gtest.h>

#include "app/PageGeometry.h"
#include "app/PrintoutKinds.h"

namespace varelo {
namespace {

TEST(PageGeometry, LeftBorderOutsideZeroToThirtyPrintsTwentyFiveMillimetres) {
    PaperInfo a4;  // no unprintable offset
    struct Case {
        int stored, left;
    } cases[] = {{31, 250}, {-1, 250}, {40, 250}, {0, 0}, {30, 300}, {12, 120}};
    for (const Case& c : cases)
        EXPECT_EQ(ComputePageArea(c.stored, a4).left, c.left) << c.stored;
}

TEST(PageGeometry, MarginsLessTheUnprintableOffsetNeverBelowZero) {
    PaperInfo paper;
    paper.offsetX = 42;  // 4.2 mm
    paper.offsetY = 50;
    paper.printableWidth = 2100 - 84;
    paper.printableHeight = 2970 - 100;
    PageRect area = ComputePageArea(-1, paper);
    EXPECT_EQ(area.left, 250 - 42);
    EXPECT_EQ(area.top, 130 - 50);
    EXPECT_EQ(area.right, 2100 - 100 - 42);
    EXPECT_EQ(area.bottom, 2970 - 260 - 50);

    // "LeftBorder" 0 prints at the printable edge, not left of it.
    EXPECT_EQ(ComputePageArea(0, paper).left, 0);
    paper.offsetY = 200;
    EXPECT_EQ(ComputePageArea(0, paper).top, 0);
}

TEST(PageGeometry, AreaStaysInsideAWidePrintableMargin) {
    PaperInfo paper;
    paper.offsetX = 50;
    paper.printableWidth = 1900;  // 15 mm unprintable at the right
    EXPECT_EQ(ComputePageArea(25, paper).right, 1900);
}

TEST(PrintoutKinds, TitlesAndInformationBlock) {
    struct Case {
        int kind, title;
        bool block;
    } cases[] = {{kPrintJobProtocol, 213, false},
                 {kPrintMeasurementInfo, 1118, false},
                 {kPrintGraphicalSummary, 1314, true},
                 {kPrintTableSummary, 1315, true},
                 {kPrintDisDip, 1368, true},
                 {kPrintEvents, 365, true},
                 {kPrintLimitFile, 835, false},
                 {kPrintVseProtocol, 1402, false},
                 {kPrintCurrentCumulative, 1231, true},
                 {1, 0, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(PrintoutTitleId(c.kind), c.title) << c.kind;
        EXPECT_EQ(PrintsMeasurementInfo(c.kind), c.block) << c.kind;
    }
}

}  // namespace
}  // namespace varelo
