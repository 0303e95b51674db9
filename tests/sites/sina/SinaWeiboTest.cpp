// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "MyCode/Cookie.h"
#include "MyCode/CookieStore.h"
#include "MyCode/URLSource2.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "sina/SinaTest.h"
#include "sites/sina/SinaUser.h"
#include "sites/sina/SinaWeiboAdapter.h"
#include "support/TempDir.h"

namespace {

const std::string kAlbums = "/albums/get_all";
const std::string kPhotos = "/photos/get_all";
const std::u16string kAlbumUrl =
    u"http://photo.weibo.com/photos/get_all?uid=1001&album_id=3001&count=32&type=3&page=";
const std::string kNoPhotos = "{\"result\":true,\"data\":{\"photo_list\":[]}}";

// A page of pictures "id0", "id1", ... whose originals are named after them.
std::string Photos(const std::vector<std::string>& ids) {
    std::string page = "{\"result\":true,\"data\":{\"photo_list\":[";
    for (const std::string& id : ids) {
        page += "{\"photo_id\":\"" + id + "\",\"caption\":\"" + id +
                "\",\"original_pic\":\"http:\\/\\/ww1.sinaimg.cn\\/large\\/" + id + ".jpg\"},";
    }
    return page + "]}}";
}

ST_PERLISTRECORD Album(int count) {
    return ST_PERLISTRECORD{.name = u"微博配图", .url = kAlbumUrl, .pictureCount = count};
}

class SinaWeibo : public SinaTest {
protected:
    void SetUp() override {
        SinaTest::SetUp();
        // What the album list keeps for the picture list.
        Handoff<SinaUser>().userId = u"1001";
    }

