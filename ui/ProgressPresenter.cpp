// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressPresenter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <initializer_list>
#include <optional>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/StringCtrl.h"
#include "settings/qt/CComboBox2.h"
#include "ui/CDlgFailedPictures.h"
#include "ui/CMyGridCtrl.h"
#include "ui/MainLayout.h"

namespace {

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// The buttons' busy and idle texts.
constexpr char16_t kListBusy[] = u"终止获取";
constexpr char16_t kListIdle[] = u"获取相册";
constexpr char16_t kDownloadBusy[] = u"终止下载";
constexpr char16_t kDownloadIdle[] = u"下载";
// Columns 4 and 5 of an album row, once an album has an outcome to show there.
constexpr int kOutcomeColumn = 4;
constexpr int kFailedColumn = 5;
constexpr int kOutcomeWidth = 80;
constexpr int kFailedWidth = 130;  // room for "失败 12 未下载 345"
constexpr char16_t kOutcomeHeader[] = u"完成";
constexpr char16_t kFailedHeader[] = u"失败/未下载";
constexpr char16_t kStopping[] = u"正在停止…";

}  // namespace

ProgressPresenter::ProgressPresenter(QWidget& window, MainLayout& controls, AlbumView& view,
                                     AlbumList& albums)
    : window_(window), controls_(controls), view_(view), albums_(albums) {}

void ProgressPresenter::StageText(const std::u16string& text) {
    controls_.stage->setText(Q(text));
}

void ProgressPresenter::ProgressText(const std::u16string& text) {
    controls_.progress->setText(Q(text));
}

void ProgressPresenter::Busy(JobKind job) {
    const MainLayout& c = controls_;
    if (job == JobKind::List) {
        // What could start a download or change what the list fills.
        for (QWidget* control :
             std::initializer_list<QWidget*>{c.site, c.subMode, c.downloadButton, c.input, c.preview,
                                             c.findLink, c.filterLink, c.exportLink}) {
            control->setEnabled(false);
        }
        c.selectAll->setChecked(false);
        c.listButton->setText(Q(kListBusy));
        c.group->setTitle(QStringLiteral("相册列表"));
        c.notice->hide();
        c.grid->SetListRunning(true);
        progress_.ListStarted();
        ShowAlbumState();
    } else {
        // What could start a list or change what the download reads.
        for (QWidget* control : std::initializer_list<QWidget*>{c.site, c.subMode, c.listButton,
                                                                c.chooseFolder, c.input, c.savePath}) {
            control->setEnabled(false);
        }
        c.downloadButton->setText(Q(kDownloadBusy));
        // The job takes the albums the button asked for; what their last download showed goes.
        progress_.DownloadStarted(pendingDownload_);
        for (int album : pendingDownload_) {
            ClearOutcomeOf(album);
        }
    }
    UpdateProgressBar();
}

void ProgressPresenter::Idle(JobKind job) {
    const MainLayout& c = controls_;
    if (job == JobKind::List) {
        const int albumCount = static_cast<int>(albums_.Size());
        c.grid->SetListRunning(false);
        GridChanged();
        c.group->setTitle(Q(StringCtrl::Format(u"相册列表(共%d个)", {albumCount})));
        c.site->setEnabled(true);
        c.subMode->setEnabled(true);
        c.downloadButton->setEnabled(albumCount > 0);
        c.listButton->setText(Q(kListIdle));
        for (QWidget* control :
             std::initializer_list<QWidget*>{c.input, c.preview, c.findLink, c.filterLink, c.exportLink}) {
            control->setEnabled(true);
        }
        progress_.ListEnded(albumCount);
    } else {
        c.downloadButton->setText(Q(kDownloadIdle));
        for (QWidget* control : std::initializer_list<QWidget*>{c.site, c.subMode, c.listButton,
                                                                c.chooseFolder, c.input, c.savePath}) {
            control->setEnabled(true);
        }
        if (progress_.Running() == JobProgress::Job::Download) {
            progress_.DownloadEnded(stopAsked_);
            stopAsked_ = false;
            ShowAlbumState();
            ShowFailedPictures();
        }
    }
    UpdateProgressBar();
}

void ProgressPresenter::StopAsked() {
    stopAsked_ = true;
    // The pictures under way end first, which takes a moment: the window says at once that the
    // stop was heard.
    controls_.stage->setText(Q(kStopping));
    progress_.StopAsked();
    UpdateProgressBar();
}

void ProgressPresenter::AlbumStarted(int album, int position, int count) {
    progress_.AlbumStarted(position, count, album);
    ClearOutcomeOf(album);
    ShowAlbumState();
    UpdateProgressBar();
}

void ProgressPresenter::PoolProgress(const std::u16string& line, int saved, int total) {
    controls_.progress->setText(Q(line));
    progress_.PicturesDone(saved, total);
    UpdateProgressBar();
}

void ProgressPresenter::PictureSaved(int album, const std::u16string&, const std::u16string& url) {
    ShowPictureOutcome(album, JobProgress::PictureOutcome::Saved, url, u"");
}

void ProgressPresenter::PictureNotSaved(int album, const std::u16string&, const std::u16string& url,
                                        const PictureOutcome& outcome) {
    // Pictures the size limits left out were left out on purpose: they are not failures.
    const JobProgress::PictureOutcome kind = outcome.result == PictureResult::Failed
                                                 ? JobProgress::PictureOutcome::Failed
                                                 : JobProgress::PictureOutcome::Skipped;
    progress_.AddPictureOutcome(album, kind, url, ReasonText(outcome), outcome.place);
    ShowOutcomeOf(album);
}

