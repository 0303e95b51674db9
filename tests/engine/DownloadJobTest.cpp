// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <atomic>
#include <thread>

#include "EngineFixture.h"
#include "download/SideFiles.h"

namespace {

using namespace std::chrono_literals;

struct NamingCase {
    const char* label;
    std::uint8_t baseName;
    std::vector<std::pair<std::string, std::u16string>> pictures;  // path on the server, description
    std::vector<std::u16string> expected;
};

class Naming : public EngineTest, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(Naming, DownloadsIntoSaveOwnerAlbumUnderTheNamesOfTheRules) {
    const NamingCase& c = GetParam();
    Settings().naming.baseName = c.baseName;
    std::vector<ListedPicture> listed;
    for (std::size_t i = 0; i < c.pictures.size(); ++i) {
        ServePicture(c.pictures[i].first, JpegBytes(700, static_cast<char>('a' + i)));
        listed.emplace_back(Url(c.pictures[i].first), c.pictures[i].second);
    }
    Album(u"Summer", listed);

    EXPECT_EQ(Run(), 0);

    const std::u16string folder = AlbumDir(u"Summer");
    std::vector<std::u16string> files;
    for (const std::u16string& name : c.expected) {
        files.push_back(folder + name);
    }
    EXPECT_EQ(SavedFiles(0), files);
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        EXPECT_EQ(Content(folder + c.expected[i]), JpegBytes(700, static_cast<char>('a' + i)))
            << CodePage::ToUtf8(c.expected[i]);
    }
    EXPECT_EQ(ReadMarker(folder), listed.front().url);
    ASSERT_EQ(events.PoolEnds().size(), 1u);
    EXPECT_EQ(events.PoolEnds().front().second, static_cast<int>(c.expected.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Engine, Naming,
    ::testing::Values(NamingCase{"Description",
                                 BASE_DESCRIPTION,
                                 {{"/p/1.jpg", u"Cat"}, {"/p/2.jpg", u"Cat"}, {"/p/3.jpg", u"Dog"}},
                                 {u"Cat.jpg", u"Cat(1).jpg", u"Dog.jpg"}},
                      NamingCase{"Sequence",
                                 BASE_SEQUENCE,
                                 {{"/p/x.jpg", u"Cat"}, {"/p/y.jpg", u"Cat"}, {"/p/z.jpg", u"Cat"}},
                                 {u"1.jpg", u"2.jpg", u"3.jpg"}},
                      NamingCase{"Address",
                                 BASE_URL,
                                 {{"/p/a.png", u""}, {"/p/b.jpg", u""}, {"/q/a.png", u""}},
                                 {u"a.png", u"b.jpg", u"a(1).png"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(EngineTest, BusyStateAndStatusTextsFollowTheJob) {
    ServePicture("/p/1.jpg", JpegBytes());
    ServePicture("/p/2.jpg", JpegBytes());
    Album(u"A", {{Url("/p/1.jpg"), u"one"}});
    Album(u"B", {{Url("/p/2.jpg"), u"two"}});
    DownloadRequest request = Request();
    request.albums = {1, 0};  // the grid's order, not the list's
    Run(request);

    using Texts = std::vector<std::u16string>;
    std::vector<std::string> busy;
    for (const std::string& call : events.Calls()) {
        if (call.ends_with(" download") && (call.starts_with("Busy") || call.starts_with("Idle"))) {
            busy.push_back(call);
        }
    }
    EXPECT_EQ(busy, (std::vector<std::string>{"Busy download", "Idle download"}));
    EXPECT_EQ(events.StageTexts(), (Texts{u"正在下载第1/2个图集", u"正在下载第2/2个图集", u"下载完毕"}));
    Texts progress = events.ProgressTexts();
    EXPECT_NE(std::find(progress.begin(), progress.end(), u"已开始下载图片"), progress.end());
    EXPECT_NE(std::find(progress.begin(), progress.end(), u"已下载1/1......"), progress.end());
    EXPECT_EQ(progress.back(), u"");
    EXPECT_FALSE(events.IsBusy(JobKind::Download));
    // Each album's events name it by its place in the list, apart from its place in the download.
    const auto started = events.AlbumsStarted();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ((std::vector<int>{started[0].album, started[0].position, started[0].count}),
              (std::vector<int>{1, 1, 2}));
    EXPECT_EQ((std::vector<int>{started[1].album, started[1].position, started[1].count}),
              (std::vector<int>{0, 2, 2}));
    EXPECT_EQ(SavedFiles(0), std::vector<std::u16string>{AlbumDir(u"A") + u"one.jpg"});
    EXPECT_EQ(SavedFiles(1), std::vector<std::u16string>{AlbumDir(u"B") + u"two.jpg"});
    const auto ended = events.AlbumsEnded();
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[0].album, 1);
    EXPECT_EQ(ended[1].album, 0);
    EXPECT_EQ(job.list.albums.selectedCount, 2);
    EXPECT_EQ(job.control.downloadState, DL_IDLE);
    EXPECT_FALSE(job.control.pool.Running());
    EXPECT_TRUE(events.OpenedFolders().empty());  // the option is off
}

TEST_F(EngineTest, SecondRunWithSkipDownloadedFetchesOnlyTheNewPicture) {
    Settings().naming.options = OPT_SKIP_DOWNLOADED;
    for (const char* path : {"/p/old1.jpg", "/p/old2.jpg", "/p/new.jpg"}) {
        ServePicture(path, JpegBytes());
    }
    Album(u"Album", {{Url("/p/old1.jpg"), u"old1"}, {Url("/p/old2.jpg"), u"old2"}});
    Run();
    ASSERT_EQ(server.Requests().size(), 2u);

    // The site lists newest first: one picture has appeared since.
    lists[0].insert(lists[0].begin(), ListedPicture{Url("/p/new.jpg"), u"new"});
    server.ClearRequests();
    events.Reset();
    Run();

    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests().front().path, "/p/new.jpg");
    EXPECT_EQ(SavedFiles(0), std::vector<std::u16string>{AlbumDir(u"Album") + u"new.jpg"});
    EXPECT_EQ(ReadMarker(AlbumDir(u"Album")), Url("/p/new.jpg"));
    EXPECT_TRUE(FileSystem::Exists(AlbumDir(u"Album") + u"old2.jpg"));
}

// A request made from a list that has changed since names albums that are gone, or one twice.
TEST_F(EngineTest, AlbumsNotInTheListAreLeftOutAndEachIsFetchedOnce) {
    ServePicture("/p/a.jpg", JpegBytes());
    Album(u"Album", {{Url("/p/a.jpg"), u"a"}});
    DownloadRequest request = Request();
    request.albums = {3, 0, -1, 0};
    Run(request);
    EXPECT_EQ(listings[0], 1);
    EXPECT_EQ(listings.size(), 1u);
    ASSERT_EQ(events.AlbumsStarted().size(), 1u);
    EXPECT_EQ(events.AlbumsStarted()[0].album, 0);
    EXPECT_EQ(events.AlbumsStarted()[0].count, 1);
    EXPECT_EQ(SavedFiles(0), std::vector<std::u16string>{AlbumDir(u"Album") + u"a.jpg"});

    // Nothing left: the job says there is nothing to download, as for an empty selection.
    events.Reset();
    request.albums = {7};
    Run(request);
    EXPECT_TRUE(events.AlbumsStarted().empty());
    ASSERT_EQ(events.JobsEnded().size(), 1u);
    EXPECT_EQ(events.JobsEnded()[0].end, DownloadEnd::NotStarted);
}

TEST_F(EngineTest, ThunderListOnlyWritesOneListPerAlbumAndFetchesNothing) {
    Settings().naming.options = OPT_THUNDER_LIST_ONLY | OPT_OPEN_FOLDER;
    Album(u"First", {{Url("/p/1.jpg"), u"a"}, {Url("/p/2.jpg") + u"\r\n" + Url("/p/2b.jpg"), u"b"}});
    Album(u"Second", {{Url("/p/3.jpg"), u"c"}});
    Run();

    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(events.PoolEnds().empty());
    std::string base = CodePage::ToUtf8(server.BaseUrl16());
    EXPECT_EQ(Content(DownloadListPath(AlbumDir(u"First"), u"First")),
              base + "/p/1.jpg\r\n" + base + "/p/2.jpg\r\n" + base + "/p/2b.jpg\r\n");
    EXPECT_EQ(Content(DownloadListPath(AlbumDir(u"Second"), u"Second")), base + "/p/3.jpg\r\n");
    EXPECT_FALSE(FileSystem::Exists(AlbumDir(u"First") + u"a.jpg"));
    EXPECT_FALSE(FileSystem::Exists(MarkerPath(AlbumDir(u"First"))));
    EXPECT_EQ(events.OpenedFolders(), std::vector<std::u16string>{AlbumDir(u"Second")});
    ASSERT_EQ(events.AlbumsEnded().size(), 2u);
    EXPECT_EQ(events.AlbumsEnded()[1].line,
              u"Second：已写入下载列表 " + DownloadListPath(AlbumDir(u"Second"), u"Second"));
    EXPECT_EQ(events.JobsEnded().back().line, u"下载完毕：成功 0 张，失败 0 张，跳过 0 张");

    // A list that cannot be written is told and counted: it was all the user asked for.
    const std::u16string secondList = DownloadListPath(AlbumDir(u"Second"), u"Second");
    ASSERT_TRUE(FileSystem::Remove(secondList));
    ASSERT_TRUE(FileSystem::CreateDirectories(secondList));  // a folder where the list would go
    Run();
    EXPECT_EQ(events.AlbumsEnded().back().line, u"Second：无法写入下载列表 " + secondList);
    EXPECT_EQ(events.JobsEnded().back().line, u"下载完毕：成功 0 张，失败 1 张，跳过 0 张");
}

// An album that lists no picture is said so, apart from one whose pictures were all downloaded
// before.
TEST_F(EngineTest, AnAlbumWithoutPicturesIsToldSo) {
    Settings().naming.options = OPT_SKIP_DOWNLOADED;
    ServePicture("/p/1.jpg", JpegBytes());
    Album(u"Old", {{Url("/p/1.jpg"), u"one"}});
    Album(u"Empty", {});
    Run();
    Run();
    std::vector<std::u16string> lines;
    for (const auto& album : events.AlbumsEnded()) {
        lines.push_back(album.line);
    }
    EXPECT_EQ(lines,
              (std::vector<std::u16string>{u"Old：成功 1 张，失败 0 张，跳过 0 张", u"Empty：没有获取到图片",
                                           u"Old：没有新图片", u"Empty：没有获取到图片"}));
    EXPECT_EQ(server.Requests().size(), 1u);
}

// The button's stop while the first album's pool has two pictures in flight: no further picture
// starts, the two in flight land on disk before the job goes on, the album gets no marker, the
// passes still run over what is there, the second album is never listed, and the job says it was
// stopped and what it did.
TEST_F(EngineTest, StopInTheMiddleOfAPool) {
    Settings().download.threadCount = 2;
    Settings().naming.options = OPT_FIX_FORMAT;
    std::atomic<int> arrived{0};
    std::atomic<bool> release{false};
    std::vector<ListedPicture> pictures;
    for (int i = 0; i < 6; ++i) {
        std::string path = "/p/" + std::to_string(i) + ".jpg";
        server.Handle(path, [&, i](const FixtureRequest&, FixtureReply& reply) {
            ++arrived;
            while (!release && server.Pause(2ms)) {
            }
            reply.contentType = "image/jpeg";
            reply.body = i == 0 ? PngBytes() : JpegBytes();
        });
        pictures.emplace_back(Url(path), CodePage::FromUtf8(std::to_string(i)));
    }
    Album(u"Big", pictures);
    Album(u"Later", {{Url("/p/0.jpg"), u"x"}});

    std::thread download([this] { Run(); });
    ASSERT_TRUE(WaitUntil([&] { return arrived == 2; }));
    EXPECT_TRUE(job.control.pool.Running());
    job.control.downloadState = DL_STOP;  // what the download button does
    job.control.pool.RequestStop();
    ASSERT_TRUE(WaitUntil([&] { return !events.PoolEnds().empty(); }));
    release = true;
    download.join();

    EXPECT_EQ(arrived, 2);
    const std::u16string folder = AlbumDir(u"Big");
    // The format pass renamed the first picture the pool saved.
    EXPECT_EQ(SavedFiles(0), (std::vector<std::u16string>{folder + u"0.jpg", folder + u"1.jpg"}));
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"0.png", "1.jpg"}));
    EXPECT_TRUE(FileSystem::Exists(folder + u"0.png"));
    EXPECT_TRUE(FileSystem::Exists(folder + u"1.jpg"));
    EXPECT_FALSE(FileSystem::Exists(folder + u"2.jpg"));
    EXPECT_FALSE(FileSystem::Exists(MarkerPath(folder)));
    EXPECT_EQ(listings.count(1), 0u);
    EXPECT_EQ(events.PoolEnds().size(), 1u);
    for (const std::u16string& text : events.ProgressTexts()) {
        EXPECT_EQ(text.find(u"已下载"), std::u16string::npos) << "progress after the stop";
    }
    EXPECT_EQ(events.Stage(), u"已终止下载");
    ASSERT_EQ(events.AlbumsEnded().size(), 1u);
    EXPECT_EQ(events.AlbumsEnded()[0].line, u"Big：成功 2 张，失败 0 张，跳过 0 张，未下载 4 张");
    ASSERT_EQ(events.JobsEnded().size(), 1u);
    EXPECT_EQ(events.JobsEnded()[0].line, u"已终止下载：成功 2 张，失败 0 张，跳过 0 张，未下载 4 张");
    EXPECT_EQ(events.JobsEnded()[0].end, DownloadEnd::Stopped);
    EXPECT_TRUE(events.PicturesNotSaved().empty());
    EXPECT_EQ(job.control.downloadState, DL_IDLE);
    EXPECT_FALSE(job.control.pool.Running());
}

// A stop before anything was saved leaves no empty album folder behind (nor the picture-name file
// written into it), but never removes a folder that was there before.
TEST_F(EngineTest, AStopLeavesNoEmptyAlbumFolderItMade) {
    Settings().naming.options = OPT_ORIGINAL_NAME_FILE;
    table.rows[0].pictures = [this](PictureCall& call) {
        call.Picture(Url("/p/1.jpg"), u"one");
        job.control.downloadState = DL_STOP;  // the button, pressed while the album is being listed
        job.control.pool.RequestStop();
    };
    Album(u"Album", {});
    const std::u16string folder = AlbumDir(u"Album");
    for (bool existed : {false, true}) {
        SCOPED_TRACE(existed ? "a folder of an earlier download" : "a new folder");
        if (existed) {
            ASSERT_TRUE(FileSystem::CreateDirectories(folder));
        }
        events.Reset();
        Run();
        EXPECT_EQ(FileSystem::Exists(folder), existed);
        EXPECT_EQ(events.Stage(), u"已终止下载");
        // The album tells what the stop left of it, as one whose pool was stopped does.
        ASSERT_EQ(events.AlbumsEnded().size(), 1u);
        EXPECT_EQ(events.AlbumsEnded()[0].line, u"Album：成功 0 张，失败 0 张，跳过 0 张，未下载 1 张");
        EXPECT_EQ(events.AlbumsEnded()[0].tally.notTried, 1);
        ASSERT_EQ(events.JobsEnded().size(), 1u);
        EXPECT_EQ(events.JobsEnded()[0].line, u"已终止下载：成功 0 张，失败 0 张，跳过 0 张，未下载 1 张");
        EXPECT_EQ(events.JobsEnded()[0].end, DownloadEnd::Stopped);
    }
    EXPECT_TRUE(FileSystem::Exists(dir.Path() + u"save/owner"));
    EXPECT_TRUE(server.Requests().empty());
}

// A PNG saved as ".jpg" becomes ".png", a web page keeps its name, and the order pass stamps the
// files in list order, T, T - 60 and T - 120, finding the renamed one.
TEST_F(EngineTest, FixFormatThenFixOrder) {
    Settings().naming.options = OPT_FIX_FORMAT | OPT_FIX_ORDER;
    ServePicture("/p/a.jpg", PngBytes());
    ServePicture("/p/b.jpg", JpegBytes());
    server.Serve("/p/c.jpg", "<html>gone</html>", "image/jpeg");
    Album(u"Album", {{Url("/p/a.jpg"), u"a"}, {Url("/p/b.jpg"), u"b"}, {Url("/p/c.jpg"), u"c"}});
    std::int64_t before = std::time(nullptr);
    Run();
    std::int64_t after = std::time(nullptr);

    const std::u16string folder = AlbumDir(u"Album");
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"a.png", "b.jpg", "c.jpg", "pic.zmw"}));
    EXPECT_FALSE(FileSystem::Exists(folder + u"a.jpg"));
    EXPECT_EQ(Content(folder + u"a.png"), PngBytes());
    std::int64_t t = FileSystem::ModificationTime(folder + u"a.png");
    EXPECT_GE(t, before);
    EXPECT_LE(t, after);
    EXPECT_EQ(FileSystem::ModificationTime(folder + u"b.jpg"), t - 60);
    EXPECT_EQ(FileSystem::ModificationTime(folder + u"c.jpg"), t - 120);
}

