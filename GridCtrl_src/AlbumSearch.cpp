// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridCtrl_src/AlbumSearch.h"

#include <algorithm>

#include "GridCtrl_src/GridData.h"
#include "settings/SettingsText.h"

namespace {

bool RowMatches(const GridRow& row, std::u16string_view keyword, const AlbumSearchOptions& options) {
    for (const GridCell& cell : row.cells) {
        if (CellMatches(cell.text, keyword, options)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool CellMatches(std::u16string_view cell, std::u16string_view keyword, const AlbumSearchOptions& options) {
    if (options.matchCase) {
        return options.wholeCell ? cell == keyword : cell.find(keyword) != std::u16string_view::npos;
    }
    std::u16string lowerCell = SettingsText::ToLower(cell);
    std::u16string lowerKeyword = SettingsText::ToLower(keyword);
    return options.wholeCell ? lowerCell == lowerKeyword
                             : lowerCell.find(lowerKeyword) != std::u16string::npos;
}

int FindAlbumRow(const GridData& grid, std::u16string_view keyword, const AlbumSearchOptions& options) {
    if (keyword.empty()) {
        return -1;
    }
    int found = -1;
    grid.Visit([&](const GridState& state) {
        const int first = state.fixedRows;
        const int last = static_cast<int>(state.rows.size()) - 1;
        int start = last + 1;
        for (int row = first; row <= last && start > last; ++row) {
            for (const GridCell& cell : state.rows[row].cells) {
                if (cell.selected) {
                    start = row;
                    break;
                }
            }
        }
        auto scan = [&](int from, int to, int step) {
            for (int row = from; row != to + step; row += step) {
                if (RowMatches(state.rows[row], keyword, options)) {
                    return row;
                }
            }
            return -1;
        };
        if (last < first) {
            return;
        }
        if (options.down) {
            found = start < last ? scan(start + 1, last, 1) : -1;
            if (found == -1) {
                found = scan(first, last, 1);
            }
        } else {
            found = start > first ? scan(std::min(start - 1, last), first, -1) : -1;
            if (found == -1) {
                found = scan(last, first, -1);
            }
        }
    });
    return found;
}

int SearchAndSelectAlbumRow(GridData& grid, std::u16string_view keyword, const AlbumSearchOptions& options) {
    int row = FindAlbumRow(grid, keyword, options);
    if (row != -1) {
        grid.ClearSelection();
        grid.SetFocusCell({});
        grid.SelectRows(row, row);
    }
    return row;
}
