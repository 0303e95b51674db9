// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "communities/CommunitiesTest.h"
#include "sites/communities/MokoAlbumAdapter.h"

namespace {

const std::string kPosts = "/post/alice/list.html";
const std::string kCategory11 = "/post/alice/category/11/";
const std::string kCategory12 = "/post/alice/category/12/";

class Moko : public CommunitiesTest {
protected:
    void ServeMoko() {
        ServePages({{kPosts, {}, Fixture("moko_posts.html")},
                    {kCategory11 + "1.html", {}, Fixture("moko_category11_1.html")},
                    {kCategory11 + "2.html", {}, Fixture("moko_category11_2.html")},
                    {kCategory12 + "1.html", {}, Fixture("moko_category12_1.html")},
                    {"/post/alice/1001.html", {}, Gbk(Fixture("moko_post.html"))}});
    }

    std::vector<std::u16string> AlbumNames() const {
        std::vector<std::u16string> names;
        for (const ST_PERLISTRECORD& album : Albums()) {
            names.push_back(album.name);
        }
        return names;
    }

    static ExpectedRequest Get(const std::string& path) {
        return {"www.moko.cc", path, {}, {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
    }
};

TEST_F(Moko, EveryCategoryIsListedPageByPageInBothLayouts) {
    ServeMoko();
    ListAlbums(MokoAlbumAdapter::AlbumList, u"http://www.moko.cc/post/alice/list.html");

    // The side box's links are neither categories nor albums: the post list and the category
    // pages are cut where it begins.
    EXPECT_EQ(AlbumNames(), (std::vector<std::u16string>{u"春装", u"夏装", u"秋装", u"海边", u"街拍"}));
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 5u);
    EXPECT_EQ(albums[0].url, u"/post/alice/1001.html");
    EXPECT_EQ(albums[0].coverUrl, u"http://img.moko.cc/c/1001.jpg");
    EXPECT_EQ(albums[0].pictureCount, 12);
    EXPECT_EQ(albums[3].url, u"/post/alice/2001.html");
    EXPECT_EQ(albums[3].coverUrl, u"http://img.moko.cc/c/2001.jpg");
    EXPECT_EQ(albums[3].pictureCount, 20);
    EXPECT_EQ(List().ownerName, u"alice");
    ExpectRequests(
        {Get(kPosts), Get(kCategory11 + "1.html"), Get(kCategory11 + "2.html"), Get(kCategory12 + "1.html")});
}

TEST_F(Moko, CategoryInputListsOnlyThatCategoryFromItsFirstPage) {
    ServeMoko();
    for (const char16_t* input : {u"http://www.moko.cc/post/alice/category/12/",
                                  u"http://www.moko.cc/post/alice/category/12/3.html"}) {
        SCOPED_TRACE(Utf8(input));
        List().albums.Clear();
        List().ownerName.clear();
        server.ClearRequests();
        ListAlbums(MokoAlbumAdapter::AlbumList, input);
        EXPECT_EQ(AlbumNames(), (std::vector<std::u16string>{u"海边", u"街拍"}));
        EXPECT_EQ(List().ownerName, u"alice");  // from the category page's title
        ExpectRequests({Get(kCategory12 + "1.html")});
    }
}

TEST_F(Moko, CategoryWhoseFirstPageFailsIsSkipped) {
    ServeMoko();
    // The answer breaks off: the fetch fails.
    server.Handle(kCategory11 + "1.html", [](const FixtureRequest&, FixtureReply& reply) {
        reply.declaredLength = 5000;
        reply.stream = [](FixtureStream& out) { out.Write("<html>"); };
    });
    ListAlbums(MokoAlbumAdapter::AlbumList, u"http://www.moko.cc/post/alice/list.html");
    EXPECT_EQ(AlbumNames(), (std::vector<std::u16string>{u"海边", u"街拍"}));
    EXPECT_TRUE(server.RequestsTo(kCategory11 + "2.html").empty());
}

TEST_F(Moko, PicturesOfAPostPageAreNamedAfterTheAlbum) {
    ServeMoko();
    ListPictures(MokoAlbumAdapter::PictureList, {.name = u"春装", .url = u"/post/alice/1001.html"});
    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].url, u"http://img.moko.cc/p/1001/1.jpg");
    EXPECT_EQ(pictures[0].fileName, u"春装.jpg");
    EXPECT_EQ(pictures[1].url, u"http://img.moko.cc/p/1001/2.jpg");
    EXPECT_EQ(pictures[1].fileName, u"春装(1).jpg");
    ExpectRequests({Get("/post/alice/1001.html")});
}

}  // namespace
