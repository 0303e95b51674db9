#pragma once

#include <QString>
#include <QWidget>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

#include "core/WindowPort.h"
#include "ui/JobProgress.h"

// The desktop window's port. Job threads call it; every call is carried onto the window's thread:
// texts, states and grid updates are queued and return at once, questions (message boxes, the
// login browser, reading a control) wait for the window's answer. A call made on the window's
// thread runs directly, so nothing waits for itself. The controls are found by their object names
// ("c1009"). After Close() no call waits any more: waiting callers are released with a default
// answer and queued work that has not run yet is dropped, so jobs can wind down while the window
// is closing.
class QtWindowPort : public WindowPort {
public:
    // What the port cannot do by itself. Each is optional.
    struct Actions {
        std::function<int(const std::u16string& file)> makeThumbnail;  // called on the job's thread
        std::function<void(const QString& url)> openLoginBrowser;      // modal, on the window's thread
        std::function<void(const QString& folder)> openFolder;
        std::function<void(const QString& text)> addInputHistory;
        std::function<void()> gridChanged;
        // After a job's text reached a control (the status lines, the buttons, the group box).
        std::function<void(int control, const QString& text)> textSet;
        // The download's outcome feed, on the window's thread.
        std::function<void(int album, JobProgress::PictureOutcome outcome, const std::u16string& url,
                           const std::u16string& reason)>
            pictureOutcome;
        std::function<void(int album, const JobProgress::AlbumOutcome& outcome)> albumOutcome;
        // The download of album (its place in the album list), position of count, has started.
        std::function<void(int album, int position, int count)> albumStarted;
    };

    QtWindowPort(QWidget& window, Actions actions);
    ~QtWindowPort() override;
    QtWindowPort(const QtWindowPort&) = delete;
    QtWindowPort& operator=(const QtWindowPort&) = delete;

    void Close();
    bool Closed() const;
    // How many callers are waiting for the window now.
    int WaitingCalls() const;

    void SetText(int control, const std::u16string& text) override;
    void EnableControl(int control, bool enable) override;
    void ShowControl(int control, bool show) override;
    void SetCheck(int control, bool checked) override;
    std::u16string GetText(int control) override;
    int SiteSelection() override;
    bool SubModeVisible() override;
    int SubModeSelection() override;
    int MessageBox(const std::u16string& text, const std::u16string& caption, int buttons) override;
    void OpenLoginBrowser(const std::u16string& url) override;
    // The pool's end needs nothing of the window.
    void PoolEnded(int, int) override {}
    void OpenFolder(const std::u16string& folder) override;
    int MakeThumbnail(const std::u16string& file) override;
    void AddInputHistoryItem(const std::u16string& text) override;
    void GridChanged() override;
    std::u16string ClipboardText() override;

    // What the download job reports, carried to the outcome feed below: the album being downloaded,
    // each picture not saved (for that album) and each album's counts.
    void AlbumStarted(int album, int position, int count) override;
    void PictureNotSaved(const std::u16string& line, const std::u16string& url,
                         const PictureOutcome& outcome) override;
    void AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) override;

    // The download's outcome feed, callable from any job thread and carried onto the window's
    // thread like a text: one picture of album (its place in the album list) was saved, skipped
    // as downloaded before, or failed for reason; or the album's final counts.
    void ReportPictureOutcome(int album, JobProgress::PictureOutcome outcome, const std::u16string& url,
                              const std::u16string& reason);
    void ReportAlbumOutcome(int album, const JobProgress::AlbumOutcome& outcome);

    // The object name of a control id: "c1001".
    static QString ControlName(int control);

private:
    bool OnWindowThread() const;
    QWidget* Control(int control) const;
    // Runs work on the window's thread later; dropped once the port is closed.
    void Post(std::function<void()> work);
    // Runs work on the window's thread and waits for its answer; fallback once the port is closed.
    template <typename R>
    R Call(std::function<R()> work, R fallback);

    QWidget& window_;
    Actions actions_;
    std::atomic<int> currentAlbum_{-1};  // the album being downloaded, for its pictures' outcomes
    mutable std::mutex mutex_;
    std::condition_variable answered_;
    bool closed_ = false;
    int waiting_ = 0;
};
