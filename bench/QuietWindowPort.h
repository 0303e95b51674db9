#pragma once

#include <string>

#include "core/WindowPort.h"

// The window of a measured download job: answers the save path and forgets everything else, so
// the measurement holds the engine alone.
class QuietWindowPort : public WindowPort {
public:
    explicit QuietWindowPort(std::u16string savePath) : savePath_(std::move(savePath)) {}

    void SetText(int, const std::u16string&) override {}
    void EnableControl(int, bool) override {}
    void ShowControl(int, bool) override {}
    void SetCheck(int, bool) override {}
    std::u16string GetText(int control) override;
    int SiteSelection() override { return 0; }
    bool SubModeVisible() override { return true; }
    int SubModeSelection() override { return 0; }
    // A message means the job could not run as set up; it is worth seeing.
    int MessageBox(const std::u16string& text, const std::u16string& caption, int buttons) override;
    void OpenLoginBrowser(const std::u16string&) override {}
    void PoolEnded(int, int) override {}
    void OpenFolder(const std::u16string&) override {}
    int MakeThumbnail(const std::u16string&) override { return -1; }
    void AddInputHistoryItem(const std::u16string&) override {}
    void GridChanged() override {}
    std::u16string ClipboardText() override { return {}; }

private:
    std::u16string savePath_;
};
