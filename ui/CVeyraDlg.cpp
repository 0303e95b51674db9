#include "ui/CVeyraDlg.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <system_error>

#include "GridCtrl_src/AlbumGrid.h"
#include "GridCtrl_src/AlbumView.h"
#include "MyCode/CookieStore.h"
#include "MyCode/StringCtrl.h"
#include "jobs/JobContext.h"
#include "jobs/JobController.h"
#include "platform/FileSystem.h"
#include "settings/History.h"
#include "settings/OptionToggles.h"
#include "settings/ProgramDir.h"
#include "settings/SettingsEdits.h"
#include "settings/SettingsFile.h"
#include "settings/qt/CComboBox2.h"
#include "settings/qt/CDlgDownSet.h"
#include "settings/qt/CDlgSaveSet.h"
#include "sites/AdapterTable.h"
#include "ui/AppArt.h"
#include "ui/CAboutDlg.h"
#include "ui/CDlgFailedPictures.h"
#include "ui/CDlgWebOpen.h"
#include "ui/CMyGridCtrl.h"
#include "ui/CSplashScreenEx.h"
#include "ui/CThumbnailList.h"
#include "ui/ControlIds.h"
#include "ui/CoverService.h"
#include "ui/LoginPages.h"
#include "ui/LoginProfile.h"
#include "ui/MainMenu.h"
#include "ui/QtJobEvents.h"
#include "ui/UserMessage.h"
#include "ui/WindowRules.h"

namespace {

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QString Q(const char16_t* text) {
    return QString::fromUtf16(text);
}

// Dialog units of the window's font, so the controls keep the proportions of dialog 102.
struct DialogUnits {
    explicit DialogUnits(const QFont& font) {
        QFontMetrics metrics(font);
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        baseY = metrics.height();
    }
    int X(int units) const { return units * baseX / 4; }
    int Y(int units) const { return units * baseY / 8; }
    int baseX;
    int baseY;
};

QLabel* MakeLink(const QString& text, const QString& name, QWidget* parent) {
    auto* link = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(text), parent);
    link->setObjectName(name);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return link;
}

// The buttons' busy and idle texts.
constexpr char16_t kListBusy[] = u"终止获取";
constexpr char16_t kListIdle[] = u"获取相册";
constexpr char16_t kDownloadBusy[] = u"终止下载";
constexpr char16_t kDownloadIdle[] = u"下载";
// Columns 4 and 5 of an album row, once an album has an outcome to show there.
constexpr int kOutcomeColumn = 4;
constexpr int kFailedColumn = 5;
constexpr int kOutcomeWidth = 80;
// The splash goes this long after the window shows even if no paint was seen (a window that
// opens minimised paints nothing).
constexpr int kSplashLongest = 1500;
constexpr char kGuideFile[] = "guide/guide.html";

// The controls that could start another job or change what a running one reads.
constexpr int kListBusyControls[] = {IDC_SITE, IDC_DOWNLOAD_BUTTON, IDC_INPUT, IDC_PREVIEW,
                                     IDC_FIND, IDC_FILTER, IDC_EXPORT};
constexpr int kDownloadBusyControls[] = {IDC_SITE, IDC_LIST_BUTTON, IDC_CHOOSE_FOLDER, IDC_INPUT,
                                         IDC_SAVE_PATH};

}  // namespace

// The jobs' events on the window's thread.
class CVeyraDlg::WindowSide : public JobEvents {
public:
    explicit WindowSide(CVeyraDlg& window) : window_(window) {}

