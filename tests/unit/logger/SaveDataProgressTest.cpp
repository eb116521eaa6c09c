#include "logger/SaveDataProgress.h"

#include <gtest/gtest.h>

#include "support/RecordingUserInterface.h"

namespace varelo {
namespace {

TEST(SaveDataProgressTest, CountersShowTotalThenDoneOfTotal) {
    test::RecordingUserInterface ui;
    {
        SaveDataProgress window(ui);
        window.AddToTotal(256);
        window.Advance(128);
        window.SetJobRange(675);
        window.SetJobPosition(300);
    }
    ASSERT_EQ(ui.progress.size(), 4u);
    EXPECT_EQ(ui.progress[0].counter, "256");
    EXPECT_EQ(ui.progress[1].counter, "128/ 256");
    EXPECT_EQ(ui.progress[1].position, 128);
    EXPECT_EQ(ui.progress[2].bar, SaveDataProgress::kJobBar);
    EXPECT_EQ(ui.progress[3].position, 300);
    EXPECT_EQ(ui.progress[3].range, 675);
    EXPECT_EQ(ui.progressEnds, 1);
}

}  // namespace
}  // namespace varelo
