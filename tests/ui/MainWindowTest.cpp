// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a user drives it: start-up, site detection, the album list from the fixture
// server, select all and download, the save-folder controls, the menu, and closing while jobs run.

#include <gtest/gtest.h>

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFileInfo>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "GridCtrl_src/AlbumView.h"
#include "GridCtrl_src/qt/GridModel.h"
#include "MyCode/CookieStore.h"
#include "MyCode/StringCtrl.h"
#include "MyCode/URLSource2.h"
#include "jobs/Emission.h"
#include "jobs/JobContext.h"
#include "jobs/JobController.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/ProgramSettings.h"
#include "settings/SettingsFile.h"
#include "settings/qt/CComboBox2.h"
#include "support/FixtureServer.h"
#include "support/TempDir.h"
#include "ui/CAboutDlg.h"
#include "ui/CDlgFailedPictures.h"
#include "ui/CDlgFind.h"
#include "ui/CDlgWebOpen.h"
#include "ui/CMyGridCtrl.h"
#include "ui/CVeyraApp.h"
#include "ui/CVeyraDlg.h"
#include "ui/ControlIds.h"
#include "ui/CoverLoader.h"
#include "ui/MainMenu.h"
#include "ui/QtJobEvents.h"
#include "ui/WindowRules.h"

namespace {

const std::string kAlbumList = "/fcgi-bin/fcg_list_album_v2";
const std::string kSecondAlbumList = "/fcgi-bin/fcg_list_album_v3";
const std::string kPhotoList = "/fcgi-bin/cgi_list_photo";
const std::string kAlbumView = "/cgi-bin/common/cgi_view_album_v2";

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

std::string Fixture(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(
        FileSystem::ReadFile(CodePage::FromUtf8(std::string(ORVELLE_FIXTURES) + "/tencent/" + name), bytes))
        << name;
    return bytes;
}

// The photo services answer in GBK; the fixtures are kept in UTF-8.
std::string Gbk(const std::string& utf8) {
    return CodePage::Encode(CodePage::FromUtf8(utf8), CodePage::GBK);
}

// A small JPEG-looking body, different per picture address.
std::string PictureBytes(const std::string& target) {
    std::string bytes = "\xFF\xD8\xFF\xE0";
    for (int i = 0; i < 2000; ++i) {
        bytes.push_back(static_cast<char>(target[static_cast<std::size_t>(i) % target.size()] + i % 7));
    }
    return bytes;
}

// The pictures in a folder, without the hidden marker file.
std::vector<std::string> PicturesIn(const std::u16string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(FileSystem::NativePath(folder), error)) {
        std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name != "pic.zmw") {
            names.push_back(name);
        }
    }
    return names;
}

// Every message box that shows over the window while it lives, closed at once with its default
// button and recorded, so a start-up that tells something does not wait for a user.
class MessageBoxes {
public:
    struct Shown {
        QString text;
        QString caption;
    };

    MessageBoxes() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            // A notice asks nothing and holds nothing: it is not modal.
            if (box == nullptr) {
                box = VisibleNotice();
            }
            if (box == nullptr || !box->isVisible() || box == answered_) {
                return;
            }
            answered_ = box;
            shown_.push_back({box->text(), box->windowTitle()});
            if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
                ok->click();
            } else {
                box->reject();
            }
        });
        timer_.start();
    }
    const std::vector<Shown>& All() const { return shown_; }

    // A message box that shows without being modal.
    static QMessageBox* VisibleNotice() {
        for (QWidget* widget : QApplication::allWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible() && !box->isModal()) {
                return box;
            }
        }
        return nullptr;
    }

private:
    QTimer timer_;
    std::vector<Shown> shown_;
    QPointer<QMessageBox> answered_;
};

// The window started on a program folder of its own, with every Qzone host the jobs reach sent to
// the fixture server and the documents folder in a temporary folder too.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetRetryPauseScale(0.01);
        setenv("XDG_DOCUMENTS_DIR", documents.NativePath().c_str(), 1);
        CookieStore::Instance().SetProgramFolder(u"");
        CookieStore::Instance().Clear();
        for (const char* host : {"route.store.qq.com", "user.qzone.qq.com", "alist.photo.qq.com",
                                 "xalist.photo.qq.com", "szplist.photo.qq.com", "sznu.photo.qq.com",
                                 "r1.photo.store.qq.com", "a1.photo.store.qq.com", "b1.photo.store.qq.com"}) {
            server.Route(host);
        }
        server.Serve("/GetRoute", Fixture("route.json"), "application/json");
        server.Serve(kAlbumList, Gbk(Fixture("qzone_albums.jsonp")));
        server.Serve(kSecondAlbumList, "shine1_Callback({\"code\":0});");
        const std::string photos = Gbk(Fixture("qzone_photos.jsonp"));
        auto photoPages = [photos](const FixtureRequest& request, FixtureReply& reply) {
            bool firstPage = request.Param("pageStart").empty() || request.Param("pageStart") == "0";
            reply.body = firstPage ? photos : "shine0_Callback({\"code\":0,\"data\":{\"photoList\":[]}});";
        };
        server.Handle(kPhotoList, photoPages);
        server.Handle(kAlbumView, photoPages);
        for (const char* path : {"/psb", "/psbe"}) {
            server.Handle(path, [](const FixtureRequest& request, FixtureReply& reply) {
                reply.contentType = "image/jpeg";
                reply.body = PictureBytes(request.target);
            });
        }
    }

    void TearDown() override {
        window.reset();
        CookieStore::Instance().Clear();
        SetRetryPauseScale(1.0);
        unsetenv("XDG_DOCUMENTS_DIR");
    }

    // Starts the window as the program does and waits until it shows, ready.
    CVeyraDlg& Start(const QString& clipboard = QString(), const std::u16string& programDir = {}) {
        QGuiApplication::clipboard()->setText(clipboard);
        window = std::make_unique<CVeyraDlg>();
        window->SetShellOpener([this](const QUrl& url) {
            opened.push_back(url);
            return opens;
        });
        window->StartUp(programDir.empty() ? program.Path() : programDir);
        EXPECT_TRUE(QTest::qWaitFor(
            [this] { return window->isVisible() && window->Ready() && Site()->count() == SITE_TYPE_COUNT; },
            10000));
        return *window;
    }

    template <typename T = QWidget>
    T* Control(int id) const {
        T* control = window->findChild<T*>(ControlName(id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }
    QComboBox* Site() const { return Control<QComboBox>(IDC_SITE); }
    QComboBox* SubMode() const { return Control<QComboBox>(IDC_SUBMODE); }
    QComboBox* Input() const { return Control<QComboBox>(IDC_INPUT); }
    QComboBox* SavePath() const { return Control<QComboBox>(IDC_SAVE_PATH); }
    QString Text(int id) const {
        QWidget* control = Control(id);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            return label->text();
        }
        if (auto* group = qobject_cast<QGroupBox*>(control)) {
            return group->title();
        }
        return qobject_cast<QAbstractButton*>(control)->text();
    }

    // Types into the input box key by key, as the user does.
    void Type(const QString& text) {
        QLineEdit* edit = Input()->lineEdit();
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    void Click(int id) { QTest::mouseClick(Control<QAbstractButton>(id), Qt::LeftButton); }

    bool WaitFor(const std::function<bool()>& done, int timeoutMs = 20000) {
        return QTest::qWaitFor(done, timeoutMs);
    }

    // Lists the fixture account's albums and waits until the job has finished. Enter in the input
    // box presses the album button, the window's default button.
    void ListAlbums(bool byEnter = false) {
        Type("12345");
        if (byEnter) {
            QTest::keyClick(Input()->lineEdit(), Qt::Key_Return);
        } else {
            Click(IDC_LIST_BUTTON);
        }
        ASSERT_TRUE(WaitFor([this] {
            return window->Job().control.listState == LIST_IDLE &&
                   Text(IDC_STAGE).startsWith("获取相册列表完成");
        }));
    }

    void Drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        // A drop reaches the widget that took the drag when it entered.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);
    }

    TempDir program;
    TempDir documents;
    TempDir save;
    FixtureServer server;
    std::unique_ptr<CVeyraDlg> window;
    std::vector<QUrl> opened;
    bool opens = true;  // whether the replaced opener finds a program for what it opens
};

