// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <string>
#include <vector>

#include "galleries/GalleriesTest.h"
#include "sites/galleries/Photo56Adapter.h"

namespace {

const std::string kIndex = "/photo/album/index.php";
const std::string kPictures = "/photo/album/";
const std::u16string kUserIndex = u"http://www.56.com/photo/album/index.php?user=alice&perPage=20";

std::string IndexPage(const std::string& items, bool next) {
    return "<html><body><ul class=\"album_list\">" + items + "</ul>" +
           (next ? "<div class=\"pager\"><a href=\"#\">下一页</a></div>" : "") + "</body></html>";
}

std::string AlbumItem(const std::string& id, const std::string& name) {
    return "<li><a onclick=\"chackAlbum('" + id + "')\"><img src=\"http://img.56.com/c/" + id +
           ".jpg\" title=\"" + name + "\"></a><p width=\"140\">7</p></li>";
}

ExpectedRequest IndexRequest(const char* page) {
    return {"www.56.com",
            kIndex,
            {{"user", "alice"}, {"perPage", "20"}, {"page", page}},
            {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
}

ExpectedRequest PictureRequest(const char* page) {
    return {"www.56.com",
            kPictures,
            {{"do", "Plist"}, {"did", "9001"}, {"page", page}},
            {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
}

class Photo56 : public GalleriesTest {
protected:
    void SetUp() override {
        GalleriesTest::SetUp();
        List().siteType = SITE_56;
    }
};

// Page 1 skips the album without a title; page 2 lists nothing but links on; page 3 is the last.
TEST_F(Photo56, AlbumPagesFollowTheNextLinkPastAnEmptyPage) {
    ServePages({{kIndex, {{"page", "1"}}, Fixture("56_albums.html")},
                {kIndex, {{"page", "2"}}, IndexPage("", true)},
                {kIndex, {{"page", "3"}}, IndexPage(AlbumItem("9004", "雪山"), false)},
                {kIndex, {{"page", "4"}}, IndexPage(AlbumItem("9005", "never"), false)}});

    ListAlbums(Photo56Adapter::AlbumList, kUserIndex);

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(albums[0].name, u"春游");
    EXPECT_EQ(albums[0].url, u"9001");
    EXPECT_EQ(albums[0].coverUrl, u"http://img.56.com/c/9001.jpg");
    EXPECT_EQ(albums[0].pictureCount, 12);
    EXPECT_EQ(albums[0].privacy, 0);
    EXPECT_EQ(albums[1].name, u"海边");
    EXPECT_EQ(albums[1].pictureCount, 3);
    EXPECT_EQ(albums[2].name, u"雪山");
    EXPECT_EQ(albums[2].url, u"9004");
    ExpectRequests({IndexRequest("1"), IndexRequest("2"), IndexRequest("3")});
}

// A server that ignores the page number, or pages of nothing that link on for ever, cannot keep
// the list going: a repeated page ends it, and so does a run of empty pages.
TEST_F(Photo56, AlbumPagingEndsAtARepeatedPageOrARunOfEmptyPages) {
    struct Case {
        const char* name;
        bool repeat;  // every page is page 1; otherwise every later page is empty
        std::size_t albums;
        std::size_t requests;
    };
    for (const Case& c : {Case{"repeated", true, 2, 2}, Case{"empty run", false, 2, 5}}) {
        SCOPED_TRACE(c.name);
        NextCase();
        std::atomic<int> served{0};
        server.Handle(kIndex, [&](const FixtureRequest& request, FixtureReply& reply) {
            // Bounded, so that a loop without a guard fails instead of hanging.
            if (++served > 20) {
                return;
            }
            reply.body = c.repeat || request.Param("page") == "1"
                             ? Fixture("56_albums.html")
                             : IndexPage("<!-- page " + request.Param("page") + " -->", true);
        });

        ListAlbums(Photo56Adapter::AlbumList, kUserIndex);

        EXPECT_EQ(Albums().size(), c.albums);
        EXPECT_EQ(server.RequestsTo(kIndex).size(), c.requests);
    }
}

// The pictures are served to their own picture page: each carries the address of the page it was
// listed on. A page without pictures ends the album even when it links on.
TEST_F(Photo56, PicturesCarryTheirPageAsReferer) {
    const std::string second =
        "<div class=\"img\"><img src='http://img.56.com/p/9001/3.jpg'><label>云</label></div>"
        "<a href=\"#\">下一页</a>";
    ServePages({{kPictures, {{"page", "1"}}, Fixture("56_photos.html")},
                {kPictures, {{"page", "2"}}, second},
                {kPictures, {{"page", "3"}}, "<p>没有照片</p><a href=\"#\">下一页</a>"},
                {kPictures, {{"page", "4"}}, second}});

    ListPictures(Photo56Adapter::PictureList, ST_PERLISTRECORD{.name = u"春游", .url = u"9001"});

    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].url, u"http://img.56.com/p/9001/1.jpg");
    EXPECT_EQ(pictures[1].url, u"http://img.56.com/p/9001/2.jpg");
    EXPECT_EQ(pictures[2].url, u"http://img.56.com/p/9001/3.jpg");
    // The label without its tags, trimmed; an empty label gives the album's name.
    EXPECT_EQ(pictures[0].fileName, u"海浪.jpg");
    EXPECT_EQ(pictures[1].fileName, u"春游.jpg");
    EXPECT_EQ(pictures[0].headers, u"Referer: http://www.56.com/photo/album/?do=Plist&did=9001&page=1");
    EXPECT_EQ(pictures[1].headers, u"Referer: http://www.56.com/photo/album/?do=Plist&did=9001&page=1");
    EXPECT_EQ(pictures[2].headers, u"Referer: http://www.56.com/photo/album/?do=Plist&did=9001&page=2");
    ExpectRequests({PictureRequest("1"), PictureRequest("2"), PictureRequest("3")});
}

}  // namespace
