// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GridCtrl_src/AlbumSearch.h"
#include "GridCtrl_src/GridData.h"

namespace {

// The row layout's shape: a header row, then album rows numbered "0001", "0002", ...
void FillGrid(GridData& grid, const std::vector<std::u16string>& names) {
    grid.Reset(1, 6, 1, 0);
    grid.SetCellText(0, 0, u"序号");
    grid.SetCellText(0, 1, u"名称");
    int number = 1;
    for (const std::u16string& name : names) {
        std::vector<GridCell> cells(6);
        cells[0].text = u"000" + std::u16string(1, static_cast<char16_t>(u'0' + number++));
        cells[1].text = name;
        cells[2].text = u"  12";
        grid.AppendRow(cells);
    }
}

struct SearchCase {
    const char* what;
    std::vector<int> selectedRows;
    std::u16string keyword;
    AlbumSearchOptions options;
    int expected;
};

TEST(AlbumSearch, FindsFromTheSelectionAndWrapsOnce) {
    GridData grid;
    FillGrid(grid, {u"ABC Album", u"abc", u"Summer", u"abc trip"});
    const AlbumSearchOptions down{};
    const AlbumSearchOptions up{false, false, false};
    const AlbumSearchOptions caseDown{true, false, true};
    const AlbumSearchOptions caseUp{true, false, false};
    const AlbumSearchOptions whole{false, true, true};
    const AlbumSearchOptions wholeCase{true, true, true};
    const std::vector<SearchCase> cases = {
        {"case off finds ABC Album first", {}, u"abc", down, 1},
        {"case on skips ABC Album", {}, u"abc", caseDown, 2},
        {"whole cell needs the exact text", {}, u"abc", whole, 2},
        {"whole cell with case matches nothing", {}, u"ABC", wholeCase, -1},
        {"nothing selected, up finds the last match", {}, u"abc", up, 4},
        {"the number column takes part", {}, u"0003", down, 3},
        {"the header row is never searched", {}, u"名称", down, -1},
        {"no match at all", {}, u"winter", down, -1},
        {"an empty keyword finds nothing", {}, u"", down, -1},
        {"down starts below the selected row", {2}, u"abc", caseDown, 4},
        {"down from the last row wraps to the top", {4}, u"abc", caseDown, 2},
        {"only the start row matches: found by the wrap", {2}, u"abc", wholeCase, 2},
        {"up starts above the selected row", {4}, u"abc", caseUp, 2},
        {"up from the first album row wraps to the bottom", {1}, u"abc", caseUp, 4},
        {"the topmost selected row is the start", {4, 2}, u"abc", caseDown, 4},
        {"a match past the start in the other cells", {1}, u"12", down, 2},
    };
    for (const SearchCase& c : cases) {
        grid.ClearSelection();
        for (int row : c.selectedRows) {
            grid.SetSelected(row, 3, true);  // any cell of the row makes it selected
        }
        EXPECT_EQ(FindAlbumRow(grid, c.keyword, c.options), c.expected) << c.what;
    }
}

TEST(AlbumSearch, LowerCaseComparisonCoversMoreThanAscii) {
    const AlbumSearchOptions caseOff{};
    EXPECT_TRUE(CellMatches(u"Grüße AUS München", u"MÜNCHEN", caseOff));
    EXPECT_FALSE(CellMatches(u"Grüße AUS München", u"MÜNCHEN", AlbumSearchOptions{true, false, true}));
    EXPECT_TRUE(CellMatches(u"ΑΒΓ Дом ＡＢ", u"αβγ дом ａｂ", AlbumSearchOptions{false, true, true}));
}

TEST(AlbumSearch, SelectingTheMatchLetsTheNextSearchGoOn) {
    GridData grid;
    FillGrid(grid, {u"ABC Album", u"abc", u"Summer", u"abc trip"});
    grid.SetSelected(3, 0, true);
    grid.SetFocusCell({3, 0});
    std::vector<int> found;
    for (int i = 0; i < 4; ++i) {
        found.push_back(SearchAndSelectAlbumRow(grid, u"ABC", {}));
    }
    EXPECT_EQ(found, std::vector<int>({4, 1, 2, 4}));
    // The match is the whole selection, all of its cells, and the focus cell is gone.
    std::vector<GridCellId> selected = grid.SelectedCells();
    ASSERT_EQ(selected.size(), 6u);
    for (const GridCellId& cell : selected) {
        EXPECT_EQ(cell.row, 4);
    }
    EXPECT_FALSE(grid.FocusCell().IsValid());

    // No match changes nothing.
    EXPECT_EQ(SearchAndSelectAlbumRow(grid, u"winter", {}), -1);
    EXPECT_EQ(grid.SelectedCells().size(), 6u);
}

TEST(AlbumSearch, AGridWithoutAlbumRowsFindsNothing) {
    GridData grid;
    FillGrid(grid, {});
    EXPECT_EQ(FindAlbumRow(grid, u"序号", {}), -1);
    GridData empty;
    EXPECT_EQ(FindAlbumRow(empty, u"a", AlbumSearchOptions{false, false, false}), -1);
}

}  // namespace