// The move of a renamed picture never replaces a file of that name: the picture keeps its name,
// the list says so, and the order pass stamps the picture, not the other file.
TEST_F(EngineTest, FixFormatNeverReplacesAnExistingFile) {
    Settings().naming.options = OPT_FIX_FORMAT | OPT_FIX_ORDER;
    const std::u16string folder = AlbumDir(u"Album");
    ASSERT_TRUE(FileSystem::CreateDirectories(folder));
    ASSERT_TRUE(FileSystem::WriteFileAtomic(folder + u"a.png", "mine"));
    ASSERT_TRUE(FileSystem::SetFileTimes(folder + u"a.png", 1000000));
    ServePicture("/p/a.jpg", PngBytes());
    Album(u"Album", {{Url("/p/a.jpg"), u"a"}});
    std::int64_t before = std::time(nullptr);
    Run();

    EXPECT_EQ(SavedFiles(0), std::vector<std::u16string>{folder + u"a.jpg"});
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"a.jpg", "a.png", "pic.zmw"}));
    EXPECT_EQ(Content(folder + u"a.png"), "mine");
    EXPECT_EQ(FileSystem::ModificationTime(folder + u"a.png"), 1000000);
    EXPECT_EQ(Content(folder + u"a.jpg"), PngBytes());
    EXPECT_GE(FileSystem::ModificationTime(folder + u"a.jpg"), before);
}

