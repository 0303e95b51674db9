#pragma once

#include <QDialog>
#include <QPointer>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/JobEvents.h"
#include "sites/SiteCatalogue.h"
#include "ui/JobProgress.h"

struct AdapterTable;
struct AlbumView;
struct JobContext;
class CComboBox2;
class CoverService;
class CDlgFailedPictures;
class CDlgWebOpen;
class CMyGridCtrl;
class CSplashScreenEx;
class CThumbnailList;
class JobController;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QtJobEvents;

// The main window: site and input boxes, the two job buttons, the save folder, the album grid and
// menu 129. It owns the job context, the album view and the job controller; the jobs tell it what
// they do through its events, which it maps onto its controls. Every control's object name is its
// id ("c1004").
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
    int SiteType() const { return siteType_; }
    // Whether the start-up has finished; the album button does nothing before.
    bool Ready() const { return ready_.load() != 0; }
    JobController& Controller() { return *controller_; }
    CThumbnailList& Thumbnails() { return *thumbnails_; }
    CMyGridCtrl& Grid() { return *grid_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    // The menu item of a command id.
    QAction* MenuAction(int commandId) const;
    // The login window the login menu opened last, while it exists.
    CDlgWebOpen* MenuLoginWindow() const;

    // Opens folders and web pages; the desktop's default handler unless replaced (tests, the
    // screenshots).
    void SetShellOpener(std::function<void(const QUrl&)> opener);

    // The user guide that ships with the program: beside the executable (where the build puts a
    // copy too) or in the installed share folder; never in the current folder. An empty url when
    // there is none. The tools item opens its part on the files a download leaves.
    QUrl HelpPage() const;
    QUrl FileToolsPage() const;

    // What the window knows of the running or last job, and its progress bar.
    const JobProgress& Progress() const { return jobProgress_; }
    QProgressBar* ProgressBar() const { return progressBar_; }
    // The list of failed pictures shown when a download ended with some, while it exists.
    CDlgFailedPictures* FailedPicturesWindow() const;

    // The download's outcome feed on the window's thread (the events carry the job threads'
    // reports here): one picture of album (its place in the album list) saved, skipped or failed
    // with its reason, or the album's final counts. The album's row shows them in its
    // columns 4 and 5 ("完成 118", "失败 2"); the failed pictures are listed when the job ends.
    void ShowPictureOutcome(int album, JobProgress::PictureOutcome outcome, const std::u16string& url,
                            const std::u16string& reason);
    void ShowAlbumOutcome(int album, const JobProgress::AlbumOutcome& outcome);

protected:
    void done(int result) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The jobs' events on the window's thread, and on the job's thread for what takes long.
    class WindowSide;
    class JobSide;

    void BuildControls();
    void BuildMenu();
    // Closing: the port stops waiting for the window, the jobs are asked to stop and waited for.
    void CloseDown();

    // Message 1439 from the start-up thread: the window is drawn once before it shows, so it never
    // appears as an empty black frame; the splash goes once the window has painted itself.
    void OnStartUpDone();
    void OnFirstPaint();

    // The jobs' busy and idle states on the controls.
    void OnBusy(JobKind job);
    void OnIdle(JobKind job);
    void OnListEnded(bool downloadAtOnce);
    void OnDownloadButton();
    void UpdateProgressBar();
    // Marks the row of the album being downloaded, and shows every album's outcome again (after
    // the grid was rebuilt).
    void ShowAlbumState();
    void ShowOutcomeOf(int album);
    // "相册列表(共4个，显示2个)" when the filter leaves fewer rows than albums.
    void UpdateGroupTitle();
    void OnGridChanged();
    void ShowFailedPictures();
    // The start-up thread's second half, carried onto the window's thread.
    void FillSiteBox(DetectedSite detected);
    void OnSiteTypeChange();
    // Site detection on the input box's text.
    void DetectSiteOfInput();
    void ApplyDetection(const DetectedSite& detected);
    void OnChooseFolder();
    void OnOpenFolder();
    void OnListButton();
    void OnCommand(int commandId);
    void UpdateOptionItems();
    void OpenLoginFromMenu(int commandId);
    void OpenLoginModal(const QString& url);
    // A folder chosen in the browser or dropped: it becomes the save path and joins the history.
    void TakeSaveFolder(const std::u16string& folder);
    void OpenInShell(const QUrl& url);

    std::unique_ptr<JobContext> job_;
    std::unique_ptr<AlbumView> view_;
    std::unique_ptr<CThumbnailList> thumbnails_;
    std::unique_ptr<CoverService> covers_;
    std::unique_ptr<WindowSide> windowSide_;
    std::unique_ptr<JobSide> jobSide_;
    std::unique_ptr<QtJobEvents> events_;
    std::unique_ptr<JobController> controller_;
    std::atomic<std::uint8_t> ready_{0};
    int siteType_ = 0;
    // The albums the last press of the download button asked for, until its job is busy.
    std::vector<int> pendingDownload_;
    // The album folder the worker pool fills, while it runs ("打开" opens it).
    bool poolRunning_ = false;
    std::u16string poolFolder_;
    std::thread startUpThread_;
    std::function<void(const QUrl&)> shellOpener_;
    bool closed_ = false;
    bool sitesFilled_ = false;
    bool painted_ = false;
    bool downloadStopPressed_ = false;
    JobProgress jobProgress_;

    QMenuBar* menuBar_ = nullptr;
    QMenu* settingsMenu_ = nullptr;
    QLabel* stage_ = nullptr;
    QLabel* progress_ = nullptr;
    QLabel* notice_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QComboBox* site_ = nullptr;
    QComboBox* subMode_ = nullptr;
    CComboBox2* input_ = nullptr;
    QPushButton* listButton_ = nullptr;
    QPushButton* downloadButton_ = nullptr;
    CComboBox2* savePath_ = nullptr;
    QPushButton* chooseFolder_ = nullptr;
    QPushButton* openFolder_ = nullptr;
    QGroupBox* group_ = nullptr;
    QLabel* exportLink_ = nullptr;
    QLabel* filterLink_ = nullptr;
    QLabel* findLink_ = nullptr;
    QCheckBox* preview_ = nullptr;
    QCheckBox* selectAll_ = nullptr;
    CMyGridCtrl* grid_ = nullptr;
    QPointer<CSplashScreenEx> splash_;
    QPointer<CDlgWebOpen> menuLogin_;
    QPointer<CDlgFailedPictures> failedPictures_;
};
