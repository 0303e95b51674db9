// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "baidu/BaiduTest.h"
#include "sites/baidu/TiebaForumAdapter.h"
#include "sites/baidu/TiebaForumKeyword.h"
#include "sites/baidu/TiebaPostAdapter.h"

namespace {

const std::string kForumAlbums = "/photo/g";
const std::string kForumPictures = "/photo/g/bw/picture/list";
const std::string kGuide = "/photo/bw/picture/guide";
// "南京" as Tieba addresses carry it: GBK, percent-encoded.
const std::u16string kKeyword = u"%C4%CF%BE%A9";

class TiebaForum : public BaiduTest {
protected:
    std::vector<std::string> PagesAsked(const std::string& path) const {
        std::vector<std::string> pages;
        for (const FixtureRequest& request : server.RequestsTo(path)) {
            pages.push_back(request.Param("pn"));
        }
        return pages;
    }
};

TEST_F(TiebaForum, AlbumsThirtyAPageUntilAnEmptyPage) {
    ServePages({{kForumAlbums, {{"pn", "1"}}, Fixture("forum_albums_1.json")},
                {kForumAlbums, {{"pn", "2"}}, Fixture("forum_albums_2.json")},
                {kForumAlbums, {{"pn", "3"}}, Fixture("forum_albums_empty.json")}});

    ListAlbums(TiebaForumAdapter::AlbumList, kKeyword);

    // The album without a link is left out; a link without "p/" stays whole.
    ExpectAlbums(Albums(),
                 {
                     {u"猫咪相册", u"2001", u"http://imgsrc.baidu.com/forum/abpic/item/c1.jpg", 35},
                     {u"老地址", u"/photo/g/bw/2002", u"http://imgsrc.baidu.com/forum/abpic/item/c2.jpg", 8},
                     {u"风景", u"2003", u"http://imgsrc.baidu.com/forum/abpic/item/c3.jpg", 120},
                 });
    auto page = [](const char* pn) {
        return ExpectedRequest{
            "tieba.baidu.com",
            kForumAlbums,
            {{"kw", Gbk("南京")}, {"alt", "jview"}, {"pn", pn}, {"rn", "30"}, {"cat_id", "all"}, {"_", "*"}},
            {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
    };
    ExpectRequests({page("1"), page("2"), page("3")});
}

TEST_F(TiebaForum, RepeatedPagesEndTheLists) {
    // A forum that answers its first page to every page number.
    int answered = 0;
    server.Handle(kForumAlbums, [&](const FixtureRequest&, FixtureReply& reply) {
        reply.body = ++answered <= 5 ? Fixture("forum_albums_2.json") : Fixture("forum_albums_empty.json");
    });
    ListAlbums(TiebaForumAdapter::AlbumList, kKeyword);
    EXPECT_EQ(Albums().size(), 1u);
    EXPECT_EQ(PagesAsked(kForumAlbums), (std::vector<std::string>{"1", "2"}));

    server.Handle(kForumPictures, [&](const FixtureRequest&, FixtureReply& reply) {
        reply.body =
            ++answered <= 10 ? Fixture("forum_pictures.json") : "{\"no\":0,\"data\":{\"pic_list\":[]}}";
    });
    Handoff<TiebaForumKeyword>().forum = kKeyword;
    ListPictures(TiebaForumAdapter::PictureList, ST_PERLISTRECORD{.name = u"风景", .url = u"2003"});
    EXPECT_EQ(Pictures().size(), 2u);
    EXPECT_EQ(PagesAsked(kForumPictures), (std::vector<std::string>{"1", "2"}));
}

TEST_F(TiebaForum, PicturesOnTheForumPictureHost) {
    ServePages({{kForumPictures, {{"pn", "1"}}, Fixture("forum_pictures.json")}});
    // The keyword the album list was given, kept by the normalisation.
    Handoff<TiebaForumKeyword>().forum = kKeyword;

    ListPictures(TiebaForumAdapter::PictureList, ST_PERLISTRECORD{.name = u"猫咪相册", .url = u"2001"});

    // The picture without an id has no address.
    EXPECT_EQ(Listed(Pictures()), (std::vector<std::pair<std::string, std::string>>{
                                      {"http://imgsrc.baidu.com/forum/pic/item/a1b2c3.jpg", "第一张"},
                                      {"http://imgsrc.baidu.com/forum/pic/item/d4e5f6.jpg", "猫咪相册"},
                                  }));
    auto page = [](const char* pn) {
        return ExpectedRequest{"tieba.baidu.com",
                               kForumPictures,
                               {{"kw", Gbk("南京")},
                                {"alt", "jview"},
                                {"rn", "200"},
                                {"tid", "2001"},
                                {"pn", pn},
                                {"ps", "0"},
                                {"pe", "200"},
                                {"wall_type", "v"},
                                {"_", "*"}},
                               {{"Accept-Encoding", "gzip, deflate"}}};
    };
    ExpectRequests({page("1"), page("2")});
}

const std::u16string kPost = u"http://tieba.baidu.com/photo/p?kw=%C4%CF%BE%A9&ie=utf-8&tid=3001";

class TiebaPost : public BaiduTest {
protected:
    std::vector<std::string> IdsAsked() const {
        std::vector<std::string> ids;
        for (const FixtureRequest& request : server.RequestsTo(kGuide)) {
            ids.push_back(request.Param("pic_id"));
        }
        return ids;
    }
};

TEST_F(TiebaPost, OneRowFromTheGbkPostPage) {
    struct Case {
        const char* label;
        std::string page;
        std::u16string name;
    } cases[] = {
        {"the post's title", Gbk(Fixture("post_page.html")), u"猫咪的照片"},
        {"a page without a title still gives its row", "<html></html>", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        List().albums.Clear();
        server.Serve("/photo/p", c.page);

        EXPECT_EQ(ListAlbums(TiebaPostAdapter::AlbumList, kPost), 1);

        auto albums = Albums();
        ASSERT_EQ(albums.size(), 1u);
        if (!c.name.empty()) {
            EXPECT_EQ(Utf8(albums[0].name), Utf8(c.name));
        } else {
            EXPECT_EQ(albums[0].name.size(), 14u) << "named by the time";
        }
        EXPECT_EQ(albums[0].url, kPost);
        EXPECT_EQ(albums[0].coverUrl, u"");
        EXPECT_EQ(albums[0].pictureCount, -1);
    }
}

TEST_F(TiebaPost, PicturesChainedByTheLastId) {
    ServePages({{kGuide, {{"pic_id", ""}}, Fixture("guide_1.json")},
                {kGuide, {{"pic_id", "p2"}}, Fixture("guide_2.json")},
                {kGuide, {{"pic_id", "p3"}}, Fixture("guide_3.json")}});

    ListPictures(TiebaPostAdapter::PictureList, ST_PERLISTRECORD{.name = u"猫咪的照片", .url = kPost});

    // The second answer repeats the pictures up to p2 first: only p3 is new.
    EXPECT_EQ(Listed(Pictures()), (std::vector<std::pair<std::string, std::string>>{
                                      {"http://imgsrc.baidu.com/forum/pic/item/p1.jpg", "一"},
                                      {"http://imgsrc.baidu.com/forum/pic/item/p2.jpg", "猫咪的照片"},
                                      {"http://imgsrc.baidu.com/forum/pic/item/p3.jpg", "三"},
                                  }));
    auto guide = [](const char* id) {
        return ExpectedRequest{"tieba.baidu.com",
                               kGuide,
                               {{"kw", Gbk("南京")},
                                {"ie", "utf-8"},
                                {"tid", "3001"},
                                {"see_lz", "1"},
                                {"from_page", "0"},
                                {"alt", "jview"},
                                {"next", "50"},
                                {"prev", "1"},
                                {"pic_id", id},
                                {"_", "*"}},
                               {{"Accept-Encoding", "gzip, deflate"}}};
    };
    ExpectRequests({guide(""), guide("p2"), guide("p3")});
}

std::string Guide(const std::vector<std::string>& ids) {
    std::string text = "{\"no\":0,\"data\":{\"pic_list\":{";
    for (const std::string& id : ids) {
        text += "\"#\":{\"img\":{\"original\":{\"id\":\"" + id +
                "\",\"waterurl\":\"http:\\/\\/imgsrc.baidu.com\\/forum\\/pic\\/item\\/" +
                (id.empty() ? "x" : id) + ".jpg\"}},\"descr\":\"\"},";
    }
    return text + "}}}";
}

TEST_F(TiebaPost, WalkEndsWhereItCouldOnlyStartOver) {
    struct Case {
        const char* label;
        std::vector<std::string> first;   // the pictures of the first answer
        std::vector<std::string> second;  // the answer to every later request
        std::vector<std::string> idsAsked;
        std::vector<std::string> pictures;
    } cases[] = {
        {"an answer without the last id", {"p1", "p2"}, {"p1", "p3"}, {"", "p2"}, {"p1", "p2"}},
        {"the last picture without an id", {"p1", "p2", ""}, {"p1"}, {""}, {"p1", "p2", "x"}},
        {"an answer that leads back to pictures listed before",
         {"p1", "p2"},
         {"p2", "p1", "p2"},
         {"", "p2"},
         {"p1", "p2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.ClearRequests();
        int answered = 0;
        server.Handle(kGuide, [&](const FixtureRequest& request, FixtureReply& reply) {
            // A walk that would go on for ever is cut short here.
            reply.body = ++answered > 6 ? "{}" : Guide(request.Param("pic_id").empty() ? c.first : c.second);
        });

        ListPictures(TiebaPostAdapter::PictureList, ST_PERLISTRECORD{.name = u"帖子", .url = kPost});

        std::vector<std::string> pictures;
        for (const std::u16string& url : PictureUrls()) {
            std::u16string name = url.substr(url.rfind(u'/') + 1);
            StringCtrl::CutAt(name, u".");
            pictures.push_back(Utf8(name));
        }
        EXPECT_EQ(pictures, c.pictures);
        EXPECT_EQ(IdsAsked(), c.idsAsked);
    }
}

}  // namespace