    // Page numbers of the picture requests, in order.
    std::vector<std::string> PagesAsked() const {
        std::vector<std::string> pages;
        for (const FixtureRequest& request : server.RequestsTo(kPhotos)) {
            pages.push_back(request.Param("page"));
        }
        return pages;
    }
};

TEST_F(SinaWeibo, UserIdFromEachFormOfThePage) {
    struct Case {
        const char* label;
        std::string page;
        std::string uid;
        std::u16string owner;
    } cases[] = {
        {"config with blanks", "<script>$CONFIG['oid'] = '1001';\n$CONFIG['onick'] = '小明';</script>",
         "1001", u"小明"},
        {"config without blanks", "<script>$CONFIG['oid']='1002';$CONFIG['onick']='小红';</script>", "1002",
         u"小红"},
        {"json only", "<script>{\"user\":{\"id\":1003,\"name\":\"小刚\"}}</script>", "1003", u"小刚"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        List().albums.Clear();
        server.ClearRequests();
        ServePages({{"/u/1001", {}, "<html>" + c.page}, {kAlbums, {}, Fixture("weibo_albums.json")}});

        ListAlbums(SinaWeiboAdapter::AlbumList, u"http://weibo.com/u/1001");

        ExpectRequests({{"weibo.com", "/u/1001", {}},
                        {"photo.weibo.com", kAlbums, {{"uid", c.uid}, {"count", "65535"}}}});
        EXPECT_EQ(Kept<SinaUser>().userId, CodePage::FromUtf8(c.uid));
        EXPECT_EQ(List().ownerName, c.owner);
        EXPECT_EQ(Albums().size(), 2u);
    }
}

TEST_F(SinaWeibo, AlbumsOfTheUserWithTheirPhotoListAddress) {
    ServePages({{"/u/1001", {}, "<html><script>$CONFIG['oid']='1001';$CONFIG['onick']='小明';</script>"},
                {kAlbums, {}, Fixture("weibo_albums.json")}});

    ListAlbums(SinaWeiboAdapter::AlbumList, u"http://weibo.com/u/1001");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 2u);  // the album without an id is left out
    EXPECT_EQ(albums[0].name, u"微博配图");
    EXPECT_EQ(albums[0].url, kAlbumUrl);
    EXPECT_EQ(albums[0].coverUrl, u"http://ww1.sinaimg.cn/thumb150/c1.jpg");
    EXPECT_EQ(albums[0].pictureCount, 70);
    EXPECT_EQ(albums[1].name, u"Avatars");
    EXPECT_EQ(albums[1].url,
              u"http://photo.weibo.com/photos/get_all?uid=1001&album_id=3002&count=32&type=0&page=");
    EXPECT_EQ(albums[1].pictureCount, 5);
}

// Weibo answers its albums only to a logged-in visitor: the list sends the cookies of the Weibo
// home itself, to the photo host too.
TEST_F(SinaWeibo, ListSendsTheWeiboCookieLine) {
    Cookie login;
    login.domain = "weibo.com";
    login.includeSubdomains = false;  // the store alone would not send it to the photo host
    login.name = "SUB";
    login.value = "_2A25abc";
    CookieStore::Instance().Add(login);
    ServePages({{"/u/1001", {}, "<html><script>$CONFIG['oid']='1001';$CONFIG['onick']='小明';</script>"},
                {kAlbums, {}, Fixture("weibo_albums.json")}});

    ListAlbums(SinaWeiboAdapter::AlbumList, u"http://weibo.com/u/1001");

    ExpectRequests(
        {{"weibo.com", "/u/1001", {}, {{"Accept-Encoding", "gzip, deflate"}, {"cookie", "SUB=_2A25abc"}}},
         {"photo.weibo.com", kAlbums, {{"uid", "1001"}, {"count", "65535"}}, {{"cookie", "SUB=_2A25abc"}}}});
}

TEST_F(SinaWeibo, PicturesOfEachAddressForm) {
    ServePages({{kPhotos, {{"page", "1"}}, Fixture("weibo_photos.json")}, {kPhotos, {}, kNoPhotos}});

    ListPictures(SinaWeiboAdapter::PictureList, Album(3));

    ExpectRequests({{"photo.weibo.com",
                     kPhotos,
                     {{"uid", "1001"},
                      {"album_id", "3001"},
                      {"count", "32"},
                      {"type", "3"},
                      {"page", "1"},
                      {"_rnd", "*"}},
                     {{"Accept-Encoding", "gzip, deflate"},
                      {"Referer", "http://photo.weibo.com/1001/talbum/index?from=profile_wb"}}},
                    {"photo.weibo.com",
                     kPhotos,
                     {{"uid", "1001"},
                      {"album_id", "3001"},
                      {"count", "32"},
                      {"type", "3"},
                      {"page", "2"},
                      {"_rnd", "*"}}}});
    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].url, u"http://ww2.sinaimg.cn/large/p1.jpg");
    // Type 0 is addressed by the user's id right after the host text, any other type by "/large/".
    EXPECT_EQ(pictures[1].url, u"http://ww3.sinaimg.cn1001/180/p2.jpg");
    EXPECT_EQ(pictures[2].url, u"http://ww4.sinaimg.cn/large/p3.jpg");
    EXPECT_EQ(pictures[0].fileName.rfind(u"海#tag#", 0), 0u) << Utf8(pictures[0].fileName);
    EXPECT_EQ(pictures[1].fileName.rfind(u"微博配图", 0), 0u) << Utf8(pictures[1].fileName);
    EXPECT_TRUE(pictures[0].headers.empty());
    // The random value changes the address each time.
    EXPECT_FALSE(server.RequestsTo(kPhotos)[0].Param("_rnd").empty());
}

// 70 pictures are three pages of 32; a refused page is asked for once more, then passed over; a
// page past the count that brings nothing ends the album at once.
TEST_F(SinaWeibo, EmptyPageBeforeTheCountIsRetriedThenPassedOver) {
    std::atomic<int> pageTwo = 0;
    server.Handle(kPhotos, [&](const FixtureRequest& request, FixtureReply& reply) {
        std::string page = request.Param("page");
        if (page == "1") {
            reply.body = Photos({"a1", "a2"});
        } else if (page == "3") {
            reply.body = Photos({"c1"});
        } else {
            if (page == "2") {
                ++pageTwo;
            }
            reply.body = kNoPhotos;
        }
    });

    auto start = std::chrono::steady_clock::now();
    ListPictures(SinaWeiboAdapter::PictureList, Album(70));
    auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_EQ(PagesAsked(), (std::vector<std::string>{"1", "2", "2", "3", "4"}));
    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{u"http://ww1.sinaimg.cn/large/a1.jpg",
                                                          u"http://ww1.sinaimg.cn/large/a2.jpg",
                                                          u"http://ww1.sinaimg.cn/large/c1.jpg"}));
    // The waits of 3000 and 1500 ms, scaled down.
    EXPECT_GE(elapsed, std::chrono::milliseconds(45));
}

