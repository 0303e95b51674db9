// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SaveFolderBox.h"

#include <QFileDialog>
#include <QMimeData>
#include <QUrl>

#include "platform/FileSystem.h"
#include "settings/SettingsEdits.h"
#include "settings/qt/CComboBox2.h"
#include "ui/WindowRules.h"

SaveFolderBox::SaveFolderBox(QWidget& window, CComboBox2& box, ProgramSettings& settings,
                             std::function<void(const QUrl&)> open)
    : window_(window), box_(box), settings_(settings), open_(std::move(open)) {}

std::u16string SaveFolderBox::Folder() const {
    return box_.currentText().toStdU16String();
}

void SaveFolderBox::SetFolder(const std::u16string& folder) {
    box_.setEditText(QString::fromStdU16String(folder));
}

void SaveFolderBox::Choose() {
    QFileDialog browser(&window_, QStringLiteral("请选择文件保存目录："), box_.currentText());
    browser.setObjectName("folderBrowser");
    browser.setFileMode(QFileDialog::Directory);
    browser.setOption(QFileDialog::ShowDirsOnly);
    if (browser.exec() != QDialog::Accepted || browser.selectedFiles().isEmpty()) {
        return;
    }
    Take(WindowRules::WithTrailingSlash(browser.selectedFiles().front().toStdU16String()));
}

void SaveFolderBox::Take(const std::u16string& folder) {
    if (folder.empty()) {
        return;
    }
    SetFolder(folder);
    // The history refuses a known folder (ignoring case) and one of 400 characters or more.
    if (SettingsEdits::AddPathHistory(settings_, folder)) {
        box_.AddHistoryItem(folder);
    }
}

void SaveFolderBox::Open() {
    const std::u16string folder = poolRunning_ ? poolFolder_ : Folder();
    if (!folder.empty()) {
        open_(QUrl::fromLocalFile(QString::fromStdU16String(folder)));
    }
}

void SaveFolderBox::PoolStarted(const std::u16string& albumFolder) {
    poolRunning_ = true;
    poolFolder_ = albumFolder;
}

void SaveFolderBox::PoolEnded() {
    poolRunning_ = false;
}

bool SaveFolderBox::Accepts(const QMimeData& data) {
    return data.hasUrls() && !data.urls().isEmpty() && data.urls().front().isLocalFile();
}

bool SaveFolderBox::Drop(const QMimeData& data) {
    if (!Accepts(data)) {
        return false;
    }
    const std::u16string path = data.urls().front().toLocalFile().toStdU16String();
    // The file system tells a folder from a file; a folder may have a full stop in its name and a
    // file may have none.
    Take(WindowRules::DroppedFolder(path, FileSystem::IsDirectory(path)));
    return true;
}
