// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "GridCtrl_src/AlbumView.h"
#include "GridCtrl_src/CoverSource.h"
#include "GridCtrl_src/qt/CGridCtrl.h"
#include "core/AlbumList.h"
#include "ui/ChangeSource.h"

class CDlgFind;
class CThumbnailList;

// The album grid (control 1003) on the grid control: select all, the album search window, the
// filter, the CSV export and the switch between the row and the thumbnail layout. It shows the
// albums of the list in the window's view of them; it tells the window through its signals what
// becomes of the window's other controls (the find and filter links, the check box 1014). A
// layout switch keeps the albums that were selected.
class CMyGridCtrl : public CGridCtrl {
    Q_OBJECT
public:
    CMyGridCtrl(AlbumView& view, AlbumList& albums, CoverSource& covers, QWidget* parent = nullptr);
    ~CMyGridCtrl() override;

    // The thumbnails the cells' image indices refer to; list must outlive the grid.
    void SetImageList(const CThumbnailList* list);

    // "全选" (1012): every album row selected, or none.
    void SelectAll(bool select);

    // The find link (1034): the search window in search mode, made once and kept, shown centred
    // on the main window.
    void OpenFind();
    // The filter link (1036): a second search window in filter mode, modal; on "筛选" only the
    // albums whose name holds the keyword are shown again, and the filter is cleared afterwards.
    void OpenFilter();
    // The export link (1037): the save dialog, in folder (when it exists) with fileName offered,
    // then the CSV file.
    void ExportCsv(const std::u16string& folder = {}, const std::u16string& fileName = {});
    // Writes the CSV file; false when it cannot be written (nothing is said to the user then).
    bool ExportCsvTo(const std::u16string& path);

    // "预览图" (1014) clicked into state checked: the layout is switched and rebuilt on the
    // switch's thread. While a switch runs this asks first whether to interrupt it: yes stops it
    // and switches to the layout asked for, no leaves the layout and the check box as they were.
    // True when a switch was started. In the thumbnail layout every album's cell shows at once;
    // the covers come afterwards.
    bool TogglePreview(bool checked);
    // Waits until a running switch has ended.
    void WaitForSwitch();

    // "下一个" (down) or "上一个" with the search window's keyword and boxes: the row found (and
    // selected and scrolled to the top), or -1. The search window's status line says when nothing
    // matched and when the search went round the end to find it.
    int FindNext(bool down);

    // After a rebuild has ended: the albums that were selected before a layout switch are selected
    // again where the new layout shows them.
    void RestoreSelection();

    // The album rows the grid shows now (row mode), for the group title.
    int ShownAlbumRows() const;

    // The search window once made, else null.
    CDlgFind* FindWindow() const;

    // While an album list runs it fills the grid itself: no filter and no layout switch then.
    void SetListRunning(bool running) { listRunning_ = running; }

signals:
    // The filter has rebuilt the rows.
    void filterApplied();
    // The layout switch's rebuild has ended (on the window's thread).
    void rebuilt();
    // The check box 1014 shows this layout.
    void previewShown(bool thumbnails);
    // The grid was set up empty in a layout: nothing is selected, "全选" (1012) is unchecked.
    void layoutSetUp();
    // The find and filter links, which work on the rows only.
    void searchLinksEnabled(bool enabled);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool Ask(const std::u16string& text, const std::u16string& caption, bool question);

    // Tells the covers which albums the thumbnail layout shows now, so theirs come first.
    void ReportVisibleAlbums();

    AlbumView& view_;
    AlbumList& albums_;
    CoverSource& covers_;
    bool listRunning_ = false;
    ChangeSource switch_;
    QPointer<CDlgFind> find_;
    // The albums selected when a layout switch started, until its rebuild has ended.
    std::vector<int> keptSelection_;
    bool selectionKept_ = false;
};
