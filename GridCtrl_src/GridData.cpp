// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridCtrl_src/GridData.h"

#include <algorithm>
#include <utility>

void GridData::SetChangeListener(Listener listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

void GridData::Notify(const GridChange& change) {
    Listener listener;
    {
        std::lock_guard lock(mutex_);
        if (!state_.redraw || !listener_) {
            return;
        }
        listener = listener_;
    }
    listener(change);
}

void GridData::Reset(int rowCount, int columnCount, int fixedRows, int fixedColumns) {
    rowCount = std::max(rowCount, 0);
    columnCount = std::max(columnCount, 0);
    {
        std::lock_guard lock(mutex_);
        bool redraw = state_.redraw;
        state_ = GridState{};
        state_.redraw = redraw;
        state_.fixedRows = std::clamp(fixedRows, 0, rowCount);
        state_.fixedColumns = std::clamp(fixedColumns, 0, columnCount);
        state_.columnWidths.assign(columnCount, 0);
        state_.rows.assign(rowCount, GridRow{DEFAULT_ROW_HEIGHT, std::vector<GridCell>(columnCount)});
    }
    Notify({GridChange::Reset});
}

void GridData::SetColumnWidth(int column, int width) {
    {
        std::lock_guard lock(mutex_);
        if (column < 0 || column >= static_cast<int>(state_.columnWidths.size())) {
            return;
        }
        state_.columnWidths[column] = std::max(width, 0);
    }
    Notify({GridChange::Reset});
}

void GridData::SetListMode(bool listMode) {
    {
        std::lock_guard lock(mutex_);
        state_.listMode = listMode;
    }
    Notify({GridChange::Reset});
}

void GridData::SetRowHeight(int row, int height) {
    {
        std::lock_guard lock(mutex_);
        if (row < 0 || row >= static_cast<int>(state_.rows.size())) {
            return;
        }
        state_.rows[row].height = std::max(height, 0);
    }
    Notify({GridChange::RowChanged, row});
}

int GridData::AppendRow(std::vector<GridCell> cells, int height) {
    int row;
    {
        std::lock_guard lock(mutex_);
        cells.resize(state_.columnWidths.size());
        row = static_cast<int>(state_.rows.size());
        state_.rows.push_back(GridRow{std::max(height, 0), std::move(cells)});
    }
    Notify({GridChange::RowsInserted, row, -1, 1});
    return row;
}

GridCell* GridData::CellAt(int row, int column) {
    return const_cast<GridCell*>(std::as_const(*this).CellAt(row, column));
}

const GridCell* GridData::CellAt(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(state_.rows.size())) {
        return nullptr;
    }
    const auto& cells = state_.rows[row].cells;
    if (column < 0 || column >= static_cast<int>(cells.size())) {
        return nullptr;
    }
    return &cells[column];
}

bool GridData::ChangeCell(int row, int column, const std::function<void(GridCell&)>& change) {
    {
        std::lock_guard lock(mutex_);
        GridCell* cell = CellAt(row, column);
        if (cell == nullptr) {
            return false;
        }
        change(*cell);
    }
    Notify({GridChange::CellChanged, row, column});
    return true;
}

bool GridData::SetCell(int row, int column, const GridCell& cell) {
    return ChangeCell(row, column, [&](GridCell& target) {
        bool selected = target.selected;
        target = cell;
        target.selected = selected;
    });
}

bool GridData::SetCellText(int row, int column, const std::u16string& text) {
    return ChangeCell(row, column, [&](GridCell& cell) { cell.text = text; });
}

bool GridData::SetItemData(int row, int column, std::int64_t itemData) {
    return ChangeCell(row, column, [&](GridCell& cell) { cell.itemData = itemData; });
}

bool GridData::SetImage(int row, int column, int image) {
    return ChangeCell(row, column, [&](GridCell& cell) { cell.image = image; });
}

bool GridData::SetImageOfItem(int row, int column, std::int64_t itemData, int image) {
    {
        std::lock_guard lock(mutex_);
        GridCell* cell = CellAt(row, column);
        if (cell == nullptr || !cell->imageAboveText || cell->itemData != itemData) {
            return false;
        }
        cell->image = image;
    }
    Notify({GridChange::CellChanged, row, column});
    return true;
}

