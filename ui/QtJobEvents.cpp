// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtJobEvents.h"

#include <QMetaObject>
#include <QThread>

#include <memory>

QtJobEvents::QtJobEvents(QWidget& window, JobEvents& windowSide, JobEvents* jobSide)
    : window_(window), windowSide_(windowSide), jobSide_(jobSide) {}

QtJobEvents::~QtJobEvents() {
    Close();
}

void QtJobEvents::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    answered_.notify_all();
}

bool QtJobEvents::Closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

int QtJobEvents::WaitingCalls() const {
    std::lock_guard lock(mutex_);
    return waiting_;
}

bool QtJobEvents::OnWindowThread() const {
    return QThread::currentThread() == window_.thread();
}

void QtJobEvents::Post(const std::function<void(JobEvents&)>& event) {
    if (Closed()) {
        return;
    }
    if (jobSide_ != nullptr) {
        event(*jobSide_);
    }
    if (OnWindowThread()) {
        event(windowSide_);
        return;
    }
    // The window is the context: an event still queued when it goes is dropped with it.
    QMetaObject::invokeMethod(
        &window_,
        [this, event] {
            if (!Closed()) {
                event(windowSide_);
            }
        },
        Qt::QueuedConnection);
}

bool QtJobEvents::Call(std::function<bool()> work, bool fallback) {
    if (OnWindowThread()) {
        return Closed() ? fallback : work();
    }
    struct Answer {
        bool done = false;
        bool value = false;
    };
    auto answer = std::make_shared<Answer>();
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return fallback;
        }
        ++waiting_;
    }
    QMetaObject::invokeMethod(
        &window_,
        [this, work = std::move(work), answer] {
            if (Closed()) {
                return;
            }
            const bool value = work();
            {
                std::lock_guard lock(mutex_);
                answer->value = value;
                answer->done = true;
            }
            answered_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    answered_.wait(lock, [&] { return answer->done || closed_; });
    --waiting_;
    return answer->done ? answer->value : fallback;
}

void QtJobEvents::StageText(const std::u16string& text) {
    Post([text](JobEvents& to) { to.StageText(text); });
}

void QtJobEvents::ProgressText(const std::u16string& text) {
    Post([text](JobEvents& to) { to.ProgressText(text); });
}

void QtJobEvents::Busy(JobKind job) {
    Post([job](JobEvents& to) { to.Busy(job); });
}

void QtJobEvents::Idle(JobKind job) {
    Post([job](JobEvents& to) { to.Idle(job); });
}

void QtJobEvents::AlbumListed(int album, const ST_PERLISTRECORD& record) {
    Post([album, record](JobEvents& to) { to.AlbumListed(album, record); });
}

void QtJobEvents::ListEnded(int albumCount, bool downloadAtOnce) {
    Post([albumCount, downloadAtOnce](JobEvents& to) { to.ListEnded(albumCount, downloadAtOnce); });
}

void QtJobEvents::InputRemembered(const std::u16string& input) {
    Post([input](JobEvents& to) { to.InputRemembered(input); });
}

void QtJobEvents::AlbumStarted(int album, int position, int count) {
    Post([album, position, count](JobEvents& to) { to.AlbumStarted(album, position, count); });
}

void QtJobEvents::PoolStarted(const std::u16string& folder, int pictureCount) {
    Post([folder, pictureCount](JobEvents& to) { to.PoolStarted(folder, pictureCount); });
}

void QtJobEvents::PoolProgress(const std::u16string& line, int saved, int total) {
    Post([line, saved, total](JobEvents& to) { to.PoolProgress(line, saved, total); });
}

void QtJobEvents::PoolEnded(int elapsedSeconds, int pictureCount) {
    Post([elapsedSeconds, pictureCount](JobEvents& to) { to.PoolEnded(elapsedSeconds, pictureCount); });
}

void QtJobEvents::PictureSaved(int album, const std::u16string& file, const std::u16string& url) {
    Post([album, file, url](JobEvents& to) { to.PictureSaved(album, file, url); });
}

void QtJobEvents::PictureNotSaved(int album, const std::u16string& line, const std::u16string& url,
                                  const PictureOutcome& outcome) {
    Post([album, line, url, outcome](JobEvents& to) { to.PictureNotSaved(album, line, url, outcome); });
}

void QtJobEvents::AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) {
    Post([album, line, tally](JobEvents& to) { to.AlbumEnded(album, line, tally); });
}

void QtJobEvents::JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) {
    Post([line, tally, end](JobEvents& to) { to.JobEnded(line, tally, end); });
}

void QtJobEvents::OpenFolder(const std::u16string& folder) {
    Post([folder](JobEvents& to) { to.OpenFolder(folder); });
}

void QtJobEvents::Notice(const std::u16string& text, const std::u16string& caption) {
    // A notice asks nothing: the job goes on while the user reads it.
    Post([text, caption](JobEvents& to) { to.Notice(text, caption); });
}

bool QtJobEvents::Ask(const std::u16string& text, const std::u16string& caption) {
    return Call([this, text, caption] { return windowSide_.Ask(text, caption); }, false);
}

void QtJobEvents::Password(const std::u16string& url) {
    Call(
        [this, url] {
            windowSide_.Password(url);
            return true;
        },
        false);
}

void QtJobEvents::Login(const std::u16string& url) {
    Call(
        [this, url] {
            windowSide_.Login(url);
            return true;
        },
        false);
}
