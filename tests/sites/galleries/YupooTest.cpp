// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "MyCode/URLSource2.h"
#include "galleries/GalleriesTest.h"
#include "platform/CodePage.h"
#include "sites/galleries/YupooAdapter.h"

namespace {

const std::u16string kMainList = u"http://www.yupoo.com/photos/alice/albums/";
const std::string kMainListPath = "/photos/alice/albums/";
const std::u16string kAlbum = u"http://x.yupoo.com/photos/alice/albums/123/";
const std::string kAlbumPath = "/photos/alice/albums/123/";

// Yupoo retries answers of 100 bytes or less: every page here is longer.
std::string Padded(std::string page, std::size_t length = 200) {
    page.resize(std::max(page.size(), length), ' ');
    return page;
}

std::string SetCase(const std::string& marker, const std::string& href, const std::string& name) {
    return marker + "<a href=\"" + href + "\"><img src=\"http://pic.yupoo.com/c/" + name + ".jpg\" alt=\"" +
           name + "\"></a><b>3</b></div>";
}

const std::string kLastPage = "<span class=\"nextprev\">下一页</span>";
const std::string kNextLink = "<a class=\"nextprev\" href=\"#\">下一页</a>";

std::string ListPage(const std::string& sets, const std::string& pager) {
    return Padded("<html><head><title>alice的相册 - 又拍网</title></head><body>" + sets + pager +
                  "<div id=\"footer\"></div></body></html>");
}

std::string Original(const std::string& id) {
    return Padded("<html><body><div class=\"original\"><img src=\"http://pic.yupoo.com/alice/" + id +
                  "/original.jpg\"></div></body></html>");
}

ExpectedRequest ListRequest(const std::string& host, const std::string& path, int page) {
    const std::string url = "http://" + host + path + "page" + std::to_string(page) + "/";
    return {host, path + "page" + std::to_string(page) + "/", {}, {{"Referer", url}}};
}

ExpectedRequest PhotoPageRequest(int page) {
    const std::string path = kAlbumPath + "page" + std::to_string(page) + "/";
    return {"x.yupoo.com",
            path,
            {{"style", "detail"}},
            {{"Referer", "http://x.yupoo.com" + path + "?style=detail"}}};
}

ExpectedRequest OriginalRequest(const std::string& id) {
    const std::string path = "/photos/alice/" + id + "/zoom/original/";
    return {"x.yupoo.com", path, {}, {{"Referer", "http://x.yupoo.com" + path}}};
}

class Yupoo : public GalleriesTest {
protected:
    void SetUp() override {
        GalleriesTest::SetUp();
        List().siteType = SITE_YUPOO;
    }

    void SetLarge(bool large) { Naming().options = large ? OPT_YUPOO_LARGE : 0; }