TEST_F(MainWindow, StartUpFillsTheSiteBoxTakesTheClipboardAndSelectsItsSite) {
    Start("  http://www.yupoo.com/photos/ann/albums/ \n");

    EXPECT_EQ(window->windowTitle(), "Orvelle");
    for (int type = 0; type < SITE_TYPE_COUNT; ++type) {
        EXPECT_EQ(Site()->itemText(type), QString::fromUtf16(WindowRules::SITE_NAMES[type]));
    }
    EXPECT_EQ(Input()->currentText(), "http://www.yupoo.com/photos/ann/albums/");
    EXPECT_EQ(Site()->currentIndex(), SITE_YUPOO);
    EXPECT_EQ(window->SiteType(), SITE_YUPOO);
    EXPECT_TRUE(SubMode()->isHidden());
    // The program folder lies in a temporary folder, so pictures go to the documents folder.
    EXPECT_EQ(window->Job().settings.programDir, program.Path());
    EXPECT_EQ(SavePath()->currentText(), Q(documents.Path() + u"Orvelle/"));
    EXPECT_TRUE(FileSystem::IsDirectory(documents.Path() + u"Orvelle/"));
    EXPECT_TRUE(FileSystem::Exists(program.Path() + u"soft.dat"));
    EXPECT_FALSE(Control(IDC_NOTICE)->isHidden());
    EXPECT_FALSE(Control(IDC_DOWNLOAD_BUTTON)->isEnabled());
    // The splash has gone once the window shows.
    EXPECT_TRUE(WaitFor(
        [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == "splash" && widget->isVisible()) {
                    return false;
                }
            }
            return true;
        },
        3000));
}

TEST_F(MainWindow, StartUpWithAQqAddressPicksItsSubModeAndTheSavedHistory) {
    {
        ProgramSettings saved;
        saved.programDir = program.Path();
        SettingsFile::Load(saved);
        saved.pathHistory[0] = save.Path();
        saved.inputHistory[0] = u"54321";
        ASSERT_TRUE(SettingsFile::Save(saved));
    }
    Start("http://qun.qzone.qq.com/group#!/12345");

    EXPECT_EQ(Site()->currentIndex(), SITE_TENCENT);
    EXPECT_FALSE(SubMode()->isHidden());
    EXPECT_EQ(SubMode()->currentIndex(), TENCENT_QQGROUP);
    EXPECT_EQ(SavePath()->currentText(), Q(save.Path()));
    EXPECT_EQ(Input()->count(), 1);
    EXPECT_EQ(Input()->itemText(0), "54321");
}

TEST_F(MainWindow, SiteDetectionWhileTyping) {
    Start();
    struct Case {
        const char* typed;
        int siteBefore;  // chosen by the user first
        int site;
        int subMode;  // -1: the sub-mode box is hidden
    } cases[] = {
        {"http://user.qzone.qq.com/12345", SITE_SINA, SITE_TENCENT, TENCENT_QZONE},
        // A QQ address that also holds the Tencent Weibo host.
        {"http://user.qzone.qq.com/12345?from=t.qq.com", SITE_BAIDU, SITE_TENCENT, TENCENT_WEIBO},
        {"http://t.qq.com/ann", SITE_TENCENT, SITE_TENCENT, TENCENT_WEIBO},
        {"http://qun.qzone.qq.com/group#!/777", SITE_TENCENT, SITE_TENCENT, TENCENT_QQGROUP},
        {"http://tieba.baidu.com/f?kw=cat", SITE_TENCENT, SITE_BAIDU, -1},
        {"http://photo.163.com/ann/", SITE_TENCENT, SITE_NETEASE, -1},
        {"http://blog.sina.com.cn/s/blog_1.html", SITE_TENCENT, SITE_SINA, -1},
        {"https://weibo.com/ann", SITE_TENCENT, SITE_SINA, -1},
        {"http://shop1.taobao.com/", SITE_TENCENT, SITE_SHOP, -1},
        {"http://detail.1688.com/offer/1.html", SITE_TENCENT, SITE_SHOP, -1},
        {"http://pp.pconline.com.cn/ann", SITE_TENCENT, SITE_PCONLINE, -1},
        {"http://my.hupu.com/ann", SITE_TENCENT, SITE_HUPU, -1},
        // No hit: the site type stays.
        {"http://item.jd.com/1.html", SITE_HUPU, SITE_HUPU, -1},
        {"12345", SITE_POCO, SITE_POCO, -1},
        {"user.qzone.qq.com/12345", SITE_YUPOO, SITE_YUPOO, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Site()->setCurrentIndex(c.siteBefore);
        emit Site()->activated(c.siteBefore);
        Type(c.typed);
        EXPECT_EQ(Site()->currentIndex(), c.site);
        EXPECT_EQ(window->SiteType(), c.site);
        EXPECT_EQ(SubMode()->isHidden(), c.subMode < 0);
        if (c.subMode >= 0) {
            EXPECT_EQ(SubMode()->currentIndex(), c.subMode);
        }
    }

    // A number typed after choosing the QQ group sub-mode keeps that sub-mode.
    Site()->setCurrentIndex(SITE_TENCENT);
    emit Site()->activated(SITE_TENCENT);
    SubMode()->setCurrentIndex(TENCENT_QQGROUP);
    Type("777");
    EXPECT_EQ(SubMode()->currentIndex(), TENCENT_QQGROUP);
}

TEST_F(MainWindow, TheInputBoxStartsBesideTheSubModeBoxOrWhereItStarts) {
    Start();
    QWidget* input = Input();
    QWidget* subMode = SubMode();
    ASSERT_FALSE(subMode->isHidden());
    const int subModeLeft = subMode->x();
    EXPECT_EQ(input->x(), subMode->geometry().right() + 1 + 3);
    const int right = input->geometry().right();

    Site()->setCurrentIndex(SITE_BAIDU);
    emit Site()->activated(SITE_BAIDU);
    QTest::qWait(20);
    EXPECT_TRUE(subMode->isHidden());
    EXPECT_EQ(input->x(), subModeLeft);
    EXPECT_EQ(input->geometry().right(), right);
}

TEST_F(MainWindow, AlbumListFromTheFixtureServerFillsTheGrid) {
    Start();
    ListAlbums(true);

    const GridData& grid = window->View().grid;
    EXPECT_EQ(Text(IDC_STAGE), "获取相册列表完成，共5个");
    EXPECT_EQ(Text(IDC_GROUP), "相册列表(共5个)");
    EXPECT_EQ(Text(IDC_LIST_BUTTON), "获取相册");
    EXPECT_TRUE(Control(IDC_DOWNLOAD_BUTTON)->isEnabled());
    EXPECT_TRUE(Control(IDC_SITE)->isEnabled());
    EXPECT_TRUE(Control(IDC_INPUT)->isEnabled());
    EXPECT_TRUE(Control(IDC_NOTICE)->isHidden());
    ASSERT_EQ(grid.RowCount(), 6);
    const char16_t* rows[][4] = {
        {u"0001", u"私密相册甲", u"  12", u"私密相册"}, {u"0002", u"Friends", u"   0", u"好友可见"},
        {u"0003", u"Locked", u"   7", u"加密相册"},     {u"0004", u"Open", u" 250", u""},
        {u"0005", u"Mates", u"   1", u"好友可见"},
    };
    for (int row = 1; row <= 5; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(grid.CellText(row, column), rows[row - 1][column]) << row << "," << column;
        }
    }
    // The input joined the history, in the box and in "soft.dat".
    auto* input = Control<CComboBox2>(IDC_INPUT);
    ASSERT_TRUE(WaitFor([input] { return input->count() == 1; }, 2000));
    EXPECT_EQ(input->itemText(0), "12345");
    ProgramSettings saved;
    saved.programDir = program.Path();
    ASSERT_TRUE(SettingsFile::Load(saved));
    EXPECT_EQ(saved.inputHistory[0], u"12345");
}

