// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "GridCtrl_src/AlbumView.h"
#include "GridCtrl_src/qt/GridModel.h"
#include "core/ListResult.h"
#include "jobs/Emission.h"
#include "platform/FileSystem.h"
#include "support/FixtureServer.h"
#include "support/TempDir.h"
#include "ui/CDlgFind.h"
#include "ui/CMyGridCtrl.h"
#include "ui/CThumbnailList.h"
#include "ui/ChangeSource.h"
#include "ui/CoverLoader.h"
#include "ui/CoverService.h"
#include "ui/ListedAlbums.h"

namespace {

using Texts = std::vector<std::u16string>;

// The window's cover service, recording which album's cover was asked for and the thumbnail it
// gave.
class RecordingCovers : public CoverSource {
public:
    RecordingCovers(CThumbnailList& thumbnails, const std::u16string& programDir) : covers_(thumbnails) {
        covers_.SetProgramFolder(programDir);
    }
    int Thumbnail(int k, const std::u16string& coverUrl) override {
        const int image = covers_.Thumbnail(k, coverUrl);
        std::lock_guard lock(mutex_);
        asked_.emplace_back(k, image);
        return image;
    }
    // Album and thumbnail index (-1: none), in the order asked.
    std::vector<std::pair<int, int>> Asked() const {
        std::lock_guard lock(mutex_);
        return asked_;
    }

private:
    CoverService covers_;
    mutable std::mutex mutex_;
    std::vector<std::pair<int, int>> asked_;
};

// The notices and questions shown over the window, answered as the user would: a notice with
// "确定", a question with the next queued answer (no once none is left).
class MessageBoxes {
public:
    struct Shown {
        std::u16string text;
        std::u16string caption;
        bool question = false;
    };

    MessageBoxes() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start();
    }
    void QueueAnswer(bool yes) { answers_.push_back(yes); }
    const std::vector<Shown>& All() const { return shown_; }

private:
    void Answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box == answered_) {
            return;
        }
        answered_ = box;
        const bool question = box->button(QMessageBox::Yes) != nullptr;
        shown_.push_back({box->text().toStdU16String(), box->windowTitle().toStdU16String(), question});
        bool yes = false;
        if (question && !answers_.empty()) {
            yes = answers_.front();
            answers_.pop_front();
        }
        box->button(question ? (yes ? QMessageBox::Yes : QMessageBox::No) : QMessageBox::Ok)->click();
    }

    QTimer timer_;
    std::deque<bool> answers_;
    std::vector<Shown> shown_;
    QPointer<QMessageBox> answered_;
};

std::string CoverPicture() {
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

template <typename T>
T* Control(QWidget* parent, int id) {
    T* control = parent->findChild<T*>(QStringLiteral("c%1").arg(id));
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

// Runs action on the next modal dialog as soon as it shows; a dialog the action left open is
// closed, so a failing test never hangs in exec().
void WhenModalShows(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        action(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog != nullptr && dialog->isVisible()) {
            dialog->reject();
        }
    });
    timer->start();
}