    void StageText(const std::u16string& text) override { window_.stage_->setText(Q(text)); }
    void ProgressText(const std::u16string& text) override { window_.progress_->setText(Q(text)); }
    void Busy(JobKind job) override { window_.OnBusy(job); }
    void Idle(JobKind job) override { window_.OnIdle(job); }
    void ListEnded(int, bool downloadAtOnce) override { window_.OnListEnded(downloadAtOnce); }
    void InputRemembered(const std::u16string& input) override { window_.input_->AddHistoryItem(input); }
    void AlbumStarted(int album, int position, int count) override {
        window_.jobProgress_.AlbumStarted(position, count, album);
        window_.ShowAlbumState();
        window_.UpdateProgressBar();
    }
    void PoolStarted(const std::u16string& folder, int) override {
        window_.poolRunning_ = true;
        window_.poolFolder_ = folder;
    }
    void PoolProgress(const std::u16string& line, int saved, int total) override {
        window_.progress_->setText(Q(line));
        window_.jobProgress_.PicturesDone(saved, total);
        window_.UpdateProgressBar();
    }
    void PoolEnded(int, int) override { window_.poolRunning_ = false; }
    void PictureSaved(int album, const std::u16string&, const std::u16string& url) override {
        window_.ShowPictureOutcome(album, JobProgress::PictureOutcome::Saved, url, u"");
    }
    void PictureNotSaved(int album, const std::u16string&, const std::u16string& url,
                         const PictureOutcome& outcome) override {
        // Pictures the size limits left out were left out on purpose: they are not failures.
        const JobProgress::PictureOutcome kind = outcome.result == PictureResult::Failed
                                                     ? JobProgress::PictureOutcome::Failed
                                                     : JobProgress::PictureOutcome::Skipped;
        window_.ShowPictureOutcome(album, kind, url, ReasonText(outcome));
    }
    void AlbumEnded(int album, const std::u16string&, const DownloadTally& tally) override {
        // "完成" counts what is on disk; a picture that was never tried is not done.
        window_.ShowAlbumOutcome(album, JobProgress::AlbumOutcome{tally.saved, tally.failed + tally.notTried, 0});
    }
    void OpenFolder(const std::u16string& folder) override {
        window_.OpenInShell(QUrl::fromLocalFile(Q(folder)));
    }
    void Notice(const std::u16string& text, const std::u16string& caption) override {
        ShowUserMessage(window_, text, caption, false);
    }
    bool Ask(const std::u16string& text, const std::u16string& caption) override {
        return ShowUserMessage(window_, text, caption, true);
    }
    void Login(const std::u16string& url) override { window_.OpenLoginModal(Q(url)); }

private:
    CVeyraDlg& window_;
};

// The events that run where the job runs: an album listed is shown at once, its cover fetched on
// the album list's thread in the thumbnail layout, so the window never waits for a cover.
class CVeyraDlg::JobSide : public JobEvents {
public:
    JobSide(JobContext& job, AlbumView& view, CoverService& covers) : job_(job), view_(view), covers_(covers) {}

    void AlbumListed(int album, const ST_PERLISTRECORD&) override {
        ShowAlbum(view_, job_.list.albums, album, &covers_);
    }

private:
    JobContext& job_;
    AlbumView& view_;
    CoverService& covers_;
};

CVeyraDlg::CVeyraDlg(QWidget* parent) : CVeyraDlg(AdapterTable::Default(), parent) {}

CVeyraDlg::CVeyraDlg(const AdapterTable& adapters, QWidget* parent)
    : QDialog(parent),
      job_(std::make_unique<JobContext>()),
      view_(std::make_unique<AlbumView>()),
      thumbnails_(std::make_unique<CThumbnailList>()),
      covers_(std::make_unique<CoverService>(*thumbnails_)) {
    setObjectName("d102");
    setWindowTitle(Q(WindowRules::TITLE));
    setWindowIcon(AppArt::AppIcon());
    // The program's only window: it can be minimised and maximised like any main window.
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAcceptDrops(true);

    windowSide_ = std::make_unique<WindowSide>(*this);
    jobSide_ = std::make_unique<JobSide>(*job_, *view_, *covers_);
    events_ = std::make_unique<QtJobEvents>(*this, *windowSide_, jobSide_.get());
    controller_ = std::make_unique<JobController>(*job_, adapters, *events_);

    BuildControls();
    BuildMenu();
    grid_->SetImageList(thumbnails_.get());
    SetUpRowLayout(*view_);
}

CVeyraDlg::~CVeyraDlg() {
    CloseDown();
    // Whatever the wait on closing left running is joined here, while everything it reads exists.
    controller_.reset();
    delete menuLogin_;
    // The grid reads the album list and the view (its preview switch runs on a thread of its
    // own), so it goes before they do.
    delete grid_;
    grid_ = nullptr;
    CookieStore::Instance().SetProgramFolder(u"");
}