TEST_F(MainWindow, SelectAllAndDownloadTheSelectedRows) {
    Start();
    ListAlbums();
    JobControl& control = window->Job().control;
    GridData& grid = window->View().grid;

    Click(IDC_SELECT_ALL);
    for (int row = 1; row <= 5; ++row) {
        EXPECT_TRUE(grid.IsSelected(row, 0)) << row;
    }
    Click(IDC_SELECT_ALL);
    EXPECT_TRUE(grid.SelectedCells().empty());

    // "Friends" and "Open", the second and fourth rows.
    grid.SelectRows(2, 2);
    grid.SelectRows(4, 4);
    SavePath()->setEditText(Q(save.Path()));
    Click(IDC_DOWNLOAD_BUTTON);
    ASSERT_TRUE(WaitFor([&] { return control.downloadState == DL_IDLE && Text(IDC_STAGE) == "下载完毕"; }));

    EXPECT_EQ(PicturesIn(save.Path() + u"12345/Friends/").size(), 4u);
    EXPECT_EQ(PicturesIn(save.Path() + u"12345/Open/").size(), 4u);
    EXPECT_FALSE(FileSystem::Exists(save.Path() + u"12345/Locked"));
    EXPECT_FALSE(FileSystem::Exists(save.Path() + u"12345/私密相册甲"));
    EXPECT_EQ(Text(IDC_DOWNLOAD_BUTTON), "下载");
    EXPECT_TRUE(Control(IDC_LIST_BUTTON)->isEnabled());
    EXPECT_TRUE(Control(IDC_SAVE_PATH)->isEnabled());
}

TEST_F(MainWindow, DroppedFilesAndFoldersSetTheSavePathAndItsHistory) {
    Start();
    ASSERT_TRUE(FileSystem::CreateDirectories(save.Path() + u"album.2014"));
    ASSERT_TRUE(FileSystem::WriteFileAtomic(save.Path() + u"album.2014/README", "x"));
    ASSERT_TRUE(FileSystem::WriteFileAtomic(save.Path() + u"cat.jpg", "x"));
    struct Case {
        std::u16string dropped;
        std::u16string savePath;
        int historySize;
    } cases[] = {
        {save.Path() + u"cat.jpg", save.Path(), 1},
        // A folder with a full stop in its name, and a file without one in it.
        {save.Path() + u"album.2014", save.Path() + u"album.2014/", 2},
        {save.Path() + u"album.2014/README", save.Path() + u"album.2014/", 2},
        // The same folder again, in other letters: the history stays.
        {save.Path(), save.Path(), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CodePage::ToUtf8(c.dropped));
        Drop(Q(c.dropped));
        EXPECT_EQ(SavePath()->currentText(), Q(c.savePath));
        EXPECT_EQ(SavePath()->count(), c.historySize);
    }
    EXPECT_EQ(window->Job().settings.pathHistory[0], save.Path() + u"album.2014/");
    EXPECT_EQ(window->Job().settings.pathHistory[1], save.Path());
}

TEST_F(MainWindow, TheFolderBrowserSetsTheSavePath) {
    Start();
    QString title;
    QTimer::singleShot(100, [&] {
        auto* browser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(browser, nullptr);
        title = browser->windowTitle();
        browser->setDirectory(Q(save.Path()));
        browser->selectFile(Q(save.Path()));
        static_cast<QDialog*>(browser)->accept();
    });
    Click(IDC_CHOOSE_FOLDER);
    EXPECT_EQ(title, "请选择文件保存目录：");
    EXPECT_EQ(SavePath()->currentText(), Q(save.Path()));
    EXPECT_EQ(window->Job().settings.pathHistory[0], save.Path());
}

TEST_F(MainWindow, OpenShowsTheAlbumBeingDownloadedOrTheSavePath) {
    Start();
    SavePath()->setEditText(Q(save.Path()));
    Click(IDC_OPEN_FOLDER);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(Q(save.Path())));

    // While the worker pool fills an album folder, that folder.
    window->Events().PoolStarted(save.Path() + u"12345/Open/", 4);
    Click(IDC_OPEN_FOLDER);
    window->Events().PoolEnded(1, 4);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(Q(save.Path() + u"12345/Open/")));

    SavePath()->setEditText("");
    Click(IDC_OPEN_FOLDER);
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(MainWindow, MenuBarHasItsPopupsInOrderWithImportExportHidden) {
    Start();
    QList<QAction*> entries = window->MenuBar()->actions();
    QStringList titles;
    for (QAction* entry : entries) {
        titles << entry->text();
    }
    EXPECT_EQ(titles,
              QStringList({"<登录>", "<设置>", "<导入/导出>", "<辅助功能>", "             ", "<帮助>"}));
    EXPECT_TRUE(entries[0]->isEnabled());
    EXPECT_FALSE(entries[2]->isEnabled());
    EXPECT_FALSE(entries[2]->isVisible());
    EXPECT_TRUE(entries[3]->isVisible());
    EXPECT_FALSE(entries[4]->isEnabled());
    for (int id : {32781, 32782, 32789, 32790, 32791, 32792, 32793, 32794, 32803, 32813,
                   32815, 32795, 32778, 32779, 32802, 32804, 32799, 32800, 32774, 32812,
                   32808, 32814, 32776, 32811, 32809, 32810, 32807, 32806, 32775}) {
        QAction* action = window->MenuAction(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action->data().toInt(), id);
    }
}

TEST_F(MainWindow, OptionItemsFollowTheSiteTypeAndSaveAtOnce) {
    Start();
    auto* settings = qobject_cast<QMenu*>(window->MenuAction(MainMenu::ID_DOWNLOAD_SETTINGS)->parent());
    ASSERT_NE(settings, nullptr);
    auto shownFor = [&](int site) {
        Site()->setCurrentIndex(site);
        emit Site()->activated(site);
        emit settings->aboutToShow();
    };
    QAction* yupoo = window->MenuAction(MainMenu::ID_YUPOO_LARGE);
    QAction* mainOnly = window->MenuAction(MainMenu::ID_TAOBAO_MAIN_ONLY);
    QAction* descriptionOnly = window->MenuAction(MainMenu::ID_DESCRIPTION_ONLY);
    QAction* fixOrder = window->MenuAction(MainMenu::ID_FIX_ORDER);

    // The first run's defaults: Yupoo fixes the order and takes large pictures.
    shownFor(SITE_YUPOO);
    EXPECT_TRUE(yupoo->isEnabled());
    EXPECT_TRUE(yupoo->isChecked());
    EXPECT_TRUE(fixOrder->isChecked());
    EXPECT_FALSE(mainOnly->isEnabled());
    EXPECT_FALSE(descriptionOnly->isEnabled());

    shownFor(SITE_SHOP);
    EXPECT_FALSE(yupoo->isEnabled());
    EXPECT_TRUE(mainOnly->isEnabled());
    descriptionOnly->trigger();
    mainOnly->trigger();
    EXPECT_TRUE(mainOnly->isChecked());
    EXPECT_FALSE(descriptionOnly->isChecked());

    ProgramSettings saved;
    saved.programDir = program.Path();
    ASSERT_TRUE(SettingsFile::Load(saved));
    EXPECT_EQ(saved.siteSettings[SITE_SHOP].naming.options & (OPT_TAOBAO_MAIN_ONLY | OPT_DESCRIPTION_ONLY),
              OPT_TAOBAO_MAIN_ONLY);
    EXPECT_EQ(saved.siteSettings[SITE_TENCENT].naming.options & OPT_TAOBAO_MAIN_ONLY, 0);
}

