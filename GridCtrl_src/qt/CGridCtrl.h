// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QImage>
#include <QSize>
#include <QTableView>

#include "GridCtrl_src/qt/GridCellDelegate.h"

class GridData;
class GridModel;
struct GridCellId;
class QItemSelection;

// The grid control: a table view over GridData. GridData's fixed row is the header; in list mode a
// click selects whole rows, otherwise single cells, with the usual Ctrl and Shift keys either way.
// The selection lives in GridData, where the jobs read it: the view writes the user's selection
// there and shows what others (select all, the search) put there. Row heights and column widths
// come from GridData; a column of width 0 is hidden.
//
// GridData reports changes on the thread that made them, often a job thread. They are gathered and
// applied on the window thread in one go, so the view only ever sees a shape the model announced.
class CGridCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CGridCtrl(GridData& data, QWidget* parent = nullptr);
    ~CGridCtrl() override;

    GridData& Data() { return data_; }
    GridModel& Model() { return *model_; }

    // The image list the cells' image indices refer to; every image is imageSize.
    void SetImageSource(GridCellDelegate::ImageSource source, QSize imageSize);

    // Applies the changes GridData reported so far now, instead of when the window thread gets to
    // them. Window thread only.
    void Sync();
    // Scrolls so that the grid row dataRow (GridData's numbering) is the top visible row.
    void ScrollRowToTop(int dataRow);

    // Draws the selection in the active colours even while another window has the focus.
    void SetSelectionAlwaysShown(bool shown);

    // In list mode this column takes whatever width the view has left; the others keep GridData's
    // widths. -1: none.
    void SetStretchColumn(int column);
    // Marks a cell (GridData's numbering; whole row: every cell of its row) on a background of
    // its own and scrolls it into view; an invalid cell removes the mark.
    void SetMarkedCell(GridCellId cell, bool wholeRow);

private:
    struct Bridge;

    void OnDataChanged();
    void ApplyChanges();
    void ApplyRowHeights(int firstDataRow, int lastDataRow);
    void ApplyColumns();
    void SelectionFromData();
    void SelectionToData();
    void OnCurrentChanged(const QModelIndex& current);

    GridData& data_;
    GridModel* model_;
    GridCellDelegate* delegate_;
    std::shared_ptr<Bridge> bridge_;
    bool writingSelection_ = false;  // the view is applying GridData's selection: do not write back
    QPalette normalPalette_;
    bool selectionAlwaysShown_ = false;
    int stretchColumn_ = -1;
};
