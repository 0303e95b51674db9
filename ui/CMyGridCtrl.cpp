// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CMyGridCtrl.h"

#include <algorithm>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStringList>

#include "GridCtrl_src/AlbumGrid.h"
#include "GridCtrl_src/AlbumSearch.h"
#include "GridCtrl_src/CsvExport.h"
#include "ui/CDlgFind.h"
#include "ui/CThumbnailList.h"
#include "ui/ControlIds.h"
#include "ui/UserMessage.h"

namespace {

constexpr char16_t kEmptyKeyword[] = u"关键字不能为空";
constexpr char16_t kInterruptSwitch[] = u"模式转换未完成,是否中断?";
constexpr char16_t kNotice[] = u"提示";

}  // namespace

CMyGridCtrl::CMyGridCtrl(AlbumView& view, AlbumList& albums, CoverSource& covers, QWidget* parent)
    : CGridCtrl(view.grid, parent),
      view_(view),
      albums_(albums),
      covers_(covers),
      // The switch's thread tells the window through the grid's own queue. A rebuild that was
      // interrupted for another switch is not the end of that one.
      switch_(view, albums, covers, [this] {
          QMetaObject::invokeMethod(this, [this] {
              if (view_.modeSwitch.load() == MODE_SWITCH_IDLE) {
                  emit rebuilt();
              }
          });
      }) {
    setObjectName(ControlName(IDC_GRID));
    // The names are what the user reads; the other columns are as wide as their numbers.
    SetStretchColumn(1);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { ReportVisibleAlbums(); });
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] { ReportVisibleAlbums(); });
}

CMyGridCtrl::~CMyGridCtrl() {
    // The switch's thread fills this grid: it ends (after the album it shows) before the view goes.
    switch_.Interrupt();
    switch_.Join();
}

void CMyGridCtrl::SetImageList(const CThumbnailList* list) {
    if (list == nullptr) {
        SetImageSource({}, CThumbnailList::ImageSize());
        return;
    }
    SetImageSource([list](int index) { return list->Image(index); }, CThumbnailList::ImageSize());
}

void CMyGridCtrl::SelectAll(bool select) {
    SelectAllAlbums(view_, select);
    Sync();
}

void CMyGridCtrl::OpenFind() {
    if (view_.previewMode.load() != 0) {
        return;  // the find link is off in the thumbnail layout
    }
    if (find_ == nullptr) {
        find_ = new CDlgFind(CDlgFind::Mode::Search, this);
        connect(find_, &CDlgFind::searchRequested, this, [this](bool down) { FindNext(down); });
        // The search window has the focus while the user searches: the found row must still show.
        connect(find_, &CDlgFind::visibilityChanged, this,
                [this](bool shown) { SetSelectionAlwaysShown(shown); });
    }
    find_->SetMode(CDlgFind::Mode::Search);
    find_->CentreOn(window());
    find_->show();
    find_->raise();
    find_->activateWindow();
}

int CMyGridCtrl::FindNext(bool down) {
    if (find_ == nullptr) {
        return -1;
    }
    const std::u16string keyword = find_->Keyword();
    if (keyword.empty()) {
        Ask(kEmptyKeyword, u"", false);
        return -1;
    }
    AlbumSearchOptions options;
    options.matchCase = find_->MatchCase();
    options.wholeCell = find_->WholeCell();
    options.down = down;
    // The search starts from the topmost selected row; a row found on the far side of it was
    // found by going round the end.
    const std::vector<GridCellId> selected = view_.grid.SelectedCells();
    const int start = selected.empty() ? -1 : selected.front().row;
    const int row = SearchAndSelectAlbumRow(view_.grid, keyword, options);
    if (row < 0) {
        find_->SetStatus(QStringLiteral("未找到“%1”").arg(QString::fromStdU16String(keyword)));
        return row;
    }
    ScrollRowToTop(row);
    const bool wrapped = start >= 0 && (down ? row <= start : row >= start);
    if (!wrapped) {
        find_->SetStatus(QString());
    } else {
        find_->SetStatus(down ? QStringLiteral("已查找到末尾，从头继续")
                              : QStringLiteral("已查找到开头，从末尾继续"));
    }
    return row;
}

void CMyGridCtrl::RestoreSelection() {
    if (!selectionKept_) {
        return;
    }
    selectionKept_ = false;
    SelectAlbums(view_, keptSelection_);
    keptSelection_.clear();
    Sync();
}