// The main window stand-in: a top-level window holding the album grid in the row layout, the
// album list's events showing each album as the window's do, the program folder in a temporary
// folder. What the grid tells the window's other controls is kept as they would show it.
class AlbumGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setWindowTitle(QStringLiteral("Orvelle"));
        window.setGeometry(100, 100, 900, 600);
        grid = new CMyGridCtrl(view, list.albums, covers, &window);
        grid->setGeometry(0, 0, 900, 600);
        grid->SetImageList(&thumbnails);
        QObject::connect(grid, &CMyGridCtrl::previewShown, [this](bool shown) { previewChecked = shown; });
        QObject::connect(grid, &CMyGridCtrl::searchLinksEnabled,
                         [this](bool enabled) { searchLinksEnabled = enabled; });
        SetUpRowLayout(view);
        window.show();
        QApplication::processEvents();
    }

    void TearDown() override {
        if (CDlgFind* find = grid->FindWindow()) {
            find->hide();
        }
    }

    void AddAlbums(const Texts& names) {
        for (const std::u16string& name : names) {
            ST_PERLISTRECORD album;
            album.name = name;
            album.pictureCount = 3;
            EmitAlbum(album, list, listed);
        }
        grid->Sync();
    }

    Texts Column(int column) const {
        Texts texts;
        for (int row = view.grid.FixedRowCount(); row < view.grid.RowCount(); ++row) {
            texts.push_back(view.grid.CellText(row, column));
        }
        return texts;
    }

    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (const GridCellId& cell : view.grid.SelectedCells()) {
            if (rows.empty() || rows.back() != cell.row) {
                rows.push_back(cell.row);
            }
        }
        return rows;
    }

    // Types into the search window and presses a button of it.
    void Search(const QString& keyword, int button, bool matchCase = false, bool wholeCell = false) {
        CDlgFind* find = grid->FindWindow();
        ASSERT_NE(find, nullptr);
        Control<QLineEdit>(find, 1639)->setText(keyword);
        Control<QCheckBox>(find, 1033)->setChecked(matchCase);
        Control<QCheckBox>(find, 1034)->setChecked(wholeCell);
        Control<QPushButton>(find, button)->click();
    }

    TempDir dir;
    CThumbnailList thumbnails;
    RecordingCovers covers{thumbnails, dir.Path()};
    AlbumView view;
    ListResult list;
    ListedAlbums listed{view, list.albums, covers};
    MessageBoxes messages;
    // The check box 1014 and the find and filter links, as the grid's signals set them.
    bool previewChecked = false;
    bool searchLinksEnabled = true;
    QWidget window;
    CMyGridCtrl* grid = nullptr;  // owned by window
};

TEST_F(AlbumGridTest, SelectAllSelectsEveryAlbumRowOrNone) {
    AddAlbums({u"a", u"b", u"c"});
    grid->SelectAll(true);
    EXPECT_EQ(SelectedRows(), std::vector<int>({1, 2, 3}));
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 3);
    EXPECT_EQ(SelectedAlbumIndices(view, list.albums), std::vector<int>({0, 1, 2}));
    grid->SelectAll(false);
    EXPECT_TRUE(view.grid.SelectedCells().empty());
    EXPECT_FALSE(grid->selectionModel()->hasSelection());
}

TEST_F(AlbumGridTest, SearchWindowFindsWrapsAndScrollsTheRowToTheTop) {
    Texts names = {u"ABC Album", u"abc"};
    for (int i = 0; i < 40; ++i) {
        names.push_back(u"filler");
    }
    names.push_back(u"abc trip");
    for (int i = 0; i < 40; ++i) {
        names.push_back(u"more");
    }
    AddAlbums(names);
    grid->OpenFind();
    CDlgFind* find = grid->FindWindow();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->CurrentMode(), CDlgFind::Mode::Search);
    EXPECT_LE((find->frameGeometry().center() - window.frameGeometry().center()).manhattanLength(), 2);

    Search(QStringLiteral("  abc "), 1006);  // trimmed; match case off
    EXPECT_EQ(SelectedRows(), std::vector<int>({1}));
    Search(QStringLiteral("abc"), 1006, true);
    EXPECT_EQ(SelectedRows(), std::vector<int>({2}));
    Search(QStringLiteral("abc"), 1006, true);
    EXPECT_EQ(SelectedRows(), std::vector<int>({43}));
    EXPECT_EQ(grid->rowAt(0), 42);  // the found row is the top one
    EXPECT_EQ(find->Status(), QString());
    Search(QStringLiteral("abc"), 1006, true, true);  // whole cell: wraps to the only exact one
    EXPECT_EQ(SelectedRows(), std::vector<int>({2}));
    EXPECT_EQ(find->Status(), QStringLiteral("已查找到末尾，从头继续"));
    Search(QStringLiteral("0003"), 1701);  // the number column counts; up from row 2 wraps
    EXPECT_EQ(SelectedRows(), std::vector<int>({3}));
    EXPECT_EQ(find->Status(), QStringLiteral("已查找到开头，从末尾继续"));
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(grid->selectionModel()->selectedRows().front().row(), 2);
    EXPECT_TRUE(messages.All().empty());

    Search(QStringLiteral("winter"), 1006);  // no match: no change, said in the search window
    EXPECT_EQ(SelectedRows(), std::vector<int>({3}));
    EXPECT_TRUE(messages.All().empty());
    EXPECT_EQ(find->Status(), QStringLiteral("未找到“winter”"));

    Search(QStringLiteral("   "), 1006);
    ASSERT_EQ(messages.All().size(), 1u);
    EXPECT_EQ(messages.All().front().text, u"关键字不能为空");
    EXPECT_EQ(SelectedRows(), std::vector<int>({3}));

    // "×" only hides it: the same window comes back with its keyword and boxes.
    Search(QStringLiteral("abc"), 1699, true, true);
    EXPECT_FALSE(find->isVisible());
    grid->OpenFind();
    EXPECT_EQ(grid->FindWindow(), find);
    EXPECT_EQ(Control<QLineEdit>(find, 1639)->text(), QStringLiteral("abc"));
    EXPECT_TRUE(Control<QCheckBox>(find, 1033)->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(find, 1034)->isChecked());
}

