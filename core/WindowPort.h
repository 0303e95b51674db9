#pragma once

#include <string>

#include "core/DownloadTally.h"
#include "core/PictureOutcome.h"

// Control ids of the main window; the jobs name the controls they switch by these.
enum ControlId : int {
    IDC_SAVE_PATH = 1000,
    IDC_INPUT = 1001,
    IDC_SITE = 1002,
    IDC_GRID = 1003,
    IDC_LIST_BUTTON = 1004,
    IDC_DOWNLOAD_BUTTON = 1005,
    IDC_PROGRESS = 1006,
    IDC_CHOOSE_FOLDER = 1007,
    IDC_OPEN_FOLDER = 1008,
    IDC_STAGE = 1009,
    IDC_GROUP = 1011,
    IDC_SELECT_ALL = 1012,
    IDC_NOTICE = 1013,
    IDC_PREVIEW = 1014,
    IDC_FIND = 1034,
    IDC_SUBMODE = 1035,
    IDC_FILTER = 1036,
    IDC_EXPORT = 1037,
};

enum MessageButtons : int { MB_OK = 0, MB_YESNO = 4 };
enum MessageAnswer : int { IDOK = 1, IDYES = 6, IDNO = 7 };

// Everything the jobs and adapters ask of the window. The desktop window carries each call onto
// its own thread; calls that return an answer block until the user gives it. The command line and
// the tests have their own implementations. Calls may come from any job thread.
class WindowPort {
public:
    virtual ~WindowPort() = default;

    // Texts of the status lines 1009 and 1006, the group box 1011 and the buttons 1004 and 1005.
    virtual void SetText(int control, const std::u16string& text) = 0;
    virtual void EnableControl(int control, bool enable) = 0;
    virtual void ShowControl(int control, bool show) = 0;
    // The check boxes 1012 and 1014.
    virtual void SetCheck(int control, bool checked) = 0;

    // The edit texts of the input box 1001 and the save-path box 1000.
    virtual std::u16string GetText(int control) = 0;
    // The selection of the site box 1002.
    virtual int SiteSelection() = 0;
    // The sub-mode box 1035: whether it is visible, and its selection.
    virtual bool SubModeVisible() = 0;
    virtual int SubModeSelection() = 0;

    // A message box; an empty caption means the application's title. Returns IDOK, IDYES or IDNO.
    virtual int MessageBox(const std::u16string& text, const std::u16string& caption, int buttons) = 0;
    // The login browser at url, modal; returns when the user has closed it.
    virtual void OpenLoginBrowser(const std::u16string& url) = 0;
    // An album's worker pool has ended.
    virtual void PoolEnded(int elapsedSeconds, int pictureCount) = 0;
    // Shows a folder in the file browser.
    virtual void OpenFolder(const std::u16string& folder) = 0;
    // Makes a thumbnail from a picture file and adds it to the image list; its index, or -1.
    virtual int MakeThumbnail(const std::u16string& file) = 0;
    // An input that found albums joined the history; the input box's list gets it.
    virtual void AddInputHistoryItem(const std::u16string& text) = 0;
    // The grid's rows changed and should be redrawn.
    virtual void GridChanged() = 0;
    virtual std::u16string ClipboardText() = 0;

    // What a download did, for the job's log. Each call carries the line to show, composed by the
    // job so that every front end says the same, and the facts behind it. A window without a log
    // ignores them.
    // The download of an album begins: album is its place in the album list, position (from 1) of
    // count the albums of the job.
    virtual void AlbumStarted(int /*album*/, int /*position*/, int /*count*/) {}
    // A picture of the album being downloaded was not saved ("失败：p003.jpg（HTTP 404） http://...").
    virtual void PictureNotSaved(const std::u16string& /*line*/, const std::u16string& /*url*/,
                                 const PictureOutcome& /*outcome*/) {}
    // An album's download has ended ("Summer：成功 3 张，失败 1 张，跳过 0 张").
    virtual void AlbumEnded(int /*album*/, const std::u16string& /*line*/, const DownloadTally& /*tally*/) {}
    // The download job has ended ("下载完毕：成功 118 张，失败 2 张，跳过 3 张"); the line is empty when
    // it never started (a message box has said why).
    virtual void JobEnded(const std::u16string& /*line*/, const DownloadTally& /*tally*/,
                          DownloadEnd /*end*/) {}
};