void CVeyraDlg::BuildControls() {
    const DialogUnits du(font());

    // The notice line lies over the two status lines until the first album list.
    stage_ = new QLabel(QStringLiteral("state1"), this);
    stage_->setObjectName(ControlName(IDC_STAGE));
    progress_ = new QLabel(QStringLiteral("state2"), this);
    progress_->setObjectName(ControlName(IDC_PROGRESS));
    for (QLabel* label : {stage_, progress_}) {
        // A long status must not widen the window.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    auto* statusRow = new QHBoxLayout;
    statusRow->setContentsMargins(du.X(5), 0, 0, 0);
    statusRow->setSpacing(du.X(8));
    statusRow->addWidget(stage_, 99);
    statusRow->addWidget(progress_, 269);
    notice_ = new QLabel(this);
    notice_->setObjectName(ControlName(IDC_NOTICE));
    notice_->setAutoFillBackground(true);
    notice_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    notice_->setStyleSheet(QStringLiteral("color: #b04000;"));
    // The running job's progress, under the status lines; hidden until the first job, while the
    // notice lies over both.
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setTextVisible(true);
    progressBar_->setAlignment(Qt::AlignCenter);
    progressBar_->setFixedHeight(std::max(du.Y(9), progressBar_->fontMetrics().height() + 4));
    QSizePolicy barPolicy = progressBar_->sizePolicy();
    barPolicy.setRetainSizeWhenHidden(true);
    progressBar_->setSizePolicy(barPolicy);
    progressBar_->hide();
    auto* statusArea = new QGridLayout;
    statusArea->setContentsMargins(0, 0, 0, 0);
    statusArea->setVerticalSpacing(2);
    statusArea->addLayout(statusRow, 0, 0);
    statusArea->addWidget(progressBar_, 1, 0);
    statusArea->addWidget(notice_, 0, 0, 2, 1);

    site_ = new QComboBox(this);
    site_->setObjectName(ControlName(IDC_SITE));
    site_->setFixedWidth(du.X(70));
    subMode_ = new QComboBox(this);
    subMode_->setObjectName(ControlName(IDC_SUBMODE));
    subMode_->setFixedWidth(du.X(58));
    subMode_->hide();
    input_ = new CComboBox2(this);
    input_->setObjectName(ControlName(IDC_INPUT));
    listButton_ = new QPushButton(QStringLiteral("获取相册"), this);
    listButton_->setObjectName(ControlName(IDC_LIST_BUTTON));
    listButton_->setDefault(true);
    downloadButton_ = new QPushButton(QStringLiteral("下载"), this);
    downloadButton_->setObjectName(ControlName(IDC_DOWNLOAD_BUTTON));
    downloadButton_->setEnabled(false);
    auto* inputRow = new QHBoxLayout;
    inputRow->setSpacing(3);
    inputRow->addWidget(site_);
    inputRow->addWidget(subMode_);
    inputRow->addWidget(input_, 1);
    inputRow->addSpacing(du.X(3) - 3);
    inputRow->addWidget(listButton_);
    inputRow->addWidget(downloadButton_);

    auto* pathLabel = new QLabel(QStringLiteral("保存路径:"), this);
    savePath_ = new CComboBox2(this);
    savePath_->setObjectName(ControlName(IDC_SAVE_PATH));
    chooseFolder_ = new QPushButton(QStringLiteral("设置"), this);
    chooseFolder_->setObjectName(ControlName(IDC_CHOOSE_FOLDER));
    openFolder_ = new QPushButton(QStringLiteral("打开"), this);
    openFolder_->setObjectName(ControlName(IDC_OPEN_FOLDER));
    auto* pathRow = new QHBoxLayout;
    pathRow->setSpacing(3);
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(savePath_, 1);
    pathRow->addSpacing(du.X(3) - 3);
    pathRow->addWidget(chooseFolder_);
    pathRow->addWidget(openFolder_);
    const int buttonWidth = std::max(du.X(36), listButton_->sizeHint().width());
    for (QPushButton* button : {listButton_, downloadButton_, chooseFolder_, openFolder_}) {
        button->setFixedWidth(buttonWidth);
        if (button != listButton_) {
            button->setAutoDefault(false);
        }
    }

    group_ = new QGroupBox(QStringLiteral("相册列表"), this);
    group_->setObjectName(ControlName(IDC_GROUP));
    exportLink_ = MakeLink(QStringLiteral("导出"), ControlName(IDC_EXPORT), group_);
    filterLink_ = MakeLink(QStringLiteral("筛选"), ControlName(IDC_FILTER), group_);
    findLink_ = MakeLink(QStringLiteral("查找"), ControlName(IDC_FIND), group_);
    preview_ = new QCheckBox(QStringLiteral("预览图"), group_);
    preview_->setObjectName(ControlName(IDC_PREVIEW));
    selectAll_ = new QCheckBox(QStringLiteral("全选"), group_);
    selectAll_->setObjectName(ControlName(IDC_SELECT_ALL));
    grid_ = new CMyGridCtrl(*view_, job_->list.albums, *covers_, group_);
    grid_->setObjectName(ControlName(IDC_GRID));
    auto* tools = new QHBoxLayout;
    tools->setSpacing(du.X(9));
    tools->addStretch(1);
    for (QWidget* tool :
         std::initializer_list<QWidget*>{exportLink_, filterLink_, findLink_, preview_, selectAll_}) {
        tools->addWidget(tool);
    }
    auto* groupLayout = new QVBoxLayout(group_);
    groupLayout->setContentsMargins(du.X(3), du.Y(2), du.X(3), du.Y(3));
    groupLayout->setSpacing(du.Y(2));
    groupLayout->addLayout(tools);
    groupLayout->addWidget(grid_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(du.X(4), du.Y(2), du.X(4), du.Y(4));
    layout->setSpacing(du.Y(4));
    layout->addLayout(statusArea);
    layout->addLayout(inputRow);
    layout->addLayout(pathRow);
    layout->addWidget(group_, 1);
    resize(du.X(471), du.Y(323) + 24);

    connect(listButton_, &QPushButton::clicked, this, &CVeyraDlg::OnListButton);
    connect(downloadButton_, &QPushButton::clicked, this, &CVeyraDlg::OnDownloadButton);
    connect(chooseFolder_, &QPushButton::clicked, this, &CVeyraDlg::OnChooseFolder);
    connect(openFolder_, &QPushButton::clicked, this, &CVeyraDlg::OnOpenFolder);
    // Only the user's own changes count, as with the dialog's notifications: the window's and the
    // jobs' changes go through the handlers directly.
    connect(site_, qOverload<int>(&QComboBox::activated), this, &CVeyraDlg::OnSiteTypeChange);
    connect(input_->lineEdit(), &QLineEdit::textEdited, this, &CVeyraDlg::DetectSiteOfInput);
    connect(input_, &CComboBox2::SelectionChanged, this, &CVeyraDlg::DetectSiteOfInput);
    connect(selectAll_, &QCheckBox::clicked, this, [this](bool checked) { grid_->SelectAll(checked); });
    connect(preview_, &QCheckBox::clicked, this, [this](bool checked) { grid_->TogglePreview(checked); });
    connect(findLink_, &QLabel::linkActivated, this, [this] { grid_->OpenFind(); });
    connect(filterLink_, &QLabel::linkActivated, this, [this] { grid_->OpenFilter(); });
    connect(grid_, &CMyGridCtrl::filterApplied, this, [this] {
        UpdateGroupTitle();
        ShowAlbumState();
    });
    connect(grid_, &CMyGridCtrl::rebuilt, this, &CVeyraDlg::OnGridChanged);
    connect(grid_, &CMyGridCtrl::layoutSetUp, this, [this] { selectAll_->setChecked(false); });
    connect(grid_, &CMyGridCtrl::previewShown, preview_, &QCheckBox::setChecked);
    connect(grid_, &CMyGridCtrl::searchLinksEnabled, this, [this](bool enabled) {
        findLink_->setEnabled(enabled);
        filterLink_->setEnabled(enabled);
    });
    connect(exportLink_, &QLabel::linkActivated, this, [this] { grid_->ExportCsv(); });
}

void CVeyraDlg::BuildMenu() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName("m129");
    const std::vector<MainMenu::Popup>& popups = MainMenu::Popups();
    for (std::size_t i = 0; i < popups.size(); ++i) {
        const MainMenu::Popup& popup = popups[i];
        if (static_cast<int>(i) == MainMenu::BLANK_BEFORE_POPUP) {
            menuBar_->addAction(Q(MainMenu::BLANK_ENTRY))->setEnabled(false);
        }
        QMenu* menu = menuBar_->addMenu(Q(popup.title));
        menu->setObjectName(QStringLiteral("popup%1").arg(i));
        for (const MainMenu::Item& item : popup.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(Q(item.text));
            action->setObjectName(ControlName(item.id));
            action->setData(item.id);
            action->setCheckable(MainMenu::OptionOf(item.id) != 0);
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        }
        if (!popup.enabled) {
            // Shown greyed; it cannot be opened.
            menu->setEnabled(false);
            menu->menuAction()->setEnabled(false);
        }
        if (popup.items.front().id == MainMenu::ID_DOWNLOAD_SETTINGS) {
            settingsMenu_ = menu;
            connect(menu, &QMenu::aboutToShow, this, &CVeyraDlg::UpdateOptionItems);
        }
    }
    layout()->setMenuBar(menuBar_);
}

QAction* CVeyraDlg::MenuAction(int commandId) const {
    return menuBar_->findChild<QAction*>(ControlName(commandId));
}

CDlgWebOpen* CVeyraDlg::MenuLoginWindow() const {
    return menuLogin_;
}

void CVeyraDlg::SetShellOpener(std::function<void(const QUrl&)> opener) {
    shellOpener_ = std::move(opener);
}

void CVeyraDlg::OpenInShell(const QUrl& url) {
    if (shellOpener_) {
        shellOpener_(url);
    } else {
        QDesktopServices::openUrl(url);
    }
}

QUrl CVeyraDlg::HelpPage() const {
    // Only places fixed by where the program is: the current folder is whatever the user started
    // it from, and a file there is not ours to open.
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString guide = QString::fromLatin1(kGuideFile);
    const QStringList candidates = {
        appDir + QLatin1Char('/') + guide,                      // beside the program
        appDir + QStringLiteral("/../") + guide,                // the build tree
        appDir + QStringLiteral("/../share/orvelle/") + guide,  // installed
    };
    for (const QString& candidate : candidates) {
        QFileInfo file(candidate);
        if (file.isFile()) {
            return QUrl::fromLocalFile(file.canonicalFilePath());
        }
    }
    return {};
}

QUrl CVeyraDlg::FileToolsPage() const {
    QUrl page = HelpPage();
    if (!page.isEmpty()) {
        page.setFragment(QStringLiteral("files"));
    }
    return page;
}

void CVeyraDlg::StartUp(const std::u16string& programDir) {
    // The splash first, on screen before anything else is done.
    splash_ = new CSplashScreenEx;
    splash_->SetText(Q(WindowRules::SPLASH_TEXT));
    splash_->Show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    // The notice line, over the status lines until the first album list.
    notice_->setText(Q(WindowRules::NOTICE_TEXT));

    // A copied address is ready to use.
    std::u16string clipboard =
        WindowRules::ClipboardInput(QGuiApplication::clipboard()->text().toStdU16String());
    if (!clipboard.empty()) {
        input_->setEditText(Q(clipboard));
    }

    // From the build tree the current folder; installed, the user's data folder.
    ProgramDir::Choice place = ProgramDir::Settle(programDir);
    ProgramSettings& settings = job_->settings;
    settings.programDir = place.folder;
    covers_->SetProgramFolder(place.folder);
    CookieStore::Instance().SetProgramFolder(settings.programDir);
    LoginProfile::SetStorageFolder(Q(settings.programDir) + QStringLiteral("webprofile/"));
    std::u16string saveFolder =
        WindowRules::StartSaveFolder(ProgramDir::DefaultSaveFolder(place), FileSystem::DocumentsDirectory());
    if (saveFolder != settings.programDir) {
        FileSystem::CreateDirectories(saveFolder);
    }
    savePath_->setEditText(Q(saveFolder));

    SettingsFile::Load(settings);
    input_->SetHistory(History::NonEmpty(settings.inputHistory));
    savePath_->SetHistory(History::NonEmpty(settings.pathHistory));
    if (!settings.pathHistory[0].empty()) {
        savePath_->setEditText(Q(settings.pathHistory[0]));
    }

    hide();
    std::u16string input = input_->currentText().toStdU16String();
    auto startUp = [this, input] {
        DetectedSite detected = DetectSite(input);
        QMetaObject::invokeMethod(
            this, [this] { OnStartUpDone(); }, Qt::QueuedConnection);
        QMetaObject::invokeMethod(
            this, [this, detected] { FillSiteBox(detected); }, Qt::QueuedConnection);
        ready_ = 1;
    };
    try {
        startUpThread_ = std::thread(startUp);
    } catch (const std::system_error&) {
        startUp();
    }
}

void CVeyraDlg::OnStartUpDone() {
    // Drawn once off screen first: polishing, the layout and the first load of the fonts (the
    // Chinese ones take a moment) happen before the window is mapped, so its first frame comes at
    // once instead of after a black moment.
    ensurePolished();
    if (layout() != nullptr) {
        layout()->activate();
    }
    grab();
    show();
    raise();
    activateWindow();
    ready_ = 1;
    QTimer::singleShot(kSplashLongest, this, &CVeyraDlg::OnFirstPaint);
}

void CVeyraDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // The drawing off screen before the window shows does not count.
    if (!painted_ && isVisible()) {
        painted_ = true;
        QTimer::singleShot(0, this, &CVeyraDlg::OnFirstPaint);
    }
}

