// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <string>
#include <vector>

#include "renren/RenrenTest.h"
#include "sites/renren/RenrenZhanAdapter.h"
#include "sites/renren/ZhanSite.h"

namespace {

const std::string kByTime = "/archive/archiveByTime";
const std::string kByTag = "/archive/archiveByTag";

// A page of the archive service: JSON holding the posts' HTML with its quotes and slashes escaped.
std::string Posts(const std::vector<std::pair<std::string, std::string>>& posts) {
    std::string page = "{\"code\":0,\"html\":\"";
    for (const auto& [id, title] : posts) {
        page += "<div id=\\\"feed" + id + "\\\" class=\\\"post\\\"><h3 class=\\\"title\\\">" + title +
                "<\\/h3><\\/div>";
    }
    return page + "\"}";
}

const std::string kNoPosts = "{\"code\":0,\"html\":\"\"}";

class RenrenZhan : public RenrenTest {};

TEST_F(RenrenZhan, PostsOfEveryMonthOfTheArchive) {
    ServePages({{"/meishi", {}, Fixture("zhan_home.html")},
                {"/archive", {}, Fixture("zhan_archive.html")},
                {kByTime,
                 {{"month", "2013-05"}, {"page", "0"}},
                 Posts({{"3001", "\\u6625\\u5929"}, {"3002", "Lunch"}})},
                {kByTime, {{"month", "2013-05"}, {"page", "1"}}, Posts({{"3003", ""}})},
                {kByTime, {{"month", "2013-04"}, {"page", "0"}}, Posts({{"2901", "April"}})},
                {kByTime, {}, kNoPosts}});

    ListAlbums(RenrenZhanAdapter::AlbumList, u"http://zhan.renren.com/meishi");

    auto byTime = [](const char* month, const char* page) {
        return ExpectedRequest{
            "zhan.renren.com", kByTime, {{"site_id", "12345"}, {"month", month}, {"page", page}}};
    };
    ExpectRequests({{"zhan.renren.com", "/meishi", {}, {{"Accept-Encoding", "gzip, deflate"}}},
                    {"zhan.renren.com", "/archive", {{"site_id", "12345"}}},
                    byTime("2013-05", "0"),
                    byTime("2013-05", "1"),
                    byTime("2013-05", "2"),
                    byTime("2013-04", "0"),
                    byTime("2013-04", "1")});
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);  // the post without a title is left out
    const std::u16string names[] = {u"春天", u"Lunch", u"April"};
    const std::u16string urls[] = {u"http://zhan.renren.com/meishi?gid=3001&ajax=true",
                                   u"http://zhan.renren.com/meishi?gid=3002&ajax=true",
                                   u"http://zhan.renren.com/meishi?gid=2901&ajax=true"};
    for (std::size_t i = 0; i < albums.size(); ++i) {
        EXPECT_EQ(albums[i].name, names[i]);
        EXPECT_EQ(albums[i].url, urls[i]);
        EXPECT_EQ(albums[i].pictureCount, -1);
        EXPECT_TRUE(albums[i].coverUrl.empty());
    }
    EXPECT_EQ(List().ownerName, u"美食站");
    EXPECT_EQ(Kept<ZhanSite>().siteId, u"12345");
    EXPECT_TRUE(List().ownerSuffix.empty());
}

TEST_F(RenrenZhan, TagAddressListsOnlyThatTag) {
    ServePages({{"/meishi", {}, Fixture("zhan_home.html")},
                {kByTag, {{"page", "0"}}, Posts({{"3001", "Tagged"}})},
                {kByTag, {}, kNoPosts}});

    ListAlbums(RenrenZhanAdapter::AlbumList, u"http://zhan.renren.com/meishi?tagId=77&from=tag");

    auto byTag = [](const char* page) {
        return ExpectedRequest{
            "zhan.renren.com", kByTag, {{"site_id", "12345"}, {"tag_id", "77"}, {"page", page}}};
    };
    ExpectRequests(
        {{"zhan.renren.com", "/meishi", {{"tagId", "77"}, {"from", "tag"}}}, byTag("0"), byTag("1")});
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums[0].url, u"http://zhan.renren.com/meishi?gid=3001&ajax=true");
    EXPECT_EQ(List().ownerSuffix, u"旅行");
}

// The archive ignores a page number past its end and answers its first page again.
TEST_F(RenrenZhan, ServerRepeatingAMonthPageEndsTheMonth) {
    server.Serve("/meishi", Fixture("zhan_home.html"));
    server.Serve("/archive", Fixture("zhan_archive.html"));
    std::atomic<int> answered = 0;
    server.Handle(kByTime, [&](const FixtureRequest&, FixtureReply& reply) {
        reply.body = ++answered < 40 ? Posts({{"3001", "Same"}}) : "";
    });

    ListAlbums(RenrenZhanAdapter::AlbumList, u"http://zhan.renren.com/meishi");

    EXPECT_EQ(server.RequestsTo(kByTime).size(), 4u);  // two pages of each month
    EXPECT_EQ(Albums().size(), 2u);
}

// One picture per post, from the post's body only: late-loading pictures keep their address in
// "data-src", others in "src"; a body without photo boxes takes its first image.
TEST_F(RenrenZhan, OnePicturePerPostFromItsBody) {
    const std::string post = "/meishi";
    struct Case {
        const char* label;
        std::string page;
        std::u16string picture;
    } cases[] = {
        {"photo box with data-src", Fixture("zhan_post.html"), u"http://fmn.rrimg.com/z/1.jpg"},
        {"photo box with src only",
         "<div id=\"main-wrap\"><div class=\"photo\"><img src=\"http://fmn.rrimg.com/z/s.jpg\"></div>",
         u"http://fmn.rrimg.com/z/s.jpg"},
        {"no photo box",
         "<img src=\"http://x/head.jpg\"><div id=\"main-wrap\"><p>文字</p><img alt=\"a\" "
         "src=\"http://fmn.rrimg.com/z/i.jpg\"><img "
         "src=\"http://fmn.rrimg.com/z/j.jpg\"><div class=\"ccagreement\">",
         u"http://fmn.rrimg.com/z/i.jpg"},
    };
    const std::u16string address = u"http://zhan.renren.com/meishi?gid=3001&ajax=true";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.ClearRequests();
        server.Serve(post, c.page);

        ListPictures(RenrenZhanAdapter::PictureList,
                     ST_PERLISTRECORD{.name = u"春天", .url = address, .pictureCount = -1});

        auto pictures = Pictures();
        ASSERT_EQ(pictures.size(), 1u);
        EXPECT_EQ(pictures[0].url, c.picture);
        EXPECT_EQ(pictures[0].headers, u"Referer: " + address);
        EXPECT_EQ(pictures[0].fileName.rfind(u"春天", 0), 0u);
        ExpectRequests({{"zhan.renren.com", post, {{"gid", "3001"}, {"ajax", "true"}}}});
    }
}

}  // namespace