TEST_F(EngineTest, FallbackAddressAndSizeLimits) {
    Settings().download.minPictureKB = 2;
    Settings().download.maxPictureKB = 4;
    ServePicture("/p/ok.jpg", JpegBytes(3 * 1024));
    ServePicture("/p/small.jpg", JpegBytes(2 * 1024 - 1));
    ServePicture("/p/min.jpg", JpegBytes(2 * 1024));
    ServePicture("/p/max.jpg", JpegBytes(4 * 1024));
    ServePicture("/p/large.jpg", JpegBytes(4 * 1024 + 1));
    // Nothing listens on port 1: the primary address brings no data, the fallback does.
    const std::u16string refused = u"http://127.0.0.1:1/p/ok.jpg";
    Album(u"Album", {{refused + u"\r\n" + Url("/p/ok.jpg"), u"fallback"},
                     {Url("/p/small.jpg"), u"small"},
                     {Url("/p/min.jpg"), u"min", u"Referer: http://photo.example/album\r\nX-Try: 1"},
                     {Url("/p/max.jpg"), u"max"},
                     {Url("/p/large.jpg"), u"large"},
                     {refused, u"nofallback"}});
    Run();

    const std::u16string folder = AlbumDir(u"Album");
    struct Expect {
        const char16_t* name;
        bool present;
    };
    for (Expect e :
         {Expect{u"fallback.jpg", true}, Expect{u"small.jpg", false}, Expect{u"min.jpg", true},
          Expect{u"max.jpg", true}, Expect{u"large.jpg", false}, Expect{u"nofallback.jpg", false}}) {
        EXPECT_EQ(FileSystem::Exists(folder + e.name), e.present) << CodePage::ToUtf8(e.name);
    }
    EXPECT_EQ(Content(folder + u"fallback.jpg"), JpegBytes(3 * 1024));
    // The picture's own header lines go with its request.
    ASSERT_EQ(server.RequestsTo("/p/min.jpg").size(), 1u);
    EXPECT_EQ(server.RequestsTo("/p/min.jpg").front().Header("Referer"), "http://photo.example/album");
    EXPECT_EQ(server.RequestsTo("/p/min.jpg").front().Header("X-Try"), "1");
    // Progress counts what was saved; each picture that was not is named with its reason, and the
    // summary counts the size limits apart from the failure.
    EXPECT_EQ(events.ProgressTexts().end()[-2], u"已下载3/6......");  // the last before the job's ""
    std::vector<std::u16string> lines;
    for (const auto& notSaved : events.PicturesNotSaved()) {
        lines.push_back(notSaved.line);
    }
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"失败：nofallback.jpg（无法连接） " + refused,
                                                  u"跳过：large.jpg（图片太大） " + Url("/p/large.jpg"),
                                                  u"跳过：small.jpg（图片太小） " + Url("/p/small.jpg")}));
    ASSERT_EQ(events.JobsEnded().size(), 1u);
    EXPECT_EQ(events.JobsEnded()[0].line, u"下载完毕：成功 3 张，失败 1 张，跳过 2 张");
    EXPECT_FALSE(FileSystem::Exists(MarkerPath(folder)));  // the failed picture is still to come
}

