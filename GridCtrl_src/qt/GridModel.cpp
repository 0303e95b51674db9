// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridCtrl_src/qt/GridModel.h"

#include <algorithm>

#include <QFont>
#include <QString>

#include "GridCtrl_src/GridData.h"

GridModel::GridModel(const GridData& data, QObject* parent) : QAbstractTableModel(parent), data_(data) {}

void GridModel::Reset(int rows, int columns, int fixedRows, bool listMode) {
    beginResetModel();
    rows_ = std::max(rows, 0);
    columns_ = std::max(columns, 0);
    fixedRows_ = std::max(fixedRows, 0);
    listMode_ = listMode;
    endResetModel();
}

void GridModel::SetMarked(int dataRow, int column) {
    const int oldRow = markedRow_;
    markedRow_ = dataRow;
    markedColumn_ = column;
    for (int row : {oldRow, dataRow}) {
        const int modelRow = ModelRow(row);
        if (row >= 0 && modelRow >= 0 && modelRow < rows_ && columns_ > 0) {
            emit dataChanged(index(modelRow, 0), index(modelRow, columns_ - 1));
        }
    }
}

void GridModel::Append(int rows) {
    if (rows <= rows_) {
        return;
    }
    beginInsertRows(QModelIndex(), rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
}

void GridModel::Changed(int firstDataRow, int lastDataRow) {
    int first = std::max(ModelRow(firstDataRow), 0);
    int last = std::min(ModelRow(lastDataRow), rows_ - 1);
    if (first > last || columns_ == 0) {
        return;
    }
    emit dataChanged(index(first, 0), index(last, columns_ - 1));
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return QString::fromStdU16String(data_.CellText(DataRow(index.row()), index.column()));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        case ImageRole:
            return data_.Cell(DataRow(index.row()), index.column()).image;
        case ImageAboveTextRole:
            return data_.Cell(DataRow(index.row()), index.column()).imageAboveText;
        case ItemDataRole:
            return QVariant::fromValue<qlonglong>(data_.ItemData(DataRow(index.row()), index.column()));
        case MarkedRole:
            return IsMarked(index);
        case Qt::FontRole:
            if (IsMarked(index)) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || fixedRows_ == 0 || section < 0 || section >= columns_) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdU16String(data_.CellText(0, section));
    }
    return {};
}

bool GridModel::IsMarked(const QModelIndex& index) const {
    return markedRow_ >= 0 && DataRow(index.row()) == markedRow_ &&
           (markedColumn_ < 0 || markedColumn_ == index.column());
}

bool GridModel::IsEmptyPlace(const QModelIndex& index) const {
    bool empty = false;
    const int row = DataRow(index.row());
    data_.Visit([&](const GridState& state) {
        if (row < 0 || row >= static_cast<int>(state.rows.size())) {
            return;
        }
        const std::vector<GridCell>& cells = state.rows[row].cells;
        if (index.column() >= static_cast<int>(cells.size())) {
            return;
        }
        const GridCell& cell = cells[index.column()];
        if (!cell.text.empty() || cell.image >= 0 || cell.imageAboveText) {
            return;
        }
        for (const GridCell& other : cells) {
            empty = empty || other.imageAboveText;
        }
    });
    return empty;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    if (!listMode_ && IsEmptyPlace(index)) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
