// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "sites/tencent/TencentWeiboAccount.h"
#include "sites/tencent/TencentWeiboAdapter.h"
#include "tencent/TencentTest.h"

namespace {

const std::string kAlbumApi = "/asyn/gettopicalbum.php";
const std::string kNothing = "{\"ret\":0,\"data\":{\"info\":[]}}";

class TencentWeibo : public TencentTest {
protected:
    void SetUp() override {
        TencentTest::SetUp();
        // The album-list job keeps the account name.
        Handoff<TencentWeiboAccount>().name = u"alice";
    }
};

TEST_F(TencentWeibo, TypedAlbumsHaveNoCount) {
    server.Serve("/app/qzphoto/alice", Fixture("weibo_guest.html"));
    server.Handle(kAlbumApi, [](const FixtureRequest& request, FixtureReply& reply) {
        reply.body = request.Param("page") == "1" ? Fixture("weibo_albums.json") : kNothing;
    });

    ListAlbums(TencentWeiboAdapter::AlbumList, u"alice");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 2u);  // the album without a name is left out
    EXPECT_EQ(albums[0].name, u"旅行");
    EXPECT_EQ(albums[0].url, u"t100");
    EXPECT_EQ(albums[0].pictureCount, 12);
    EXPECT_EQ(albums[0].coverUrl, u"http://t1.qpic.cn/mblogpic/c1/240");
    EXPECT_EQ(albums[1].name, u"My pictures");
    EXPECT_EQ(albums[1].url, u"1");
    EXPECT_EQ(albums[1].pictureCount, -1);
    EXPECT_EQ(albums[1].coverUrl, u"http://t1.qpic.cn/mblogpic/c2/240");
    // The account's id from the guest block, not the visitor's.
    EXPECT_EQ(Kept<TencentWeiboAccount>().userId, u"99887");

    auto page = server.RequestsTo("/app/qzphoto/alice");
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page[0].target, "/app/qzphoto/alice?preview");
    EXPECT_EQ(page[0].Header("Host"), "t.qq.com");

    auto requests = server.RequestsTo(kAlbumApi);
    ASSERT_EQ(requests.size(), 2u);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(requests[i].Header("Host"), "api.t.qq.com");
        EXPECT_EQ(requests[i].Header("Referer"), "http://api.t.qq.com/proxy.html");
        EXPECT_EQ(requests[i].Param("op"), "1");
        EXPECT_EQ(requests[i].Param("uin"), "99887");
        EXPECT_EQ(requests[i].Param("page"), std::to_string(i + 1));
        EXPECT_EQ(requests[i].Param("n"), "12");
        EXPECT_NE(
            requests[i].target.find("&apiType=14&apiHost=http%3A%2F%2Fapi.t.qq.com&_r=1382084292800&g_tk="),
            std::string::npos);
    }
}

TEST_F(TencentWeibo, LaterPagesCarryThePagingSuffixOfTheLastPicture) {
    server.Handle(kAlbumApi, [](const FixtureRequest& request, FixtureReply& reply) {
        reply.body = request.Param("page") == "1" ? Fixture("weibo_photos.json") : kNothing;
    });
    Handoff<TencentWeiboAccount>().userId = u"99887";
    ST_PERLISTRECORD album;
    album.name = u"旅行";
    album.url = u"t100";
    StartDownload(album);

    RunPictures(TencentWeiboAdapter::PictureList);

    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{u"http://t2.qpic.cn/mblogpic/p1/2000",
                                                          u"http://t2.qpic.cn/mblogpic/p2/2000",
                                                          u"http://t2.qpic.cn/mblogpic/p3/2000"}));
    // Described by the text without its tags, the repost's text, then the album's name.
    const char16_t* descriptions[] = {u"Sea 海", u"repost text", u"旅行"};
    for (std::size_t i = 0; i < 3 && i < Pictures().size(); ++i) {
        EXPECT_EQ(Pictures()[i].fileName.rfind(descriptions[i], 0), 0u) << Utf8(Pictures()[i].fileName);
    }

    auto requests = server.RequestsTo(kAlbumApi);
    ASSERT_EQ(requests.size(), 2u);
    for (const FixtureRequest& request : requests) {
        EXPECT_EQ(request.Param("op"), "2");
        EXPECT_EQ(request.Param("uin"), "99887");
        EXPECT_EQ(request.Param("topicid"), "t100");
        EXPECT_EQ(request.Param("n"), "24");
        EXPECT_EQ(request.Param("g_tk"), "6093172");
        EXPECT_EQ(request.Header("Referer"), "http://api.t.qq.com/proxy.html");
    }
    EXPECT_EQ(requests[0].target.find("&time="), std::string::npos);
    const std::string& second = requests[1].target;
    std::size_t suffix = second.find("&g_tk=6093172&time=1382000003&r=");
    ASSERT_NE(suffix, std::string::npos) << second;
    EXPECT_EQ(second.substr(second.size() - 8), "&u=alice");
    std::string r = requests[1].Param("r");
    EXPECT_FALSE(r.empty());
    EXPECT_EQ(r.find_first_not_of("0123456789"), std::string::npos) << r;
}

}  // namespace
