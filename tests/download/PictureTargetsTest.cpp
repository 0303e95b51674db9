// SPDX-License-Identifier: GPL-3.0-or-later
// Where a download puts its pictures and what it touches there: names that fit the system's limits
// under a deep save folder, an album whose paths cannot fit, links planted at a picture's name, and
// the name of a picture that its fallback address brought.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "MyCode/URLSource2.h"
#include "core/DownloadRequest.h"
#include "core/ListRequest.h"
#include "download/DownProc.h"
#include "jobs/AlbumListJob.h"
#include "jobs/DownloadJob.h"
#include "jobs/Emission.h"
#include "jobs/JobContext.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "sites/AdapterTable.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/PictureCall.h"
#include "support/FixtureServer.h"
#include "support/RecordingJobEvents.h"
#include "support/TempDir.h"

namespace {

std::string Utf8(const std::u16string& text) {
    return CodePage::ToUtf8(text);
}

std::string Jpeg(char fill) {
    std::string bytes = "\xFF\xD8\xFF\xE0";
    bytes.resize(600, fill);
    return bytes;
}

std::string Png(char fill) {
    std::string bytes = "\x89PNG\r\n\x1a\n";
    bytes.resize(600, fill);
    return bytes;
}

std::string Content(const std::u16string& path) {
    std::string bytes;
    FileSystem::ReadFile(path, bytes);
    return bytes;
}

bool IsLink(const std::u16string& path) {
    struct stat st {};
    return ::lstat(FileSystem::NativePath(path).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// What the test site's picture list emits for one album, through the kit as an adapter does.
struct Listed {
    std::u16string url;
    std::u16string fallback;
    std::u16string description;
};

// A download job whose site lists what the test gave each album, against the loopback server;
// the owner folder is "owner".
class PictureTargets : public ::testing::Test {
protected:
    PictureTargets() {
        SetRetryPauseScale(0.0);
        job.settings.programDir = dir.Path();
        job.list.siteType = SITE_TENCENT;
        job.list.subMode = TENCENT_QZONE;
        job.list.ownerName = u"owner/";
        Settings().download = DownloadParams{0, 0, 4, 10};
        table.rows = {{.name = "test",
                       .siteType = SITE_TENCENT,
                       .subMode = ANY_SUBMODE,
                       .pictures = [this](PictureCall& call) {
                           for (const Listed& picture : lists[call.albumIndex()]) {
                               if (!call.PictureOr(picture.url, picture.fallback, picture.description)) {
                                   return;
                               }
                           }
                       }}};
    }
    ~PictureTargets() override { SetRetryPauseScale(1.0); }

    SiteSettings& Settings() { return job.settings.Slot(SITE_TENCENT); }

    int Album(const std::u16string& name, std::vector<Listed> pictures) {
        ST_PERLISTRECORD record;
        record.name = name;
        EmitAlbum(record, job.list, events);
        int index = static_cast<int>(job.list.albums.Size()) - 1;
        lists[index] = std::move(pictures);
        return index;
    }

    std::u16string Url(const std::string& path) const {
        return server.BaseUrl16() + CodePage::FromUtf8(path);
    }

    // Downloads every album into saveFolder.
    void Run(const std::u16string& saveFolder) {
        DownloadRequest request;
        request.saveFolder = saveFolder;
        for (std::size_t k = 0; k < job.list.albums.Size(); ++k) {
            request.albums.push_back(static_cast<int>(k));
        }
        DownloadJobFunc(request, job, table, events);
    }

    TempDir dir;
    std::map<int, std::vector<Listed>> lists;
    FixtureServer server;
    RecordingJobEvents events;
    JobContext job;
    AdapterTable table;
};

// base (ASCII, ending with "/") with levels of long names below it, until the path takes exactly
// bytes; ends with "/".
std::u16string DeepFolder(const std::u16string& base, std::size_t bytes) {
    std::u16string folder = base;
    while (folder.size() + 201 <= bytes) {
        folder += std::u16string(200, u'd') + u"/";
    }
    if (bytes - folder.size() == 1) {
        folder.erase(folder.size() - 2, 1);  // one level a character shorter leaves room for "e/"
    }
    if (std::size_t rest = bytes - folder.size(); rest > 1) {
        folder += std::u16string(rest - 1, u'e') + u"/";
    }
    return folder;
}

// The album folder's path is well past 250 characters: the names are the pictures' own, whole,
// and nothing hidden or numbered stands in for them.
TEST_F(PictureTargets, DeepSaveFolderKeepsThePicturesNames) {
    const std::u16string save = DeepFolder(dir.Path() + u"save/", 400);
    for (const char* name : {"p000", "p001", "p002"}) {
        server.Serve("/" + std::string(name) + ".jpg", Jpeg(name[3]), "image/jpeg");
    }
    Album(
        u"相册",
        {{Url("/p000.jpg"), {}, u"p000"}, {Url("/p001.jpg"), {}, u"p001"}, {Url("/p002.jpg"), {}, u"p002"}});
    Run(save);

    const std::u16string folder = save + u"owner/相册/";
    ASSERT_GT(folder.size(), 250u);
    EXPECT_EQ(FolderEntries(folder),
              (std::vector<std::string>{"p000.jpg", "p001.jpg", "p002.jpg", "pic.zmw"}));
    EXPECT_EQ(Content(folder + u"p001.jpg"), Jpeg('1'));
    ASSERT_EQ(events.JobsEnded().size(), 1u);
    EXPECT_EQ(events.JobsEnded()[0].tally.saved, 3);
}

// A site's owner name longer than a folder name can be is cut to fit, at a character boundary, so
// the download can make the owner's folder.
TEST_F(PictureTargets, LongOwnerNameStillMakesAFolder) {
    const std::u16string owner(100, u'主');  // 300 bytes
    server.Serve("/p.jpg", Jpeg('p'), "image/jpeg");
    table.rows[0].albums = [&](AlbumCall& call, const std::u16string&) {
        call.SetOwnerName(owner);
        ST_PERLISTRECORD record;
        record.name = u"album";
        call.Album(record);
    };
    lists[0] = {{Url("/p.jpg"), {}, u"p"}};
    ListRequest request;
    request.siteType = SITE_TENCENT;
    request.subMode = TENCENT_QZONE;
    request.input = u"123456";
    GetListFunc(request, job, table, events);
    ASSERT_EQ(job.list.albums.Size(), 1u);
    EXPECT_EQ(Utf8(job.list.ownerName), Utf8(owner.substr(0, 85) + u"/"));

    Run(dir.Path() + u"save");
    EXPECT_EQ(Content(dir.Path() + u"save/" + job.list.ownerName + u"album/p.jpg"), Jpeg('p'));
}

// An album folder so deep that no picture's path stays below 4096 bytes is refused by name and
// counts as a failed album; the next album of the job, whose paths fit, is downloaded.
TEST_F(PictureTargets, AlbumWhosePathsExceedTheLimitIsRefusedByName) {
    // The owner folder's path takes 3990 bytes: the album's folder (103 bytes with its "/") can
    // still be made, but leaves 2 bytes for a name.
    const std::u16string save = DeepFolder(dir.Path(), 3990 - 6);
    const std::u16string deepAlbum = std::u16string(34, u'图');
    server.Serve("/p.jpg", Jpeg('p'), "image/jpeg");
    server.Serve("/q.jpg", Jpeg('q'), "image/jpeg");
    Album(deepAlbum, {{Url("/p.jpg"), {}, u"p000"}});
    Album(u"b", {{Url("/q.jpg"), {}, u"q"}});
    Run(save);

    ASSERT_EQ(Utf8(save + u"owner/").size(), 3990u);
    const auto ended = events.AlbumsEnded();
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(Utf8(ended[0].line), Utf8(deepAlbum + u"：保存路径太长（超过 4096 字节），无法保存"));
    EXPECT_EQ(ended[0].tally.failedAlbums, 1);
    EXPECT_EQ(ended[1].tally.saved, 1);
    EXPECT_TRUE(server.RequestsTo("/p.jpg").empty());
    EXPECT_FALSE(FileSystem::Exists(save + u"owner/" + deepAlbum));  // the folder it made is gone
    EXPECT_EQ(Content(save + u"owner/b/q.jpg"), Jpeg('q'));
    ASSERT_EQ(events.JobsEnded().size(), 1u);
    EXPECT_NE(events.JobsEnded()[0].line.find(u"，失败 1 个相册"), std::u16string::npos)
        << Utf8(events.JobsEnded()[0].line);
}

// What lies under the name of a picture this download did not save is not its to touch: a link
// there is neither read through by the format fix nor stamped through by the order fix, and an
// older file there keeps its time. The picture it did save gets its stamp.
TEST_F(PictureTargets, PassesNeverFollowALinkAtAFailedPicturesName) {
    Settings().naming.options = OPT_FIX_FORMAT | OPT_FIX_ORDER;
    const std::u16string outside = dir.Path() + u"outside/";
    const std::u16string target = outside + u"target.png";
    ASSERT_TRUE(FileSystem::CreateDirectories(outside));
    ASSERT_TRUE(FileSystem::WriteFileAtomic(target, Png('t')));
    ASSERT_TRUE(FileSystem::SetFileTimes(target, 1000000));

    const std::u16string folder = dir.Path() + u"save/owner/album/";
    ASSERT_TRUE(FileSystem::CreateDirectories(folder));
    ASSERT_EQ(::symlink(FileSystem::NativePath(target).c_str(),
                        FileSystem::NativePath(folder + u"linked.jpg").c_str()),
              0);
    ASSERT_TRUE(FileSystem::WriteFileAtomic(folder + u"older.jpg", Jpeg('o')));
    ASSERT_TRUE(FileSystem::SetFileTimes(folder + u"older.jpg", 2000000));

    server.Serve("/good.jpg", Jpeg('g'), "image/jpeg");
    Album(u"album", {{Url("/good.jpg"), {}, u"good"},
                     {Url("/gone.jpg"), {}, u"linked"},
                     {Url("/gone2.jpg"), {}, u"older"}});
    const std::int64_t before = static_cast<std::int64_t>(std::time(nullptr));
    Run(dir.Path() + u"save");

    EXPECT_EQ(FileSystem::ModificationTime(target), 1000000);
    EXPECT_TRUE(IsLink(folder + u"linked.jpg"));  // not moved to "linked.png" through its target
    EXPECT_FALSE(FileSystem::Exists(folder + u"linked.png"));
    EXPECT_EQ(Content(target), Png('t'));
    EXPECT_EQ(FileSystem::ModificationTime(folder + u"older.jpg"), 2000000);
    EXPECT_GE(FileSystem::ModificationTime(folder + u"good.jpg"), before);
    ASSERT_EQ(events.PicturesNotSaved().size(), 2u);
}

// With names made from the address, the file is named after the address whose answer it holds.
TEST_F(PictureTargets, UrlNamesFollowTheAddressThatAnswered) {
    Settings().naming.baseName = BASE_URL;
    Settings().naming.options = OPT_FIX_FORMAT;
    server.Serve("/big/primary1.jpg", Jpeg('1'), "image/jpeg");
    server.Serve("/small/previewname.jpg", Jpeg('x'), "image/jpeg");
    // The primary is missing: the fallback's answer, a PNG, is saved under the fallback's name,
    // which the format fix then finds.
    server.Serve("/small/preview2.jpg", Png('2'), "image/png");
    server.Serve("/big/shared.jpg", Jpeg('3'), "image/jpeg");
    Album(u"album", {{Url("/big/primary1.jpg"), Url("/small/previewname.jpg"), u""},
                     {Url("/big/missing2.jpg"), Url("/small/preview2.jpg"), u""},
                     {Url("/big/shared.jpg"), Url("/small/shared.jpg"), u""}});
    Run(dir.Path() + u"save");

    const std::u16string folder = dir.Path() + u"save/owner/album/";
    EXPECT_EQ(FolderEntries(folder),
              (std::vector<std::string>{"pic.zmw", "preview2.png", "primary1.jpg", "shared.jpg"}));
    EXPECT_EQ(Content(folder + u"primary1.jpg"), Jpeg('1'));
    EXPECT_EQ(Content(folder + u"preview2.png"), Png('2'));
    EXPECT_EQ(Content(folder + u"shared.jpg"), Jpeg('3'));
    EXPECT_TRUE(server.RequestsTo("/small/previewname.jpg").empty());
    bool toldFallback = false;
    for (const auto& saved : events.PicturesSaved()) {
        if (saved.url == Url("/small/preview2.jpg")) {
            toldFallback = saved.file == folder + u"preview2.jpg";
        }
    }
    EXPECT_TRUE(toldFallback);
}

// The fallback-named picture whose name another picture of the album took first gets a counter,
// not that picture's file.
TEST_F(PictureTargets, FallbackNameNeverTakesAnotherPicturesName) {
    Settings().naming.baseName = BASE_URL;
    server.Serve("/big/a.jpg", Jpeg('a'), "image/jpeg");
    server.Serve("/small/a.jpg", Jpeg('s'), "image/jpeg");
    Album(u"album", {{Url("/big/missing.jpg"), Url("/small/a.jpg"), u""}, {Url("/big/a.jpg"), {}, u""}});
    Run(dir.Path() + u"save");

    const std::u16string folder = dir.Path() + u"save/owner/album/";
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"a(1).jpg", "a.jpg", "pic.zmw"}));
    EXPECT_EQ(Content(folder + u"a.jpg"), Jpeg('s'));
    EXPECT_EQ(Content(folder + u"a(1).jpg"), Jpeg('a'));
}