void ProgressPresenter::AlbumEnded(int album, const std::u16string&, const DownloadTally& tally) {
    // "完成" counts what is on disk; a picture that a stop left untried is neither done nor failed.
    ShowAlbumOutcome(album, JobProgress::AlbumOutcome{tally.saved, tally.failed, 0, tally.notTried});
}

void ProgressPresenter::JobEnded(const std::u16string& line, const DownloadTally&, DownloadEnd) {
    // The counts of the whole job, as the command line ends with them.
    if (!line.empty()) {
        controls_.progress->setText(Q(line));
    }
}

void ProgressPresenter::UpdateProgressBar() {
    QProgressBar* progressBar = controls_.progressBar;
    const JobProgress::Bar& bar = progress_.ProgressBar();
    if (!bar.shown) {
        progressBar->hide();
        return;
    }
    progressBar->setRange(0, bar.maximum);
    progressBar->setValue(bar.value);
    // The bar's format reads "%" as the start of a placeholder.
    progressBar->setFormat(Q(bar.text).replace(QLatin1Char('%'), QStringLiteral("%%")));
    progressBar->show();
}

void ProgressPresenter::ShowAlbumState() {
    CMyGridCtrl* grid = controls_.grid;
    grid->Sync();
    grid->SetMarkedCell(AlbumCell(view_, progress_.CurrentAlbum()), view_.previewMode == 0);
    for (const auto& entry : progress_.Outcomes()) {
        ShowOutcomeOf(entry.first);
    }
}

void ProgressPresenter::ShowOutcomeOf(int album) {
    // The thumbnails have no columns for it; the rows show it again after a switch back.
    if (view_.previewMode != 0) {
        return;
    }
    const auto found = progress_.Outcomes().find(album);
    const GridCellId cell = AlbumCell(view_, album);
    if (found == progress_.Outcomes().end() || !cell.IsValid()) {
        return;
    }
    // Columns 4 and 5 are hidden (width 0) until there is something to show in them.
    if (view_.grid.ColumnWidth(kOutcomeColumn) == 0) {
        view_.grid.SetColumnWidth(kOutcomeColumn, kOutcomeWidth);
        view_.grid.SetColumnWidth(kFailedColumn, kFailedWidth);
        if (view_.grid.FixedRowCount() > 0) {
            view_.grid.SetCellText(0, kOutcomeColumn, kOutcomeHeader);
            view_.grid.SetCellText(0, kFailedColumn, kFailedHeader);
        }
    }
    view_.grid.SetCellText(cell.row, kOutcomeColumn, JobProgress::DoneText(found->second));
    view_.grid.SetCellText(cell.row, kFailedColumn, JobProgress::FailedText(found->second));
}

void ProgressPresenter::ClearOutcomeOf(int album) {
    if (view_.previewMode != 0) {
        return;
    }
    const GridCellId cell = AlbumCell(view_, album);
    if (!cell.IsValid() || view_.grid.ColumnWidth(kOutcomeColumn) == 0) {
        return;
    }
    view_.grid.SetCellText(cell.row, kOutcomeColumn, u"");
    view_.grid.SetCellText(cell.row, kFailedColumn, u"");
}

void ProgressPresenter::ShowPictureOutcome(int album, JobProgress::PictureOutcome outcome,
                                           const std::u16string& url, const std::u16string& reason) {
    progress_.AddPictureOutcome(album, outcome, url, reason);
    ShowOutcomeOf(album);
}

void ProgressPresenter::ShowAlbumOutcome(int album, const JobProgress::AlbumOutcome& outcome) {
    progress_.SetAlbumOutcome(album, outcome);
    ShowOutcomeOf(album);
}

void ProgressPresenter::ShowFailedPictures() {
    if (progress_.FailedPictures().empty()) {
        return;
    }
    if (failedPictures_ == nullptr) {
        failedPictures_ = new CDlgFailedPictures(&window_);
    }
    failedPictures_->SetPictures(progress_.FailedPictures(), [this](int album) {
        std::optional<ST_PERLISTRECORD> record = albums_.CopyOf(album);
        return record ? record->name : std::u16string();
    });
    failedPictures_->show();
    failedPictures_->raise();
}

CDlgFailedPictures* ProgressPresenter::FailedPicturesWindow() const {
    return failedPictures_;
}

void ProgressPresenter::UpdateGroupTitle() {
    // A running list writes the title itself.
    if (progress_.Running() == JobProgress::Job::List) {
        return;
    }
    const int total = static_cast<int>(albums_.Size());
    if (total == 0) {
        return;
    }
    const int shown = view_.previewMode != 0 ? total : controls_.grid->ShownAlbumRows();
    controls_.group->setTitle(Q(shown < total
                                    ? StringCtrl::Format(u"相册列表(共%d个，显示%d个)", {total, shown})
                                    : StringCtrl::Format(u"相册列表(共%d个)", {total})));
}

void ProgressPresenter::GridChanged() {
    CMyGridCtrl* grid = controls_.grid;
    grid->Sync();
    grid->RestoreSelection();
    ShowAlbumState();
    UpdateGroupTitle();
    grid->viewport()->update();
}

void ProgressPresenter::FilterApplied() {
    UpdateGroupTitle();
    ShowAlbumState();
}
