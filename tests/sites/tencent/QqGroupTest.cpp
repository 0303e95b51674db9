// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "sites/tencent/QqGroupAdapter.h"
#include "sites/tencent/QqGroupMember.h"
#include "tencent/TencentTest.h"

namespace {

const std::string kAlbumList = "/cgi-bin/upp/qun_list_album_v2";
const std::string kPhotoList = "/cgi-bin/upp/qun_list_photo_v2";
const std::string kNoAlbum = "_Callback({\"code\":0,\"data\":{\"album\":[]}});";

// A page of the group's albums "a01", "a02", ... starting after the first skip ones.
std::string AlbumPage(int skip, int count) {
    std::string page = "_Callback({\"code\":0,\"data\":{\"album\":[";
    for (int i = skip + 1; i <= skip + count; ++i) {
        char id[8];
        std::snprintf(id, sizeof(id), "a%02d", i);
        page += "{\"coverurl\" : \"http:\\/\\/qungz.photo.store.qq.com\\/qun\\/" + std::string(id) +
                "\",\"id\" : \"" + id + "\",\"title\" : \"第" + std::to_string(i) +
                "册\",\"photocnt\" : " + std::to_string(i * 3) + ",\"desc\" : \"\"},";
    }
    return page + "]}});";
}

class QqGroup : public TencentTest {};

TEST_F(QqGroup, PageOfTwelveIsFollowedByTheNextPage) {
    AddCookie("skey", "@abc");
    AddCookie("guin", "o00123456");
    server.Handle(kAlbumList, [](const FixtureRequest& request, FixtureReply& reply) {
        reply.body = request.Param("start") == "0" ? AlbumPage(0, 12) : kNoAlbum;
    });

    ListAlbums(QqGroupAdapter::AlbumList, u"778899");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 12u);
    EXPECT_EQ(albums[0].name, u"第1册");
    EXPECT_EQ(albums[0].url, u"qunId=778899&albumId=a01&uin=0123456&g_tk=2088882539");
    EXPECT_EQ(albums[0].coverUrl, u"http://qungz.photo.store.qq.com/qun/a01");
    EXPECT_EQ(albums[0].pictureCount, 3);
    EXPECT_EQ(albums[0].privacy, 0);
    EXPECT_EQ(albums[11].name, u"第12册");
    // The number padded with two zeros loses one.
    EXPECT_EQ(Kept<QqGroupMember>().qqNumber, u"0123456");

    auto requests = server.RequestsTo(kAlbumList);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Param("start"), "0");
    EXPECT_EQ(requests[1].Param("start"), "12");
    for (const FixtureRequest& request : requests) {
        EXPECT_EQ(request.Header("Host"), "qun.photo.qq.com");
        EXPECT_EQ(request.Param("qunId"), "778899");
        EXPECT_EQ(request.Param("uin"), "0123456");
        EXPECT_EQ(request.Param("hostUin"), "0123456");
        EXPECT_EQ(request.Param("num"), "12");
        EXPECT_EQ(request.Param("g_tk"), "2088882539");
        EXPECT_EQ(request.Header("Accept-Encoding"), "gzip, deflate");
    }
}

TEST_F(QqGroup, ListEndsAtTheNotLoggedInAnswer) {
    server.Handle(kAlbumList, [](const FixtureRequest& request, FixtureReply& reply) {
        reply.body = request.Param("start") == "0"
                         ? AlbumPage(0, 12)
                         : "_Callback({\"code\":-3000,\"message\":\"对不起，您尚未登录\",\"data\":{}});" +
                               AlbumPage(12, 2);
    });
    ListAlbums(QqGroupAdapter::AlbumList, u"778899");
    EXPECT_EQ(Albums().size(), 12u);
    EXPECT_EQ(server.RequestsTo(kAlbumList).size(), 2u);
    EXPECT_TRUE(Messages().empty());
    // Without the login cookies the token is the empty key's.
    EXPECT_EQ(server.RequestsTo(kAlbumList)[0].Param("g_tk"), "5381");
}

TEST_F(QqGroup, PictureListTakesTheLargestAddressAndPagesBy500) {
    server.Handle(kPhotoList, [this](const FixtureRequest& request, FixtureReply& reply) {
        reply.body =
            request.Param("start") == "0" ? Fixture("qqgroup_photos.jsonp") : "_Callback({\"code\":0})";
    });
    ST_PERLISTRECORD album;
    album.name = u"第1册";
    album.url = u"qunId=778899&albumId=a01&uin=0123456&g_tk=5381";
    StartDownload(album);

    RunPictures(QqGroupAdapter::PictureList);

    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{
                                 u"http://qungz.photo.store.qq.com/qun/raw/1.jpg",
                                 u"http://qungz.photo.store.qq.com/qun/2/",
                                 u"http://qungz.photo.store.qq.com/qun/b/3/800",
                                 u"http://qungz.photo.store.qq.com/qun/4/800?w=1",
                             }));
    auto requests = server.RequestsTo(kPhotoList);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Param("start"), "0");
    EXPECT_EQ(requests[1].Param("start"), "500");
    for (const FixtureRequest& request : requests) {
        EXPECT_EQ(request.Param("num"), "500");
        EXPECT_EQ(request.Param("qunId"), "778899");
        EXPECT_EQ(request.Param("albumId"), "a01");
        EXPECT_EQ(request.Param("uin"), "0123456");
        EXPECT_FALSE(request.Param("t").empty());
    }
}

// The whole exchange as a table: host, path, query in the order sent, headers.
TEST_F(QqGroup, PictureListRequestsInOrder) {
    ServePages({{kPhotoList, {{"start", "0"}}, Fixture("qqgroup_photos.jsonp")}});
    ListPictures(
        QqGroupAdapter::PictureList,
        ST_PERLISTRECORD{.name = u"第1册", .url = u"qunId=778899&albumId=a01&uin=0123456&g_tk=5381"});
    auto page = [](const char* start) {
        return ExpectedRequest{"qun.photo.qq.com",
                               kPhotoList,
                               {{"getCommentCnt", "5"},
                                {"format", "jsonp"},
                                {"platform", "qzone"},
                                {"inCharset", "utf-8"},
                                {"outCharset", "utf-8"},
                                {"source", "jsapi"},
                                {"qunId", "778899"},
                                {"albumId", "a01"},
                                {"uin", "0123456"},
                                {"g_tk", "5381"},
                                {"t", "*"},
                                {"start", start},
                                {"num", "500"}},
                               {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
    };
    ExpectRequests({page("0"), page("500")});
}

}  // namespace