TEST_F(MainWindow, HelpItemsOpenTheGuideThatShipsAndAboutShowsTheVersion) {
    Start();
    // A guide in the current folder is not the program's: it is never opened.
    TempDir elsewhere;
    ASSERT_TRUE(FileSystem::CreateDirectories(elsewhere.Path() + u"guide"));
    ASSERT_TRUE(FileSystem::WriteFileAtomic(elsewhere.Path() + u"guide/guide.html", "not ours"));
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Q(elsewhere.Path())));
    window->MenuAction(MainMenu::ID_HELP)->trigger();
    window->MenuAction(MainMenu::ID_FILE_TOOLS)->trigger();
    QDir::setCurrent(current);
    ASSERT_EQ(opened.size(), 2u);
    ASSERT_TRUE(opened[0].isLocalFile());
    const QString guide = opened[0].toLocalFile();
    EXPECT_TRUE(guide.endsWith("/guide/guide.html")) << guide.toStdString();
    EXPECT_FALSE(guide.startsWith(Q(elsewhere.Path()))) << guide.toStdString();
    std::string html;
    ASSERT_TRUE(FileSystem::ReadFile(guide.toStdU16String(), html));
    for (const char* part : {"使用说明", "id=\"sites\"", "id=\"login\"", "id=\"settings\"", "id=\"files\""}) {
        EXPECT_NE(html.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(opened[1].fragment(), "files");
    EXPECT_EQ(opened[1].adjusted(QUrl::RemoveFragment), opened[0]);

    QString version;
    QTimer::singleShot(100, [&] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        version = about->findChild<QLabel*>("version")->text();
        about->accept();
    });
    window->MenuAction(MainMenu::ID_ABOUT)->trigger();
    EXPECT_EQ(version, "版本号：14.06.20.01");
}

TEST_F(MainWindow, TheLoginMenuKeepsOneWindowAndTakesTheQqNumber) {
    Start();
    Type("12345");
    window->MenuAction(32781)->trigger();
    QPointer<CDlgWebOpen> first = window->MenuLoginWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->AddressBox()->text(), "http://user.qzone.qq.com/12345");

    // The next choice replaces the window that is still open.
    SubMode()->setCurrentIndex(TENCENT_QQGROUP);
    window->MenuAction(32781)->trigger();
    QTest::qWait(20);
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(window->MenuLoginWindow(), nullptr);
    EXPECT_EQ(window->MenuLoginWindow()->AddressBox()->text(), "http://user.qzone.qq.com/");
    EXPECT_EQ(window->findChildren<CDlgWebOpen*>().size(), 1);
}

TEST_F(MainWindow, AJobWaitsForTheLoginBrowserUntilItCloses) {
    Start();
    std::atomic<bool> returned{false};
    const std::u16string url = server.BaseUrl16() + u"/verify";
    std::thread job([&] {
        window->Events().Login(url);
        returned = true;
    });
    // The browser runs modally inside the event loop, so it is answered from a timer there.
    // It stays open a while first: the job must still be waiting then.
    QString address;
    bool waitedWhileOpen = false;
    int ticksOpen = 0;
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* login = qobject_cast<CDlgWebOpen*>(QApplication::activeModalWidget());
        if (login == nullptr || ++ticksOpen < 5) {
            return;
        }
        address = login->AddressBox()->text();
        waitedWhileOpen = !returned;
        closer.stop();
        login->close();
    });
    closer.start();
    EXPECT_TRUE(WaitFor([&] { return returned.load(); }, 10000));
    closer.stop();
    EXPECT_EQ(address, Q(url));
    EXPECT_TRUE(waitedWhileOpen);
    job.join();
}

TEST_F(MainWindow, ClosingReleasesAJobWaitingForAnAnswer) {
    Start();
    // A job's question waits for the window's answer.
    QtJobEvents& events = window->Events();
    std::atomic<bool> answered{false};
    std::atomic<bool> answer{true};
    std::thread job([&] {
        answer = events.Ask(u"继续吗？", u"");
        answered = true;
    });
    for (int i = 0; i < 500 && events.WaitingCalls() == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(events.WaitingCalls(), 1);

    QElapsedTimer timer;
    timer.start();
    window->close();
    EXPECT_LT(timer.elapsed(), CVeyraDlg::CLOSE_WAIT.count());
    EXPECT_FALSE(window->isVisible());
    job.join();
    EXPECT_TRUE(answered);
    EXPECT_FALSE(answer);  // the default answer
    EXPECT_TRUE(window->Controller().Shutdown(std::chrono::milliseconds(0)));
    // The answer that was never given is not asked afterwards either.
    QTest::qWait(50);
    EXPECT_EQ(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()), nullptr);
}

// A notice asks nothing: the job goes on while it shows, and the window stays usable.
TEST_F(MainWindow, ANoticeDoesNotHoldTheJob) {
    Start();
    // Letters among the digits: the job tells the user and ends.
    Input()->setEditText("12a45");
    Click(IDC_LIST_BUTTON);
    ASSERT_TRUE(WaitFor([this] { return MessageBoxes::VisibleNotice() != nullptr; }, 5000));
    QMessageBox* notice = MessageBoxes::VisibleNotice();
    EXPECT_TRUE(WaitFor([this] { return window->Job().control.listState == LIST_IDLE; }, 5000));
    EXPECT_EQ(window->Events().WaitingCalls(), 0);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_FALSE(notice->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(Control(IDC_LIST_BUTTON)->isEnabled());
    notice->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(WaitFor([] { return MessageBoxes::VisibleNotice() == nullptr; }, 2000));
}

TEST_F(MainWindow, ClosingStopsARunningListAndWaitsForIt) {
    server.Handle(kAlbumList, [this](const FixtureRequest&, FixtureReply& reply) {
        server.Pause(std::chrono::milliseconds(800));
        reply.body = Gbk(Fixture("qzone_albums.jsonp"));
    });
    Start();
    Type("12345");
    Click(IDC_LIST_BUTTON);
    ASSERT_TRUE(WaitFor([this] { return !server.RequestsTo("/GetRoute").empty(); }));

    window->close();
    // The job saw the stop after the page came; nothing runs any more, and the window can go.
    EXPECT_EQ(window->Job().control.listState, LIST_IDLE);
    EXPECT_TRUE(window->Controller().Shutdown(std::chrono::milliseconds(0)));
    window.reset();
}

}  // namespace

namespace {

// The input history as an earlier run left it in the program folder.
bool KeepInInputHistory(const std::u16string& programDir, const std::u16string& input) {
    ProgramSettings saved;
    saved.programDir = programDir;
    SettingsFile::Load(saved);
    saved.inputHistory[0] = input;
    return SettingsFile::Save(saved);
}

TEST_F(MainWindow, TheHistoryListTakesNeitherTheFirstClickNorTheFirstEnter) {
    ASSERT_TRUE(KeepInInputHistory(program.Path(), u"12345"));
    Start();
    auto* input = Control<CComboBox2>(IDC_INPUT);
    input->lineEdit()->setFocus();
    // Enter from the keyboard reaches the box, which has the focus for its edit; sent to the edit
    // itself it must work too.
    enum { EnterInBox, EnterInEdit, Click };
    for (int way : {EnterInBox, EnterInEdit, Click}) {
        SCOPED_TRACE(way == EnterInBox    ? "Enter in the box"
                     : way == EnterInEdit ? "Enter in the edit"
                                          : "click");
        Type("1234");
        ASSERT_TRUE(input->SuggestionsShown());
        if (way == EnterInBox) {
            QTest::keyClick(input, Qt::Key_Return);
            // Closed at once, not when the list has ended.
            EXPECT_FALSE(input->SuggestionsShown());
        } else if (way == EnterInEdit) {
            QTest::keyClick(input->lineEdit(), Qt::Key_Return);
        } else {
            QTest::mouseClick(Control<QPushButton>(IDC_LIST_BUTTON), Qt::LeftButton);
        }
        ASSERT_TRUE(WaitFor(
            [this] {
                return window->Job().control.listState == LIST_IDLE &&
                       Text(IDC_STAGE) == "获取相册列表完成，共5个";
            },
            5000));
        EXPECT_FALSE(input->SuggestionsShown());
        Control<QLabel>(IDC_STAGE)->setText(QString());
        // The job's last steps (the history) are done before the button is pressed again, which
        // would otherwise be a stop.
        window->Controller().WaitForJobs();
        QTest::qWait(20);
    }
}

}  // namespace

