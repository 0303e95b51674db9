// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridCtrl_src/qt/CGridCtrl.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <utility>
#include <vector>

#include <QHeaderView>
#include <QItemSelection>
#include <QMetaObject>
#include <QScrollBar>

#include "GridCtrl_src/GridData.h"
#include "GridCtrl_src/qt/GridModel.h"

// What GridData reported since the window thread last applied it. The listener holds it by a shared
// pointer, so a job thread that reports while the view goes away finds the view gone instead of
// calling into it.
struct CGridCtrl::Bridge {
    std::mutex mutex;
    CGridCtrl* view = nullptr;
    bool posted = false;
    bool reset = false;
    bool rows = false;
    bool selection = false;
    int firstChanged = INT_MAX;
    int lastChanged = -1;

    void Report(const GridChange& change) {
        std::lock_guard lock(mutex);
        if (view == nullptr) {
            return;
        }
        switch (change.kind) {
            case GridChange::Reset:
                reset = true;
                break;
            case GridChange::RowsInserted:
                rows = true;
                break;
            case GridChange::CellChanged:
            case GridChange::RowChanged:
                firstChanged = std::min(firstChanged, change.row);
                lastChanged = std::max(lastChanged, change.row);
                break;
            case GridChange::SelectionChanged:
                selection = true;
                break;
        }
        if (!posted) {
            posted = true;
            // The view is alive while the lock is held; a posted call to an object deleted later
            // is dropped by Qt.
            QMetaObject::invokeMethod(
                view, [v = view] { v->OnDataChanged(); }, Qt::QueuedConnection);
        }
    }
};

namespace {

struct GridShape {
    int rows = 0;
    int columns = 0;
    int fixedRows = 0;
    bool listMode = false;
};

GridShape ShapeOf(const GridData& data) {
    GridShape shape;
    data.Visit([&](const GridState& state) {
        shape.rows = static_cast<int>(state.rows.size());
        shape.columns = static_cast<int>(state.columnWidths.size());
        shape.fixedRows = state.fixedRows;
        shape.listMode = state.listMode;
    });
    return shape;
}

}  // namespace

CGridCtrl::CGridCtrl(GridData& data, QWidget* parent)
    : QTableView(parent),
      data_(data),
      model_(new GridModel(data, this)),
      delegate_(new GridCellDelegate(this)),
      bridge_(std::make_shared<Bridge>()) {
    setModel(model_);
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    normalPalette_ = palette();

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { SelectionToData(); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnCurrentChanged(current); });

    bridge_->view = this;
    bridge_->reset = true;
    std::weak_ptr<Bridge> weak = bridge_;
    data_.SetChangeListener([weak](const GridChange& change) {
        if (auto bridge = weak.lock()) {
            bridge->Report(change);
        }
    });
    ApplyChanges();
}

CGridCtrl::~CGridCtrl() {
    {
        std::lock_guard lock(bridge_->mutex);
        bridge_->view = nullptr;
    }
    data_.SetChangeListener(nullptr);
}

void CGridCtrl::SetImageSource(GridCellDelegate::ImageSource source, QSize imageSize) {
    delegate_->SetImageSource(std::move(source), imageSize);
    ApplyRowHeights(0, INT_MAX);
    viewport()->update();
}

void CGridCtrl::OnDataChanged() {
    ApplyChanges();
}

void CGridCtrl::Sync() {
    ApplyChanges();
}

