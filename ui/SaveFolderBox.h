// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

class CComboBox2;
class QMimeData;
class QUrl;
class QWidget;
struct ProgramSettings;

// The save-path box (1000) with its history, the folder browser ("设置", 1007), "打开" (1008) and
// a folder or file dropped onto the window.
class SaveFolderBox {
public:
    // open shows a folder in the file browser.
    SaveFolderBox(QWidget& window, CComboBox2& box, ProgramSettings& settings,
                  std::function<void(const QUrl&)> open);

    // The folder as typed.
    std::u16string Folder() const;
    // The start-up's folder, before and after the history is read.
    void SetFolder(const std::u16string& folder);

    // "设置": the folder browser; the chosen folder is taken.
    void Choose();
    // "打开": the album folder the worker pool fills while it runs, otherwise the box's folder.
    void Open();
    // The worker pool has started on an album folder, or has ended.
    void PoolStarted(const std::u16string& albumFolder);
    void PoolEnded();

    // Whether a drag carries a local path the drop would take.
    static bool Accepts(const QMimeData& data);
    // A dropped folder, or a dropped file's folder, is taken; false when the drop carried none.
    bool Drop(const QMimeData& data);

private:
    // The folder becomes the save path and joins the history.
    void Take(const std::u16string& folder);

    QWidget& window_;
    CComboBox2& box_;
    ProgramSettings& settings_;
    std::function<void(const QUrl&)> open_;
    bool poolRunning_ = false;
    std::u16string poolFolder_;
};