    void StartAlbum(int privacy = 0) {
        ST_PERLISTRECORD album;
        album.name = u"春天";
        album.url = kAlbum;
        album.privacy = privacy;
        StartDownload(album);
    }
};

// Counts from "<b>", or from "<strong>" where that reads 0; the padlock cover marks a locked set;
// relative links are completed on the host; the site's own sets below the footer are not the
// user's. The page with the disabled next link is the last.
TEST_F(Yupoo, AlbumListUntilTheDisabledNextLink) {
    ServePages(
        {{kMainListPath + "page1/", {}, Fixture("yupoo_albums.html")},
         {kMainListPath + "page2/",
          {},
          ListPage(SetCase("<div class=\"set-case\">", "/photos/alice/albums/333/", "秋天"), kLastPage)},
         {kMainListPath + "page3/", {}, Fixture("yupoo_albums.html")}});

    ListAlbums(YupooAdapter::AlbumList, kMainList);

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(List().ownerName, u"alice");
    EXPECT_EQ(albums[0].name, u"春天");
    EXPECT_EQ(albums[0].url, u"http://www.yupoo.com/photos/alice/albums/111/");
    EXPECT_EQ(albums[0].coverUrl, u"http://pic.yupoo.com/alice/c111/square.jpg");
    EXPECT_EQ(albums[0].pictureCount, 12);
    EXPECT_EQ(albums[0].privacy, 0);
    EXPECT_EQ(albums[1].name, u"日记");
    EXPECT_EQ(albums[1].url, u"http://www.yupoo.com/photos/alice/albums/222/");
    EXPECT_EQ(albums[1].coverUrl, u"http://www.yupoo.com/images/default_set_photo.gif");
    EXPECT_EQ(albums[1].pictureCount, 5);
    EXPECT_EQ(albums[1].privacy, 1);
    EXPECT_EQ(albums[2].name, u"秋天");
    EXPECT_EQ(albums[2].url, u"http://www.yupoo.com/photos/alice/albums/333/");
    ExpectRequests(
        {ListRequest("www.yupoo.com", kMainListPath, 1), ListRequest("www.yupoo.com", kMainListPath, 2)});
}

// The older design marks its sets with "SetCase": decided on page 1, it holds for the later pages.
// A relative album link stays on the host the list was read on.
TEST_F(Yupoo, OlderDesignAndRelativeLinksOnEitherHost) {
    struct Case {
        const char* host;
        std::u16string prefix;
    };
    for (const Case& c :
         {Case{"www.yupoo.com", u"http://www.yupoo.com"}, Case{"x.yupoo.com", u"http://x.yupoo.com"}}) {
        SCOPED_TRACE(c.host);
        NextCase();
        const std::string older = "<div class=\"SetCase\">";
        // Page 2 also shows a set of the newer design: it is part of the piece before it.
        ServePages({{kMainListPath + "page1/",
                     {},
                     ListPage(SetCase(older, "/photos/alice/albums/1/", "一"), kNextLink)},
                    {kMainListPath + "page2/",
                     {},
                     ListPage(SetCase(older, "/photos/alice/albums/2/", "二") +
                                  SetCase(older, "/photos/alice/albums/3/", "三"),
                              kLastPage)}});

        ListAlbums(YupooAdapter::AlbumList,
                   u"http://" + CodePage::FromUtf8(c.host) + u"/photos/alice/albums/");

        auto albums = Albums();
        ASSERT_EQ(albums.size(), 3u);
        EXPECT_EQ(albums[0].url, c.prefix + u"/photos/alice/albums/1/");
        EXPECT_EQ(albums[1].url, c.prefix + u"/photos/alice/albums/2/");
        EXPECT_EQ(albums[2].name, u"三");
        EXPECT_EQ(albums[2].pictureCount, 3);
        ExpectRequests({ListRequest(c.host, kMainListPath, 1), ListRequest(c.host, kMainListPath, 2)});
    }
}

// A page of another shape than the list (no pager, an error page) ends the list, and a server that
// answers every page number with the same page cannot keep it going.
TEST_F(Yupoo, ListEndsWithoutAPagerOrAtARepeatedPage) {
    const std::string noPager =
        ListPage(SetCase("<div class=\"set-case\">", "/photos/alice/albums/1/", "一") +
                     SetCase("<div class=\"set-case\">", "/photos/alice/albums/2/", "二"),
                 "");
    struct Case {
        const char* name;
        std::string second;
    };
    for (const Case& c : {Case{"error page", Padded("<html><body><h1>出错了</h1></body></html>")},
                          Case{"repeated page", noPager}}) {
        SCOPED_TRACE(c.name);
        NextCase();
        std::vector<FixturePage> pages = {{kMainListPath + "page1/", {}, noPager},
                                          {kMainListPath + "page2/", {}, c.second}};
        for (int page = 3; page <= 6; ++page) {
            pages.push_back({kMainListPath + "page" + std::to_string(page) + "/", {}, noPager});
        }
        ServePages(pages);

        ListAlbums(YupooAdapter::AlbumList, kMainList);

        EXPECT_EQ(Albums().size(), 2u);
        ExpectRequests(
            {ListRequest("www.yupoo.com", kMainListPath, 1), ListRequest("www.yupoo.com", kMainListPath, 2)});
    }
}

// One album typed by its address is one row named from its page, read without the query.
TEST_F(Yupoo, SingleAlbumIsOneRow) {
    struct Case {
        const char* name;
        std::string page;
        std::u16string album;  // empty: no row
        int count;
    };
    const std::string title = "<title>春天_alice的相册 - 又拍网</title>";
    const std::vector<Case> cases = {
        {"owner line", title + "<span class=\"albumOwner\">春天</span> (12张)", u"春天", 12},
        {"title line", title + "<a href=\"/photos/alice/\">alice的相册</a> /春天</h2> (7张)", u"春天", 7},
        {"not an album", title + "<span class=\"albumOwner\">" + std::string(301, 'x') + "</span> (1张)", u"",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NextCase();
        ServePages({{kAlbumPath, {}, Padded(c.page)}});

        ListAlbums(YupooAdapter::AlbumList, kAlbum + u"?from=home");

        auto albums = Albums();
        if (c.album.empty()) {
            EXPECT_TRUE(albums.empty());
        } else {
            ASSERT_EQ(albums.size(), 1u);
            EXPECT_EQ(albums[0].name, c.album);
            EXPECT_EQ(albums[0].pictureCount, c.count);
            EXPECT_EQ(albums[0].url, kAlbum);
            EXPECT_EQ(albums[0].coverUrl, u"");
        }
        EXPECT_EQ(List().ownerName, u"alice");
        ExpectRequests({{"x.yupoo.com", kAlbumPath, {}, {{"Referer", ""}}}});
    }
}

// An answer of 100 bytes or less is Yupoo's busy page: asked again, 4 times in all.
TEST_F(Yupoo, ShortAnswersAreRetried) {
    struct Case {
        const char* name;
        std::vector<std::size_t> lengths;  // of the answers in turn; the last repeats
        std::size_t requests;
        std::size_t rows;
    };
    const std::vector<Case> cases = {
        {"101 bytes", {101}, 1, 1},
        {"100 then 101", {100, 101}, 2, 1},
        {"always 100", {100}, 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NextCase();
        std::atomic<std::size_t> served{0};
        server.Handle(kAlbumPath, [&](const FixtureRequest&, FixtureReply& reply) {
            std::size_t length = c.lengths[std::min<std::size_t>(served++, c.lengths.size() - 1)];
            reply.body = "<title>x_alice的相册</title><span class=\"albumOwner\">a</span>(3张)";
            reply.body.resize(length, ' ');
        });

        ListAlbums(YupooAdapter::AlbumList, kAlbum);

        EXPECT_EQ(Albums().size(), c.rows);
        EXPECT_EQ(server.RequestsTo(kAlbumPath).size(), c.requests);
    }
}

// With large pictures chosen, "/small." becomes "/big." and no original-size page is read.
TEST_F(Yupoo, LargePictures) {
    SetLarge(true);
    ServePages({{kAlbumPath + "page1/", {}, Fixture("yupoo_photos.html")},
                {kAlbumPath + "page2/", {}, Padded("<html><body>没有照片</body></html>")}});
    StartAlbum();

    RunPictures(YupooAdapter::PictureList);

    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{u"http://pic.yupoo.com/alice/p1/big.jpg",
                                                          u"http://pic.yupoo.com/alice/p2/big.jpg",
                                                          u"http://pic.yupoo.com/alice/p3/big.jpg"}));
    // The title, else the description, else the album's name.
    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].fileName, u"花开.jpg");
    EXPECT_EQ(pictures[1].fileName, u"草地.jpg");
    EXPECT_EQ(pictures[2].fileName, u"春天.jpg");
    EXPECT_EQ(pictures[0].headers, u"");
    ExpectRequests({PhotoPageRequest(1), PhotoPageRequest(2)});
}