void CVeyraDlg::OnFirstPaint() {
    // The splash stays over the window until the window has painted itself.
    if (CSplashScreenEx* splash = splash_.data()) {
        splash_ = nullptr;
        splash->FadeOut(200);
    }
}

void CVeyraDlg::FillSiteBox(DetectedSite detected) {
    site_->clear();
    for (const char16_t* name : WindowRules::SITE_NAMES) {
        site_->addItem(Q(name));
    }
    site_->setCurrentIndex(SITE_TENCENT);
    sitesFilled_ = true;
    // The site-type change first, so that the sub-mode the detection picks is the one that stays.
    OnSiteTypeChange();
    ApplyDetection(detected);
}

void CVeyraDlg::OnSiteTypeChange() {
    int type = site_->currentIndex();
    if (type < 0) {
        return;
    }
    siteType_ = type;
    if (type == SITE_TENCENT) {
        if (subMode_->count() != static_cast<int>(WindowRules::TENCENT_SUBMODES.size())) {
            subMode_->clear();
            for (const char16_t* name : WindowRules::TENCENT_SUBMODES) {
                subMode_->addItem(Q(name));
            }
        }
        // The input box starts just right of the sub-mode box while it shows, where it starts
        // otherwise (the row's layout moves it).
        subMode_->show();
        subMode_->setCurrentIndex(TENCENT_QZONE);
    } else {
        subMode_->hide();
    }
}

