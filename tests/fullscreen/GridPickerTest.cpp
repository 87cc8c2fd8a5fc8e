#include "fullscreen/GridPicker.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(GridPicker, BelowCoversEveryValueAndNothingElse) {
    GridPicker grid(1);
    EXPECT_EQ(grid.Below(0), 0);
    EXPECT_EQ(grid.Below(-3), 0);
    EXPECT_EQ(grid.Below(1), 0);
    std::set<int> seen;
    for (int draw = 0; draw < 500; ++draw)
        seen.insert(grid.Below(5));
    EXPECT_EQ(seen, std::set<int>({0, 1, 2, 3, 4}));
}

TEST(GridPicker, UsesOnlyWholeCells) {
    GridPicker grid(2);
    std::set<int> columns;
    std::set<int> rows;
    for (int draw = 0; draw < 1000; ++draw) {
        const GridPicker::Cell cell = grid.PickCell(1024, 768, 200, 200);
        columns.insert(cell.x);
        rows.insert(cell.y);
    }
    EXPECT_EQ(columns, std::set<int>({0, 200, 400, 600, 800})) << "the strip from 1000 on is never used";
    EXPECT_EQ(rows, std::set<int>({0, 200, 400}));

    const GridPicker::Cell tooSmall = grid.PickCell(150, 90, 200, 200);
    EXPECT_EQ(tooSmall.x, 0);
    EXPECT_EQ(tooSmall.y, 0);
}

} // namespace
