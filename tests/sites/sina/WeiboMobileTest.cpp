// SPDX-License-Identifier: GPL-3.0-or-later
// A Weibo user's post pictures through the mobile site's API, https only: one album named after the
// user, its pictures the large ones of the user's posts, page by page.

#include <string>
#include <vector>

#include "MyCode/URLSource2.h"
#include "sina/SinaTest.h"
#include "sites/sina/SinaUser.h"
#include "sites/sina/WeiboMobileAdapter.h"

namespace {

const std::string kApi = "/api/container/getIndex";
const std::u16string kAlbumUrl =
    u"https://m.weibo.cn/api/container/getIndex?type=uid&value=1001&containerid=1076031001&page=";

class WeiboMobile : public SinaTest {
protected:
    void SetUp() override {
        SinaTest::SetUp();
        secure.Route("m.weibo.cn", 443);
        SetTrustedCertificates(FixtureServer::TestCertificate());
    }

    void TearDown() override {
        SetTrustedCertificates({});
        SinaTest::TearDown();
    }

    void ServeApi(const std::vector<FixturePage>& pages) { ServePagesOn(secure, pages); }

    // The API's user page and its post pages 1 and 2; page 3 is past the end.
    void ServeUser() {
        ServeApi({{kApi, {{"page", "1"}}, Fixture("weibo_mobile_posts_1.json"), "application/json"},
                  {kApi, {{"page", "2"}}, Fixture("weibo_mobile_posts_2.json"), "application/json"},
                  {kApi, {{"page", "3"}}, Fixture("weibo_mobile_end.json"), "application/json"},
                  {kApi, {{"type", "uid"}}, Fixture("weibo_mobile_user.json"), "application/json"}});
    }

    static ExpectedRequest UserRequest() {
        return {"m.weibo.cn", kApi, {{"type", "uid"}, {"value", "1001"}}};
    }
    static ExpectedRequest PostsRequest(const std::string& page) {
        return {"m.weibo.cn",
                kApi,
                {{"type", "uid"}, {"value", "1001"}, {"containerid", "1076031001"}, {"page", page}}};
    }

    ST_PERLISTRECORD Album() const { return {.name = u"小明的微博", .url = kAlbumUrl, .pictureCount = -1}; }

    FixtureServer secure{FixtureServer::Scheme::Https};
};

TEST_F(WeiboMobile, UserAddressListsOneAlbumOfThePostPictures) {
    struct Case {
        std::u16string input;
        bool listed;
    } cases[] = {
        {u"https://m.weibo.cn/u/1001", true},
        {u"https://m.weibo.cn/profile/1001?from=page", true},
        {u"http://weibo.com/u/1001", true},
        {u"https://m.weibo.cn/u/alice", false},  // no user number: nothing is asked
    };
    ServeUser();
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.input));
        NextCase();
        secure.ClearRequests();
        List().ownerName.clear();
        EXPECT_EQ(ListAlbums(WeiboMobileAdapter::AlbumList, c.input), c.listed ? 1 : 0);
        if (!c.listed) {
            EXPECT_TRUE(secure.Requests().empty());
            continue;
        }
        auto albums = Albums();
        ASSERT_EQ(albums.size(), 1u);
        EXPECT_EQ(albums[0].name, u"小明的微博");
        EXPECT_EQ(albums[0].url, kAlbumUrl);
        EXPECT_EQ(albums[0].coverUrl, u"https://tvax1.sinaimg.cn/crop.0.0.180.180.180/avatar1001.jpg");
        EXPECT_EQ(albums[0].pictureCount, -1);
        EXPECT_EQ(List().ownerName, u"小明的微博");
        EXPECT_EQ(Kept<SinaUser>().userId, u"1001");
        ExpectRequestsOn(secure, {UserRequest()});
    }
}

TEST_F(WeiboMobile, UserTheApiRefusesListsNothing) {
    ServeApi({{kApi, {}, Fixture("weibo_mobile_end.json"), "application/json"}});
    EXPECT_EQ(ListAlbums(WeiboMobileAdapter::AlbumList, u"https://m.weibo.cn/u/1001"), 0);
    EXPECT_TRUE(List().ownerName.empty());
    ExpectRequestsOn(secure, {UserRequest()});
}

