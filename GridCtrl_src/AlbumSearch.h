// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class GridData;

// The album search window's search over the grid's rows. A search starts at the topmost selected
// row (just after the last row when nothing is selected), never looks at that row first, and
// compares each row's cells left to right; when it reaches the end it tries once more from the
// other end, so the start row itself is looked at last.
struct AlbumSearchOptions {
    bool matchCase = false;  // "区分大小写"
    bool wholeCell = false;  // "全字匹配": the cell's whole text equals the keyword
    bool down = true;        // "下一个"; false for "上一个"
};

// Without match case both sides are compared in lower case, for every letter of the basic plane
// (Latin, Greek, Cyrillic, full-width), not only ASCII.
bool CellMatches(std::u16string_view cell, std::u16string_view keyword, const AlbumSearchOptions& options);

// The row the search finds, or -1. An empty keyword finds nothing; the caller trims it and tells
// the user.
int FindAlbumRow(const GridData& grid, std::u16string_view keyword, const AlbumSearchOptions& options);

// Finds the row and makes it the whole selection with no focus cell, so that the next search goes
// on from it; -1 and no change when nothing matched.
int SearchAndSelectAlbumRow(GridData& grid, std::u16string_view keyword, const AlbumSearchOptions& options);