TEST_F(EngineTest, PictureListChoice) {
    // Renren photo albums: the second picture list reads an album the first one found empty.
    job.list.siteType = SITE_RENREN;
    job.list.subMode = RENREN_PHOTO;
    job.settings.Slot(SITE_RENREN).download = DownloadParams{0, 0, 2, 10};
    ServePicture("/p/r.jpg", JpegBytes());
    int firstCalls = 0;
    table.rows.push_back(
        {.name = "renrenPhoto",
         .siteType = SITE_RENREN,
         .subMode = ANY_SUBMODE,
         .pictures = [&](PictureCall&) { ++firstCalls; },
         .secondPicturesName = "renrenSecondPictures",
         .secondPictures = [this](PictureCall& call) { call.Picture(Url("/p/r.jpg"), u"r"); }});
    Album(u"Renren", {});
    Run();
    EXPECT_EQ(firstCalls, 1);
    EXPECT_TRUE(FileSystem::Exists(AlbumDir(u"Renren") + u"r.jpg"));

    // A site type outside the catalogue.
    job.list.siteType = SITE_TYPE_COUNT;
    Run();
    ASSERT_FALSE(events.Messages().empty());
    EXPECT_EQ(events.Messages().back().text, u"Error ListType Code.");
    EXPECT_EQ(events.Stage(), u"下载完毕");
}