int CMyGridCtrl::ShownAlbumRows() const {
    return std::max(view_.grid.RowCount() - view_.grid.FixedRowCount(), 0);
}

CDlgFind* CMyGridCtrl::FindWindow() const {
    return find_;
}

void CMyGridCtrl::OpenFilter() {
    // The filter shows album rows; the link is off in the thumbnail layout and during a list.
    if (view_.previewMode.load() != 0 || listRunning_) {
        return;
    }
    // A switch back to rows may still be rebuilding; the filter's rebuild comes after it.
    WaitForSwitch();
    if (find_ != nullptr && find_->isVisible()) {
        find_->hide();
    }
    CDlgFind filter(CDlgFind::Mode::Filter, this);
    filter.CentreOn(window());
    if (filter.exec() != QDialog::Accepted) {
        return;
    }
    view_.filterText = filter.Keyword();
    SetMarkedCell({}, false);
    Rebuild(view_, albums_, nullptr);
    emit layoutSetUp();
    Sync();
    emit filterApplied();
}

void CMyGridCtrl::ExportCsv(const std::u16string& folder, const std::u16string& fileName) {
    QFileDialog dialog(window(), QStringLiteral("另存为"));
    // The list goes beside the pictures it lists, unless that folder is not there yet.
    const QString start = QString::fromStdU16String(folder);
    if (!start.isEmpty() && QFileInfo(start).isDir()) {
        dialog.setDirectory(start);
    }
    dialog.setObjectName(QStringLiteral("exportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("导出后，自行调整列宽(*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    // An existing file is only replaced after the dialog has asked (Qt's save dialog asks unless
    // told not to).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!fileName.empty()) {
        dialog.selectFile(QString::fromStdU16String(fileName));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return;
    }
    ExportCsvTo(files.front().toStdU16String());
}

bool CMyGridCtrl::ExportCsvTo(const std::u16string& path) {
    return ExportAlbumGridCsv(view_.grid, path);
}

bool CMyGridCtrl::TogglePreview(bool checked) {
    if (view_.modeSwitch.load() != MODE_SWITCH_IDLE) {
        if (!Ask(kInterruptSwitch, kNotice, true)) {
            emit previewShown(view_.previewMode.load() != 0);
            return false;
        }
        // Stopped after the album it shows, then on to the layout the click asked for: one click
        // is enough, and no half-built layout is left.
        switch_.Interrupt();
        switch_.Join();
    }
    // The album list fills the grid itself; the box is off while it runs.
    if (listRunning_) {
        emit previewShown(view_.previewMode.load() != 0);
        return false;
    }
    switch_.Join();
    if (find_ != nullptr) {
        find_->hide();
    }
    emit searchLinksEnabled(!checked);
    // The albums the user picked stay picked in the other layout. A switch that follows an
    // interrupted one keeps what the first kept, since its grid showed only some albums.
    if (!selectionKept_) {
        keptSelection_ = SelectedAlbumIndices(view_, albums_);
        selectionKept_ = true;
    }
    SetMarkedCell({}, false);
    if (!checked) {
        covers_.CancelPending();  // the rows show no covers
    }
    view_.modeSwitch = MODE_SWITCH_RUNNING;
    view_.previewMode = checked ? 1 : 0;
    SetUpAlbumGrid(view_);
    emit layoutSetUp();
    Sync();
    emit previewShown(checked);
    ReportVisibleAlbums();
    return switch_.Start();
}

void CMyGridCtrl::resizeEvent(QResizeEvent* event) {
    CGridCtrl::resizeEvent(event);
    ReportVisibleAlbums();
}

void CMyGridCtrl::ReportVisibleAlbums() {
    if (view_.previewMode.load() == 0) {
        return;
    }
    // Rows not made yet (a rebuild under way) are where the grid starts.
    const int top = std::max(rowAt(0), 0);
    const int shownRows = viewport()->height() / PREVIEW_ROW_HEIGHT + 1;
    covers_.SetVisibleAlbums(top * THUMBS_PER_ROW, (top + shownRows) * THUMBS_PER_ROW - 1);
}

void CMyGridCtrl::WaitForSwitch() {
    switch_.Join();
    Sync();
}

bool CMyGridCtrl::Ask(const std::u16string& text, const std::u16string& caption, bool question) {
    return ShowUserMessage(*window(), text, caption, question);
}