TEST_F(AlbumGridTest, FilterShowsTheMatchingAlbumsOnceAndMapsThemBack) {
    AddAlbums({u"猫1", u"狗2", u"猫3"});
    grid->OpenFind();  // a shown search window is hidden by the filter
    bool searchControlsHidden = false;
    QString buttonText;
    WhenModalShows([&](QWidget* modal) {
        auto* filter = qobject_cast<CDlgFind*>(modal);
        ASSERT_NE(filter, nullptr);
        searchControlsHidden = !Control<QCheckBox>(filter, 1033)->isVisible() &&
                               !Control<QCheckBox>(filter, 1034)->isVisible() &&
                               !Control<QPushButton>(filter, 1701)->isVisible();
        buttonText = Control<QPushButton>(filter, 1006)->text();
        Control<QLineEdit>(filter, 1639)->setText(QStringLiteral(" 猫 "));
        Control<QPushButton>(filter, 1006)->click();
    });
    grid->OpenFilter();
    EXPECT_TRUE(searchControlsHidden);
    EXPECT_EQ(buttonText, QStringLiteral("筛选"));
    EXPECT_FALSE(grid->FindWindow()->isVisible());
    EXPECT_EQ(Column(0), Texts({u"0001", u"0002"}));
    EXPECT_EQ(Column(1), Texts({u"猫1", u"猫3"}));
    EXPECT_EQ(grid->Model().rowCount(), 2);
    EXPECT_TRUE(view.filterText.empty());
    grid->SelectAll(true);
    EXPECT_EQ(SelectedAlbumIndices(view, list.albums), std::vector<int>({0, 2}));

    // "×" leaves the grid as it is; a filter that is not set again shows everything next time.
    WhenModalShows([&](QWidget* modal) {
        Control<QLineEdit>(modal, 1639)->setText(QStringLiteral("狗"));
        Control<QPushButton>(modal, 1699)->click();
    });
    grid->OpenFilter();
    EXPECT_EQ(Column(1), Texts({u"猫1", u"猫3"}));
    WhenModalShows([&](QWidget* modal) { Control<QPushButton>(modal, 1006)->click(); });
    grid->OpenFilter();  // an empty keyword shows all albums
    EXPECT_EQ(Column(1), Texts({u"猫1", u"狗2", u"猫3"}));
}