TEST_F(EngineTest, NothingSelected) {
    Album(u"Album", {{Url("/p/1.jpg"), u"a"}});
    job.control.downloadState = DL_RUNNING;  // as the button leaves it
    DownloadRequest request = Request();
    request.albums.clear();
    EXPECT_EQ(Run(request), 0);

    ASSERT_EQ(events.Messages().size(), 1u);
    EXPECT_NE(events.Messages().front().text.find(u"选择"), std::u16string::npos);
    EXPECT_TRUE(listings.empty());
    EXPECT_EQ(job.list.albums.selectedCount, 0);
    EXPECT_EQ(events.StageTexts(), std::vector<std::u16string>{u"下载完毕"});
    EXPECT_EQ(job.control.downloadState, DL_IDLE);
}

// Without a usable save path the job ends before its busy state, and leaves the button ready.
TEST_F(EngineTest, UnusableSavePath) {
    ASSERT_TRUE(FileSystem::WriteFileAtomic(dir.Path() + u"file", "x"));
    struct Case {
        std::u16string savePath;
        std::u16string message;
    };
    for (const Case& c :
         {Case{u"  \t ", u"请先设置保存路径"},
          Case{dir.Path() + u"file", dir.Path() + u"file\n请检测设置的保存路径是否有误"},
          Case{dir.Path() + u"file/sub", dir.Path() + u"file\n请检测设置的保存路径是否有误"}}) {
        events.Reset();
        job.control.downloadState = DL_RUNNING;
        Album(u"Album", {{Url("/p/1.jpg"), u"a"}});
        DownloadRequest request = Request();
        request.saveFolder = c.savePath;
        Run(request);
        ASSERT_EQ(events.Messages().size(), 1u) << CodePage::ToUtf8(c.savePath);
        EXPECT_EQ(events.Messages().front().text, c.message);
        for (const std::string& call : events.Calls()) {
            EXPECT_FALSE(call.starts_with("Busy")) << call;
        }
        EXPECT_EQ(job.control.downloadState, DL_IDLE);
    }
    EXPECT_TRUE(listings.empty());
}

}  // namespace
