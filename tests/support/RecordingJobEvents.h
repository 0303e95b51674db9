// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "core/JobEvents.h"

// The jobs' events for the tests: records every event, answers questions from a queue (then with
// a default answer, no unless set). Jobs call it from their threads, so every member is locked;
// readers get copies.
class RecordingJobEvents : public JobEvents {
public:
    struct Message {
        std::u16string text;
        std::u16string caption;
        bool question = false;  // a yes/no question; otherwise a notice
        bool answer = false;    // a question's answer: yes
    };
    struct Listed {
        int album = -1;
        ST_PERLISTRECORD record;
    };
    struct ListEnd {
        int albumCount = 0;
        bool downloadAtOnce = false;
    };
    struct Started {
        int album = -1;
        int position = 0;
        int count = 0;
    };
    struct Saved {
        int album = -1;
        std::u16string file;
        std::u16string url;
    };
    struct NotSaved {
        int album = -1;
        std::u16string line;
        std::u16string url;
        PictureOutcome outcome;
    };
    struct Ended {
        int album = -1;  // jobs: unused
        std::u16string line;
        DownloadTally tally;
        DownloadEnd end = DownloadEnd::Finished;  // albums: unused
    };

    // --- Set up by the test ---
    // The answer to the next yes/no question; queued answers are used first, in order.
    void QueueAnswer(bool yes);
    // The answer once the queue is empty (no unless set).
    void SetDefaultAnswer(bool yes);
    // Run where the login browser would open (for example to set a cookie), with its address.
    void SetLoginAction(std::function<void(const std::u16string& url)> action);
    // Forgets everything recorded, the queued answers and the login action.
    void Reset();

    // --- Read by the test ---
    std::vector<std::u16string> StageTexts() const;     // every stage text, in order
    std::vector<std::u16string> ProgressTexts() const;  // every progress text and pool line
    std::u16string Stage() const;                       // the last one, empty when none
    std::u16string Progress() const;
    std::vector<Message> Messages() const;
    std::vector<std::u16string> LoginUrls() const;
    std::vector<Listed> AlbumsListed() const;
    std::vector<ListEnd> ListsEnded() const;
    std::vector<std::u16string> InputsRemembered() const;
    std::vector<Started> AlbumsStarted() const;
    std::vector<std::pair<int, int>> PoolEnds() const;  // elapsed seconds, picture count
    std::vector<Saved> PicturesSaved() const;
    std::vector<NotSaved> PicturesNotSaved() const;
    std::vector<Ended> AlbumsEnded() const;
    std::vector<Ended> JobsEnded() const;
    std::vector<std::u16string> OpenedFolders() const;
    // Whether a job of this kind is busy now, by its last Busy or Idle.
    bool IsBusy(JobKind job) const;
    // Every event in order as one line each ("Busy list", "StageText 下载完毕", "Notice text"), for
    // the tests that check the order.
    std::vector<std::string> Calls() const;

    // --- JobEvents ---
    void StageText(const std::u16string& text) override;
    void ProgressText(const std::u16string& text) override;
    void Busy(JobKind job) override;
    void Idle(JobKind job) override;
    void AlbumListed(int album, const ST_PERLISTRECORD& record) override;
    void ListEnded(int albumCount, bool downloadAtOnce) override;
    void InputRemembered(const std::u16string& input) override;
    void AlbumStarted(int album, int position, int count) override;
    void PoolStarted(const std::u16string& folder, int pictureCount) override;
    void PoolProgress(const std::u16string& line, int saved, int total) override;
    void PoolEnded(int elapsedSeconds, int pictureCount) override;
    void PictureSaved(int album, const std::u16string& file, const std::u16string& url) override;
    void PictureNotSaved(int album, const std::u16string& line, const std::u16string& url,
                         const PictureOutcome& outcome) override;
    void AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) override;
    void JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) override;
    void OpenFolder(const std::u16string& folder) override;
    void Notice(const std::u16string& text, const std::u16string& caption) override;
    bool Ask(const std::u16string& text, const std::u16string& caption) override;
    void Login(const std::u16string& url) override;

private:
    void Log(std::string name, const std::u16string& text = {});

    mutable std::mutex mutex_;
    std::deque<bool> answers_;
    bool defaultAnswer_ = false;
    std::function<void(const std::u16string&)> loginAction_;
    std::vector<std::u16string> stages_;
    std::vector<std::u16string> progress_;
    std::vector<Message> messages_;
    std::vector<std::u16string> loginUrls_;
    std::vector<Listed> listed_;
    std::vector<ListEnd> listsEnded_;
    std::vector<std::u16string> remembered_;
    std::vector<Started> started_;
    std::vector<std::pair<int, int>> poolEnds_;
    std::vector<Saved> saved_;
    std::vector<NotSaved> notSaved_;
    std::vector<Ended> albumsEnded_;
    std::vector<Ended> jobsEnded_;
    std::vector<std::u16string> openedFolders_;
    bool busy_[2] = {false, false};
    std::vector<std::string> calls_;
};
