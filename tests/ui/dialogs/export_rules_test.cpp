// What the export dialog proposes and shows for a range.
#include "ui/dialogs/export_rules.h"

#include <gtest/gtest.h>

namespace vintrel {
namespace {

TEST(ExportRules, ColumnsProposedForANewRange) {
    EXPECT_EQ(proposedColumns(1, 100, 1), 10);
    EXPECT_EQ(proposedColumns(1, 100, 3), 6); // 33 frames: ⌈√33⌉
    EXPECT_EQ(proposedColumns(1, 1, 1), 1);
    EXPECT_EQ(proposedColumns(5, 3, 1), 0);  // an empty range proposes nothing
    EXPECT_EQ(proposedColumns(1, 10, 0), 4); // a step of 0 counts as 1
}

TEST(ExportRules, SummaryCountsImagesOrTheVideosSeconds) {
    WriteSettings write;
    write.start = 1;
    write.end = 45;
    write.step = 1;
    write.type = 2;
    EXPECT_EQ(exportSummary(write, 30), "約1.5秒");
    write.type = 0;
    EXPECT_EQ(exportSummary(write, 30), "45枚");
    write.step = 2; // 22.5 frames: the last, partial one counts
    EXPECT_EQ(exportSummary(write, 30), "23枚");
    write.type = 2;
    write.end = 60;
    write.step = 1;
    EXPECT_EQ(exportSummary(write, 0), "約60.0秒"); // no division by a frame rate of 0
}

// The sketch's cells keep the frame's shape, stay 8 pixels inside the picture and are centred.
TEST(ExportRules, SheetSketchFitsThePictureCentred) {
    WriteSettings write;
    write.start = 1;
    write.end = 6;
    write.step = 1;
    write.width = 3; // two rows
    const std::vector<SketchCell> cells = sheetSketch(write, 100, 50, 131 + 16, 96 + 16);
    ASSERT_EQ(cells.size(), 6u);
    // A 300 × 100 sheet into 131 × 96: the width decides, 131 / 300 per pixel.
    EXPECT_DOUBLE_EQ(cells[0].x, 8.0);
    EXPECT_DOUBLE_EQ(cells[0].w, 100.0 * 131.0 / 300.0);
    EXPECT_DOUBLE_EQ(cells[0].h, cells[0].w / 2.0);
    EXPECT_DOUBLE_EQ(cells[0].y, 8.0 + (96.0 - 100.0 * 131.0 / 300.0) / 2.0);
    EXPECT_DOUBLE_EQ(cells[5].x + cells[5].w, 8.0 + 131.0);
    write.end = 0;
    EXPECT_TRUE(sheetSketch(write, 100, 50, 147, 112).empty());
    EXPECT_TRUE(sheetSketch(write, 0, 50, 147, 112).empty());
}

} // namespace
} // namespace vintrel
