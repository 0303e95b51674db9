#pragma once

#include <string>

#include "core/WindowPort.h"

// A window that is not there: texts go nowhere, questions are answered No (an OK box with OK), the
// input boxes are empty. It is every job context's window until a front end sets its own, so no
// code has to ask whether there is a window. Front ends derive from it to override only what they
// show.
class NullWindowPort : public WindowPort {
public:
    // The one shared instance; it holds no state, so any thread may use it.
    static NullWindowPort& Shared();

    void SetText(int, const std::u16string&) override {}
    void EnableControl(int, bool) override {}
    void ShowControl(int, bool) override {}
    void SetCheck(int, bool) override {}
    std::u16string GetText(int) override { return {}; }
    int SiteSelection() override { return 0; }
    bool SubModeVisible() override { return false; }
    int SubModeSelection() override { return 0; }
    int MessageBox(const std::u16string&, const std::u16string&, int buttons) override {
        return buttons == MB_YESNO ? IDNO : IDOK;
    }
    void OpenLoginBrowser(const std::u16string&) override {}
    void PoolEnded(int, int) override {}
    void OpenFolder(const std::u16string&) override {}
    int MakeThumbnail(const std::u16string&) override { return -1; }
    void AddInputHistoryItem(const std::u16string&) override {}
    void GridChanged() override {}
    std::u16string ClipboardText() override { return {}; }
    void PictureNotSaved(const std::u16string&, const std::u16string&, const PictureOutcome&) override {}
    void AlbumEnded(int, const std::u16string&, const DownloadTally&) override {}
    void JobEnded(const std::u16string&, const DownloadTally&, DownloadEnd) override {}
};