void CVeyraDlg::DetectSiteOfInput() {
    ApplyDetection(DetectSite(input_->currentText().toStdU16String()));
}

void CVeyraDlg::ApplyDetection(const DetectedSite& detected) {
    // Without a hit the site type and the sub-mode the user chose stay as they are.
    if (!sitesFilled_ || !detected.hit) {
        return;
    }
    site_->setCurrentIndex(detected.siteType);
    OnSiteTypeChange();
    if (detected.siteType == SITE_TENCENT && detected.subMode >= 0) {
        subMode_->setCurrentIndex(detected.subMode);
    }
}

void CVeyraDlg::OnListButton() {
    if (!sitesFilled_ || !Ready()) {
        return;
    }
    // The preview switch rebuilds the grid from the album records on its own thread; they must not
    // be cleared under it.
    if (view_->modeSwitch != MODE_SWITCH_IDLE) {
        return;
    }
    const ListRequest request{.siteType = site_->currentIndex(),
                              .subMode = subMode_->isHidden() ? SUBMODE_UNSET : subMode_->currentIndex(),
                              .input = input_->currentText().toStdU16String()};
    if (!controller_->ListRunning() && !controller_->DownloadRunning()) {
        // A new list: an empty grid in the layout in force, and no thumbnails of the old one.
        thumbnails_->Clear();
        SetUpAlbumGrid(*view_);
        selectAll_->setChecked(false);
        grid_->Sync();
    }
    controller_->PressListButton(request);
}

