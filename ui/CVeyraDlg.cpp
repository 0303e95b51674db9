// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CVeyraDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>

#include "GridCtrl_src/AlbumGrid.h"
#include "GridCtrl_src/AlbumView.h"
#include "MyCode/CookieStore.h"
#include "jobs/JobContext.h"
#include "jobs/JobController.h"
#include "settings/qt/CComboBox2.h"
#include "sites/AdapterTable.h"
#include "ui/AppArt.h"
#include "ui/CDlgWebOpen.h"
#include "ui/CMyGridCtrl.h"
#include "ui/CThumbnailList.h"
#include "ui/CoverLoader.h"
#include "ui/ListedAlbums.h"
#include "ui/MainLayout.h"
#include "ui/MenuCommands.h"
#include "ui/ProgressPresenter.h"
#include "ui/QtJobEvents.h"
#include "ui/SaveFolderBox.h"
#include "ui/SiteChooser.h"
#include "ui/UserMessage.h"
#include "ui/WindowEvents.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowRules.h"
#include "ui/WindowStartUp.h"

CVeyraDlg::CVeyraDlg(QWidget* parent) : CVeyraDlg(AdapterTable::Default(), parent) {}

CVeyraDlg::CVeyraDlg(const AdapterTable& adapters, QWidget* parent)
    : QDialog(parent),
      job_(std::make_unique<JobContext>()),
      view_(std::make_unique<AlbumView>()),
      thumbnails_(std::make_unique<CThumbnailList>()),
      covers_(std::make_unique<CoverLoader>(*thumbnails_)) {
    setObjectName("d102");
    setWindowTitle(QString::fromUtf16(WindowRules::TITLE));
    setWindowIcon(AppArt::AppIcon());
    // The program's only window: it can be minimised and maximised like any main window.
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    // The keyboard's way out of the program, as in any main window; Escape is not one (below).
    auto* quit = new QShortcut(QKeySequence::Quit, this);
    quit->setObjectName(QStringLiteral("quitShortcut"));
    connect(quit, &QShortcut::activated, this, &QWidget::close);

    // The parts open folders and pages through the window, so a replaced opener serves them all.
    auto open = [this](const QUrl& url) { OpenInShell(url); };
    controls_ = std::make_unique<MainLayout>(*this, *view_, job_->list.albums, *covers_);
    const MainLayout& c = *controls_;
    sites_ = std::make_unique<SiteChooser>(*c.site, *c.subMode, *c.input);
    saveFolder_ = std::make_unique<SaveFolderBox>(*this, *c.savePath, job_->settings, open);
    progress_ = std::make_unique<ProgressPresenter>(*this, *controls_, *view_, job_->list.albums);
    menu_ = std::make_unique<MenuCommands>(*this, job_->settings, *sites_, *c.input, open);
    startUp_ =
        std::make_unique<WindowStartUp>(*this, *controls_, job_->settings, *covers_, *sites_, *saveFolder_);

    windowEvents_ = std::make_unique<WindowEvents>(
        *this, *progress_, *saveFolder_, *c.input,
        WindowEvents::Actions{
            .openInShell = open,
            .login = [this](const std::u16string& url) { OpenLoginModal(url); },
            .password =
                [this](const std::u16string& url) { OpenLoginModal(url, CDlgWebOpen::Page::Password); },
            .downloadAtOnce = [this] { DownloadAtOnce(); }});
    listedAlbums_ = std::make_unique<ListedAlbums>(*view_, job_->list.albums, *covers_);
    events_ = std::make_unique<QtJobEvents>(*this, *windowEvents_, listedAlbums_.get());
    controller_ = std::make_unique<JobController>(*job_, adapters, *events_);

    Wire();
    // Covers come on the loader's threads; the grid's data takes them from any thread.
    covers_->SetDelivery([view = view_.get()](int k, int image) { ShowCover(*view, k, image); });
    c.grid->SetImageList(thumbnails_.get());
    SetUpRowLayout(*view_);
}

CVeyraDlg::~CVeyraDlg() {
    CloseDown();
    // Whatever the wait on closing left running is joined here, while everything it reads exists.
    controller_.reset();
    menu_.reset();
    // The grid reads the album list and the view (its preview switch runs on a thread of its
    // own), so it goes before they do.
    delete controls_->grid;
    controls_->grid = nullptr;
    CookieStore::Instance().SetProgramFolder(u"");
}

