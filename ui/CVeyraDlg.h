// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "ui/CDlgWebOpen.h"
#include "ui/JobProgress.h"

struct AdapterTable;
struct AlbumView;
struct JobContext;
class CDlgFailedPictures;
class CMyGridCtrl;
class CThumbnailList;
class CoverLoader;
class JobController;
class ListedAlbums;
class MainLayout;
class MenuCommands;
class ProgressPresenter;
class QAction;
class QMenuBar;
class QProgressBar;
class QtJobEvents;
class SaveFolderBox;
class SiteChooser;
class WindowEvents;
class WindowStartUp;

// The main window: site and input boxes, the two job buttons, the save folder, the album grid and
// menu 129. It owns the job context, the album view and the job controller, and the parts that
// drive its controls: the layout, the start-up, the site chooser, the save-folder box, the
// progress presenter and the menu's commands. The jobs tell it what they do through its events,
// which carry every report onto the window's thread. Every control's object name is its id
// ("c1004").
class CVeyraDlg : public QDialog {
    Q_OBJECT
public:
    // How long closing waits for running jobs before the window goes anyway; jobs still running
    // then are joined when the window is destroyed.
    static constexpr std::chrono::milliseconds CLOSE_WAIT{3000};

    explicit CVeyraDlg(QWidget* parent = nullptr);
    // Tests list from their own adapter table.
    CVeyraDlg(const AdapterTable& adapters, QWidget* parent = nullptr);
    ~CVeyraDlg() override;

    // The start-up: the clipboard text into the input box, the program and save folders, the
    // settings, the splash window and the start-up thread. The window stays hidden until the
    // start-up thread reports back; then the splash closes and the window shows. programDir empty
    // means the program's own choice: the current folder in a build tree, the user's data folder
    // when installed.
    void StartUp(const std::u16string& programDir = {});

    JobContext& Job() { return *job_; }
    AlbumView& View() { return *view_; }
    // The jobs' events as they reach the window.
    QtJobEvents& Events() { return *events_; }
    // The site type the site box shows; the menu's options and the settings dialogs are its.
    int SiteType() const;
    // Whether the start-up has finished; the album button does nothing before.
    bool Ready() const;
    JobController& Controller() { return *controller_; }
    CThumbnailList& Thumbnails() { return *thumbnails_; }
    CoverLoader& Covers() { return *covers_; }
    CMyGridCtrl& Grid();
    QMenuBar* MenuBar() const;
    // The menu item of a command id.
    QAction* MenuAction(int commandId) const;
    // The login window the login menu opened last, while it exists.
    CDlgWebOpen* MenuLoginWindow() const;

    // Opens folders and web pages; the desktop's default handler unless replaced (tests, the
    // screenshots). The opener answers whether something took the address; when nothing did, a
    // message box says so and names the folder or the page.
    void SetShellOpener(std::function<bool(const QUrl&)> opener);

    // What the window knows of the running or last job, and its progress bar.
    const JobProgress& Progress() const;
    QProgressBar* ProgressBar() const;
    // The list of failed pictures shown when a download ended with some, while it exists.
    CDlgFailedPictures* FailedPicturesWindow() const;

    // The download's outcome feed on the window's thread: one picture of album (its place in the
    // album list) saved, skipped or failed with its reason, or the album's final counts.
    void ShowPictureOutcome(int album, JobProgress::PictureOutcome outcome, const std::u16string& url,
                            const std::u16string& reason);
    void ShowAlbumOutcome(int album, const JobProgress::AlbumOutcome& outcome);

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The controls' signals to the parts and the buttons.
    void Wire();
    // Closing: the events stop waiting for the window, the jobs are asked to stop and waited for.
    void CloseDown();

    void OnListButton();
    // Covers are fetched by as many workers as the site type's download.
    void UseDownloadThreadsForCovers();
    void OnDownloadButton();
    // An item page's one album is selected and downloaded at once, as the download button would.
    void DownloadAtOnce();
    void OpenLoginModal(const std::u16string& url, CDlgWebOpen::Page page = CDlgWebOpen::Page::Login);
    void OpenInShell(const QUrl& url);

    std::unique_ptr<JobContext> job_;
    std::unique_ptr<AlbumView> view_;
    std::unique_ptr<CThumbnailList> thumbnails_;
    std::unique_ptr<CoverLoader> covers_;
    std::unique_ptr<MainLayout> controls_;
    std::unique_ptr<SiteChooser> sites_;
    std::unique_ptr<SaveFolderBox> saveFolder_;
    std::unique_ptr<ProgressPresenter> progress_;
    std::unique_ptr<MenuCommands> menu_;
    std::unique_ptr<WindowStartUp> startUp_;
    std::unique_ptr<WindowEvents> windowEvents_;
    std::unique_ptr<ListedAlbums> listedAlbums_;
    std::unique_ptr<QtJobEvents> events_;
    std::unique_ptr<JobController> controller_;
    std::function<bool(const QUrl&)> shellOpener_;
    bool closed_ = false;
};
