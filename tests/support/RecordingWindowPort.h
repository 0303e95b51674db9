#pragma once

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "core/WindowPort.h"

// A window for the tests: records every call, answers message boxes from a queue (then with a
// default answer), and returns what the test set for the input boxes. Jobs call it from their
// threads, so every member is locked; readers get copies.
class RecordingWindowPort : public WindowPort {
public:
    struct Message {
        std::u16string text;
        std::u16string caption;
        int buttons = MB_OK;
        int answer = IDOK;
    };

    // --- Set up by the test ---
    // The answer to the next yes/no message box; queued answers are used first, in order.
    void QueueAnswer(int answer);
    // The answer once the queue is empty (IDNO unless set). An OK box always answers IDOK.
    void SetDefaultAnswer(int answer);
    // What GetText(control) returns (SetText from a job replaces it too, as on a real window).
    void SetControlText(int control, const std::u16string& text);
    void SetSiteSelection(int site);
    void SetSubMode(bool visible, int selection);
    void SetClipboard(const std::u16string& text);
    // Run where the login browser would open (for example to set a cookie), with its address.
    void SetLoginAction(std::function<void(const std::u16string& url)> action);
    // Forgets the messages, login addresses and queued answers recorded so far, and the login
    // action.
    void Reset();
    // MakeThumbnail answers first, first + 1, ... as an image list grows; -1 (the default) fails.
    void SetNextThumbnailIndex(int first);

    // --- Read by the test ---
    std::u16string Text(int control) const;                // the current text, empty when never set
    std::vector<std::u16string> Texts(int control) const;  // every text SetText gave, in order
    bool IsEnabled(int control) const;                     // controls start enabled
    bool IsShown(int control) const;                       // controls start shown
    bool IsChecked(int control) const;                     // check boxes start unchecked
    std::vector<Message> Messages() const;
    std::vector<std::u16string> LoginUrls() const;
    std::vector<std::pair<int, int>> PoolEnds() const;  // elapsed seconds, picture count
    std::vector<std::u16string> OpenedFolders() const;
    std::vector<std::u16string> ThumbnailFiles() const;
    std::vector<std::u16string> HistoryItems() const;
    int GridChangedCount() const;
    // What the download job told about its pictures, albums and itself, in order.
    struct NotSaved {
        std::u16string line;
        PictureOutcome outcome;
    };
    struct Ended {
        std::u16string line;
        DownloadTally tally;
        DownloadEnd end = DownloadEnd::Finished;  // albums: unused
    };
    std::vector<NotSaved> PicturesNotSaved() const;
    std::vector<Ended> AlbumsEnded() const;
    std::vector<Ended> JobsEnded() const;
    // Every call in order, as "Name control text" lines, for tests that check the order.
    std::vector<std::string> Calls() const;

    // --- WindowPort ---
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
    void PoolEnded(int elapsedSeconds, int pictureCount) override;
    void OpenFolder(const std::u16string& folder) override;
    int MakeThumbnail(const std::u16string& file) override;
    void AddInputHistoryItem(const std::u16string& text) override;
    void GridChanged() override;
    std::u16string ClipboardText() override;
    void PictureNotSaved(const std::u16string& line, const std::u16string& url,
                         const PictureOutcome& outcome) override;
    void AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) override;
    void JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) override;

private:
    void Log(const char* name, int control, const std::u16string& text);

    mutable std::mutex mutex_;
    std::deque<int> answers_;
    int defaultAnswer_ = IDNO;
    std::map<int, std::u16string> texts_;
    std::map<int, std::vector<std::u16string>> textHistory_;
    std::map<int, bool> enabled_;
    std::map<int, bool> shown_;
    std::map<int, bool> checked_;
    int site_ = 0;
    bool subModeVisible_ = false;
    int subMode_ = 0;
    std::u16string clipboard_;
    std::function<void(const std::u16string&)> loginAction_;
    int nextThumbnail_ = -1;
    std::vector<Message> messages_;
    std::vector<std::u16string> loginUrls_;
    std::vector<std::pair<int, int>> poolEnds_;
    std::vector<std::u16string> openedFolders_;
    std::vector<std::u16string> thumbnailFiles_;
    std::vector<std::u16string> historyItems_;
    int gridChanged_ = 0;
    std::vector<NotSaved> notSaved_;
    std::vector<Ended> albumsEnded_;
    std::vector<Ended> jobsEnded_;
    std::vector<std::string> calls_;
};