namespace {

TEST_F(MainWindow, EscapeClosesTheSuggestionsButNeverTheWindow) {
    ASSERT_TRUE(KeepInInputHistory(program.Path(), u"12345"));
    Start();
    bool finished = false;
    QObject::connect(window.get(), &QDialog::finished, [&finished] { finished = true; });
    auto* input = Control<CComboBox2>(IDC_INPUT);
    input->lineEdit()->setFocus();

    // The suggestion list takes the first Escape; the keyboard sends it to the box.
    Type("1234");
    ASSERT_TRUE(input->SuggestionsShown());
    QTest::keyClick(input, Qt::Key_Escape);
    EXPECT_FALSE(input->SuggestionsShown());
    // Further ones, to the box, to the window and during a list, go nowhere.
    QTest::keyClick(input, Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    Type("12345");
    Click(IDC_LIST_BUTTON);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QTest::qWait(20);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(finished);
    ASSERT_TRUE(WaitFor([this] { return window->Job().control.listState == LIST_IDLE; }));

    // A dialog of the window still closes on Escape.
    bool dialogClosed = false;
    QTimer::singleShot(50, [&dialogClosed] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            QTest::keyClick(modal, Qt::Key_Escape);
            dialogClosed = !modal->isVisible();
        }
    });
    QDialog dialog(window.get());
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(dialogClosed);
    EXPECT_TRUE(window->isVisible());

    // The keyboard's quit shortcut does close it.
    auto* quit = window->findChild<QShortcut*>("quitShortcut");
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->key(), QKeySequence(QKeySequence::Quit));
    emit quit->activated();
    EXPECT_TRUE(WaitFor([&] { return finished && !window->isVisible(); }, 5000));
}

TEST_F(MainWindow, TheSplashComesFirstAndGoesOnlyOnceTheWindowHasPainted) {
    // Every top-level window's shows, paints and hides, in order.
    // Only this start's splash counts: an earlier test's may still be fading out.
    struct Recorder : QObject {
        QStringList events;
        QObject* splash = nullptr;
        bool eventFilter(QObject* watched, QEvent* event) override {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget == nullptr || !widget->isWindow()) {
                return false;
            }
            const QString name = widget->objectName();
            if (name == "splash" && splash == nullptr && event->type() == QEvent::Show) {
                splash = widget;
            }
            if ((name != "splash" || widget != splash) && name != "d102") {
                return false;
            }
            if (event->type() == QEvent::Show) {
                events << name + " shown";
            } else if (event->type() == QEvent::Paint && widget->isVisible() &&
                       !events.contains(name + " painted")) {
                events << name + " painted";
            } else if (event->type() == QEvent::Hide || event->type() == QEvent::Close) {
                if (!events.contains(name + " gone")) {
                    events << name + " gone";
                }
            }
            return false;
        }
    } recorder;
    qApp->installEventFilter(&recorder);
    Start();
    EXPECT_TRUE(WaitFor([&] { return recorder.events.contains("splash gone"); }, 5000));
    qApp->removeEventFilter(&recorder);

    const QStringList& events = recorder.events;
    ASSERT_TRUE(events.contains("d102 shown")) << events.join(", ").toStdString();
    EXPECT_EQ(events.value(0), "splash shown") << events.join(", ").toStdString();
    EXPECT_LT(events.indexOf("splash painted"), events.indexOf("d102 shown"));
    EXPECT_LT(events.indexOf("d102 shown"), events.indexOf("d102 painted"));
    EXPECT_LT(events.indexOf("d102 painted"), events.indexOf("splash gone"))
        << events.join(", ").toStdString();
}

TEST_F(MainWindow, ThousandsOfThumbnailsShowAtOnceAndTheirCoversComeInParallel) {
    constexpr int kAlbums = 2000;
    constexpr int kThreads = 8;
    constexpr auto kCoverTime = std::chrono::milliseconds(10);
    std::atomic<int> fetching{0};
    std::atomic<int> mostAtOnce{0};
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    server.Handle("/cover.png", [&, body = png.toStdString()](const FixtureRequest&, FixtureReply& reply) {
        const int now = ++fetching;
        int most = mostAtOnce.load();
        while (now > most && !mostAtOnce.compare_exchange_weak(most, now)) {
        }
        server.Pause(kCoverTime);
        --fetching;
        reply.contentType = "image/png";
        reply.body = body;
    });
    Start();
    window->Job().settings.Slot(window->SiteType()).download.threadCount = kThreads;
    // Listed as a job lists them, in the row layout.
    for (int k = 0; k < kAlbums; ++k) {
        ST_PERLISTRECORD album;
        album.name = u"相册";
        album.coverUrl = server.BaseUrl16() + u"/cover.png?k=" + StringCtrl::Format(u"%d", {k});
        EmitAlbum(album, window->Job().list, window->Events());
    }
    AlbumView& view = window->View();
    ASSERT_TRUE(WaitFor([&] { return view.grid.RowCount() == kAlbums + 1; }));

    QElapsedTimer clock;
    clock.start();
    Click(IDC_PREVIEW);
    window->Grid().WaitForSwitch();
    // Every album's cell is there as soon as the switch ends, long before the covers.
    ASSERT_EQ(view.grid.RowCount(), (kAlbums + THUMBS_PER_ROW - 1) / THUMBS_PER_ROW);
    int placeholders = 0;
    for (int k = 0; k < kAlbums; ++k) {
        const GridCell cell = view.grid.Cell(k / THUMBS_PER_ROW, k % THUMBS_PER_ROW);
        ASSERT_EQ(cell.itemData, k);
        ASSERT_TRUE(cell.imageAboveText);
        placeholders += cell.image == -1 ? 1 : 0;
    }
    EXPECT_GT(placeholders, kAlbums / 2);
    EXPECT_TRUE(Control<QCheckBox>(IDC_PREVIEW)->isChecked());

    // They fill in as they come, several at a time but no more than the download's threads.
    ASSERT_TRUE(window->Covers().WaitUntilIdle(std::chrono::seconds(60)));
    const auto elapsed = std::chrono::milliseconds(clock.elapsed());
    for (int k = 0; k < kAlbums; ++k) {
        ASSERT_GE(view.grid.Cell(k / THUMBS_PER_ROW, k % THUMBS_PER_ROW).image, 0) << k;
    }
    EXPECT_EQ(server.RequestsTo("/cover.png").size(), static_cast<std::size_t>(kAlbums));
    EXPECT_GT(mostAtOnce.load(), 1);
    EXPECT_LE(mostAtOnce.load(), kThreads);
    // One at a time they would take kAlbums * kCoverTime at the least.
    EXPECT_LT(elapsed, kAlbums * kCoverTime / 2);

    // Back to rows in one click, and thumbnails again without a single fetch.
    server.ClearRequests();
    Click(IDC_PREVIEW);
    window->Grid().WaitForSwitch();
    EXPECT_EQ(view.previewMode.load(), 0);
    EXPECT_EQ(view.grid.RowCount(), kAlbums + 1);
    Click(IDC_PREVIEW);
    window->Grid().WaitForSwitch();
    for (int k = 0; k < kAlbums; ++k) {
        ASSERT_GE(view.grid.Cell(k / THUMBS_PER_ROW, k % THUMBS_PER_ROW).image, 0) << k;
    }
    EXPECT_TRUE(server.RequestsTo("/cover.png").empty());
}