TEST_F(WeiboMobile, PicturesAreTheLargeOnesOfTheUsersPostsEachOnce) {
    struct Case {
        bool passedOn;
        std::vector<std::u16string> urls;
    } cases[] = {
        {false,
         {u"https://wx3.sinaimg.cn/large/aa01.jpg", u"https://wx3.sinaimg.cn/large/aa02.jpg",
          u"https://wx2.sinaimg.cn/large/cc01.jpg"}},
        // The posts the user passed on bring theirs only when the extension settings ask.
        {true,
         {u"https://wx3.sinaimg.cn/large/aa01.jpg", u"https://wx3.sinaimg.cn/large/aa02.jpg",
          u"https://wx4.sinaimg.cn/large/bb01.jpg", u"https://wx2.sinaimg.cn/large/cc01.jpg"}},
    };
    ServeUser();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.passedOn);
        secure.ClearRequests();
        Extension().weiboPassedOn = c.passedOn;
        ListPictures(WeiboMobileAdapter::PictureList, Album());
        // Page 2 repeats a post of page 1: its picture comes once; a picture without its large
        // address is asked for in the large size all the same.
        EXPECT_EQ(PictureUrls(), c.urls);
        ExpectRequestsOn(secure, {PostsRequest("1"), PostsRequest("2"), PostsRequest("3")});
    }
    // Named by the post's text without its link tags, or by the album when the post has none.
    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 4u);
    EXPECT_EQ(pictures[0].fileName.rfind(u"海边#旅行#", 0), 0u) << Utf8(pictures[0].fileName);
    EXPECT_EQ(pictures[2].fileName.rfind(u"别人的猫", 0), 0u) << Utf8(pictures[2].fileName);
    EXPECT_EQ(pictures[3].fileName.rfind(u"小明的微博", 0), 0u) << Utf8(pictures[3].fileName);
}

TEST_F(WeiboMobile, PagesEndWhereTheApiStopsNamingANextOne) {
    struct Case {
        const char* label;
        std::string page2;
        int requests;
    } cases[] = {
        {"page past the end", Fixture("weibo_mobile_end.json"), 2},
        {"no cards", "{\"ok\":1,\"data\":{\"cardlistInfo\":{\"page\":3},\"cards\":[]}}", 2},
        {"names itself again",
         "{\"ok\":1,\"data\":{\"cardlistInfo\":{\"page\":2},\"cards\":[{\"mblog\":{\"id\":\"9\",\"pics\":[]}}"
         "]}}",
         2},
        {"names no next page",
         "{\"ok\":1,\"data\":{\"cardlistInfo\":{\"total\":4},\"cards\":[{\"mblog\":{\"id\":\"9\",\"pics\":[]}"
         "}]}}",
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        NextCase();
        secure.ClearRequests();
        ServeApi({{kApi, {{"page", "1"}}, Fixture("weibo_mobile_posts_1.json"), "application/json"},
                  {kApi, {{"page", "2"}}, c.page2, "application/json"},
                  {kApi, {{"page", "3"}}, Fixture("weibo_mobile_posts_2.json"), "application/json"}});
        ListPictures(WeiboMobileAdapter::PictureList, Album());
        EXPECT_EQ(static_cast<int>(secure.Requests().size()), c.requests);
        EXPECT_EQ(PictureUrls().size(), 2u);
    }
}

TEST_F(WeiboMobile, WeiboUserAddressFallsBackToThePostsWhenTheAlbumsNeedALogin) {
    // The albums page shows a visitor no user; the mobile API names the user all the same.
    ServePages({{"/u/1001", {}, "<html><body>请登录</body></html>"}});
    ServeUser();
    EXPECT_EQ(ListThroughJob(SITE_SINA, u"http://weibo.com/u/1001"), 1);
    EXPECT_EQ(List().subMode, SINA_WEIBO_MOBILE);
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums[0].url, kAlbumUrl);
    EXPECT_EQ(List().ownerName, u"小明的微博/");  // the job's folder form
    ExpectRequests({{"weibo.com", "/u/1001", {}}});
    ExpectRequestsOn(secure, {UserRequest()});
}

}  // namespace