TEST_F(AlbumGridTest, ExportAsksForACsvFileAndWritesTheRows) {
    AddAlbums({u"name", u"it's"});
    // Album names lose their quotes when they are cleaned; other cells may still hold some.
    view.grid.SetCellText(1, 1, u"He said \"hi\", ok");
    const QString target = QString::fromStdU16String(dir.Path()) + QStringLiteral("albums");
    QStringList filters;
    QString suffix;
    bool confirmsOverwrite = false;
    WhenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile(target);
        static_cast<QDialog*>(dialog)->accept();  // the save dialog's own checks run
    });
    grid->ExportCsv();
    EXPECT_EQ(filters, QStringList({QStringLiteral("导出后，自行调整列宽(*.csv)")}));
    EXPECT_EQ(suffix, QStringLiteral("csv"));
    EXPECT_TRUE(confirmsOverwrite);
    std::string bytes;
    ASSERT_TRUE(FileSystem::ReadFile(dir.Path() + u"albums.csv", bytes));
    EXPECT_EQ(bytes,
              "0001,\"He said \"\"hi\"\", ok\",   3,,,,\r\n"
              "0002,it's,   3,,,,\r\n");

    // A cancelled dialog writes nothing; a file that cannot be made, silently nothing.
    WhenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    grid->ExportCsv();
    EXPECT_FALSE(grid->ExportCsvTo(dir.Path() + u"no/such/folder.csv"));
    EXPECT_TRUE(messages.All().empty());
}

class PreviewTest : public AlbumGridTest {
protected:
    void AddCoveredAlbums(int count, const std::string& coverPath) {
        for (int k = 0; k < count; ++k) {
            ST_PERLISTRECORD album;
            album.name = u"album";
            album.coverUrl = server.BaseUrl16() + std::u16string(coverPath.begin(), coverPath.end());
            EmitAlbum(album, list, listed);
        }
        grid->Sync();
    }

    // "/slow.png" answers the cover after a pause, so a switch is still running when the test acts.
    void ServeSlowCover(std::chrono::milliseconds pause) {
        server.Handle("/slow.png", [this, pause](const FixtureRequest&, FixtureReply& reply) {
            server.Pause(pause);
            reply.contentType = "image/png";
            reply.body = CoverPicture();
        });
    }

    FixtureServer server;
};

TEST_F(PreviewTest, ThumbnailLayoutSixToARowAndBackToRows) {
    server.Serve("/cover.png", CoverPicture(), "image/png");
    AddCoveredAlbums(6, "/cover.png");
    AddCoveredAlbums(1, "/missing.png");  // answered 404: no picture
    EXPECT_TRUE(grid->TogglePreview(true));
    grid->WaitForSwitch();

    EXPECT_EQ(view.modeSwitch.load(), MODE_SWITCH_IDLE);
    EXPECT_EQ(view.previewMode.load(), 1);
    EXPECT_TRUE(previewChecked);
    EXPECT_FALSE(searchLinksEnabled);    // find and filter
    ASSERT_EQ(view.grid.RowCount(), 2);  // the seventh album starts the second row
    EXPECT_EQ(view.grid.RowHeight(1), 130);
    EXPECT_EQ(grid->Model().rowCount(), 2);
    EXPECT_GE(grid->rowHeight(1), 130);
    EXPECT_EQ(view.grid.CellText(1, 0), u"7.album (6)");
    EXPECT_EQ(view.grid.ItemData(1, 0), 6);
    EXPECT_EQ(view.grid.Cell(1, 0).image, -1);  // text only
    EXPECT_TRUE(view.grid.Cell(1, 0).imageAboveText);
    EXPECT_EQ(thumbnails.Count(), 6);
    const int image = view.grid.Cell(0, 5).image;
    ASSERT_GE(image, 0);
    EXPECT_EQ(thumbnails.Image(image).size(), QSize(113, 120));
    // Every album's cover was asked for once, in list order; the last thumbnail came from the
    // sixth album's cover file, and the seventh has none.
    const std::vector<std::pair<int, int>> asked = covers.Asked();
    ASSERT_EQ(asked.size(), 7u);
    EXPECT_EQ(asked[5], std::make_pair(5, image));
    EXPECT_EQ(asked[6], std::make_pair(6, -1));
    // The error page the missing cover was answered with is not kept as its thumbnail file.
    EXPECT_TRUE(FileSystem::Exists(dir.Path() + u"tmp/5.jpg"));
    EXPECT_FALSE(FileSystem::Exists(dir.Path() + u"tmp/6.jpg"));

    // Find and filter are off here.
    grid->OpenFind();
    EXPECT_EQ(grid->FindWindow(), nullptr);

    // Back to rows and to thumbnails again: the missing cover is tried once more, now with luck.
    server.Serve("/missing.png", CoverPicture(), "image/png");
    EXPECT_TRUE(grid->TogglePreview(false));
    grid->WaitForSwitch();
    EXPECT_TRUE(searchLinksEnabled);
    EXPECT_EQ(Column(0).size(), 7u);
    EXPECT_EQ(grid->Model().headerData(1, Qt::Horizontal).toString(), QStringLiteral("名称"));
    server.ClearRequests();
    EXPECT_TRUE(grid->TogglePreview(true));
    grid->WaitForSwitch();
    EXPECT_EQ(server.RequestsTo("/cover.png").size(), 0u);
    EXPECT_EQ(server.RequestsTo("/missing.png").size(), 1u);
    EXPECT_EQ(view.grid.Cell(1, 0).image, 6);
    EXPECT_EQ(thumbnails.Count(), 7);
}