void CVeyraDlg::OnDownloadButton() {
    if (controller_->DownloadRunning()) {
        downloadStopPressed_ = true;
        controller_->PressDownloadButton({});
        return;
    }
    DownloadRequest request{.saveFolder = savePath_->currentText().toStdU16String(),
                            .albums = SelectedAlbumIndices(*view_, job_->list.albums),
                            .input = input_->currentText().toStdU16String()};
    pendingDownload_ = request.albums;
    controller_->PressDownloadButton(request);
}

void CVeyraDlg::OnBusy(JobKind job) {
    const bool list = job == JobKind::List;
    for (int control : list ? std::vector<int>(std::begin(kListBusyControls), std::end(kListBusyControls))
                            : std::vector<int>(std::begin(kDownloadBusyControls), std::end(kDownloadBusyControls))) {
        if (QWidget* widget = findChild<QWidget*>(ControlName(control))) {
            widget->setEnabled(false);
        }
    }
    if (list) {
        selectAll_->setChecked(false);
        listButton_->setText(Q(kListBusy));
        group_->setTitle(QStringLiteral("相册列表"));
        notice_->hide();
        grid_->SetListRunning(true);
        jobProgress_.ListStarted();
        ShowAlbumState();
    } else {
        downloadButton_->setText(Q(kDownloadBusy));
        // The job takes the albums the button asked for.
        jobProgress_.DownloadStarted(pendingDownload_);
    }
    UpdateProgressBar();
}

void CVeyraDlg::OnIdle(JobKind job) {
    if (job == JobKind::List) {
        const int albumCount = static_cast<int>(job_->list.albums.Size());
        grid_->SetListRunning(false);
        OnGridChanged();
        group_->setTitle(Q(StringCtrl::Format(u"相册列表(共%d个)", {albumCount})));
        site_->setEnabled(true);
        downloadButton_->setEnabled(albumCount > 0);
        listButton_->setText(Q(kListIdle));
        for (QWidget* control : std::initializer_list<QWidget*>{input_, preview_, findLink_, filterLink_, exportLink_}) {
            control->setEnabled(true);
        }
        jobProgress_.ListEnded(albumCount);
    } else {
        downloadButton_->setText(Q(kDownloadIdle));
        for (int control : kDownloadBusyControls) {
            if (QWidget* widget = findChild<QWidget*>(ControlName(control))) {
                widget->setEnabled(true);
            }
        }
        if (jobProgress_.Running() == JobProgress::Job::Download) {
            jobProgress_.DownloadEnded(downloadStopPressed_);
            downloadStopPressed_ = false;
            ShowAlbumState();
            ShowFailedPictures();
        }
    }
    UpdateProgressBar();
}

