// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// One cell of the grid.
struct GridCell {
    std::u16string text;
    std::int64_t itemData = 0;
    int image = -1;               // index into the grid's image list, -1 for none
    bool imageAboveText = false;  // the text starts below the image instead of beside it
    bool selected = false;
};

struct GridRow {
    int height = 0;
    std::vector<GridCell> cells;  // always ColumnCount() cells
};

struct GridCellId {
    int row = -1;
    int column = -1;
    bool IsValid() const { return row >= 0 && column >= 0; }
    bool operator==(const GridCellId&) const = default;
};

// Everything the grid holds, as readers get it.
struct GridState {
    int fixedRows = 0;
    int fixedColumns = 0;
    std::vector<int> columnWidths;
    std::vector<GridRow> rows;
    bool listMode = false;  // a click selects the whole row
    GridCellId focus;
    bool redraw = true;
};

// What changed, for the view that draws the grid.
struct GridChange {
    enum Kind {
        Reset,         // anything may have changed: layout, rows, selection
        RowsInserted,  // rows [row, row + count) were appended
        CellChanged,   // cell (row, column)
        RowChanged,    // row's height or several of its cells
        SelectionChanged,
    };
    Kind kind = Reset;
    int row = -1;
    int column = -1;
    int count = 0;
};

// The grid control's data, free of any toolkit, so the jobs, the command line and the tests can use
// it and a view can draw it. The album-list thread appends rows while the window thread reads
// them, so every access is locked: readers get copies or a locked visit. The change listener is
// called on the thread that made the change, after the lock is released; while redrawing is
// switched off no change is reported, and switching it back on reports one Reset.
class GridData {
public:
    static constexpr int DEFAULT_ROW_HEIGHT = 24;
    // The margin between a cell's border and its content, on each side.
    static constexpr int DEFAULT_CELL_MARGIN = 2;

    GridData() = default;
    GridData(const GridData&) = delete;
    GridData& operator=(const GridData&) = delete;

    using Listener = std::function<void(const GridChange&)>;
    void SetChangeListener(Listener listener);

    // Empties the grid into the given shape: rowCount rows of empty cells (the first fixedRows of
    // them fixed), columnCount columns of width 0, list mode off, nothing selected, no focus.
    void Reset(int rowCount, int columnCount, int fixedRows, int fixedColumns);

    void SetColumnWidth(int column, int width);
    void SetListMode(bool listMode);
    void SetRowHeight(int row, int height);

    // Appends a row in one step, so a reader never sees half of it. cells is padded or cut to the
    // column count. Returns the new row's index.
    int AppendRow(std::vector<GridCell> cells, int height = DEFAULT_ROW_HEIGHT);

    // Cell setters; false when the cell does not exist. SetCell keeps the cell's selection.
    bool SetCell(int row, int column, const GridCell& cell);
    bool SetCellText(int row, int column, const std::u16string& text);
    bool SetItemData(int row, int column, std::int64_t itemData);
    bool SetImage(int row, int column, int image);
    bool SetImageAboveText(int row, int column, bool above);
    // Sets the image of an image-above-text cell only while it holds itemData, in one step: a
    // picture that arrives late must not land in a cell that meanwhile shows something else.
    bool SetImageOfItem(int row, int column, std::int64_t itemData, int image);

    // Selection per cell.
    bool SetSelected(int row, int column, bool selected);
    // Selects every cell of rows [firstRow, lastRow], leaving other cells as they are.
    void SelectRows(int firstRow, int lastRow);
    void ClearSelection();
    void SetFocusCell(GridCellId cell);
    void SetRedraw(bool redraw);

    int RowCount() const;
    int ColumnCount() const;
    int FixedRowCount() const;
    int FixedColumnCount() const;
    int ColumnWidth(int column) const;  // 0 for a column that does not exist
    int RowHeight(int row) const;       // 0 for a row that does not exist
    bool ListMode() const;
    bool RedrawEnabled() const;
    GridCellId FocusCell() const;

    // A copy of the cell; an empty cell when it does not exist.
    GridCell Cell(int row, int column) const;
    std::u16string CellText(int row, int column) const;
    std::int64_t ItemData(int row, int column) const;
    bool IsSelected(int row, int column) const;
    // The selected cells, row by row, left to right.
    std::vector<GridCellId> SelectedCells() const;

    // A copy of everything.
    GridState Snapshot() const;
    // Runs visit with the lock held, for readers that want no copy. visit must not call back into
    // this grid.
    void Visit(const std::function<void(const GridState&)>& visit) const;

private:
    GridCell* CellAt(int row, int column);
    const GridCell* CellAt(int row, int column) const;
    // Changes one cell under the lock and reports it.
    bool ChangeCell(int row, int column, const std::function<void(GridCell&)>& change);
    // Reports a change (outside the lock), unless redrawing is off.
    void Notify(const GridChange& change);

    mutable std::mutex mutex_;
    GridState state_;
    Listener listener_;
};