TEST_F(MainWindow, TheProgramsLocaleIsChinese) {
    // Qt's models and formats (the file dialog's type and date columns) follow the default locale.
    EXPECT_EQ(QLocale().language(), QLocale::Chinese);
    EXPECT_EQ(QLocale().territory(), QLocale::China);
    const QDate date(2024, 3, 5);
    EXPECT_EQ(QLocale().toString(date, QLocale::ShortFormat),
              QLocale(QLocale::Chinese, QLocale::China).toString(date, QLocale::ShortFormat));
    // The login browser's engine starts in Chinese.
    EXPECT_NE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").indexOf("--lang=zh-CN"), -1);
}

TEST_F(MainWindow, QtsOwnTextsAreChinese) {
    EXPECT_TRUE(CVeyraApp::LoadQtTranslations(QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), "确定");
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&Yes").startsWith("是"));
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&No").startsWith("否"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "取消");
    // The folder browser's own words, its type column too.
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
    EXPECT_EQ(QAbstractFileIconProvider().type(QFileInfo(QDir::tempPath())), QStringLiteral("文件夹"));
}

TEST_F(MainWindow, ADownloadShowsItsProgressMarksItsAlbumAndListsTheFailures) {
    Start();
    ListAlbums();
    JobControl& control = window->Job().control;
    GridData& grid = window->View().grid;
    QProgressBar* bar = window->ProgressBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 1);
    EXPECT_EQ(bar->value(), 1);

    // "Friends" and "Open", albums 1 and 3, in rows 2 and 4.
    grid.SelectRows(2, 2);
    grid.SelectRows(4, 4);
    SavePath()->setEditText(Q(save.Path()));

    // The fourth photo of every album has gone from the site.
    server.Handle("/psb", [](const FixtureRequest& request, FixtureReply& reply) {
        if (request.target.find("/p4/") != std::string::npos) {
            reply.status = 404;
            reply.body = "<html>gone</html>";
            return;
        }
        reply.contentType = "image/jpeg";
        reply.body = PictureBytes(request.target);
    });

    std::vector<int> values;
    std::vector<int> markedRows;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        values.push_back(value);
        const int marked = window->Grid().Model().MarkedRow();
        if (marked >= 0 && (markedRows.empty() || markedRows.back() != marked)) {
            markedRows.push_back(marked);
        }
    });
    Click(IDC_DOWNLOAD_BUTTON);
    ASSERT_TRUE(WaitFor([&] { return control.downloadState == DL_IDLE && Text(IDC_STAGE) == "下载完毕"; }));
    QTest::qWait(50);

    EXPECT_EQ(bar->maximum(), 2 * JobProgress::ALBUM_UNITS);
    EXPECT_EQ(bar->value(), 2 * JobProgress::ALBUM_UNITS);
    EXPECT_EQ(bar->format(), "下载完毕：2个相册");
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_NE(std::find(values.begin(), values.end(), JobProgress::ALBUM_UNITS), values.end());
    // Each album's row was marked while it was downloaded, and none is now.
    EXPECT_EQ(markedRows, std::vector<int>({2, 4}));
    EXPECT_EQ(window->Grid().Model().MarkedRow(), -1);

    // The outcome columns carry the job's counts.
    const std::u16string done = grid.CellText(2, 4);
    EXPECT_EQ(done.rfind(u"完成 ", 0), 0u) << CodePage::ToUtf8(done);
    EXPECT_NE(done, u"完成 0");
    EXPECT_EQ(grid.CellText(2, 5), u"失败 1");
    EXPECT_EQ(grid.CellText(4, 5), u"失败 1");
    EXPECT_EQ(grid.CellText(3, 4), u"");  // not downloaded
    EXPECT_GT(grid.ColumnWidth(4), 0);
    EXPECT_FALSE(window->Grid().isColumnHidden(4));
    window->ShowAlbumOutcome(3, {4, 0, 0});
    EXPECT_EQ(grid.CellText(4, 4), u"完成 4");
    EXPECT_EQ(grid.CellText(4, 5), u"");

    // The failed pictures are listed with their album and reason, without blocking the window.
    CDlgFailedPictures* failed = window->FailedPicturesWindow();
    ASSERT_NE(failed, nullptr);
    EXPECT_TRUE(failed->isVisible());
    EXPECT_FALSE(failed->isModal());
    ASSERT_EQ(failed->RowCount(), 2);
    EXPECT_EQ(failed->Row(0),
              QStringList({"Friends", "http://a1.photo.store.qq.com/psb?/A/p4/b/", "HTTP 404"}));

    // The outcomes outlive a filter's rebuild and go with the next album list.
    window->View().filterText = u"Friends";
    Rebuild(window->View(), window->Job().list.albums, nullptr);
    emit window->Grid().rebuilt();
    QTest::qWait(20);
    EXPECT_EQ(grid.CellText(1, 4), done);
    failed->close();
    ListAlbums();
    EXPECT_EQ(grid.CellText(2, 4), u"");
    EXPECT_EQ(grid.ColumnWidth(4), 0);
}

TEST_F(MainWindow, ASwitchOfLayoutKeepsTheSelectedAlbums) {
    Start();
    ListAlbums();
    AlbumView& view = window->View();
    view.grid.SelectRows(2, 2);
    view.grid.SelectRows(4, 4);
    window->Grid().Sync();
    for (bool thumbnails : {true, false}) {
        SCOPED_TRACE(thumbnails ? "to thumbnails" : "to rows");
        Click(IDC_PREVIEW);
        ASSERT_TRUE(WaitFor([&] { return view.modeSwitch == MODE_SWITCH_IDLE; }));
        QTest::qWait(30);
        EXPECT_EQ(view.previewMode.load(), thumbnails ? 1 : 0);
        EXPECT_EQ(SelectedAlbumIndices(view, window->Job().list.albums), std::vector<int>({1, 3}));
        EXPECT_EQ(window->Grid().selectionModel()->selectedIndexes().size(), thumbnails ? 2 : 2 * 6);
    }
}

TEST_F(MainWindow, TheGroupTitleCountsTheRowsTheFilterLeaves) {
    Start();
    ListAlbums();
    struct Case {
        const char* keyword;
        const char* title;
    } cases[] = {
        {"en", "相册列表(共5个，显示2个)"},  // Friends, Open
        {"ck", "相册列表(共5个，显示1个)"},
        {"", "相册列表(共5个)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyword);
        QString caption;
        QTimer::singleShot(50, [&] {
            auto* filter = qobject_cast<CDlgFind*>(QApplication::activeModalWidget());
            ASSERT_NE(filter, nullptr);
            caption = filter->findChild<QLabel*>("caption")->text();
            filter->findChild<QLineEdit*>("c1639")->setText(c.keyword);
            filter->findChild<QPushButton*>("c1006")->click();
        });
        emit Control<QLabel>(IDC_FILTER)->linkActivated("#");
        EXPECT_EQ(caption, "相册筛选");
        EXPECT_EQ(Text(IDC_GROUP), c.title);
    }
}

TEST_F(MainWindow, AMessageBoxIsWideEnoughForItsTitle) {
    Start();
    const std::u16string title = u"这是一个相当长的标题，用来看消息框够不够宽";
    int width = 0;
    int titleWidth = 0;
    window->Events().Notice(u"好", title);
    QMessageBox* box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = MessageBoxes::VisibleNotice()) != nullptr; }, 2000));
    width = box->width();
    titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
    box->accept();
    EXPECT_GT(titleWidth, 0);
    EXPECT_GE(width, titleWidth + 100);
}

}  // namespace