void CVeyraDlg::OnListEnded(bool downloadAtOnce) {
    // An item page's one album is selected and downloaded at once, as the download button would.
    if (downloadAtOnce) {
        SelectAllAlbums(*view_, true);
        grid_->Sync();
        OnDownloadButton();
    }
}

void CVeyraDlg::OnChooseFolder() {
    QFileDialog browser(this, QStringLiteral("请选择文件保存目录："), savePath_->currentText());
    browser.setObjectName("folderBrowser");
    browser.setFileMode(QFileDialog::Directory);
    browser.setOption(QFileDialog::ShowDirsOnly);
    if (browser.exec() != QDialog::Accepted || browser.selectedFiles().isEmpty()) {
        return;
    }
    TakeSaveFolder(WindowRules::WithTrailingSlash(browser.selectedFiles().front().toStdU16String()));
}

void CVeyraDlg::TakeSaveFolder(const std::u16string& folder) {
    if (folder.empty()) {
        return;
    }
    savePath_->setEditText(Q(folder));
    // The history refuses a known folder (ignoring case) and one of 400 characters or more.
    if (SettingsEdits::AddPathHistory(job_->settings, folder)) {
        savePath_->AddHistoryItem(folder);
    }
}

void CVeyraDlg::OnOpenFolder() {
    std::u16string folder;
    if (poolRunning_) {
        folder = poolFolder_;
    } else {
        folder = savePath_->currentText().toStdU16String();
    }
    if (!folder.empty()) {
        OpenInShell(QUrl::fromLocalFile(Q(folder)));
    }
}

void CVeyraDlg::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().front().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void CVeyraDlg::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data->hasUrls() || data->urls().isEmpty() || !data->urls().front().isLocalFile()) {
        return;
    }
    std::u16string path = data->urls().front().toLocalFile().toStdU16String();
    // The file system tells a folder from a file; a folder may have a full stop in its name and a
    // file may have none.
    TakeSaveFolder(WindowRules::DroppedFolder(path, FileSystem::IsDirectory(path)));
    event->acceptProposedAction();
}

void CVeyraDlg::OnCommand(int commandId) {
    if (MainMenu::IsLoginItem(commandId)) {
        OpenLoginFromMenu(commandId);
        return;
    }
    if (const std::uint16_t flag = MainMenu::OptionOf(commandId); flag != 0) {
        SettingsEdits::ToggleOption(job_->settings, siteType_, static_cast<OptionFlag>(flag));
        UpdateOptionItems();
        return;
    }
    switch (commandId) {
        case MainMenu::ID_DOWNLOAD_SETTINGS: {
            CDlgDownSet dialog(job_->settings, siteType_, this);
            dialog.exec();
            break;
        }
        case MainMenu::ID_NAME_SETTINGS: {
            CDlgSaveSet dialog(job_->settings, siteType_, this);
            dialog.exec();
            break;
        }
        case MainMenu::ID_FILE_TOOLS:
        case MainMenu::ID_HELP: {
            const QUrl page = commandId == MainMenu::ID_HELP ? HelpPage() : FileToolsPage();
            if (page.isEmpty()) {
                ShowUserMessage(*this, u"找不到使用说明（guide/guide.html），请重新安装程序", u"提示", false);
            } else {
                OpenInShell(page);
            }
            break;
        }
        case MainMenu::ID_ABOUT: {
            CAboutDlg about(this);
            about.exec();
            break;
        }
        default:
            break;
    }
}

void CVeyraDlg::UpdateOptionItems() {
    const std::uint16_t options = job_->settings.Slot(siteType_).naming.options;
    for (const OptionToggles::OptionItem& item : OptionToggles::ITEMS) {
        if (QAction* action = MenuAction(MainMenu::OptionItem(item.flag))) {
            action->setChecked(OptionToggles::IsChecked(options, item.flag));
            action->setEnabled(OptionToggles::IsEnabled(item.flag, siteType_));
        }
    }
}

void CVeyraDlg::OpenLoginFromMenu(int commandId) {
    const int subMode = subMode_->isHidden() ? -1 : subMode_->currentIndex();
    QString url = LoginPageFor(commandId, input_->currentText().toStdU16String(), subMode);
    // One login window from the menu at a time: the next choice replaces it, open or closed.
    delete menuLogin_;
    menuLogin_ = new CDlgWebOpen(url, this);
    menuLogin_->setAttribute(Qt::WA_DeleteOnClose);
    menuLogin_->show();
}

