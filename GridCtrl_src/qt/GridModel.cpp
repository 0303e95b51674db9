#include "GridCtrl_src/qt/GridModel.h"

#include <algorithm>

#include <QString>

#include "GridCtrl_src/GridData.h"

GridModel::GridModel(const GridData& data, QObject* parent) : QAbstractTableModel(parent), data_(data) {}

void GridModel::Reset(int rows, int columns, int fixedRows) {
    beginResetModel();
    rows_ = std::max(rows, 0);
    columns_ = std::max(columns, 0);
    fixedRows_ = std::max(fixedRows, 0);
    endResetModel();
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

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
