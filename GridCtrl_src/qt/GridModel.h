// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

class GridData;

// The grid's data as a Qt table model, read straight from GridData so there is no second copy.
// GridData's fixed rows are not model rows: they are the horizontal header (the first fixed row's
// texts). The shape the view sees is only what CGridCtrl announced through Reset and Append, on
// the window thread, so a row a job thread has just added is never seen before it is announced.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role : int {
        ImageRole = Qt::UserRole,  // int: the image list index, -1 for none
        ImageAboveTextRole,        // bool
        ItemDataRole,              // qlonglong
        MarkedRole,                // bool: the marked cell or row (SetMarked)
    };

    explicit GridModel(const GridData& data, QObject* parent = nullptr);

    // A new shape: rows album rows below fixedRows fixed rows, and columns. In list mode every
    // cell can be selected; otherwise an empty cell (no text, no image) in a row of image-above-text
    // cells (the places after the last thumbnail) is not a cell at all: it cannot be selected and
    // is not drawn.
    void Reset(int rows, int columns, int fixedRows, bool listMode = true);
    // Announces rows appended at the end; rows is the new album row count.
    void Append(int rows);
    // Cells of data rows [firstDataRow, lastDataRow] changed (clipped to the announced rows).
    void Changed(int firstDataRow, int lastDataRow);

    // Marks one cell (column -1: the whole row) of GridData row dataRow (MarkedRole, and a bold
    // font); a row of -1 marks nothing.
    void SetMarked(int dataRow, int column);
    int MarkedRow() const { return markedRow_; }

    int FixedRows() const { return fixedRows_; }
    bool ListMode() const { return listMode_; }
    int DataRow(int modelRow) const { return modelRow + fixedRows_; }
    int ModelRow(int dataRow) const { return dataRow - fixedRows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool IsMarked(const QModelIndex& index) const;
    bool IsEmptyPlace(const QModelIndex& index) const;

    const GridData& data_;
    int rows_ = 0;
    int columns_ = 0;
    int fixedRows_ = 0;
    bool listMode_ = true;
    int markedRow_ = -1;
    int markedColumn_ = -1;
};