// Otherwise each photo's original-size page names the original; those pages lie below the user's
// base address, the album's address before "albums/". A page that cannot be read, or that names no
// address, leaves the listed picture.
TEST_F(Yupoo, OriginalsFromEachPhotoPage) {
    SetLarge(false);
    ServePages({{kAlbumPath + "page1/", {}, Fixture("yupoo_photos.html")},
                {kAlbumPath + "page2/", {}, Padded("<html><body>没有照片</body></html>")},
                {"/photos/alice/p1/zoom/original/", {}, Original("p1")},
                {"/photos/alice/p2/zoom/original/", {}, Padded("<html><body><img src=\"/images/none.gif\">")},
                {"/photos/alice/p3/zoom/original/", {}, "busy"}});
    StartAlbum();

    RunPictures(YupooAdapter::PictureList);

    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{u"http://pic.yupoo.com/alice/p1/original.jpg",
                                                          u"http://pic.yupoo.com/alice/p2/small.jpg",
                                                          u"http://pic.yupoo.com/alice/p3/small.jpg"}));
    ExpectRequests({PhotoPageRequest(1), OriginalRequest("p1"), OriginalRequest("p2"), OriginalRequest("p3"),
                    OriginalRequest("p3"), OriginalRequest("p3"), OriginalRequest("p3"),
                    PhotoPageRequest(2)});
}

