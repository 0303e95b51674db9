// SPDX-License-Identifier: GPL-3.0-or-later
// gui_screenshots OUTDIR: pictures of the window as a user sees it, with albums listed from an
// in-process loopback server that plays Qzone: the main window during a download (its progress
// told through the window's events as the download job tells it) and after it, with
// thumbnails, the list of failed pictures, the two settings dialogs, the search window and the
// login window.

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QWebEngineView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "MyCode/StringCtrl.h"
#include "MyCode/URLSource2.h"
#include "jobs/JobContext.h"
#include "jobs/JobController.h"
#include "platform/CodePage.h"
#include "settings/qt/CDlgDownSet.h"
#include "settings/qt/CDlgSaveSet.h"
#include "support/FixtureServer.h"
#include "ui/CDlgFailedPictures.h"
#include "ui/CDlgFind.h"
#include "ui/CDlgWebOpen.h"
#include "ui/CExplorer1.h"
#include "ui/CMyGridCtrl.h"
#include "ui/CVeyraApp.h"
#include "ui/CVeyraDlg.h"
#include "ui/ControlIds.h"
#include "ui/CoverLoader.h"
#include "ui/QtJobEvents.h"

namespace {

struct Album {
    const char* id;
    const char* name;
    int privacy;
    int total;
    QColor cover;  // invalid: the album has no cover
    QSize coverSize = QSize(300, 200);
};

// Eleven albums: the thumbnails' last row is not full. Covers come wide, tall and square.
const Album kAlbums[] = {
    {"V01", "2014 春节回家", 1, 86, QColor(0xE5, 0x73, 0x73)},
    {"V02", "毕业旅行·厦门鼓浪屿环岛骑行", 1, 152, QColor(0x4F, 0xC3, 0xF7)},
    {"V03", "宝宝成长记录", 3, 320, QColor(0xFF, 0xD5, 0x4F), QSize(200, 300)},
    {"V04", "同学聚会", 6, 45, QColor(0x81, 0xC7, 0x84), QSize(240, 240)},
    {"V05", "手机随拍", 1, 1024, QColor(0xBA, 0x68, 0xC8)},
    {"V06", "私房菜谱", 5, 37, QColor()},
    {"V07", "西藏自驾 318 国道全景", 1, 268, QColor(0x4D, 0xB6, 0xAC), QSize(480, 150)},
    {"V08", "婚礼花絮", 4, 199, QColor(0xF0, 0x62, 0x92), QSize(180, 320)},
    {"V09", "Summer in Kyoto", 1, 73, QColor(0xFF, 0x8A, 0x65)},
    {"V10", "猫咪日常", 1, 512, QColor(0xA1, 0x88, 0x7F), QSize(220, 300)},
    {"V11", "公司年会", 6, 64, QColor()},
};

// The album list answer of the Qzone list service for kAlbums.
std::string AlbumListAnswer() {
    std::string records;
    for (const Album& album : kAlbums) {
        if (!records.empty()) {
            records += ",\n";
        }
        std::string cover =
            album.cover.isValid()
                ? std::string("http:\\/\\/b1.photo.store.qq.com\\/psb?\\/") + album.id + "\\/cover\\/a\\/"
                : "";
        records += std::string("{ \"id\" : \"") + album.id + "\", \"name\" : \"" + album.name +
                   "\", \"pre\" : \"" + cover + "\", \"priv\" : " + std::to_string(album.privacy) +
                   ", \"total\" : " + std::to_string(album.total) + ", \"modifytime\" : 1400000000 }";
    }
    std::string utf8 = "_Callback(\n{ \"code\" : 0, \"subcode\" : 0, \"data\" : { \"album\" : [\n" + records +
                       "\n] } }\n);\n";
    // The list service answers in GBK.
    return CodePage::Encode(CodePage::FromUtf8(utf8), CodePage::GBK);
}

// A cover: a sky in the album's colour with hills and a sun, in the size the site serves it.
std::string CoverJpeg(const QColor& colour, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const double w = size.width();
    const double h = size.height();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, colour.lighter(150));
    sky.setColorAt(1, colour);
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(QPointF(w * 0.73, h * 0.3), std::min(w, h) * 0.13, std::min(w, h) * 0.13);
    painter.setBrush(colour.darker(160));
    painter.drawPolygon(QPolygonF({QPointF(0, h), QPointF(w * 0.3, h * 0.48), QPointF(w * 0.57, h * 0.8),
                                   QPointF(w * 0.77, h * 0.6), QPointF(w, h * 0.85), QPointF(w, h)}));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes.toStdString();
}