// A site's value is one address: a line break in it never makes a second address, so the fallback
// fetched is the one the adapter chose, and the name is that fallback's.
TEST_F(PictureTargets, LineBreaksInASiteValueNeverMakeAFallback) {
    Settings().naming.baseName = BASE_URL;
    server.Serve("/evil/planted.jpg", Jpeg('e'), "image/jpeg");
    server.Serve("/fb/chosen.jpg", Jpeg('c'), "image/jpeg");
    Album(u"album", {{Url("/p/1.1\r\n") + Url("/evil/planted.jpg"), Url("/fb/\r\nchosen.jpg"), u""},
                     {Url("/p/2.1\r\nX-Injected-B: yes\r\nX-Pad"), Url("/fb/chosen.jpg"), u""}});
    Run(dir.Path() + u"save");

    const std::u16string folder = dir.Path() + u"save/owner/album/";
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"chosen(1).jpg", "chosen.jpg", "pic.zmw"}));
    EXPECT_TRUE(server.RequestsTo("/evil/planted.jpg").empty());
    for (const FixtureRequest& request : server.Requests()) {
        EXPECT_EQ(request.Header("X-Injected-B"), "") << request.target;
    }
}

// The engine takes only a web address as a fallback: text after a line break that is none is not
// fetched, and the picture fails for its own address's reason.
TEST(FallbackAddress, OnlyOneWebAddressIsAFallback) {
    struct Case {
        std::u16string url;
        std::u16string fallback;
    } cases[] = {
        {u"http://h/a.jpg\r\nhttp://h/b.jpg", u"http://h/b.jpg"},
        {u"http://h/a.jpg\r\nhttps://h/b.jpg", u"https://h/b.jpg"},
        {u"http://h/a.jpg", u""},
        {u"http://h/a.jpg\r\n/b.jpg", u""},
        {u"http://h/a.jpg\r\nftp://h/b.jpg", u""},
        {u"http://h/1.1\r\nX-Injected-B: yes\r\nX-Pad", u""},
        {u"http://h/a.jpg\r\nhttp://h/b.jpg\r\nhttp://h/c.jpg", u""},
    };
    for (const Case& c : cases) {
        PictureRecord picture{c.url, u"a.jpg", {}};
        EXPECT_EQ(Utf8(picture.FallbackUrl()), Utf8(c.fallback)) << Utf8(c.url);
        EXPECT_EQ(Utf8(picture.PrimaryUrl()), Utf8(c.url.substr(0, c.url.find(u"\r\n"))));
    }

    SetRetryPauseScale(0.0);
    TempDir dir;
    FixtureServer server;
    PictureList pictures;
    pictures.SetAlbumDir(dir.Path());
    pictures.Append(PictureRecord{server.BaseUrl16() + u"/missing.jpg\r\nX-Injected-B: yes", u"a.jpg", {}});
    DownloadPool pool;
    pool.SetParams(DownloadParams{0, 0, 1, 10});
    RecordingJobEvents events;
    std::vector<PictureOutcome> outcomes;
    ASSERT_TRUE(DownPicFunc(pool, pictures, 0, events, outcomes));
    SetRetryPauseScale(1.0);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].result, PictureResult::Failed);
    EXPECT_EQ(outcomes[0].error, FetchError::HttpStatus);
    EXPECT_EQ(outcomes[0].status, 404);
}

}  // namespace
