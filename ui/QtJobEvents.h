// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

#include "core/JobEvents.h"

// The jobs' events carried onto the window's thread. Each event goes first to the job-side target,
// if there is one, on the job's own thread (what may take long, such as a cover's download, stays
// off the window's thread), then to the window-side target on the window's thread: facts and
// notices are queued and return at once, questions (Ask, Login) wait for the answer. An event raised on the
// window's thread runs directly, so nothing waits for itself. After Close() no event waits any more: waiting
// callers are released with the default answer and queued events that have not run yet are dropped, so jobs
// can wind down while the window is closing.
class QtJobEvents : public JobEvents {
public:
    QtJobEvents(QWidget& window, JobEvents& windowSide, JobEvents* jobSide = nullptr);
    ~QtJobEvents() override;
    QtJobEvents(const QtJobEvents&) = delete;
    QtJobEvents& operator=(const QtJobEvents&) = delete;

    void Close();
    bool Closed() const;
    // How many callers are waiting for the window now.
    int WaitingCalls() const;

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
    void Password(const std::u16string& url) override;

private:
    bool OnWindowThread() const;
    // Gives the event to the job side now and to the window side later; dropped once closed.
    void Post(const std::function<void(JobEvents&)>& event);
    // Runs work on the window's thread and waits for its answer; fallback once closed.
    bool Call(std::function<bool()> work, bool fallback);

    QWidget& window_;
    JobEvents& windowSide_;
    JobEvents* jobSide_;
    mutable std::mutex mutex_;
    std::condition_variable answered_;
    bool closed_ = false;
    int waiting_ = 0;
};