// The mark of a page asked for again holds until a page is passed over: after a page that came on
// its second try, the next empty page is passed over without being asked for again.
TEST_F(SinaWeibo, RetryMarkHoldsUntilAPageIsPassedOver) {
    std::atomic<int> pageTwo = 0;
    server.Handle(kPhotos, [&](const FixtureRequest& request, FixtureReply& reply) {
        std::string page = request.Param("page");
        if (page == "1") {
            reply.body = Photos({"a1"});
        } else if (page == "2") {
            reply.body = ++pageTwo == 1 ? kNoPhotos : Photos({"b1"});
        } else if (page == "4") {
            reply.body = Photos({"d1"});
        } else {
            reply.body = kNoPhotos;
        }
    });

    ListPictures(SinaWeiboAdapter::PictureList, Album(5 * 32));

    EXPECT_EQ(PagesAsked(), (std::vector<std::string>{"1", "2", "2", "3", "4", "5"}));
    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{u"http://ww1.sinaimg.cn/large/a1.jpg",
                                                          u"http://ww1.sinaimg.cn/large/b1.jpg",
                                                          u"http://ww1.sinaimg.cn/large/d1.jpg"}));
}

// The count is the server's word: a huge one with nothing behind it ends after two pages that
// stay empty, and a server that repeats its page ends at the repeat.
TEST_F(SinaWeibo, PagingEndsWhateverTheCountSays) {
    struct Case {
        const char* label;
        std::string later;  // what every page after the first brings
        std::vector<std::string> pages;
    } cases[] = {
        {"nothing behind the count", kNoPhotos, {"1", "2", "2", "3", "3"}},
        {"the same page again", Photos({"a1", "a2"}), {"1", "2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.ClearRequests();
        std::atomic<int> answered = 0;
        server.Handle(kPhotos, [&](const FixtureRequest& request, FixtureReply& reply) {
            // A safety stop for a list that would not end by itself.
            if (++answered > 12) {
                StopDownload();
            }
            reply.body = request.Param("page") == "1" ? Photos({"a1", "a2"}) : c.later;
        });

        ListPictures(SinaWeiboAdapter::PictureList, Album(1000000));

        EXPECT_EQ(PagesAsked(), c.pages);
        EXPECT_EQ(Pictures().size(), 2u);
    }
}

TEST_F(SinaWeibo, StopDuringAWaitReturnsAtOnce) {
    SetRetryPauseScale(1.0);
    server.Handle(kPhotos, [&](const FixtureRequest& request, FixtureReply& reply) {
        if (request.Param("page") == "1") {
            reply.body = Photos({"a1"});
            return;
        }
        StopDownload();  // pressed while the empty page is on its way
        reply.body = kNoPhotos;
    });

    auto start = std::chrono::steady_clock::now();
    ListPictures(SinaWeiboAdapter::PictureList, Album(70));
    auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
    EXPECT_EQ(PagesAsked(), (std::vector<std::string>{"1", "2"}));
}

// The copy of each page goes to the program folder, not to wherever the program was started.
TEST_F(SinaWeibo, PageCopyLandsInTheProgramFolder) {
    TempDir startFolder;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(startFolder.NativePath());
    ServePages({{kPhotos, {{"page", "1"}}, Fixture("weibo_photos.json")}});

    ListPictures(SinaWeiboAdapter::PictureList, Album(3));

    std::filesystem::current_path(before);
    EXPECT_FALSE(FileSystem::Exists(startFolder.Path() + u"sinawb.tmp"));
    std::string dump;
    ASSERT_TRUE(FileSystem::ReadFile(dir.Path() + u"sinawb.tmp", dump));
    EXPECT_EQ(dump.substr(0, 2), "\xFF\xFE");
}

}  // namespace