TEST_F(PreviewTest, AClickDuringTheSwitchAsksWhetherToInterrupt) {
    ServeSlowCover(std::chrono::milliseconds(150));
    AddCoveredAlbums(12, "/slow.png");
    ASSERT_TRUE(grid->TogglePreview(true));

    // No: the switch goes on, and the box shows the layout being built.
    messages.QueueAnswer(false);
    EXPECT_FALSE(grid->TogglePreview(false));
    ASSERT_EQ(messages.All().size(), 1u);
    EXPECT_EQ(messages.All()[0].text, u"模式转换未完成,是否中断?");
    EXPECT_EQ(messages.All()[0].caption, u"提示");
    EXPECT_TRUE(messages.All()[0].question);
    EXPECT_EQ(view.modeSwitch.load(), MODE_SWITCH_RUNNING);
    EXPECT_TRUE(previewChecked);

    // Yes: it stops after the album it shows, and the same click switches to the rows asked for;
    // no half-built layout is left.
    messages.QueueAnswer(true);
    EXPECT_TRUE(grid->TogglePreview(false));
    grid->WaitForSwitch();
    EXPECT_EQ(view.modeSwitch.load(), MODE_SWITCH_IDLE);
    EXPECT_EQ(view.previewMode.load(), 0);
    EXPECT_FALSE(previewChecked);
    EXPECT_LT(server.RequestsTo("/slow.png").size(), 12u);
    EXPECT_EQ(Column(0).size(), 12u);
    EXPECT_EQ(messages.All().size(), 2u);
}

TEST_F(PreviewTest, TheGridWaitsForItsSwitchWhenItGoes) {
    ServeSlowCover(std::chrono::milliseconds(100));
    AddCoveredAlbums(30, "/slow.png");
    ASSERT_TRUE(grid->TogglePreview(true));
    delete grid;  // interrupts and joins: nothing fills a grid that is gone
    grid = new CMyGridCtrl(view, list.albums, covers, &window);
    EXPECT_EQ(view.modeSwitch.load(), MODE_SWITCH_IDLE);
    EXPECT_LT(server.RequestsTo("/slow.png").size(), 30u);
}