void CVeyraDlg::OpenLoginModal(const QString& url) {
    CDlgWebOpen login(url, this);
    login.exec();
}

CDlgFailedPictures* CVeyraDlg::FailedPicturesWindow() const {
    return failedPictures_;
}

void CVeyraDlg::UpdateProgressBar() {
    const JobProgress::Bar& bar = jobProgress_.ProgressBar();
    if (!bar.shown) {
        progressBar_->hide();
        return;
    }
    progressBar_->setRange(0, bar.maximum);
    progressBar_->setValue(bar.value);
    // The bar's format reads "%" as the start of a placeholder.
    progressBar_->setFormat(Q(bar.text).replace(QLatin1Char('%'), QStringLiteral("%%")));
    progressBar_->show();
}

void CVeyraDlg::ShowAlbumState() {
    grid_->Sync();
    grid_->SetMarkedCell(AlbumCell(*view_, jobProgress_.CurrentAlbum()), view_->previewMode == 0);
    for (const auto& entry : jobProgress_.Outcomes()) {
        ShowOutcomeOf(entry.first);
    }
}

void CVeyraDlg::ShowOutcomeOf(int album) {
    // The thumbnails have no columns for it; the rows show it again after a switch back.
    if (view_->previewMode != 0) {
        return;
    }
    const auto found = jobProgress_.Outcomes().find(album);
    const GridCellId cell = AlbumCell(*view_, album);
    if (found == jobProgress_.Outcomes().end() || !cell.IsValid()) {
        return;
    }
    // Columns 4 and 5 are hidden (width 0) until there is something to show in them.
    for (int column : {kOutcomeColumn, kFailedColumn}) {
        if (view_->grid.ColumnWidth(column) == 0) {
            view_->grid.SetColumnWidth(column, kOutcomeWidth);
        }
    }
    view_->grid.SetCellText(cell.row, kOutcomeColumn, JobProgress::DoneText(found->second));
    view_->grid.SetCellText(cell.row, kFailedColumn, JobProgress::FailedText(found->second));
}

void CVeyraDlg::ShowPictureOutcome(int album, JobProgress::PictureOutcome outcome, const std::u16string& url,
                                   const std::u16string& reason) {
    jobProgress_.AddPictureOutcome(album, outcome, url, reason);
    ShowOutcomeOf(album);
}

void CVeyraDlg::ShowAlbumOutcome(int album, const JobProgress::AlbumOutcome& outcome) {
    jobProgress_.SetAlbumOutcome(album, outcome);
    ShowOutcomeOf(album);
}

void CVeyraDlg::ShowFailedPictures() {
    if (jobProgress_.FailedPictures().empty()) {
        return;
    }
    if (failedPictures_ == nullptr) {
        failedPictures_ = new CDlgFailedPictures(this);
    }
    failedPictures_->SetPictures(jobProgress_.FailedPictures(), [this](int album) {
        std::optional<ST_PERLISTRECORD> record = job_->list.albums.CopyOf(album);
        return record ? record->name : std::u16string();
    });
    failedPictures_->show();
    failedPictures_->raise();
}

void CVeyraDlg::UpdateGroupTitle() {
    // A running list writes the title itself.
    if (jobProgress_.Running() == JobProgress::Job::List) {
        return;
    }
    const int total = static_cast<int>(job_->list.albums.Size());
    if (total == 0) {
        return;
    }
    const int shown = view_->previewMode != 0 ? total : grid_->ShownAlbumRows();
    group_->setTitle(Q(shown < total ? StringCtrl::Format(u"相册列表(共%d个，显示%d个)", {total, shown})
                                     : StringCtrl::Format(u"相册列表(共%d个)", {total})));
}

void CVeyraDlg::OnGridChanged() {
    grid_->Sync();
    grid_->RestoreSelection();
    ShowAlbumState();
    UpdateGroupTitle();
    grid_->viewport()->update();
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
    // From here on no job waits for this window: questions get their default answer.
    events_->Close();
    if (view_->modeSwitch == MODE_SWITCH_RUNNING) {
        view_->modeSwitch = MODE_SWITCH_INTERRUPT;
    }
    grid_->WaitForSwitch();
    if (menuLogin_) {
        menuLogin_->close();
    }
    controller_->Shutdown(CLOSE_WAIT);
    if (startUpThread_.joinable()) {
        startUpThread_.join();
    }
    if (splash_) {
        splash_->close();
    }
}
