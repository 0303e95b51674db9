// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "core/JobEvents.h"

class CComboBox2;
class ProgressPresenter;
class QUrl;
class QWidget;
class SaveFolderBox;

// The jobs' events on the window's thread (QtJobEvents carries them here): the progress goes to
// the presenter, the pool's album folder to the save-folder box, a remembered input to the input
// box's list; a notice is a message box over the window that holds nothing, a question a modal
// one that waits for its answer, and a login is the modal login browser.
class WindowEvents : public JobEvents {
public:
    struct Actions {
        std::function<void(const QUrl&)> openInShell;
        // The modal login browser at an address; returns when it was closed.
        std::function<void(const std::u16string&)> login;
        // The same at a password album's page.
        std::function<void(const std::u16string&)> password;
        // An item page's one album is to be downloaded at once.
        std::function<void()> downloadAtOnce;
    };

    WindowEvents(QWidget& window, ProgressPresenter& progress, SaveFolderBox& saveFolder, CComboBox2& input,
                 Actions actions);

    void StageText(const std::u16string& text) override;
    void ProgressText(const std::u16string& text) override;
    void Busy(JobKind job) override;
    void Idle(JobKind job) override;
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
    QWidget& window_;
    ProgressPresenter& progress_;
    SaveFolderBox& saveFolder_;
    CComboBox2& input_;
    Actions actions_;
};