void CGridCtrl::ApplyChanges() {
    bool reset, rows, selection;
    int firstChanged, lastChanged;
    {
        std::lock_guard lock(bridge_->mutex);
        reset = std::exchange(bridge_->reset, false);
        rows = std::exchange(bridge_->rows, false);
        selection = std::exchange(bridge_->selection, false);
        firstChanged = std::exchange(bridge_->firstChanged, INT_MAX);
        lastChanged = std::exchange(bridge_->lastChanged, -1);
        bridge_->posted = false;
    }
    if (!reset && !rows && !selection && lastChanged < 0) {
        return;
    }
    const GridShape shape = ShapeOf(data_);
    const int albumRows = std::max(shape.rows - shape.fixedRows, 0);
    // A shape that no longer fits what was announced (a reset whose report is still on its way, or
    // one that went by unannounced) is announced afresh.
    reset = reset || shape.columns != model_->columnCount() || shape.fixedRows != model_->FixedRows() ||
            albumRows < model_->rowCount();
    if (reset) {
        writingSelection_ = true;
        model_->Reset(albumRows, shape.columns, shape.fixedRows, shape.listMode);
        writingSelection_ = false;
        setSelectionBehavior(shape.listMode ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
        // Rows have lines between their cells; image-above-text cells draw their own frame, so
        // no line is drawn round the empty places after the last one.
        setShowGrid(shape.listMode);
        ApplyColumns();
        ApplyRowHeights(0, INT_MAX);
        SelectionFromData();
        return;
    }
    if (albumRows > model_->rowCount()) {
        const int firstNew = model_->DataRow(model_->rowCount());
        model_->Append(albumRows);
        ApplyRowHeights(firstNew, INT_MAX);
    }
    if (lastChanged >= 0) {
        model_->Changed(firstChanged, lastChanged);
        ApplyRowHeights(firstChanged, lastChanged);
        // A change of the header row is a change of the header.
        if (firstChanged < model_->FixedRows()) {
            ApplyColumns();
        }
    }
    if (selection || rows) {
        SelectionFromData();
    }
}

void CGridCtrl::ApplyColumns() {
    QHeaderView* header = horizontalHeader();
    const int fixedRows = model_->FixedRows();
    header->setVisible(fixedRows > 0);
    if (fixedRows > 0) {
        header->setFixedHeight(std::max(data_.RowHeight(0), header->fontMetrics().height() + 8));
        emit model_->headerDataChanged(Qt::Horizontal, 0, std::max(model_->columnCount() - 1, 0));
    }
    for (int column = 0; column < model_->columnCount(); ++column) {
        const int width = data_.ColumnWidth(column);
        header->setSectionHidden(column, width == 0);
        const bool stretch = column == stretchColumn_ && model_->ListMode();
        header->setSectionResizeMode(column, stretch ? QHeaderView::Stretch : QHeaderView::Interactive);
        if (width > 0 && !stretch) {
            header->resizeSection(column, width);
        }
    }
}

void CGridCtrl::SetStretchColumn(int column) {
    stretchColumn_ = column;
    ApplyColumns();
}

void CGridCtrl::SetMarkedCell(GridCellId cell, bool wholeRow) {
    Sync();
    if (!cell.IsValid()) {
        model_->SetMarked(-1, -1);
        return;
    }
    model_->SetMarked(cell.row, wholeRow ? -1 : cell.column);
    const int row = model_->ModelRow(cell.row);
    if (row >= 0 && row < model_->rowCount() && cell.column < model_->columnCount()) {
        scrollTo(model_->index(row, cell.column), QAbstractItemView::EnsureVisible);
    }
}

void CGridCtrl::ApplyRowHeights(int firstDataRow, int lastDataRow) {
    const int fixedRows = model_->FixedRows();
    const int first = std::max(firstDataRow - fixedRows, 0);
    const int last = static_cast<int>(std::min(static_cast<long long>(lastDataRow) - fixedRows,
                                               static_cast<long long>(model_->rowCount()) - 1));
    if (first > last) {
        return;
    }
    const int aboveTextHeight = delegate_->ImageAboveTextHeight(font());
    std::vector<int> heights;
    data_.Visit([&](const GridState& state) {
        for (int row = first; row <= last; ++row) {
            const int dataRow = row + fixedRows;
            if (dataRow >= static_cast<int>(state.rows.size())) {
                break;
            }
            const GridRow& gridRow = state.rows[dataRow];
            int height = gridRow.height;
            // A row of image-above-text cells is made tall enough for its text line as well.
            for (const GridCell& cell : gridRow.cells) {
                if (cell.imageAboveText) {
                    height = std::max(height, aboveTextHeight);
                    break;
                }
            }
            heights.push_back(height);
        }
    });
    QHeaderView* header = verticalHeader();
    for (int i = 0; i < static_cast<int>(heights.size()); ++i) {
        if (header->sectionSize(first + i) != heights[i]) {
            header->resizeSection(first + i, heights[i]);
        }
    }
}

void CGridCtrl::SelectionFromData() {
    const int rows = model_->rowCount();
    const int columns = model_->columnCount();
    const int fixedRows = model_->FixedRows();
    std::vector<char> wanted(static_cast<std::size_t>(rows) * columns, 0);
    GridCellId focus;
    data_.Visit([&](const GridState& state) {
        for (int row = 0; row < rows && row + fixedRows < static_cast<int>(state.rows.size()); ++row) {
            const auto& cells = state.rows[row + fixedRows].cells;
            for (int column = 0; column < columns && column < static_cast<int>(cells.size()); ++column) {
                wanted[static_cast<std::size_t>(row) * columns + column] = cells[column].selected ? 1 : 0;
            }
        }
        focus = state.focus;
    });
    std::vector<char> shown(wanted.size(), 0);
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom() && row < rows; ++row) {
            for (int column = range.left(); column <= range.right() && column < columns; ++column) {
                shown[static_cast<std::size_t>(row) * columns + column] = 1;
            }
        }
    }
    writingSelection_ = true;
    if (wanted != shown) {
        QItemSelection selection;
        for (int row = 0; row < rows; ++row) {
            int column = 0;
            while (column < columns) {
                if (!wanted[static_cast<std::size_t>(row) * columns + column]) {
                    ++column;
                    continue;
                }
                int end = column;
                while (end + 1 < columns && wanted[static_cast<std::size_t>(row) * columns + end + 1]) {
                    ++end;
                }
                selection.select(model_->index(row, column), model_->index(row, end));
                column = end + 1;
            }
        }
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    const QModelIndex current = selectionModel()->currentIndex();
    if (!focus.IsValid()) {
        if (current.isValid()) {
            selectionModel()->clearCurrentIndex();
        }
    } else if (model_->ModelRow(focus.row) >= 0 && model_->ModelRow(focus.row) < rows &&
               focus.column < columns &&
               (current.row() != model_->ModelRow(focus.row) || current.column() != focus.column)) {
        selectionModel()->setCurrentIndex(model_->index(model_->ModelRow(focus.row), focus.column),
                                          QItemSelectionModel::NoUpdate);
    }
    writingSelection_ = false;
}