void CVeyraDlg::Wire() {
    const MainLayout& c = *controls_;
    CMyGridCtrl* grid = c.grid;
    connect(c.listButton, &QPushButton::clicked, this, &CVeyraDlg::OnListButton);
    connect(c.downloadButton, &QPushButton::clicked, this, &CVeyraDlg::OnDownloadButton);
    connect(c.chooseFolder, &QPushButton::clicked, this, [this] { saveFolder_->Choose(); });
    connect(c.openFolder, &QPushButton::clicked, this, [this] { saveFolder_->Open(); });
    // Only the user's own changes count, as with the dialog's notifications: the window's and the
    // jobs' changes go through the handlers directly.
    connect(c.site, qOverload<int>(&QComboBox::activated), this, [this] { sites_->OnSiteTypeChange(); });
    connect(c.input->lineEdit(), &QLineEdit::textEdited, this, [this] { sites_->DetectSiteOfInput(); });
    connect(c.input, &CComboBox2::SelectionChanged, this, [this] { sites_->DetectSiteOfInput(); });
    connect(c.selectAll, &QCheckBox::clicked, this, [grid](bool checked) { grid->SelectAll(checked); });
    connect(c.preview, &QCheckBox::clicked, this, [this, grid](bool checked) {
        UseDownloadThreadsForCovers();
        grid->TogglePreview(checked);
    });
    connect(c.findLink, &QLabel::linkActivated, this, [grid] { grid->OpenFind(); });
    connect(c.filterLink, &QLabel::linkActivated, this, [grid] { grid->OpenFilter(); });
    connect(c.exportLink, &QLabel::linkActivated, this, [this, grid] {
        const std::u16string day = QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toStdU16String();
        grid->ExportCsv(saveFolder_->Folder(), WindowRules::CsvExportName(job_->list.ownerName, day));
    });
    connect(grid, &CMyGridCtrl::filterApplied, this, [this] { progress_->FilterApplied(); });
    connect(grid, &CMyGridCtrl::rebuilt, this, [this] { progress_->GridChanged(); });
    QCheckBox* selectAll = c.selectAll;
    connect(grid, &CMyGridCtrl::layoutSetUp, this, [selectAll] { selectAll->setChecked(false); });
    connect(grid, &CMyGridCtrl::previewShown, c.preview, &QCheckBox::setChecked);
    QLabel* findLink = c.findLink;
    QLabel* filterLink = c.filterLink;
    connect(grid, &CMyGridCtrl::searchLinksEnabled, this, [findLink, filterLink](bool enabled) {
        findLink->setEnabled(enabled);
        filterLink->setEnabled(enabled);
    });
}

void CVeyraDlg::StartUp(const std::u16string& programDir) {
    startUp_->Start(programDir);
}

int CVeyraDlg::SiteType() const {
    return sites_->SiteType();
}

bool CVeyraDlg::Ready() const {
    return startUp_->Ready();
}

CMyGridCtrl& CVeyraDlg::Grid() {
    return *controls_->grid;
}

QMenuBar* CVeyraDlg::MenuBar() const {
    return menu_->Bar();
}

QAction* CVeyraDlg::MenuAction(int commandId) const {
    return menu_->Action(commandId);
}

CDlgWebOpen* CVeyraDlg::MenuLoginWindow() const {
    return menu_->LoginWindow();
}

const JobProgress& CVeyraDlg::Progress() const {
    return progress_->Progress();
}

QProgressBar* CVeyraDlg::ProgressBar() const {
    return controls_->progressBar;
}

CDlgFailedPictures* CVeyraDlg::FailedPicturesWindow() const {
    return progress_->FailedPicturesWindow();
}

void CVeyraDlg::ShowPictureOutcome(int album, JobProgress::PictureOutcome outcome, const std::u16string& url,
                                   const std::u16string& reason) {
    progress_->ShowPictureOutcome(album, outcome, url, reason);
}

