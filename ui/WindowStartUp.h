// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

class CoverLoader;
class CSplashScreenEx;
class MainLayout;
class QDialog;
class SaveFolderBox;
class SiteChooser;
struct ProgramSettings;

// The window's start-up: the splash first, the notice line, the clipboard text into the input box,
// the program and save folders, the settings and both histories; then the start-up thread detects
// the site of the input. The window stays hidden until the thread reports back; it is drawn once
// off screen, shows, and the splash goes once the window has painted itself. A program folder that
// cannot keep the settings and the cookies is told once the window shows.
class WindowStartUp {
public:
    // The splash goes this long after the window shows even if no paint was seen (a window that
    // opens minimised paints nothing).
    static constexpr int SPLASH_LONGEST_MS = 1500;

    WindowStartUp(QDialog& window, MainLayout& controls, ProgramSettings& settings, CoverLoader& covers,
                  SiteChooser& sites, SaveFolderBox& saveFolder);
    ~WindowStartUp();
    WindowStartUp(const WindowStartUp&) = delete;
    WindowStartUp& operator=(const WindowStartUp&) = delete;

    // programDir empty means the program's own choice: the current folder in a build tree, the
    // user's data folder when installed.
    void Start(const std::u16string& programDir);
    // Whether the start-up has finished; the album button does nothing before.
    bool Ready() const { return ready_.load() != 0; }
    // The window painted itself while visible.
    void Painted();
    // Closing: the start-up thread is joined and the splash closed.
    void Close();

private:
    // The start-up thread's report, on the window's thread.
    void OnDone();
    void CloseSplash();
    void TellUnwritable();

    QDialog& window_;
    MainLayout& controls_;
    ProgramSettings& settings_;
    CoverLoader& covers_;
    SiteChooser& sites_;
    SaveFolderBox& saveFolder_;
    std::atomic<std::uint8_t> ready_{0};
    std::thread thread_;
    QPointer<CSplashScreenEx> splash_;
    bool painted_ = false;
    // What of the program folder cannot be written; empty when everything can.
    std::u16string unwritable_;
};