// An original the visitor may not see ends the album with the login message; what was listed
// before stays.
TEST_F(Yupoo, RefusedOriginalAsksForTheLogin) {
    ServePages({{kAlbumPath + "page1/", {}, Fixture("yupoo_photos.html")},
                {kAlbumPath + "page2/", {}, Fixture("yupoo_photos.html")},
                {"/photos/alice/p1/zoom/original/", {}, Original("p1")},
                {"/photos/alice/p2/zoom/original/", {}, Padded("<p>无法查看该照片的原图</p>")}});
    StartAlbum();

    RunPictures(YupooAdapter::PictureList);

    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{u"http://pic.yupoo.com/alice/p1/original.jpg"}));
    auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, u"请先在登录菜单里登录你的又拍帐号,登录时勾上下次自动登录");
    EXPECT_EQ(messages[0].caption, u"");
    ExpectRequests({PhotoPageRequest(1), OriginalRequest("p1"), OriginalRequest("p2")});
}

// A locked album asks for its password on page 1; yes opens the login browser there and reads the
// page again.
TEST_F(Yupoo, PasswordQuestion) {
    SetLarge(true);
    struct Case {
        const char* name;
        int privacy;
        bool answer;
        std::size_t questions;
        std::size_t pictures;
        std::size_t firstPageReads;
    };
    const std::vector<Case> cases = {
        {"declined", 1, false, 1, 0, 1},
        {"accepted", 1, true, 1, 3, 2},
        {"open album", 0, false, 0, 3, 1},
    };
    const std::string locked =
        Padded("<div class=\"album_password\">访问密码 <input type=\"password\"></div>") +
        Fixture("yupoo_photos.html");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NextCase();
        const std::size_t earlier = Messages().size();
        QueueAnswer(c.answer);
        ServePages({{kAlbumPath + "page1/", {}, locked}, {kAlbumPath + "page2/", {}, locked}});
        StartAlbum(c.privacy);

        RunPictures(YupooAdapter::PictureList);

        EXPECT_EQ(Pictures().size(), c.pictures);
        std::size_t questions = 0;
        auto messages = Messages();
        for (std::size_t i = earlier; i < messages.size(); ++i) {
            const auto& message = messages[i];
            if (message.text == u"加密相册,是否输入密码") {
                EXPECT_EQ(message.caption, u"提示");
                EXPECT_TRUE(message.question);
                ++questions;
            }
        }
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(server.RequestsTo(kAlbumPath + "page1/").size(), c.firstPageReads);
        if (c.answer) {
            EXPECT_EQ(LoginUrls().back(), u"http://x.yupoo.com/photos/alice/albums/123/page1/?style=detail");
        }
    }
}

// The original-size page is retried up to 4 times, 4 seconds apart: a stop ends the wait at once.
TEST_F(Yupoo, StopEndsTheRetriesOfAnOriginalPage) {
    SetRetryPauseScale(1.0);
    SetLarge(false);
    ServePages({{kAlbumPath + "page1/", {}, Fixture("yupoo_photos.html")}});
    server.Handle("/photos/alice/p1/zoom/original/", [this](const FixtureRequest&, FixtureReply& reply) {
        StopDownload();
        reply.body = "busy";
    });
    StartAlbum();

    auto start = std::chrono::steady_clock::now();
    RunPictures(YupooAdapter::PictureList);
    auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_LT(elapsed, std::chrono::seconds(2));
    EXPECT_EQ(server.RequestsTo("/photos/alice/p1/zoom/original/").size(), 1u);
    EXPECT_TRUE(server.RequestsTo("/photos/alice/p2/zoom/original/").empty());
}

}  // namespace
