// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <string>
#include <vector>

#include "renren/RenrenTest.h"
#include "sites/renren/RenrenPhotoAdapter.h"

namespace {

const std::string kRelatives = "/photo/22334455/album/relatives";
const std::string kRelativesAjax = "/photo/22334455/album/relatives/ajax";
const std::string kFallback = "/photo/22334455/ajax";
const std::u16string kNoAccess =
    u"错误原因：\n1.你没有登录你的人人帐号(在登录菜单里登录,登录时需要勾上下次自动登录)\n2."
    u"你没有该相册的访问权限.";

ExpectedRequest FirstPage() {
    return {"photo.renren.com", kRelatives, {{"curpage", "1"}}, {{"Accept-Encoding", "gzip, deflate"}}};
}
ExpectedRequest AjaxPage(const char* offset) {
    return {"photo.renren.com", kRelativesAjax, {{"offset", offset}, {"limit", "40"}}};
}
ExpectedRequest FallbackPage() {
    return {"photo.renren.com", kFallback, {{"__view", "async-html"}, {"offset", "0"}, {"limit", "500"}}};
}

class RenrenAlbums : public RenrenTest {};

TEST_F(RenrenAlbums, UserAlbumsPageByFortyUntilAPageWithoutItems) {
    ServePages({{kRelatives, {}, Fixture("relatives.html")},
                {kRelativesAjax, {{"offset", "40"}}, Fixture("relatives_ajax.html")},
                {kRelativesAjax, {{"offset", "80"}}, "<p>没有更多了</p>"}});

    ListAlbums(RenrenPhotoAdapter::AlbumList, u"22334455");

    ExpectRequests({FirstPage(), AjaxPage("40"), AjaxPage("80")});
    EXPECT_EQ(List().ownerName, u"张三");
    struct Row {
        std::u16string name, url, cover;
        int count, privacy;
    };
    const std::vector<Row> rows = {
        {u"春游 2013", u"http://photo.renren.com/photo/22334455/album-101",
         u"http://fmn.rrimg.com/cover/101.jpg", 12, 0},
        {u"头像相册", u"http://photo.renren.com/photo/22334455/album-102",
         u"http://fmn.rrimg.com/cover/102.jpg", 3, 0},
        {u"手机相册", u"http://photo.renren.com/photo/22334455/album-103",
         u"http://fmn.rrimg.com/cover/103.jpg", 5, 0},
        {u"加密相册", u"http://photo.renren.com/photo/22334455/album-104",
         u"http://fmn.rrimg.com/cover/104.jpg", 7, 1},
        {u"第四十一", u"http://photo.renren.com/photo/22334455/album-141",
         u"http://fmn.rrimg.com/cover/141.jpg", 40, 0},
        {u"第四十二", u"http://photo.renren.com/photo/22334455/album-142",
         u"http://fmn.rrimg.com/cover/142.jpg", 0, 0},
    };
    auto albums = Albums();
    ASSERT_EQ(albums.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(albums[i].name, rows[i].name);
        EXPECT_EQ(albums[i].url, rows[i].url);
        EXPECT_EQ(albums[i].coverUrl, rows[i].cover);
        EXPECT_EQ(albums[i].pictureCount, rows[i].count);
        EXPECT_EQ(albums[i].privacy, rows[i].privacy);
    }
    EXPECT_TRUE(Messages().empty());
}

// A first page without the album list is tried again as one page of up to 500 albums, which ends
// the list; when that has no list either the user is told to log in.
TEST_F(RenrenAlbums, FirstPageWithoutTheListFallsBackToFiveHundred) {
    const std::string bare = "<html><title>人人网 - 张三的相册</title><body>请登录</body></html>";
    struct Case {
        const char* label;
        std::string fallback;
        std::size_t albums;
        bool message;
    } cases[] = {
        {"fallback has the list", Fixture("relatives.html"), 4, false},
        {"fallback has no list", "<ul><li>x</li></ul>", 0, true},
        {"fallback is empty", "", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        List().albums.Clear();
        server.ClearRequests();
        const std::size_t messagesBefore = Messages().size();
        ServePages({{kRelatives, {}, bare},
                    {kFallback, {}, c.fallback},
                    {kRelativesAjax, {}, Fixture("relatives_ajax.html")}});

        ListAlbums(RenrenPhotoAdapter::AlbumList, u"22334455");

        ExpectRequests({FirstPage(), FallbackPage()});
        EXPECT_EQ(Albums().size(), c.albums);
        auto messages = Messages();
        ASSERT_EQ(messages.size() - messagesBefore, c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(messages.back().text, kNoAccess);
            EXPECT_FALSE(messages.back().question);
        }
        EXPECT_EQ(List().ownerName, u"张三");
    }
}

TEST_F(RenrenAlbums, TypedAlbumIsOneRow) {
    const std::string album = "/photo/22334455/album-101";
    struct Case {
        const char* label;
        std::string page;
        std::u16string owner;
        std::size_t rows;
    } cases[] = {
        {"owner from the first tab", Fixture("album.html"), u"张三", 1},
        {"own album: the visitor",
         "<ul class=\"nav-tabs\"><li><a>我的相册</a></li></ul>" + Fixture("album.html"), u"访客李四", 1},
        {"name over 300 characters",
         "<div class=\"ablum-infor\"><h1>" + std::string(301, 'x') + "<span>(3张)</span></h1>", u"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        List().albums.Clear();
        server.Serve(album, c.page);

        ListAlbums(RenrenPhotoAdapter::AlbumList, u"http://photo.renren.com/photo/22334455/album-101");

        auto albums = Albums();
        ASSERT_EQ(albums.size(), c.rows);
        EXPECT_EQ(List().ownerName, c.owner);
        if (c.rows == 1) {
            EXPECT_EQ(albums[0].name, u"春游 2013");
            EXPECT_EQ(albums[0].url, u"http://photo.renren.com/photo/22334455/album-101");
            EXPECT_EQ(albums[0].pictureCount, 12);
            EXPECT_EQ(albums[0].privacy, 0);
            EXPECT_TRUE(albums[0].coverUrl.empty());
        }
    }
    // One fetch each: the album's own page.
    EXPECT_EQ(server.RequestsTo(album).size(), 3u);
    EXPECT_EQ(server.Requests().size(), 3u);
}

// The ajax service ignores an offset it does not know and answers its first page again.
TEST_F(RenrenAlbums, ServerRepeatingAPageEndsTheList) {
    server.Serve(kRelatives, Fixture("relatives.html"));
    std::atomic<int> answered = 0;
    server.Handle(kRelativesAjax, [&](const FixtureRequest&, FixtureReply& reply) {
        reply.body = ++answered < 20 ? Fixture("relatives_ajax.html") : "";
    });

    ListAlbums(RenrenPhotoAdapter::AlbumList, u"22334455");

    EXPECT_EQ(server.RequestsTo(kRelativesAjax).size(), 2u);
    EXPECT_EQ(Albums().size(), 6u);
}

}  // namespace