// The window's cover loader against a local server whose covers wait at a gate until released.
class CoverLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        loader.SetProgramFolder(dir.Path());
        loader.SetDelivery([this](int k, int image) {
            std::lock_guard lock(mutex);
            delivered.emplace_back(k, image);
        });
        server.Handle("/cover.png", [this](const FixtureRequest&, FixtureReply& reply) {
            {
                std::unique_lock lock(mutex);
                gate.wait(lock, [this] { return open; });
            }
            reply.contentType = "image/png";
            reply.body = CoverPicture();
        });
    }
    void TearDown() override { Open(); }

    std::u16string Cover(int k) const {
        return server.BaseUrl16() + u"/cover.png?k=" +
               std::u16string(std::to_string(k).begin(), std::to_string(k).end());
    }
    void Open() {
        std::lock_guard lock(mutex);
        open = true;
        gate.notify_all();
    }
    // The albums whose covers were asked for, in the order the server got them.
    std::vector<int> Fetched() const {
        std::vector<int> albums;
        for (const FixtureRequest& request : server.RequestsTo("/cover.png")) {
            albums.push_back(std::stoi(request.Param("k")));
        }
        return albums;
    }
    bool WaitForRequests(std::size_t count) {
        return QTest::qWaitFor([&] { return server.RequestsTo("/cover.png").size() >= count; }, 10000);
    }

    TempDir dir;
    CThumbnailList thumbnails;
    std::mutex mutex;
    std::condition_variable gate;
    bool open = false;
    std::vector<std::pair<int, int>> delivered;
    FixtureServer server;
    CoverLoader loader{thumbnails};  // goes first: its workers use the server and the gate
};

TEST_F(CoverLoaderTest, TheAlbumsShownComeFirstAndEachCoverOnce) {
    loader.SetWorkerLimit(1);
    EXPECT_EQ(loader.Thumbnail(0, Cover(0)), -1);
    ASSERT_TRUE(WaitForRequests(1));  // the one worker waits at the gate with album 0
    for (int k = 1; k < 100; ++k) {
        EXPECT_EQ(loader.Thumbnail(k, Cover(k)), -1);
    }
    EXPECT_EQ(loader.Thumbnail(7, Cover(7)), -1);  // queued already
    EXPECT_EQ(loader.Thumbnail(100, u""), -1);     // no cover to fetch
    loader.SetVisibleAlbums(60, 71);
    Open();
    ASSERT_TRUE(loader.WaitUntilIdle(std::chrono::seconds(20)));
    const std::vector<int> fetched = Fetched();
    ASSERT_EQ(fetched.size(), 100u);
    // The shown ones, then those below them, then those above.
    EXPECT_EQ(fetched[0], 0);
    EXPECT_EQ(fetched[1], 60);
    EXPECT_EQ(fetched[12], 71);
    EXPECT_EQ(fetched[40], 99);
    EXPECT_EQ(fetched[41], 1);
    EXPECT_EQ(thumbnails.Count(), 100);
    std::lock_guard lock(mutex);
    ASSERT_EQ(delivered.size(), 100u);
    // A thumbnail made is given at once next time, without a fetch.
    const int image = delivered[1].second;
    EXPECT_EQ(delivered[1].first, 60);
    EXPECT_EQ(loader.Thumbnail(60, Cover(60)), image);
    EXPECT_EQ(thumbnails.Image(image).size(), QSize(113, 120));
}

TEST_F(CoverLoaderTest, ANewListDropsTheOldListsCoversStillComing) {
    loader.SetWorkerLimit(3);
    for (int k = 0; k < 10; ++k) {
        loader.Thumbnail(k, Cover(k));
    }
    ASSERT_TRUE(WaitForRequests(3));
    loader.Reset();  // three are in flight, seven queued
    EXPECT_EQ(loader.Thumbnail(1, Cover(1)), -1);
    Open();
    ASSERT_TRUE(loader.WaitUntilIdle(std::chrono::seconds(20)));
    QTest::qWait(50);  // the old ones in flight end after the new list is idle
    // Only the new list's album 1 came into the thumbnails; the seven queued were never fetched.
    EXPECT_EQ(server.RequestsTo("/cover.png").size(), 4u);
    EXPECT_EQ(thumbnails.Count(), 1);
    std::lock_guard lock(mutex);
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0], std::make_pair(1, 0));
}

