// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "portals/PortalsTest.h"
#include "sites/portals/PchomeAlbumAdapter.h"
#include "sites/portals/PortalUser.h"

namespace {

ExpectedRequest PchomeRequest(const std::string& path) {
    return {"photo.pchome.com.tw", path, {}, {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
}

class Pchome : public PortalsTest {
protected:
    void SetUp() override {
        PortalsTest::SetUp();
        List().siteType = SITE_PCHOME;
    }
};

// Big5 pages; covers on the photo host; what follows "MainListSection" is not the user's.
TEST_F(Pchome, AlbumPages) {
    ServePages({{"/carol*1", {}, Big5(Fixture("pchome_albums.html"))},
                {"/carol*2", {}, Big5("<p>沒有相簿</p><a href=\"/carol*3\">下一頁></a>")},
                {"/carol*3",
                 {},
                 Big5("<div class=\"MarkSet\"><a "
                      "href=\"/carol/3\">Img[/s/carol/3/cover.jpg]<span>高雄</span></a>共 1 "
                      "張</div>")},
                {"/carol*4", {}, Big5(Fixture("pchome_albums.html"))}});

    ListAlbums(PchomeAlbumAdapter::AlbumList, u"carol");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(Kept<PortalUser>().userName, u"carol");
    EXPECT_EQ(albums[0].name, u"花蓮");
    EXPECT_EQ(albums[0].url, u"/carol/1");
    EXPECT_EQ(albums[0].coverUrl, u"http://photo.pchome.com.tw/s/carol/1/cover.jpg");
    EXPECT_EQ(albums[0].pictureCount, 12);
    EXPECT_EQ(albums[1].name, u"台北");
    EXPECT_EQ(albums[1].pictureCount, 3);
    EXPECT_EQ(albums[2].name, u"高雄");
    ExpectRequests({PchomeRequest("/carol*1"), PchomeRequest("/carol*2"), PchomeRequest("/carol*3")});
}

// The list shows thumbnails named "12s.jpg": the pictures are asked for as "12.jpg", and only the
// file name changes. Each picture is fetched as from its photo page.
TEST_F(Pchome, PicturesWithTheirPhotoPageAsReferer) {
    Handoff<PortalUser>().userName = u"carol";
    List().ownerName = u"carol\\";
    ServePages({{"/carol/1*1", {}, Big5(Fixture("pchome_photos.html"))},
                {"/carol/1*2", {}, Big5("<p>PhotoList</p><p>沒有相片</p><a href=\"#\">下一頁></a>")}});

    ListPictures(PchomeAlbumAdapter::PictureList, ST_PERLISTRECORD{.name = u"花蓮", .url = u"/carol/1"});

    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].url, u"http://photo.pchome.com.tw/s/carol/albums.2014/12.jpg");
    EXPECT_EQ(pictures[1].url, u"http://photo.pchome.com.tw/s/carol/albums.2014/13.jpg");
    EXPECT_EQ(pictures[0].fileName, u"海邊.jpg");
    EXPECT_EQ(pictures[1].fileName, u"夕陽.jpg");
    EXPECT_EQ(pictures[0].headers, u"Referer: http://photo.pchome.com.tw/carol/555");
    EXPECT_EQ(pictures[1].headers, u"Referer: http://photo.pchome.com.tw/carol/556");
    ExpectRequests({PchomeRequest("/carol/1*1"), PchomeRequest("/carol/1*2")});
}

}  // namespace
