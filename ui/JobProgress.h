// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// What the window knows of the running job, for its progress bar, the marked album row and the
// outcome columns. It is fed on the window's thread from the jobs' events: a job busy and idle,
// the pool's pictures done of listed, the album whose download starts, and the per-picture and
// per-album outcomes of the download, which name the album by its place in the album list. No toolkit here,
// so the rules are tested without a window.
class JobProgress {
public:
    enum class Job { None, List, Download };
    enum class PictureOutcome { Saved, Failed, Skipped };

    struct AlbumOutcome {
        int saved = 0;
        int failed = 0;
        int skipped = 0;   // already on disk from an earlier download
        int notTried = 0;  // left when the download was stopped, or the disk was full
    };

    struct FailedPicture {
        int album = -1;
        std::u16string url;
        std::u16string reason;
        int place = -1;  // the picture's place in its album's list, -1 when unknown
    };

    // The bar's range is 0..maximum; maximum 0 means "busy" (no known end).
    struct Bar {
        bool shown = false;
        int maximum = 0;
        int value = 0;
        std::u16string text;
    };

    // One unit of the bar per album of a download is split this finely among its pictures.
    static constexpr int ALBUM_UNITS = 1000;

    // A new album list: every outcome of the old list is forgotten with it.
    void ListStarted();
    void ListEnded(int albumCount);
    // A download of these albums (places in the album list), in the order they are downloaded.
    // Their old outcomes and the old list of failed pictures are dropped.
    void DownloadStarted(std::vector<int> albums);
    // The download of the position-th album (from 1) of count has started; album, when not -1, is
    // its place in the album list as the job reports it, which wins over the selection's.
    void AlbumStarted(int position, int count, int album = -1);
    // done of listed pictures of the current album have been dealt with.
    void PicturesDone(int done, int listed);
    // The user asked the running download to stop; the bar says so until it has ended.
    void StopAsked();
    // The download has ended; stopped when the user stopped it.
    void DownloadEnded(bool stopped);

    // The outcome feed. A picture outcome adds to its album's counts (a failure also to the list of
    // failed pictures, which keeps each album's failures in picture order, place being the
    // picture's place in its album); an album outcome replaces the album's counts with the final
    // ones. An album's download starting drops its old counts.
    void AddPictureOutcome(int album, PictureOutcome outcome, std::u16string url, std::u16string reason,
                           int place = -1);
    void SetAlbumOutcome(int album, const AlbumOutcome& outcome);

    Job Running() const { return running_; }
    // The place in the album list of the album being downloaded, or -1.
    int CurrentAlbum() const;
    const Bar& ProgressBar() const { return bar_; }
    const std::map<int, AlbumOutcome>& Outcomes() const { return outcomes_; }
    const std::vector<FailedPicture>& FailedPictures() const { return failed_; }
    // Columns 4 and 5 of an album row: "完成 118" and "失败 2" ("失败 2 未下载 16" when a stop left
    // pictures untried, "未下载 16" when none failed); an empty failure text when nothing failed
    // and nothing was left.
    static std::u16string DoneText(const AlbumOutcome& outcome);
    static std::u16string FailedText(const AlbumOutcome& outcome);

private:
    void UpdateDownloadBar();

    Job running_ = Job::None;
    std::vector<int> albums_;
    int position_ = 0;  // from 1; 0 before the first album
    int count_ = 0;
    int done_ = 0;
    int listed_ = 0;
    bool stopping_ = false;
    Bar bar_;
    std::map<int, AlbumOutcome> outcomes_;
    std::vector<FailedPicture> failed_;
};