void CVeyraDlg::ShowAlbumOutcome(int album, const JobProgress::AlbumOutcome& outcome) {
    progress_->ShowAlbumOutcome(album, outcome);
}

void CVeyraDlg::SetShellOpener(std::function<bool(const QUrl&)> opener) {
    shellOpener_ = std::move(opener);
}

void CVeyraDlg::OpenInShell(const QUrl& url) {
    const bool opened = shellOpener_ ? shellOpener_(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        // Without a browser or a file manager the system only writes a line nobody sees.
        const QString where = url.isLocalFile() ? url.toLocalFile() : url.toString();
        ShowUserNotice(*this,
                       WindowRules::NothingOpensNotice(where.toStdU16String(), QFileInfo(where).isDir()),
                       u"提示");
    }
}

void CVeyraDlg::OpenLoginModal(const std::u16string& url, CDlgWebOpen::Page page) {
    CDlgWebOpen login(QString::fromStdU16String(url), this, page);
    login.exec();
}

void CVeyraDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    startUp_->Painted();
}

void CVeyraDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (SaveFolderBox::Accepts(*event->mimeData())) {
        event->acceptProposedAction();
    }
}

void CVeyraDlg::dropEvent(QDropEvent* event) {
    if (saveFolder_->Drop(*event->mimeData())) {
        event->acceptProposedAction();
    }
}

void CVeyraDlg::OnListButton() {
    if (!sites_->Filled() || !Ready()) {
        return;
    }
    // The preview switch rebuilds the grid from the album records on its own thread; they must not
    // be cleared under it.
    if (view_->modeSwitch != MODE_SWITCH_IDLE) {
        return;
    }
    const MainLayout& c = *controls_;
    const ListRequest request{.siteType = c.site->currentIndex(),
                              .subMode = sites_->SubMode(),
                              .input = c.input->currentText().toStdU16String()};
    if (!controller_->ListRunning() && !controller_->DownloadRunning()) {
        // A new list: an empty grid in the layout in force, and no thumbnails of the old one.
        covers_->Reset();
        UseDownloadThreadsForCovers();
        SetUpAlbumGrid(*view_);
        c.selectAll->setChecked(false);
        c.grid->Sync();
    }
    if (controller_->PressListButton(request) == JobController::Press::Stopping) {
        // The list ends after the page under way: say at once that the stop was heard.
        progress_->StageText(u"正在停止…");
    }
}

void CVeyraDlg::UseDownloadThreadsForCovers() {
    covers_->SetWorkerLimit(job_->settings.Slot(SiteType()).download.threadCount);
}

void CVeyraDlg::OnDownloadButton() {
    if (controller_->DownloadRunning()) {
        progress_->StopAsked();
        controller_->PressDownloadButton({});
        return;
    }
    DownloadRequest request{.saveFolder = saveFolder_->Folder(),
                            .albums = SelectedAlbumIndices(*view_, job_->list.albums),
                            .input = controls_->input->currentText().toStdU16String()};
    progress_->DownloadAsked(request.albums);
    controller_->PressDownloadButton(request);
}

void CVeyraDlg::DownloadAtOnce() {
    SelectAllAlbums(*view_, true);
    controls_->grid->Sync();
    OnDownloadButton();
}

void CVeyraDlg::keyPressEvent(QKeyEvent* event) {
    // A dialog closes on Escape, but this one is the program: an Escape meant for a list or a box
    // that did not use it must not end everything, least of all in the middle of a download.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CVeyraDlg::done(int result) {
    CloseDown();
    QDialog::done(result);
}

void CVeyraDlg::CloseDown() {
    if (closed_) {
        return;
    }
    closed_ = true;
    // A window that never showed has no place of its own to keep.
    if (Ready() && isVisible()) {
        WindowPlacement::Save(*this, job_->settings.programDir);
    }
    // From here on no job waits for this window: questions get their default answer.
    events_->Close();
    if (view_->modeSwitch == MODE_SWITCH_RUNNING) {
        view_->modeSwitch = MODE_SWITCH_INTERRUPT;
    }
    controls_->grid->WaitForSwitch();
    covers_->Stop();
    menu_->CloseLoginWindow();
    controller_->Shutdown(CLOSE_WAIT);
    startUp_->Close();
}
