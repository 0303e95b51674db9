// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "portals/PortalsTest.h"
#include "sites/portals/PortalUser.h"
#include "sites/portals/ZolAlbumAdapter.h"

namespace {

ExpectedRequest ZolRequest(const std::string& path) {
    return {"my.zol.com.cn", path, {}, {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
}

class Zol : public PortalsTest {
protected:
    void SetUp() override {
        PortalsTest::SetUp();
        List().siteType = SITE_ZOL;
    }
};

// GBK pages; the title names the user; a page without albums goes on while it links on.
TEST_F(Zol, AlbumPages) {
    ServePages({{"/bob/album_1.html", {}, Gbk(Fixture("zol_albums.html"))},
                {"/bob/album_2.html", {}, Gbk("<p>没有相册</p><a class=\"nor\">下一页</a>")},
                {"/bob/album_3.html",
                 {},
                 Gbk("<li id=\"pic_13\"><a href=\"/bob/album_13_1.html\"><img "
                     "src=\"http://i1.zol-img.com.cn/c13.jpg\" "
                     "title=\"故宫\"></a><span class=\"K_11\">8张</span></li>")},
                {"/bob/album_4.html", {}, Gbk(Fixture("zol_albums.html"))}});

    ListAlbums(ZolAlbumAdapter::AlbumList, u"bob");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(List().ownerName, u"小明");
    EXPECT_EQ(Kept<PortalUser>().userName, u"bob");
    EXPECT_EQ(albums[0].name, u"春节");
    EXPECT_EQ(albums[0].url, u"/bob/album_11_");
    EXPECT_EQ(albums[0].coverUrl, u"http://i1.zol-img.com.cn/t_s120x90/g1/c11.jpg");
    EXPECT_EQ(albums[0].pictureCount, 12);
    EXPECT_EQ(albums[1].name, u"长城");
    EXPECT_EQ(albums[1].pictureCount, 5);
    EXPECT_EQ(albums[2].name, u"故宫");
    ExpectRequests(
        {ZolRequest("/bob/album_1.html"), ZolRequest("/bob/album_2.html"), ZolRequest("/bob/album_3.html")});
}

// A thumbnail in a size folder loses the folder; one with a size in its name loses the size, in
// the file name only; any other is taken as it is.
TEST_F(Zol, FullPicturesFromTheThumbnails) {
    ServePages({{"/bob/album_11_1.html", {}, Gbk(Fixture("zol_photos.html") + "<a class=\"nor\">下一页</a>")},
                {"/bob/album_11_2.html", {}, Gbk("<p>没有照片</p><a class=\"nor\">下一页</a>")}});

    ListPictures(ZolAlbumAdapter::PictureList, ST_PERLISTRECORD{.name = u"春节", .url = u"/bob/album_11_"});

    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{
                                 u"http://i2.zol-img.com.cn/g2/M00/01.jpg",
                                 u"http://img_3.zol.com.cn/my_photos/x.jpg",
                                 u"http://img.zol.com.cn/a/abc.jpg",
                                 u"http://img.zol.com.cn/a/plain.jpg",
                             }));
    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 4u);
    EXPECT_EQ(pictures[0].fileName, u"红灯笼.jpg");
    EXPECT_EQ(pictures[3].fileName, u"春联.jpg");
    ExpectRequests({ZolRequest("/bob/album_11_1.html"), ZolRequest("/bob/album_11_2.html")});
}

}  // namespace
