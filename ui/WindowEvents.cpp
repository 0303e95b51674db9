// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowEvents.h"

#include <QUrl>

#include "settings/qt/CComboBox2.h"
#include "ui/ProgressPresenter.h"
#include "ui/SaveFolderBox.h"
#include "ui/UserMessage.h"

WindowEvents::WindowEvents(QWidget& window, ProgressPresenter& progress, SaveFolderBox& saveFolder,
                           CComboBox2& input, Actions actions)
    : window_(window),
      progress_(progress),
      saveFolder_(saveFolder),
      input_(input),
      actions_(std::move(actions)) {}

void WindowEvents::StageText(const std::u16string& text) {
    progress_.StageText(text);
}

void WindowEvents::ProgressText(const std::u16string& text) {
    progress_.ProgressText(text);
}

void WindowEvents::Busy(JobKind job) {
    progress_.Busy(job);
}

void WindowEvents::Idle(JobKind job) {
    progress_.Idle(job);
}

void WindowEvents::ListEnded(int, bool downloadAtOnce) {
    if (downloadAtOnce && actions_.downloadAtOnce) {
        actions_.downloadAtOnce();
    }
}

void WindowEvents::InputRemembered(const std::u16string& input) {
    input_.AddHistoryItem(input);
}

void WindowEvents::AlbumStarted(int album, int position, int count) {
    progress_.AlbumStarted(album, position, count);
}

void WindowEvents::PoolStarted(const std::u16string& folder, int) {
    saveFolder_.PoolStarted(folder);
}

void WindowEvents::PoolProgress(const std::u16string& line, int saved, int total) {
    progress_.PoolProgress(line, saved, total);
}

void WindowEvents::PoolEnded(int, int) {
    saveFolder_.PoolEnded();
}

void WindowEvents::PictureSaved(int album, const std::u16string& file, const std::u16string& url) {
    progress_.PictureSaved(album, file, url);
}

void WindowEvents::PictureNotSaved(int album, const std::u16string& line, const std::u16string& url,
                                   const PictureOutcome& outcome) {
    progress_.PictureNotSaved(album, line, url, outcome);
}

void WindowEvents::AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) {
    progress_.AlbumEnded(album, line, tally);
}

void WindowEvents::JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) {
    progress_.JobEnded(line, tally, end);
}

void WindowEvents::OpenFolder(const std::u16string& folder) {
    actions_.openInShell(QUrl::fromLocalFile(QString::fromStdU16String(folder)));
}

void WindowEvents::Notice(const std::u16string& text, const std::u16string& caption) {
    ShowUserNotice(window_, text, caption);
}

bool WindowEvents::Ask(const std::u16string& text, const std::u16string& caption) {
    return ShowUserMessage(window_, text, caption, true);
}

void WindowEvents::Login(const std::u16string& url) {
    actions_.login(url);
}

void WindowEvents::Password(const std::u16string& url) {
    actions_.password(url);
}
