// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "communities/CommunitiesTest.h"
#include "sites/communities/PconlineAlbumAdapter.h"
#include "sites/communities/PconlinePaging.h"

namespace {

const std::string kPhotoHost = "photo.pconline.com.cn";

class Pconline : public CommunitiesTest {
protected:
    static ExpectedRequest Get(const std::string& path) {
        return {kPhotoHost, path, {}, {{"Accept-Encoding", "gzip, deflate"}}};
    }
};

TEST_F(Pconline, ListingPageBecomesATemplateReadFromItsFirstPage) {
    ServePages({{"/alice/myphoto_p1_n15.html", {}, Fixture("pconline_albums_1.html")},
                {"/alice/myphoto_p2_n15.html", {}, Fixture("pconline_albums_2.html")}});
    ASSERT_EQ(ListThroughJob(SITE_PCONLINE, u"http://photo.pconline.com.cn/alice/myphoto_p3_n15.html"), 3);

    auto albums = Albums();
    EXPECT_EQ(albums[0].name, u"风景");
    EXPECT_EQ(albums[0].url, u"http://photo.pconline.com.cn/alice/photo/list_123.html");
    EXPECT_EQ(albums[0].coverUrl, u"http://img.pconline.com.cn/c/123.jpg");
    EXPECT_EQ(albums[0].pictureCount, -1);
    EXPECT_EQ(albums[2].name, u"街拍");
    EXPECT_EQ(List().ownerName, u"alice的相册/");
    EXPECT_EQ(Kept<PconlinePaging>().pageMarker, u"_p2_");
    ExpectRequests({Get("/alice/myphoto_p1_n15.html"), Get("/alice/myphoto_p2_n15.html")});
}

TEST_F(Pconline, OwnerFallsBackToTheUserPartOfTheAddress) {
    ServePages({{"/alice/myphoto_p1_n15.html",
                 {},
                 "<title>相册</title><div class=\"picbox\"><a href=\"x\" title=\"一\">"}});
    ListAlbums(PconlineAlbumAdapter::AlbumList,
               u"http://photo.pconline.com.cn/alice/myphoto_dk1stp_n15.html");
    EXPECT_EQ(Albums().size(), 1u);
    EXPECT_EQ(List().ownerName, u"alice");
}

TEST_F(Pconline, PicturesAreDescribedByAlbumNameAndPosition) {
    ServePages({{"/alice/photo/list_123.html", {}, Fixture("pconline_photos.html")}});
    ListPictures(PconlineAlbumAdapter::PictureList,
                 {.name = u"风景", .url = u"http://photo.pconline.com.cn/alice/photo/list_123.html"});
    auto pictures = Pictures();
    // What follows the article's wrapper is not the album's.
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].url, u"http://img.pconline.com.cn/p/123/1.jpg");
    EXPECT_EQ(pictures[0].fileName, u"风景 (1).jpg");
    EXPECT_EQ(pictures[1].url, u"http://img.pconline.com.cn/p/123/2.jpg");
    EXPECT_EQ(pictures[1].fileName, u"风景 (2).jpg");
    ExpectRequests({Get("/alice/photo/list_123.html")});
}

TEST_F(Pconline, PageOfMorePiecesThanASixteenBitCounterReachesItsLast) {
    std::string page;
    for (int i = 1; i < 70000; ++i) {
        page += "<div class=\"picture\"></div>";
    }
    page += "<div class=\"picture\"><img src=\"http://img.pconline.com.cn/p/last.jpg\" /></div>";
    ServePages({{"/alice/photo/list_1.html", {}, page}});
    ListPictures(PconlineAlbumAdapter::PictureList,
                 {.name = u"风景", .url = u"http://photo.pconline.com.cn/alice/photo/list_1.html"});
    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].url, u"http://img.pconline.com.cn/p/last.jpg");
    EXPECT_EQ(pictures[0].fileName, u"风景 (70000).jpg");
}

}  // namespace
