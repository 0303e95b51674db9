// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include <string>
#include <vector>

#include "core/JobEvents.h"
#include "ui/JobProgress.h"

class AlbumList;
class CDlgFailedPictures;
class MainLayout;
class QWidget;
struct AlbumView;

// The jobs' progress on the window's controls, on the window's thread: the stage and progress
// lines, the progress bar, the marked album row and the outcome columns, the group title, the list
// of failed pictures, and the busy and idle states of the buttons and of the controls that could
// start another job or change what a running one reads. The busy state comes from the jobs' Busy
// and Idle events alone, never from the buttons' captions.
class ProgressPresenter : public JobEvents {
public:
    ProgressPresenter(QWidget& window, MainLayout& controls, AlbumView& view, AlbumList& albums);

    // The download button asked for these albums; the download job takes them once it is busy.
    void DownloadAsked(std::vector<int> albums) { pendingDownload_ = std::move(albums); }
    // The download button asked the running download to stop: the stage and the bar say
    // "正在停止…" until it has.
    void StopAsked();

    // The grid was rebuilt (a layout switch or the end of a list): the selection kept over the
    // switch, the marked row and the outcomes are shown again.
    void GridChanged();
    // The filter rebuilt the rows.
    void FilterApplied();

    // The download's outcome feed (the events call it): one picture of album (its place in the
    // album list) saved, skipped or failed with its reason, or the album's final counts. The
    // album's row shows them in its columns 4 and 5 ("完成 118", "失败 2").
    void ShowPictureOutcome(int album, JobProgress::PictureOutcome outcome, const std::u16string& url,
                            const std::u16string& reason);
    void ShowAlbumOutcome(int album, const JobProgress::AlbumOutcome& outcome);

    const JobProgress& Progress() const { return progress_; }
    CDlgFailedPictures* FailedPicturesWindow() const;

    // --- JobEvents, on the window's thread ---
    void StageText(const std::u16string& text) override;
    void ProgressText(const std::u16string& text) override;
    void Busy(JobKind job) override;
    void Idle(JobKind job) override;
    void AlbumStarted(int album, int position, int count) override;
    void PoolProgress(const std::u16string& line, int saved, int total) override;
    void PictureSaved(int album, const std::u16string& file, const std::u16string& url) override;
    void PictureNotSaved(int album, const std::u16string& line, const std::u16string& url,
                         const PictureOutcome& outcome) override;
    void AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) override;
    void JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) override;

private:
    void UpdateProgressBar();
    // Marks the row of the album being downloaded, and shows every album's outcome again (after
    // the grid was rebuilt).
    void ShowAlbumState();
    void ShowOutcomeOf(int album);
    // Empties the album's outcome cells: a new download of it starts.
    void ClearOutcomeOf(int album);
    // "相册列表(共4个，显示2个)" when the filter leaves fewer rows than albums.
    void UpdateGroupTitle();
    void ShowFailedPictures();

    QWidget& window_;
    MainLayout& controls_;
    AlbumView& view_;
    AlbumList& albums_;
    JobProgress progress_;
    std::vector<int> pendingDownload_;
    bool stopAsked_ = false;
    QPointer<CDlgFailedPictures> failedPictures_;
};