TEST_F(CoverLoaderTest, LeavingTheThumbnailsCancelsTheQueueAndAFailedCoverIsTriedAgain) {
    loader.SetWorkerLimit(1);
    loader.Thumbnail(0, Cover(0));
    ASSERT_TRUE(WaitForRequests(1));
    loader.Thumbnail(1, Cover(1));
    loader.Thumbnail(2, server.BaseUrl16() + u"/missing.png");
    loader.CancelPending();
    Open();
    ASSERT_TRUE(loader.WaitUntilIdle(std::chrono::seconds(20)));
    EXPECT_EQ(Fetched(), std::vector<int>({0}));
    // Asked again: fetched now; one that failed is tried at each display.
    loader.Thumbnail(2, server.BaseUrl16() + u"/missing.png");
    ASSERT_TRUE(loader.WaitUntilIdle(std::chrono::seconds(20)));
    loader.Thumbnail(2, server.BaseUrl16() + u"/missing.png");
    ASSERT_TRUE(loader.WaitUntilIdle(std::chrono::seconds(20)));
    EXPECT_EQ(server.RequestsTo("/missing.png").size(), 2u);
    EXPECT_EQ(thumbnails.Count(), 1);
}

TEST(ChangeSource, AnInterruptAfterTheEndLeavesTheSwitchIdle) {
    AlbumView view;
    AlbumList albums;
    CThumbnailList thumbnails;
    CoverService covers(thumbnails);
    ChangeSource change(view, albums, covers, [] {});
    EXPECT_FALSE(change.Interrupt());
    EXPECT_EQ(view.modeSwitch.load(), MODE_SWITCH_IDLE);
    view.modeSwitch = MODE_SWITCH_RUNNING;
    ASSERT_TRUE(change.Start());
    change.Join();
    EXPECT_EQ(view.modeSwitch.load(), MODE_SWITCH_IDLE);
    EXPECT_FALSE(change.Interrupt());  // the answer came after the rebuild had ended
    EXPECT_EQ(view.modeSwitch.load(), MODE_SWITCH_IDLE);
}

TEST(FindWindow, ModesAndDragging) {
    CDlgFind find(CDlgFind::Mode::Search);
    EXPECT_TRUE(find.windowFlags() & Qt::FramelessWindowHint);
    find.move(200, 200);
    find.show();
    QApplication::processEvents();
    for (int id : {1639, 1033, 1034, 1701, 1006, 1699}) {
        EXPECT_TRUE(Control<QWidget>(&find, id)->isVisible()) << id;
    }
    EXPECT_TRUE(Control<QPushButton>(&find, 1006)->isDefault());
    EXPECT_EQ(Control<QPushButton>(&find, 1006)->text(), QStringLiteral("下一个"));
    EXPECT_FALSE(find.isModal());

    // A press on the window itself (not on a control) drags it.
    const QPoint start = find.pos();
    const QPoint press(3, find.height() - 3);
    ASSERT_EQ(find.childAt(press), nullptr);
    const QPoint global = find.mapToGlobal(press);
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(press), QPointF(global), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&find, &down);
    QMouseEvent move(QEvent::MouseMove, QPointF(press + QPoint(40, 25)), QPointF(global + QPoint(40, 25)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&find, &move);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(press + QPoint(40, 25)),
                   QPointF(global + QPoint(40, 25)), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&find, &up);
    EXPECT_EQ(find.pos(), start + QPoint(40, 25));

    find.SetMode(CDlgFind::Mode::Filter);
    EXPECT_FALSE(Control<QWidget>(&find, 1033)->isVisible());
    EXPECT_FALSE(Control<QWidget>(&find, 1034)->isVisible());
    EXPECT_FALSE(Control<QWidget>(&find, 1701)->isVisible());
    EXPECT_EQ(Control<QPushButton>(&find, 1006)->text(), QStringLiteral("筛选"));
    EXPECT_TRUE(find.isModal());
    find.hide();
}

}  // namespace
