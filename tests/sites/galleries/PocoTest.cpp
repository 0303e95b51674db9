// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "galleries/GalleriesTest.h"
#include "sites/galleries/PocoActivityAdapter.h"
#include "sites/galleries/PocoAlbumAdapter.h"

namespace {

// The POCO paths carry their parameters after "&", without a query.
const std::string kAlbumsPage1 = "/album/album_show_all.htx&user_id=173000&p=1";
const std::string kAlbumsPage2 = "/album/album_show_all.htx&user_id=173000&p=2";
const std::string kPhotoList = "/album/album_show_photo_list.php";
const std::u16string kAlbum = u"http://my.poco.cn/album/album_show_photo_list.php?user_id=173000&set_hash=h2";
const std::u16string kActivities = u"http://my.poco.cn/act/act_list.htx&user_id=173000&act_type_id=0";
const std::string kActivitiesPath = "/act/act_list.htx&user_id=173000&act_type_id=0&p=";

class Poco : public GalleriesTest {
protected:
    void SetUp() override {
        GalleriesTest::SetUp();
        List().siteType = SITE_POCO;
    }
};

ExpectedRequest PathRequest(const std::string& path) {
    return {"my.poco.cn", path, {}, {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
}

// GBK pages; the owner comes from page 1's script; a key holding "pwd" marks a password album.
TEST_F(Poco, AlbumPages) {
    ServePages({{kAlbumsPage1, {}, Gbk(Fixture("poco_albums.html"))},
                {kAlbumsPage2,
                 {},
                 Gbk("<li class=\"img_box\"><a href=\"javascript:showAlbum('set_4', 'h4')\">"
                     "<img src=\"http://img.poco.cn/a/c4.jpg\" title=\"雨天\"></a></li>")}});

    ListAlbums(PocoAlbumAdapter::AlbumList, u"173000");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(List().ownerName, u"小明");
    EXPECT_EQ(albums[0].name, u"私人");
    EXPECT_EQ(albums[0].privacy, 1);
    EXPECT_EQ(albums[0].url, u"http://my.poco.cn/album/album_show_photo_list.php?user_id=173000&set_hash=h1");
    EXPECT_EQ(albums[0].coverUrl, u"http://img.poco.cn/a/c1.jpg");
    EXPECT_EQ(albums[0].pictureCount, 0);
    EXPECT_EQ(albums[1].name, u"旅行");
    EXPECT_EQ(albums[1].privacy, 0);
    EXPECT_EQ(albums[1].url, kAlbum);
    EXPECT_EQ(albums[2].name, u"雨天");
    ExpectRequests({PathRequest(kAlbumsPage1), PathRequest(kAlbumsPage2)});
}

// The list shows 165-pixel thumbnails: the pictures are asked for without the size. A page without
// pictures ends the album.
TEST_F(Poco, PicturesAtFullSize) {
    ServePages({{kPhotoList, {{"p", "1"}}, Gbk(Fixture("poco_photos.html"))},
                {kPhotoList, {{"p", "2"}}, Gbk("<p>没有照片</p><a title=\"下一页\">")}});

    ListPictures(PocoAlbumAdapter::PictureList, ST_PERLISTRECORD{.name = u"旅行", .url = kAlbum});

    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].url, u"http://img.poco.cn/mypoco/p/20120101/a_1.jpg");
    EXPECT_EQ(pictures[1].url, u"http://img.poco.cn/mypoco/p/20120101/a_2.jpg");
    // The title trimmed, else the album's name.
    EXPECT_EQ(pictures[0].fileName, u"日出.jpg");
    EXPECT_EQ(pictures[1].fileName, u"旅行.jpg");
    EXPECT_EQ(pictures[0].headers, u"");
    auto page = [](const char* p) {
        return ExpectedRequest{"my.poco.cn",
                               kPhotoList,
                               {{"user_id", "173000"}, {"set_hash", "h2"}, {"do", "Plist"}, {"p", p}},
                               {{"Accept-Encoding", "gzip, deflate"}}};
    };
    ExpectRequests({page("1"), page("2")});
}

// The activity list goes on past a page without entries while it links on; entries without a
// name are left out.
TEST_F(Poco, ActivityEntries) {
    ServePages(
        {{kActivitiesPath + "1", {}, Gbk(Fixture("poco_activities.html"))},
         {kActivitiesPath + "2", {}, Gbk("<p>暂无活动</p><a title=\"下一页\">")},
         {kActivitiesPath + "3",
          {},
          Gbk("<h3 class=\"title\"><a href=\"http://my.poco.cn/act/act_detail.htx&act_id=504\">花</a></h3>")},
         {kActivitiesPath + "4", {}, Gbk(Fixture("poco_activities.html"))}});

    ListAlbums(PocoActivityAdapter::AlbumList, kActivities);

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(List().ownerName, u"小明");
    EXPECT_EQ(albums[0].name, u"春季摄影赛");
    EXPECT_EQ(albums[0].url, u"http://my.poco.cn/act/act_detail.htx&act_id=501");
    EXPECT_EQ(albums[0].coverUrl, u"");
    EXPECT_EQ(albums[1].name, u"夜景");
    EXPECT_EQ(albums[2].name, u"花");
    ExpectRequests({PathRequest(kActivitiesPath + "1"), PathRequest(kActivitiesPath + "2"),
                    PathRequest(kActivitiesPath + "3")});
}

// An entry page lists its pictures as script records when it has them, else as plain images; a
// record without an address is no picture.
TEST_F(Poco, ActivityPicturesBySeparator) {
    struct Case {
        const char* name;
        std::string page;
        std::vector<std::u16string> urls;
    };
    const std::vector<Case> cases = {
        {"records",
         Fixture("poco_activity_photos.html"),
         {u"http://img.poco.cn/act/501/1.jpg", u"http://img.poco.cn/act/501/3.jpg"}},
        {"images",
         "<img src='http://img.poco.cn/act/501/a.jpg'><img src='http://img.poco.cn/act/501/b.jpg'>",
         {u"http://img.poco.cn/act/501/a.jpg", u"http://img.poco.cn/act/501/b.jpg"}},
    };
    const std::string path = "/act/act_detail.htx&act_id=501";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NextCase();
        ServePages({{path, {}, Gbk(c.page)}});

        ListPictures(PocoActivityAdapter::PictureList,
                     ST_PERLISTRECORD{.name = u"春季摄影赛",
                                      .url = u"http://my.poco.cn/act/act_detail.htx&act_id=501"});

        EXPECT_EQ(PictureUrls(), c.urls);
        EXPECT_EQ(Pictures()[0].fileName, u"春季摄影赛.jpg");
        ExpectRequests({PathRequest(path)});
    }
}

}  // namespace
