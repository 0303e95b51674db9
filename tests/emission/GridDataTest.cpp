// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "GridCtrl_src/GridData.h"
#include "MyCode/StringCtrl.h"

namespace {

std::vector<GridChange::Kind> Kinds(const std::vector<GridChange>& changes) {
    std::vector<GridChange::Kind> kinds;
    for (const GridChange& change : changes) {
        kinds.push_back(change.kind);
    }
    return kinds;
}

TEST(GridData, CellsRowsAndSelection) {
    GridData grid;
    grid.Reset(1, 3, 1, 0);
    EXPECT_EQ(grid.RowHeight(0), GridData::DEFAULT_ROW_HEIGHT);
    int row = grid.AppendRow({GridCell{u"a", 7}}, 40);  // short rows are padded
    EXPECT_EQ(row, 1);
    EXPECT_EQ(grid.Snapshot().rows[1].cells.size(), 3u);
    EXPECT_EQ(grid.RowHeight(1), 40);
    EXPECT_EQ(grid.ItemData(1, 0), 7);

    EXPECT_TRUE(grid.SetSelected(1, 2, true));
    GridCell replaced{u"b", 9, 4, true};
    EXPECT_TRUE(grid.SetCell(1, 2, replaced));
    GridCell cell = grid.Cell(1, 2);
    EXPECT_EQ(cell.text, u"b");
    EXPECT_EQ(cell.image, 4);
    EXPECT_TRUE(cell.imageAboveText);
    EXPECT_TRUE(cell.selected);  // setting a cell keeps its selection

    EXPECT_FALSE(grid.SetCellText(5, 0, u"x"));
    EXPECT_FALSE(grid.SetSelected(1, 3, true));
    EXPECT_EQ(grid.CellText(-1, 0), u"");

    grid.SelectRows(1, 10);
    EXPECT_EQ(grid.SelectedCells().size(), 3u);
    grid.SetFocusCell({1, 1});
    EXPECT_EQ(grid.FocusCell(), (GridCellId{1, 1}));
    grid.SetFocusCell({9, 9});
    EXPECT_FALSE(grid.FocusCell().IsValid());

    grid.SetFocusCell({1, 0});
    grid.SetListMode(true);
    grid.Reset(0, 6, 0, 0);
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_TRUE(grid.SelectedCells().empty());
    EXPECT_FALSE(grid.FocusCell().IsValid());
    EXPECT_FALSE(grid.ListMode());
}

TEST(GridData, ChangesAreReportedUnlessRedrawingIsOff) {
    GridData grid;
    std::vector<GridChange> changes;
    grid.SetChangeListener([&](const GridChange& change) {
        // The listener may read the grid: it is called with the lock released.
        EXPECT_GE(grid.RowCount(), 0);
        changes.push_back(change);
    });
    grid.Reset(0, 2, 0, 0);
    grid.AppendRow({});
    grid.SetCellText(0, 1, u"t");
    ASSERT_EQ(Kinds(changes),
              (std::vector{GridChange::Reset, GridChange::RowsInserted, GridChange::CellChanged}));
    EXPECT_EQ(changes[1].row, 0);
    EXPECT_EQ(changes[1].count, 1);
    EXPECT_EQ(changes[2].column, 1);

    changes.clear();
    grid.SetRedraw(false);
    grid.AppendRow({});
    grid.SetCellText(1, 0, u"quiet");
    EXPECT_TRUE(changes.empty());
    grid.SetRedraw(true);
    grid.SetRedraw(true);
    EXPECT_EQ(Kinds(changes), std::vector{GridChange::Reset});
    EXPECT_EQ(grid.CellText(1, 0), u"quiet");
}

// The album-list thread appends rows while the window thread reads: a reader must never see half
// a row or a torn cell. Run under ThreadSanitizer too.
TEST(GridData, ConcurrentAppendAndRead) {
    constexpr int kRows = 3000;
    GridData grid;
    grid.Reset(1, 6, 1, 0);
    std::atomic<int> notified{0};
    grid.SetChangeListener([&](const GridChange&) { notified.fetch_add(1, std::memory_order_relaxed); });

    std::thread writer([&] {
        for (int i = 0; i < kRows; ++i) {
            std::vector<GridCell> cells(6);
            cells[0].text = StringCtrl::Format(u"%04d", {i + 1});
            cells[0].itemData = i;
            cells[1].text = std::u16string(static_cast<std::size_t>(i % 50), u'x');
            grid.AppendRow(std::move(cells));
            if (i % 7 == 0) {
                grid.SetCellText(i + 1, 2, u"late");
            }
        }
    });
    int seen = 0;
    bool consistent = true;
    while (seen < kRows + 1) {
        GridState state = grid.Snapshot();
        seen = static_cast<int>(state.rows.size());
        for (int row = 1; row < seen; ++row) {
            const GridRow& r = state.rows[row];
            consistent = consistent && r.cells.size() == 6 && r.cells[0].itemData == row - 1 &&
                         r.cells[0].text == StringCtrl::Format(u"%04d", {row}) &&
                         r.cells[1].text.size() == static_cast<std::size_t>((row - 1) % 50);
        }
        grid.Visit([&](const GridState& locked) {
            consistent = consistent && locked.rows.size() >= state.rows.size();
        });
        consistent = consistent && grid.SelectedCells().empty();
        (void)grid.CellText(seen - 1, 2);
    }
    writer.join();
    EXPECT_TRUE(consistent);
    EXPECT_EQ(grid.RowCount(), kRows + 1);
    EXPECT_EQ(notified.load(), kRows + (kRows + 6) / 7);
}

}  // namespace