namespace {

TEST_F(MainWindow, TheAlbumButtonDoesNothingUntilTheStartUpHasFinished) {
    window = std::make_unique<CVeyraDlg>();
    EXPECT_FALSE(window->Ready());
    Input()->setEditText("12345");
    Control<QPushButton>(IDC_LIST_BUTTON)->click();
    QTest::qWait(50);
    EXPECT_FALSE(window->Controller().ListRunning());
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_EQ(Text(IDC_LIST_BUTTON), "获取相册");

    QGuiApplication::clipboard()->setText(QString());
    window->StartUp(program.Path());
    ASSERT_TRUE(WaitFor([this] { return window->isVisible() && window->Ready(); }, 10000));
    ASSERT_TRUE(WaitFor([this] { return Site()->count() == SITE_TYPE_COUNT; }, 2000));
    ListAlbums();
    EXPECT_EQ(window->Job().list.albums.Size(), 5u);
}

// The controls follow the jobs' Busy and Idle events alone: what could start another job, or change
// what the busy one reads, is off while it is busy, and its button is its stop button.
TEST_F(MainWindow, TheJobsBusyAndIdleEventsSwitchTheControls) {
    Start();
    ListAlbums();
    struct Case {
        JobKind job;
        int button;
        const char* busyText;
        const char* idleText;
        std::vector<int> offWhileBusy;
    } cases[] = {
        {JobKind::List,
         IDC_LIST_BUTTON,
         "终止获取",
         "获取相册",
         {IDC_SITE, IDC_SUBMODE, IDC_DOWNLOAD_BUTTON, IDC_INPUT, IDC_PREVIEW, IDC_FIND, IDC_FILTER,
          IDC_EXPORT}},
        {JobKind::Download,
         IDC_DOWNLOAD_BUTTON,
         "终止下载",
         "下载",
         {IDC_SITE, IDC_SUBMODE, IDC_LIST_BUTTON, IDC_CHOOSE_FOLDER, IDC_INPUT, IDC_SAVE_PATH}},
    };
    const int controls[] = {
        IDC_SITE,      IDC_SUBMODE,       IDC_INPUT,       IDC_LIST_BUTTON, IDC_DOWNLOAD_BUTTON,
        IDC_SAVE_PATH, IDC_CHOOSE_FOLDER, IDC_OPEN_FOLDER, IDC_PREVIEW,     IDC_FIND,
        IDC_FILTER,    IDC_EXPORT,        IDC_SELECT_ALL};
    JobEvents& events = window->Events();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.busyText);
        events.Busy(c.job);
        for (int id : controls) {
            const bool off =
                std::find(c.offWhileBusy.begin(), c.offWhileBusy.end(), id) != c.offWhileBusy.end();
            EXPECT_EQ(Control(id)->isEnabled(), !off) << id;
        }
        EXPECT_EQ(Text(c.button), c.busyText);
        EXPECT_TRUE(window->ProgressBar()->isVisible());
        if (c.job == JobKind::List) {
            EXPECT_EQ(Text(IDC_GROUP), "相册列表");
            EXPECT_EQ(window->ProgressBar()->maximum(), 0);  // busy, no known end
        }

        events.Idle(c.job);
        for (int id : controls) {
            EXPECT_TRUE(Control(id)->isEnabled()) << id;
        }
        EXPECT_EQ(Text(c.button), c.idleText);
        EXPECT_EQ(Text(IDC_GROUP), "相册列表(共5个)");
    }
    // A list that ends without albums leaves nothing to download.
    window->Job().list.albums.Clear();
    events.Busy(JobKind::List);
    events.Idle(JobKind::List);
    EXPECT_FALSE(Control(IDC_DOWNLOAD_BUTTON)->isEnabled());
    EXPECT_EQ(Text(IDC_GROUP), "相册列表(共0个)");
}

// The pool tells how many of its pictures are on disk; the bar moves with that and with nothing
// else the progress line shows.
TEST_F(MainWindow, TheBarFollowsThePoolsPicturesAndNoOtherText) {
    Start();
    JobEvents& events = window->Events();
    events.Busy(JobKind::Download);
    events.AlbumStarted(0, 1, 1);
    struct Case {
        std::u16string text;
        bool pictures;  // a pool line with its counts; otherwise a progress text
        int saved;
        int total;
    } cases[] = {
        {u"已下载37/118......", true, 37, 118},   {u"已下载0/1......", true, 0, 1},
        {u"已开始下载图片", false, 0, 0},         {u"......", false, 0, 0},
        {u"正在下载第2/5个图集", false, 0, 0},    {u"已下载3/x......", false, 0, 0},
        {u"已下载118/118......", true, 118, 118}, {u"下载完毕", false, 0, 0},
    };
    QProgressBar* bar = window->ProgressBar();
    int value = bar->value();
    for (const Case& c : cases) {
        SCOPED_TRACE(CodePage::ToUtf8(c.text));
        if (c.pictures) {
            events.PoolProgress(c.text, c.saved, c.total);
            value = JobProgress::ALBUM_UNITS * c.saved / c.total;
            EXPECT_EQ(bar->format(), QStringLiteral("第1/1个相册：%1/%2张").arg(c.saved).arg(c.total));
        } else {
            events.ProgressText(c.text);
        }
        EXPECT_EQ(Text(IDC_PROGRESS), Q(c.text));
        EXPECT_EQ(bar->maximum(), JobProgress::ALBUM_UNITS);
        EXPECT_EQ(bar->value(), value);
    }
    events.Idle(JobKind::Download);
}

TEST_F(MainWindow, AnItemPagesOneAlbumIsDownloadedAtOnce) {
    // The account lists one album, "Open".
    std::string albums = Fixture("qzone_albums.jsonp");
    const std::size_t first = albums.find("{\n            \"id\" : \"V11private\"");
    const std::size_t open = albums.find("{\n            \"id\" : \"V14open\"");
    const std::size_t afterOpen = albums.find("},", open);
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(afterOpen, std::string::npos);
    const std::size_t end = albums.find(']', afterOpen);
    albums =
        albums.substr(0, first) + albums.substr(open, afterOpen + 1 - open) + "\n      " + albums.substr(end);
    server.Serve(kAlbumList, Gbk(albums));
    Start();
    ListAlbums();
    ASSERT_EQ(window->Job().list.albums.Size(), 1u);
    SavePath()->setEditText(Q(save.Path()));

    // A list that ends as lists do starts nothing.
    window->Events().ListEnded(1, false);
    QTest::qWait(20);
    EXPECT_EQ(window->Controller().DownloadsStarted(), 0);
    EXPECT_EQ(Text(IDC_DOWNLOAD_BUTTON), "下载");

    // An item page's list: its album is selected and downloaded as the download button would.
    window->Events().ListEnded(1, true);
    EXPECT_EQ(window->Controller().DownloadsStarted(), 1);
    EXPECT_EQ(SelectedAlbumIndices(window->View(), window->Job().list.albums), std::vector<int>({0}));
    ASSERT_TRUE(WaitFor(
        [this] { return window->Job().control.downloadState == DL_IDLE && Text(IDC_STAGE) == "下载完毕"; }));
    EXPECT_EQ(PicturesIn(save.Path() + u"12345/Open/").size(), 4u);
    EXPECT_EQ(Text(IDC_DOWNLOAD_BUTTON), "下载");
}