void CGridCtrl::SelectionToData() {
    if (writingSelection_) {
        return;
    }
    const int rows = model_->rowCount();
    const int columns = model_->columnCount();
    const int fixedRows = model_->FixedRows();
    std::vector<char> shown(static_cast<std::size_t>(rows) * columns, 0);
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom() && row < rows; ++row) {
            for (int column = range.left(); column <= range.right() && column < columns; ++column) {
                shown[static_cast<std::size_t>(row) * columns + column] = 1;
            }
        }
    }
    data_.ClearSelection();
    int row = 0;
    while (row < rows) {
        auto full = [&](int r) {
            for (int column = 0; column < columns; ++column) {
                if (!shown[static_cast<std::size_t>(r) * columns + column]) {
                    return false;
                }
            }
            return columns > 0;
        };
        if (full(row)) {
            // Whole rows go in one step, so a long selection is not written cell by cell.
            int end = row;
            while (end + 1 < rows && full(end + 1)) {
                ++end;
            }
            data_.SelectRows(row + fixedRows, end + fixedRows);
            row = end + 1;
            continue;
        }
        for (int column = 0; column < columns; ++column) {
            if (shown[static_cast<std::size_t>(row) * columns + column]) {
                data_.SetSelected(row + fixedRows, column, true);
            }
        }
        ++row;
    }
}

void CGridCtrl::OnCurrentChanged(const QModelIndex& current) {
    if (writingSelection_) {
        return;
    }
    data_.SetFocusCell(current.isValid() ? GridCellId{model_->DataRow(current.row()), current.column()}
                                         : GridCellId{});
}

void CGridCtrl::ScrollRowToTop(int dataRow) {
    Sync();
    const int row = model_->ModelRow(dataRow);
    if (row < 0 || row >= model_->rowCount()) {
        return;
    }
    scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtTop);
}

void CGridCtrl::SetSelectionAlwaysShown(bool shown) {
    if (shown == selectionAlwaysShown_) {
        return;
    }
    selectionAlwaysShown_ = shown;
    if (!shown) {
        setPalette(normalPalette_);
        return;
    }
    normalPalette_ = palette();
    QPalette always = normalPalette_;
    always.setColor(QPalette::Inactive, QPalette::Highlight,
                    always.color(QPalette::Active, QPalette::Highlight));
    always.setColor(QPalette::Inactive, QPalette::HighlightedText,
                    always.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(always);
}
