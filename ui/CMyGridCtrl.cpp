#include "ui/CMyGridCtrl.h"

#include <algorithm>

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "GridCtrl_src/AlbumGrid.h"
#include "GridCtrl_src/AlbumSearch.h"
#include "GridCtrl_src/CsvExport.h"
#include "core/JobContext.h"
#include "core/WindowPort.h"
#include "settings/qt/DialogNotice.h"
#include "ui/CDlgFind.h"
#include "ui/CThumbnailList.h"

namespace {

constexpr char16_t kEmptyKeyword[] = u"关键字不能为空";
constexpr char16_t kInterruptSwitch[] = u"模式转换未完成,是否中断?";
constexpr char16_t kNotice[] = u"提示";

}  // namespace

CMyGridCtrl::CMyGridCtrl(JobContext& job, QWidget* parent)
    : CGridCtrl(job.grid, parent), job_(job), switch_(job) {
    setObjectName(QStringLiteral("c%1").arg(IDC_GRID));
    // The names are what the user reads; the other columns are as wide as their numbers.
    SetStretchColumn(1);
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
    SelectAllAlbums(job_, select);
    Sync();
}

void CMyGridCtrl::OpenFind() {
    if (job_.previewMode.load() != 0) {
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
        Ask(kEmptyKeyword, u"", MB_OK);
        return -1;
    }
    AlbumSearchOptions options;
    options.matchCase = find_->MatchCase();
    options.wholeCell = find_->WholeCell();
    options.down = down;
    // The search starts from the topmost selected row; a row found on the far side of it was
    // found by going round the end.
    const std::vector<GridCellId> selected = job_.grid.SelectedCells();
    const int start = selected.empty() ? -1 : selected.front().row;
    const int row = SearchAndSelectAlbumRow(job_.grid, keyword, options);
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
    SelectAlbums(job_, keptSelection_);
    keptSelection_.clear();
    Sync();
}

int CMyGridCtrl::ShownAlbumRows() const {
    return std::max(job_.grid.RowCount() - job_.grid.FixedRowCount(), 0);
}

CDlgFind* CMyGridCtrl::FindWindow() const {
    return find_;
}

void CMyGridCtrl::OpenFilter() {
    // The filter shows album rows; the link is off in the thumbnail layout and during a list.
    if (job_.previewMode.load() != 0 || job_.listState.load() != LIST_IDLE) {
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
    job_.filterText = filter.Keyword();
    SetMarkedCell({}, false);
    Rebuild(job_);
    Sync();
    emit filterApplied();
}

void CMyGridCtrl::ExportCsv() {
    QFileDialog dialog(window(), QStringLiteral("另存为"));
    dialog.setObjectName(QStringLiteral("exportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("导出后，自行调整列宽(*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    // An existing file is only replaced after the dialog has asked (Qt's save dialog asks unless
    // told not to).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
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
    return ExportAlbumGridCsv(job_.grid, path);
}

bool CMyGridCtrl::TogglePreview(bool checked) {
    if (job_.modeSwitch.load() != MODE_SWITCH_IDLE) {
        if (Ask(kInterruptSwitch, kNotice, MB_YESNO) == IDYES) {
            switch_.Interrupt();
        }
        SetCheck(IDC_PREVIEW, job_.previewMode.load() != 0);
        return false;
    }
    // The album list fills the grid itself; the box is off while it runs.
    if (job_.listState.load() != LIST_IDLE) {
        SetCheck(IDC_PREVIEW, job_.previewMode.load() != 0);
        return false;
    }
    switch_.Join();
    if (find_ != nullptr) {
        find_->hide();
    }
    EnableControl(IDC_FIND, !checked);
    EnableControl(IDC_FILTER, !checked);
    // The albums the user picked stay picked in the other layout. A switch that follows an
    // interrupted one keeps what the first kept, since its grid showed only some albums.
    if (!selectionKept_) {
        keptSelection_ = SelectedAlbumIndices(job_);
        selectionKept_ = true;
    }
    SetMarkedCell({}, false);
    job_.modeSwitch = MODE_SWITCH_RUNNING;
    job_.previewMode = checked ? 1 : 0;
    SetUpAlbumGrid(job_);
    Sync();
    SetCheck(IDC_PREVIEW, checked);
    return switch_.Start();
}

void CMyGridCtrl::WaitForSwitch() {
    switch_.Join();
    Sync();
}

int CMyGridCtrl::Ask(const std::u16string& text, const std::u16string& caption, int buttons) {
    if (job_.window != nullptr) {
        return job_.window->MessageBox(text, caption, buttons);
    }
    const bool yesNo = buttons == MB_YESNO;
    QMessageBox box(yesNo ? QMessageBox::Question : QMessageBox::Information,
                    caption.empty() ? window()->windowTitle() : QString::fromStdU16String(caption),
                    QString::fromStdU16String(text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, this);
    FitMessageBoxToTitle(box);
    const int answer = box.exec();
    return !yesNo ? IDOK : answer == QMessageBox::Yes ? IDYES : IDNO;
}

void CMyGridCtrl::SetCheck(int control, bool checked) {
    if (job_.window != nullptr) {
        job_.window->SetCheck(control, checked);
    }
}

void CMyGridCtrl::EnableControl(int control, bool enable) {
    if (job_.window != nullptr) {
        job_.window->EnableControl(control, enable);
    }
}