const char kLoginPage[] = R"(<!doctype html><html><head><meta charset="utf-8"><title>登录</title>
<style>body{font-family:sans-serif;background:#eef3f8;margin:0}
.box{width:320px;margin:60px auto;background:#fff;border-radius:8px;padding:28px 32px;box-shadow:0 2px 10px #0002}
h2{margin:0 0 18px;color:#1d5fa8}input{width:100%;box-sizing:border-box;margin:6px 0 14px;padding:8px;border:1px solid #bcd;border-radius:4px}
button{width:100%;padding:10px;background:#1d5fa8;color:#fff;border:0;border-radius:4px;font-size:15px}
p{color:#789;font-size:12px}</style></head>
<body><div class="box"><h2>帐号登录</h2><label>QQ号码</label><input value="12345"><label>密码</label>
<input type="password" value="secret"><button>登 录</button><p>下次自动登录</p></div></body></html>)";

void Wait(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        Wait(20);
    }
    return true;
}

bool Save(QWidget* widget, const QString& folder, const char* name) {
    Wait(150);
    QString path = QDir(folder).filePath(QString::fromUtf8(name));
    bool saved = widget->grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.toUtf8().constData());
    return saved;
}

template <typename T>
T* Find(QWidget* window, int id) {
    return window->findChild<T*>(ControlName(id));
}

int Run(const QString& outDir) {
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "gui_screenshots: cannot create %s\n", outDir.toUtf8().constData());
        return 1;
    }
    QTemporaryDir program;
    QTemporaryDir documents;
    if (!program.isValid() || !documents.isValid()) {
        std::fprintf(stderr, "gui_screenshots: no temporary folder\n");
        return 1;
    }
    qputenv("XDG_DOCUMENTS_DIR", documents.path().toUtf8());

    FixtureServer server;
    for (const char* host :
         {"route.store.qq.com", "user.qzone.qq.com", "alist.photo.qq.com", "xalist.photo.qq.com",
          "szplist.photo.qq.com", "sznu.photo.qq.com", "b1.photo.store.qq.com"}) {
        server.Route(host);
    }
    server.Serve("/GetRoute",
                 "{\"idcno\":\"9\",\"default\":\"sz\",\"sz\":{\"nu\":\"sznu.photo.qq.com\",\"p\":\"sznewp."
                 "photo.qq.com\","
                 "\"s\":\"szstatic.photo.qq.com\"}}",
                 "application/json");
    server.Serve("/fcgi-bin/fcg_list_album_v2", AlbumListAnswer());
    server.Handle("/psb", [](const FixtureRequest& request, FixtureReply& reply) {
        for (const Album& album : kAlbums) {
            if (album.cover.isValid() && request.target.find(album.id) != std::string::npos) {
                reply.contentType = "image/jpeg";
                reply.body = CoverJpeg(album.cover, album.coverSize);
                return;
            }
        }
        reply.status = 404;
    });
    server.Serve("/login", kLoginPage);

    const std::u16string programDir = QDir(program.path()).absolutePath().toStdU16String() + u"/";
    bool ok = true;
    {
        CVeyraDlg window;
        window.SetShellOpener([](const QUrl&) { return true; });
        QGuiApplication::clipboard()->setText(QString());
        window.StartUp(programDir);
        if (!WaitFor([&] { return window.isVisible() && window.Ready(); }, 10000)) {
            std::fprintf(stderr, "gui_screenshots: the window did not start\n");
            return 1;
        }
        Find<QComboBox>(&window, IDC_SAVE_PATH)->setEditText(QStringLiteral("/home/user/图片/"));
        Find<QComboBox>(&window, IDC_INPUT)->setEditText(QStringLiteral("12345"));
        Find<QPushButton>(&window, IDC_LIST_BUTTON)->click();
        // The list's last events reach the window after the job has left its busy state; the
        // download button is on once the window has seen the list end.
        QPushButton* downloadButton = Find<QPushButton>(&window, IDC_DOWNLOAD_BUTTON);
        if (!WaitFor(
                [&] {
                    return !window.Controller().ListRunning() && window.Job().list.albums.Size() > 0 &&
                           downloadButton->isEnabled();
                },
                20000)) {
            std::fprintf(stderr, "gui_screenshots: the album list did not come\n");
            return 1;
        }
        // Three albums selected and downloading: the second is under way, the first has ended
        // with two pictures that failed. The window is told as the download job tells it.
        JobEvents& events = window.Events();
        window.View().grid.SelectRows(2, 3);
        window.View().grid.SelectRows(5, 5);
        window.Grid().Sync();
        events.Busy(JobKind::Download);
        events.StageText(u"正在下载第1/3个图集");
        events.AlbumStarted(1, 1, 3);
        for (int i = 0; i < 150; ++i) {
            events.PictureSaved(1, u"", u"");
        }
        events.PictureNotSaved(1, u"", u"http://b1.photo.store.qq.com/psb?/V02/pic/m/17/",
                               {PictureResult::Failed, FetchError::TimedOut, 0});
        events.PictureNotSaved(1, u"", u"http://b1.photo.store.qq.com/psb?/V02/pic/m/94/",
                               {PictureResult::Failed, FetchError::HttpStatus, 404});
        events.StageText(u"正在下载第2/3个图集");
        events.AlbumStarted(2, 2, 3);
        events.PoolProgress(u"已下载137/320......", 137, 320);
        Wait(100);
        ok = Save(&window, outDir, "main_download.png") && ok;

        events.AlbumEnded(2, u"", DownloadTally{.saved = 320});
        events.StageText(u"正在下载第3/3个图集");
        events.AlbumStarted(4, 3, 3);
        events.AlbumEnded(4, u"", DownloadTally{.saved = 1024});
        events.StageText(u"下载完毕");
        events.ProgressText(u"");
        events.Idle(JobKind::Download);
        const DownloadTally job{.saved = 1494, .failed = 2};
        events.JobEnded(u"下载完毕：" + TallyText(job), job, DownloadEnd::Finished);
        Wait(100);
        ok = Save(&window, outDir, "main_rows.png") && ok;
        if (CDlgFailedPictures* failed = window.FailedPicturesWindow()) {
            failed->resize(640, 220);
            ok = Save(failed, outDir, "failed_pictures.png") && ok;
            failed->hide();
        }

        window.Grid().OpenFind();
        if (CDlgFind* find = window.Grid().FindWindow()) {
            if (auto* keyword = find->findChild<QLineEdit*>(ControlName(1639))) {
                keyword->setText(QStringLiteral("旅行"));
            }
            // Found once, then again by going round the end.
            window.Grid().FindNext(true);
            window.Grid().FindNext(true);
            ok = Save(find, outDir, "search.png") && ok;
            find->hide();
        }

        Find<QCheckBox>(&window, IDC_PREVIEW)->click();
        Wait(100);
        window.Grid().WaitForSwitch();
        window.Covers().WaitUntilIdle(std::chrono::seconds(15));
        Wait(100);
        ok = Save(&window, outDir, "main_thumbnails.png") && ok;

        CDlgDownSet downSet(window.Job().settings, window.SiteType(), &window);
        downSet.show();
        ok = Save(&downSet, outDir, "settings_download.png") && ok;
        downSet.hide();
        CDlgSaveSet saveSet(window.Job().settings, window.SiteType(), &window);
        saveSet.show();
        ok = Save(&saveSet, outDir, "settings_names.png") && ok;
        saveSet.hide();

        CDlgWebOpen login(QString::fromStdString(server.BaseUrl() + "/login"), &window);
        login.resize(640, 520);
        login.show();
        bool loaded = false;
        QObject::connect(login.Browser(), &QWebEngineView::loadFinished, [&loaded](bool) { loaded = true; });
        WaitFor([&] { return loaded; }, 15000);
        Wait(800);
        ok = Save(&login, outDir, "login.png") && ok;
        login.hide();
        window.close();
    }
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: gui_screenshots OUTDIR\n");
        return 2;
    }
    // Pictures need no screen: Qt's offscreen platform serves unless a display is chosen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    SetRetryPauseScale(0.01);
    CVeyraApp::PrepareProcess();
    CVeyraApp app(argc, argv);
    return Run(QString::fromLocal8Bit(argv[1]));
}