bool GridData::SetImageAboveText(int row, int column, bool above) {
    return ChangeCell(row, column, [&](GridCell& cell) { cell.imageAboveText = above; });
}

bool GridData::SetSelected(int row, int column, bool selected) {
    {
        std::lock_guard lock(mutex_);
        GridCell* cell = CellAt(row, column);
        if (cell == nullptr) {
            return false;
        }
        cell->selected = selected;
    }
    Notify({GridChange::SelectionChanged, row, column});
    return true;
}

void GridData::SelectRows(int firstRow, int lastRow) {
    {
        std::lock_guard lock(mutex_);
        firstRow = std::max(firstRow, 0);
        lastRow = std::min(lastRow, static_cast<int>(state_.rows.size()) - 1);
        for (int row = firstRow; row <= lastRow; ++row) {
            for (GridCell& cell : state_.rows[row].cells) {
                cell.selected = true;
            }
        }
    }
    Notify({GridChange::SelectionChanged});
}

void GridData::ClearSelection() {
    {
        std::lock_guard lock(mutex_);
        for (GridRow& row : state_.rows) {
            for (GridCell& cell : row.cells) {
                cell.selected = false;
            }
        }
    }
    Notify({GridChange::SelectionChanged});
}

void GridData::SetFocusCell(GridCellId cell) {
    {
        std::lock_guard lock(mutex_);
        state_.focus = CellAt(cell.row, cell.column) != nullptr ? cell : GridCellId{};
    }
    Notify({GridChange::SelectionChanged});
}

void GridData::SetRedraw(bool redraw) {
    bool resumed;
    {
        std::lock_guard lock(mutex_);
        resumed = redraw && !state_.redraw;
        state_.redraw = redraw;
    }
    // Changes made while redrawing was off were not reported: the view redraws everything once.
    if (resumed) {
        Notify({GridChange::Reset});
    }
}

int GridData::RowCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(state_.rows.size());
}

int GridData::ColumnCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(state_.columnWidths.size());
}

int GridData::FixedRowCount() const {
    std::lock_guard lock(mutex_);
    return state_.fixedRows;
}

int GridData::FixedColumnCount() const {
    std::lock_guard lock(mutex_);
    return state_.fixedColumns;
}

int GridData::ColumnWidth(int column) const {
    std::lock_guard lock(mutex_);
    if (column < 0 || column >= static_cast<int>(state_.columnWidths.size())) {
        return 0;
    }
    return state_.columnWidths[column];
}

int GridData::RowHeight(int row) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(state_.rows.size())) {
        return 0;
    }
    return state_.rows[row].height;
}

bool GridData::ListMode() const {
    std::lock_guard lock(mutex_);
    return state_.listMode;
}

bool GridData::RedrawEnabled() const {
    std::lock_guard lock(mutex_);
    return state_.redraw;
}

GridCellId GridData::FocusCell() const {
    std::lock_guard lock(mutex_);
    return state_.focus;
}

GridCell GridData::Cell(int row, int column) const {
    std::lock_guard lock(mutex_);
    const GridCell* cell = CellAt(row, column);
    return cell != nullptr ? *cell : GridCell{};
}

std::u16string GridData::CellText(int row, int column) const {
    return Cell(row, column).text;
}

std::int64_t GridData::ItemData(int row, int column) const {
    return Cell(row, column).itemData;
}

bool GridData::IsSelected(int row, int column) const {
    return Cell(row, column).selected;
}

std::vector<GridCellId> GridData::SelectedCells() const {
    std::lock_guard lock(mutex_);
    std::vector<GridCellId> cells;
    for (int row = 0; row < static_cast<int>(state_.rows.size()); ++row) {
        const auto& rowCells = state_.rows[row].cells;
        for (int column = 0; column < static_cast<int>(rowCells.size()); ++column) {
            if (rowCells[column].selected) {
                cells.push_back({row, column});
            }
        }
    }
    return cells;
}

GridState GridData::Snapshot() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void GridData::Visit(const std::function<void(const GridState&)>& visit) const {
    std::lock_guard lock(mutex_);
    visit(state_);
}