// Settings and cookies that cannot be kept are told once the window shows, naming what cannot be
// written: the folder itself, or a file in it that is a folder.
TEST_F(MainWindow, AProgramFolderThatCannotBeWrittenIsTold) {
    struct Case {
        const char16_t* blocked;  // made a folder in the program folder; empty: none
        const char16_t* folder;   // the program folder below a temporary folder
        const char16_t* part;     // what the notice names, below the temporary folder
        const char* start;        // how the notice starts
    } cases[] = {
        {u"soft.dat", u"", u"soft.dat", "无法写入程序文件夹中的 "},
        {u"cookies.txt", u"", u"cookies.txt", "无法写入程序文件夹中的 "},
        // A folder below a file can never be made.
        {u"", u"file/program/", u"file/program/", "无法写入程序文件夹 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CodePage::ToUtf8(c.part));
        TempDir place;
        const std::u16string folder = place.Path() + c.folder;
        if (*c.blocked != 0) {
            ASSERT_TRUE(FileSystem::CreateDirectories(folder + c.blocked));
        } else {
            ASSERT_TRUE(FileSystem::WriteFileAtomic(place.Path() + u"file", "x"));
        }
        MessageBoxes boxes;
        Start(QString(), folder);
        ASSERT_TRUE(WaitFor([&] { return !boxes.All().empty(); }, 3000));
        QTest::qWait(50);
        ASSERT_EQ(boxes.All().size(), 1u);
        const MessageBoxes::Shown& shown = boxes.All().front();
        EXPECT_EQ(shown.caption, "提示");
        EXPECT_EQ(shown.text, QString::fromUtf8(c.start) + Q(place.Path() + c.part) +
                                  QStringLiteral("，设置和 Cookie 将无法保存"));
        window.reset();
    }

    // A folder that keeps everything is not told about.
    MessageBoxes boxes;
    Start();
    QTest::qWait(100);
    EXPECT_TRUE(boxes.All().empty());
}

// Without a file manager or a browser, "打开" and the guide say so and where the folder or the
// page is, instead of doing nothing.
TEST_F(MainWindow, WhatNothingOpensIsToldWithItsPlace) {
    Start();
    opens = false;
    SavePath()->setEditText(Q(save.Path()));
    struct Case {
        std::function<void()> press;
        const char* says;
    } cases[] = {
        {[this] { Click(IDC_OPEN_FOLDER); }, "文件管理器"},
        {[this] { window->MenuAction(MainMenu::ID_HELP)->trigger(); }, "浏览器"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        opened.clear();
        c.press();
        ASSERT_EQ(opened.size(), 1u);
        QMessageBox* box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = MessageBoxes::VisibleNotice()) != nullptr; }, 2000));
        EXPECT_TRUE(box->text().contains(QString::fromUtf8(c.says))) << box->text().toStdString();
        EXPECT_TRUE(box->text().contains(opened[0].toLocalFile())) << box->text().toStdString();
        box->close();
        ASSERT_TRUE(WaitFor([] { return MessageBoxes::VisibleNotice() == nullptr; }, 2000));
    }
    // What opens is not talked about.
    opens = true;
    Click(IDC_OPEN_FOLDER);
    QTest::qWait(50);
    EXPECT_EQ(MessageBoxes::VisibleNotice(), nullptr);
}

// The export's file dialog starts in the save folder with a name from the owner and the day.
TEST_F(MainWindow, TheCsvExportStartsInTheSaveFolderWithTheOwnersName) {
    Start();
    ListAlbums();
    SavePath()->setEditText(Q(save.Path()));
    QString folder;
    QString file;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        watcher.stop();
        folder = dialog->directory().absolutePath();
        file = dialog->selectedFiles().value(0);
        dialog->reject();
    });
    watcher.start();
    emit Control<QLabel>(IDC_EXPORT)->linkActivated(QStringLiteral("#"));
    const QString day = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    EXPECT_EQ(folder, QDir(Q(save.Path())).absolutePath());
    const QString owner = Q(window->Job().list.ownerName).remove(QLatin1Char('/'));
    ASSERT_FALSE(owner.isEmpty());
    EXPECT_EQ(QFileInfo(file).fileName(), owner + QLatin1Char('_') + day + QStringLiteral(".csv"));
    EXPECT_EQ(QFileInfo(file).absolutePath(), folder);
}

// A stop says at once that it is stopping; the pictures it left are "未下载", not failures; the
// album's old outcome goes when its download starts; the window ends with the job's counts.
TEST_F(MainWindow, AStopCountsTheUntriedPicturesApartAndANewDownloadClearsTheOldOutcome) {
    Start();
    ListAlbums();
    // One picture at a time, each taking a while: the stop lands among them.
    window->Job().settings.Slot(SITE_TENCENT).download.threadCount = 1;
    std::atomic<int> asked{0};
    for (const char* path : {"/psb", "/psbe"}) {
        server.Handle(path, [&asked](const FixtureRequest& request, FixtureReply& reply) {
            ++asked;
            reply.contentType = "image/jpeg";
            const std::string bytes = PictureBytes(request.target);
            reply.declaredLength = static_cast<std::int64_t>(bytes.size());
            reply.stream = [bytes](FixtureStream& stream) {
                if (stream.Pause(std::chrono::milliseconds(400))) {
                    stream.Write(bytes);
                }
            };
        });
    }
    GridData& grid = window->View().grid;
    // "Friends", album 1 in row 2, shows what an earlier download left.
    window->ShowAlbumOutcome(1, {24, 16, 0});
    EXPECT_EQ(grid.CellText(2, 4), u"完成 24");
    EXPECT_EQ(grid.CellText(2, 5), u"失败 16");
    grid.SelectRows(2, 2);
    SavePath()->setEditText(Q(save.Path()));

    Click(IDC_DOWNLOAD_BUTTON);
    ASSERT_TRUE(WaitFor([&] { return asked.load() >= 1; }, 10000));
    QTest::qWait(50);
    EXPECT_EQ(grid.CellText(2, 4), u"");
    EXPECT_EQ(grid.CellText(2, 5), u"");

    Click(IDC_DOWNLOAD_BUTTON);
    // Before the job has taken the stop.
    EXPECT_EQ(Text(IDC_STAGE), "正在停止…");
    EXPECT_EQ(window->ProgressBar()->format(), "正在停止…");
    ASSERT_TRUE(WaitFor(
        [&] { return window->Job().control.downloadState == DL_IDLE && Text(IDC_STAGE) == "已终止下载"; }));
    QTest::qWait(50);

    // The pictures not reached are counted apart, and the counts add up to the album's four.
    const QString done = Q(grid.CellText(2, 4));
    const QString left = Q(grid.CellText(2, 5));
    ASSERT_TRUE(done.startsWith("完成 ")) << done.toStdString();
    EXPECT_TRUE(left.contains("未下载 ")) << left.toStdString();
    EXPECT_FALSE(left.contains("失败")) << left.toStdString();
    const int saved = done.mid(3).toInt();
    const int untried = left.mid(left.indexOf("未下载 ") + 4).toInt();
    EXPECT_GE(untried, 1);
    EXPECT_EQ(saved + untried, 4);
    EXPECT_EQ(Q(grid.CellText(0, 4)), "完成");
    EXPECT_FALSE(Q(grid.CellText(0, 5)).isEmpty());
    // The window ends with the job's summary line, as the command line does.
    EXPECT_EQ(
        Text(IDC_PROGRESS),
        QStringLiteral("已终止下载：成功 %1 张，失败 0 张，跳过 0 张，未下载 %2 张").arg(saved).arg(untried));
    EXPECT_TRUE(Control(IDC_SUBMODE)->isEnabled());
}

// The window comes back where the user left it.
TEST_F(MainWindow, TheWindowKeepsItsSizeFromOneRunToTheNext) {
    Start();
    window->resize(923, 611);
    QTest::qWait(20);
    const QSize size = window->size();
    window->close();
    window.reset();
    EXPECT_TRUE(FileSystem::Exists(program.Path() + u"window.ini"));
    Start();
    EXPECT_EQ(window->size(), size);
}

// The progress bar takes the hint line's place without moving the controls under it.
TEST_F(MainWindow, TheControlsStayPutWhenTheBarReplacesTheHint) {
    Start();
    QTest::qWait(20);
    EXPECT_TRUE(Control(IDC_NOTICE)->isVisible());
    EXPECT_FALSE(window->ProgressBar()->isVisible());
    auto where = [this] {
        return std::vector<QPoint>{Site()->mapTo(window.get(), QPoint()),
                                   SavePath()->mapTo(window.get(), QPoint()),
                                   Control(IDC_GROUP)->mapTo(window.get(), QPoint())};
    };
    const std::vector<QPoint> before = where();
    ListAlbums();
    QTest::qWait(20);
    EXPECT_FALSE(Control(IDC_NOTICE)->isVisible());
    EXPECT_TRUE(window->ProgressBar()->isVisible());
    EXPECT_EQ(where(), before);
}

}  // namespace
