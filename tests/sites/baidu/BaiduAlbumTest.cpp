// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>
#include <string>
#include <vector>

#include "baidu/BaiduTest.h"
#include "sites/baidu/BaiduAlbumAdapter.h"

namespace {

const std::string kUserPage = "/u/alice";
const std::string kAlbumList = "/album/list/alice";
const std::string kNoAlbum = "{\"errno\":0,\"data\":{\"album_list\":[]}}";

class BaiduAlbums : public BaiduTest {};

const std::vector<BaiduTest::Album> kPhoneAlbum = {
    {u"手机上传", u"mb/01", u"http://b.hiphotos.baidu.com/album/s%3D160/sign=aa/m1.jpg", 12}};
// The albums of album_list.json: the one without a sign is left out.
const std::vector<BaiduTest::Album> kServiceAlbums = {
    {u"旅行", u"s1/a", u"http://b.hiphotos.baidu.com/album/s%3D160/sign=c1/t1.jpg", 25},
    {u"日常", u"s2/b", u"", 7},
};

std::vector<BaiduTest::Album> Join(std::vector<BaiduTest::Album> first,
                                   const std::vector<BaiduTest::Album>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST_F(BaiduAlbums, PhoneAlbumFirstThenTheListService) {
    struct Case {
        const char* label;
        std::string userPage;
        // The list service's answer to the sign it was given.
        std::function<std::string(const std::string& sign)> service;
        std::vector<Album> albums;
        std::vector<std::string> signsAsked;
    } cases[] = {
        {"phone album first, all albums in one answer: two service requests",
         Fixture("user_page.html"),
         [](const std::string& sign) { return sign.empty() ? Fixture("album_list.json") : kNoAlbum; },
         Join(kPhoneAlbum, kServiceAlbums),
         {"", "s2/b"}},
        {"no phone album block",
         Fixture("user_page_plain.html"),
         [](const std::string& sign) { return sign.empty() ? Fixture("album_list.json") : kNoAlbum; },
         kServiceAlbums,
         {"", "s2/b"}},
        {"the page is read up to the feedback link only",
         "<script>mobileAlbum: {create_time: 1, album_name: 'phone', album_sign: 'm1', "
         "album_picture_total: '2'}</script><div id=\"feedback\"></div>"
         "<script>{create_time: 2, album_name: 'late', album_sign: 'm2'}</script>",
         [](const std::string&) { return kNoAlbum; },
         {{u"phone", u"m1", u"", 2}},
         {""}},
        {"a service that ignores the sign lists its albums once",
         Fixture("user_page_plain.html"),
         [](const std::string&) { return Fixture("album_list.json"); },
         kServiceAlbums,
         {"", "s2/b"}},
        {"answers without a sign end the list",
         Fixture("user_page_plain.html"),
         [](const std::string&) {
             return "{\"data\":{\"album_list\":[{\"picture_cover\":\"\",\"album_name\":\"x\",\"album_sign\":"
                    "\"\"}]}}";
         },
         {},
         {""}},
        {"a service that cycles back to an earlier page",
         Fixture("user_page_plain.html"),
         [](const std::string& sign) {
             return sign == "s2/b"
                        ? "{\"data\":{\"album_list\":[{\"picture_cover\":\"\",\"album_name\":\"\\u4e09\","
                          "\"album_sign\":\"s3\",\"picture_total\":1,\"create_time\":1}]}}"
                        : Fixture("album_list.json");
         },
         Join(kServiceAlbums, {{u"三", u"s3", u"", 1}}),
         {"", "s2/b", "s3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        List().albums.Clear();
        server.ClearRequests();
        // A service that pages for ever is cut short here, so a fault shows as a failure, not a hang.
        int answered = 0;
        server.Serve(kUserPage, c.userPage);
        server.Handle(kAlbumList, [&](const FixtureRequest& request, FixtureReply& reply) {
            reply.body = ++answered > 6 ? kNoAlbum : c.service(request.Param("album_sign"));
        });

        ListAlbums(BaiduAlbumAdapter::AlbumList, u"alice");

        ExpectAlbums(Albums(), c.albums);
        std::vector<std::string> signs;
        for (const FixtureRequest& request : server.RequestsTo(kAlbumList)) {
            signs.push_back(request.Param("album_sign"));
        }
        EXPECT_EQ(signs, c.signsAsked);
        EXPECT_EQ(List().ownerName, u"alice");
    }
}

TEST_F(BaiduAlbums, AlbumListRequestsInOrder) {
    ServePages({{kUserPage, {}, Fixture("user_page.html")},
                {kAlbumList, {{"album_sign", ""}}, Fixture("album_list.json")}});
    ListAlbums(BaiduAlbumAdapter::AlbumList, u"alice");
    auto list = [](const char* sign) {
        return ExpectedRequest{"xiangce.baidu.com",
                               kAlbumList,
                               {{"size", "2000"}, {"album_type", "0"}, {"album_sign", sign}, {"_", "*"}},
                               {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
    };
    ExpectRequests({{"xiangce.baidu.com", kUserPage, {}, {{"Accept-Encoding", "gzip, deflate"}}},
                    list(""),
                    list("s2/b")});
}

TEST_F(BaiduAlbums, FailedUserPageListsNothing) {
    server.Handle(kUserPage, [](const FixtureRequest&, FixtureReply& reply) { reply.body.clear(); });
    ListAlbums(BaiduAlbumAdapter::AlbumList, u"alice");
    EXPECT_TRUE(Albums().empty());
    EXPECT_TRUE(server.RequestsTo(kAlbumList).empty());
}

// Pictures of the album with sign "s1" (no slash, so the album's path is one fixture path).
class BaiduPictures : public BaiduTest {
protected:
    static constexpr const char* kPictures = "/picture/album/list/s1";

    void Start(int pictureCount, const std::u16string& name = u"旅行") {
        StartDownload(ST_PERLISTRECORD{.name = name, .url = u"s1", .pictureCount = pictureCount});
    }

    std::vector<std::string> OffsetsAsked() const {
        std::vector<std::string> offsets;
        for (const FixtureRequest& request : server.RequestsTo(kPictures)) {
            offsets.push_back(request.Param("pn"));
        }
        return offsets;
    }
};

TEST_F(BaiduPictures, ThumbnailsBecomeFullSizeAddresses) {
    ServePages({{kPictures, {{"pn", "0"}}, Fixture("pictures.json")},
                {kPictures, {{"pn", "4"}}, Fixture("no_pictures.json")}});
    Start(-1);

    RunPictures(BaiduAlbumAdapter::PictureList);

    // The picture without a thumbnail address is skipped; a thumbnail address without "album" is
    // not cut.
    EXPECT_EQ(Listed(Pictures()),
              (std::vector<std::pair<std::string, std::string>>{
                  {"http://b.hiphotos.baidu.com/album/pic/item/p1.jpg", "海边"},
                  {"http://b.hiphotos.baidu.com/album/pic/item/p2.jpg", "旅行"},
                  {"http://h.hiphotos.baidu.com/x80/p4.jpgalbum/pic/item/p4.jpg", "旧地址"},
              }));
    auto page = [](const char* pn) {
        return ExpectedRequest{"xiangce.baidu.com",
                               kPictures,
                               {{"format", "json"},
                                {"size", "100"},
                                {"pn", pn},
                                {"width", "80"},
                                {"t", "*"},
                                {"resolution", "1280"}},
                               {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
    };
    // pn counts every record of the answer.
    ExpectRequests({page("0"), page("4")});
    EXPECT_TRUE(Messages().empty());
}

TEST_F(BaiduPictures, PagingEndsAtTheCountOrARepeatedPage) {
    struct Case {
        const char* label;
        int pictureCount;
        bool ignoresPn;  // the service answers the first page to every pn
        std::vector<std::string> offsets;
        std::size_t pictures;
    } cases[] = {
        {"count reached after the first page", 4, false, {"0"}, 3},
        {"count above what came", 9, false, {"0", "4"}, 3},
        {"no count: until an empty answer", 0, false, {"0", "4"}, 3},
        {"a service that ignores pn", 0, true, {"0", "4"}, 3},
        {"a service that ignores pn, count not reached", 50, true, {"0", "4"}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.ClearRequests();
        int answered = 0;
        server.Handle(kPictures, [&](const FixtureRequest& request, FixtureReply& reply) {
            bool first = c.ignoresPn || request.Param("pn") == "0";
            reply.body = ++answered <= 6 && first ? Fixture("pictures.json") : Fixture("no_pictures.json");
        });
        Start(c.pictureCount);

        RunPictures(BaiduAlbumAdapter::PictureList);

        EXPECT_EQ(OffsetsAsked(), c.offsets);
        EXPECT_EQ(Pictures().size(), c.pictures);
    }
}

TEST_F(BaiduPictures, ProtectedAlbumAsksOnceToVerify) {
    struct Case {
        const char* label;
        int pictureCount;
        bool answer;
        bool opensAfterLogin;  // the album answers once the user has verified
        bool asked;
        std::vector<std::string> offsets;
        std::size_t pictures;
    } cases[] = {
        {"no: nothing", 12, false, true, true, {"0"}, 0},
        {"yes: the login browser, then pn 0 again", 12, true, true, true, {"0", "0", "4"}, 3},
        {"yes, still refused: asked only once", 12, true, false, true, {"0", "0"}, 0},
        {"an empty album asks nothing", 0, true, true, false, {"0"}, 0},
    };
    int run = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ResetWindow();
        QueueAnswer(c.answer);
        bool verified = false;
        SetLoginAction([&verified](const std::u16string&) { verified = true; });
        server.ClearRequests();
        server.Handle(kPictures, [&](const FixtureRequest& request, FixtureReply& reply) {
            bool open = verified && c.opensAfterLogin && request.Param("pn") == "0";
            reply.body = open ? Fixture("pictures.json") : Fixture("no_pictures.json");
        });
        // A folder of its own for each case.
        const std::u16string name = StringCtrl::Format(u"album%d", {++run});
        Start(c.pictureCount, name);

        RunPictures(BaiduAlbumAdapter::PictureList);

        auto messages = Messages();
        if (c.asked) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, u"为非公开相册,是否进行验证？\n\n验证成功后请手动关闭验证框");
            EXPECT_EQ(messages[0].caption, u"提示");
            EXPECT_TRUE(messages[0].question);
        } else {
            EXPECT_TRUE(messages.empty());
        }
        EXPECT_EQ(LoginUrls(),
                  c.asked && c.answer
                      ? std::vector<std::u16string>{u"http://xiangce.baidu.com/picture/album/list/s1"}
                      : std::vector<std::u16string>{});
        EXPECT_EQ(OffsetsAsked(), c.offsets);
        EXPECT_EQ(Pictures().size(), c.pictures);
        // The album folder is made with the first picture only.
        EXPECT_EQ(FileSystem::Exists(dir.Path() + name), c.pictures > 0);
    }
}

}  // namespace
