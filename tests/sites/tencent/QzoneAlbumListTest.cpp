// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>
#include <string>
#include <vector>

#include "MyCode/ConnectToRules.h"
#include "sites/tencent/QzoneAdapter.h"
#include "sites/tencent/QzoneGtk.h"
#include "sites/tencent/QzoneRouteHosts.h"
#include "tencent/TencentTest.h"

namespace {

const std::string kFirstList = "/fcgi-bin/fcg_list_album_v2";
const std::string kSecondList = "/fcgi-bin/fcg_list_album_v3";

class QzoneAlbums : public TencentTest {
protected:
    void SetUp() override {
        TencentTest::SetUp();
        server.Serve("/GetRoute", Fixture("route.json"), "application/json");
    }
};

struct ExpectedAlbum {
    std::u16string name;
    std::u16string url;
    std::u16string coverUrl;
    int pictureCount;
    int privacy;
};

void ExpectAlbums(const std::vector<ST_PERLISTRECORD>& albums, const std::vector<ExpectedAlbum>& expected) {
    ASSERT_EQ(albums.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(albums[i].name, expected[i].name);
        EXPECT_EQ(albums[i].url, expected[i].url);
        EXPECT_EQ(albums[i].coverUrl, expected[i].coverUrl);
        EXPECT_EQ(albums[i].pictureCount, expected[i].pictureCount);
        EXPECT_EQ(albums[i].privacy, expected[i].privacy);
    }
}

// The albums of qzone_albums.jsonp with the data centre they were listed from. The access values
// " 3", " 6", " 5", " 1" and " 4" give private, friends only, encrypted, none and friends only;
// the record without a name is left out.
std::vector<ExpectedAlbum> FixtureAlbums(int dataCentre) {
    auto url = [dataCentre](const char16_t* id) {
        return StringCtrl::Format(u"idcNum=%d&hostUin=12345&albumid=%s", {dataCentre, id});
    };
    return {
        {u"私密相册甲", url(u"V11private"), u"http://b1.photo.store.qq.com/psb?/V11private/cover/a/", 12, 2},
        {u"Friends", url(u"V12friends"), u"http://b1.photo.store.qq.com/psb?/V12friends/cover/a/", 0, 4},
        {u"Locked", url(u"V13locked"), u"", 7, 1},
        {u"Open", url(u"V14open"), u"http://b1.photo.store.qq.com/psb?/V14open/cover/a/", 250, 0},
        {u"Mates", url(u"V16mates"), u"", 1, 4},
    };
}

TEST_F(QzoneAlbums, RouteLookupThenFirstList) {
    server.Serve(kFirstList, Gbk(Fixture("qzone_albums.jsonp")));

    ListAlbums(QzoneAdapter::AlbumList, u"12345");

    ExpectAlbums(Albums(), FixtureAlbums(9));
    EXPECT_TRUE(Messages().empty());
    // The default data centre's hosts: the photo list and the album view for the download.
    EXPECT_EQ(Kept<QzoneRouteHosts>().photoHost, u"szplist.photo.qq.com");
    EXPECT_EQ(Kept<QzoneRouteHosts>().viewHost, u"sznu.photo.qq.com");

    auto route = server.RequestsTo("/GetRoute");
    ASSERT_EQ(route.size(), 1u);
    EXPECT_EQ(route[0].target, "/GetRoute?UIN=12345&version=2&type=json");
    EXPECT_EQ(route[0].Header("Referer"), "http://user.qzone.qq.com/12345");
    EXPECT_EQ(route[0].Header("Accept-Encoding"), "gzip, deflate");

    auto list = server.RequestsTo(kFirstList);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Header("Host"), "alist.photo.qq.com");
    EXPECT_EQ(list[0].Param("hostUin"), "12345");
    EXPECT_EQ(list[0].Param("format"), "jsonp");
    EXPECT_EQ(list[0].Param("g_tk"), "5381");
    EXPECT_EQ(list[0].Param("t").substr(0, 2), "0.");
    EXPECT_EQ(list[0].Header("Referer"), "http://user.qzone.qq.com/12345");
}

TEST_F(QzoneAlbums, FirstListReadsTheCharsetOfTheExtensionSettings) {
    Extension().qzoneV2TextFlags = TEXT_UTF8;
    server.Serve(kFirstList, Fixture("qzone_albums.jsonp"));
    ListAlbums(QzoneAdapter::AlbumList, u"12345");
    ASSERT_FALSE(Albums().empty());
    EXPECT_EQ(Albums()[0].name, u"私密相册甲");
}

TEST_F(QzoneAlbums, SecondListTriesDataCentre102WithTheFirstBlocksHosts) {
    const std::string albums = Fixture("qzone_albums.jsonp");
    const std::string noRecord = "shine1_Callback({\"code\":0,\"data\":{\"albumListModeSort\":[]}});";
    struct Case {
        const char* label;
        std::string ownAnswer;       // from the owner's data centre
        std::string fallbackAnswer;  // from data centre 102
        std::size_t requests;
        int dataCentre;  // of the albums; 0 for none
    } cases[] = {
        {"first pass", albums, albums, 1, 9},
        {"no record", noRecord, albums, 2, 102},
        {"empty answer", "", albums, 2, 102},
        {"nothing anywhere", noRecord, noRecord, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        NextCase();
        server.Handle(kSecondList, [&c](const FixtureRequest& request, FixtureReply& reply) {
            reply.body = request.Header("Host") == "xalist.photo.qq.com" ? c.fallbackAnswer : c.ownAnswer;
        });

        ListAlbums(QzoneAdapter::SecondAlbumList, u"12345");

        auto requests = server.RequestsTo(kSecondList);
        ASSERT_EQ(requests.size(), c.requests);
        EXPECT_EQ(requests[0].Header("Host"), "alist.photo.qq.com");
        EXPECT_EQ(requests[0].Param("idcNum"), "9");
        if (c.requests == 2) {
            EXPECT_EQ(requests[1].Header("Host"), "xalist.photo.qq.com");
            EXPECT_EQ(requests[1].Param("idcNum"), "102");
        }
        for (const FixtureRequest& request : requests) {
            EXPECT_EQ(request.Param("hostUin"), "12345");
            EXPECT_EQ(request.Param("callback"), "shine1_Callback");
            EXPECT_EQ(request.Param("g_tk"), "5381");
            // This service is asked with the referer alone.
            EXPECT_EQ(request.Header("Referer"), "http://user.qzone.qq.com/12345");
            EXPECT_EQ(request.Header("Accept-Encoding"), "");
        }
        if (c.dataCentre == 0) {
            EXPECT_TRUE(Albums().empty());
        } else {
            // Read as UTF-8 whatever the extension settings say.
            ExpectAlbums(Albums(), FixtureAlbums(c.dataCentre));
            EXPECT_EQ(Kept<QzoneRouteHosts>().photoHost,
                      c.dataCentre == 102 ? u"xaplist.photo.qq.com" : u"szplist.photo.qq.com");
            EXPECT_EQ(Kept<QzoneRouteHosts>().viewHost,
                      c.dataCentre == 102 ? u"xanu.photo.qq.com" : u"sznu.photo.qq.com");
        }
        EXPECT_TRUE(Messages().empty());
    }
}

TEST_F(QzoneAlbums, RefusalsShowTheServiceTextOrOfferTheLogin) {
    const std::u16string question = u"加密或非公开空间，是否进行身份验证?\n(验证成功后请重新获取相册列表)";
    struct Case {
        const char* label;
        std::string body;  // UTF-8
        bool answer;
        std::u16string text;
        std::u16string caption;
        bool question;
        bool login;
    } cases[] = {
        {"too frequent",
         "_Callback({\"code\":-3000,\"msg\" : \"您的操作过于频繁，请稍后再试\",\"data\":{}});", true,
         u"您的操作过于频繁，请稍后再试", u"", false, false},
        {"closed, yes", "_Callback({\"code\":-4009,\"msg\" : \"对不起，您没有权限访问\",\"data\":{}});", true,
         question, u"提示", true, true},
        {"closed, no", "_Callback({\"code\":-4009,\"msg\" : \"对不起，您没有权限访问\",\"data\":{}});", false,
         question, u"提示", true, false},
    };
    struct Op {
        const char* label;
        AlbumListOp run;
        std::string path;
        bool gbk;
    } ops[] = {{"first list", QzoneAdapter::AlbumList, kFirstList, true},
               {"second list", QzoneAdapter::SecondAlbumList, kSecondList, false}};
    for (const Op& op : ops) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(op.label) + ", " + c.label);
            ResetWindow();
            QueueAnswer(c.answer);
            server.ClearRequests();
            // Records after a refusal are not listed.
            server.Serve(op.path, (op.gbk ? Gbk(c.body) : c.body) + "\"id\" : \"X\", \"name\" : \"N\",");

            ListAlbums(op.run, u"12345");

            EXPECT_TRUE(Albums().empty());
            auto messages = Messages();
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, c.text);
            EXPECT_EQ(messages[0].caption, c.caption);
            EXPECT_EQ(messages[0].question, c.question);
            EXPECT_EQ(LoginUrls(), c.login ? std::vector<std::u16string>{u"http://user.qzone.qq.com/12345"}
                                           : std::vector<std::u16string>{});
            // A refusal ends the second list too: no second pass.
            EXPECT_EQ(server.RequestsTo(op.path).size(), 1u);
        }
    }
}

TEST_F(QzoneAlbums, UnreachableRouteServiceIsReported) {
    // Nothing listens on port 1 of the loopback.
    ASSERT_TRUE(ConnectToRules::Instance().Add("route.store.qq.com:80:127.0.0.1:1"));
    for (AlbumListOp op :
         {AlbumListOp(QzoneAdapter::AlbumList), AlbumListOp(QzoneAdapter::SecondAlbumList)}) {
        ResetWindow();
        ListAlbums(op, u"12345");
        auto messages = Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, u"QQ空间相册错误1");
    }
    EXPECT_TRUE(server.RequestsTo(kFirstList).empty());
    EXPECT_TRUE(server.RequestsTo(kSecondList).empty());
    EXPECT_TRUE(Albums().empty());
}

TEST_F(QzoneAlbums, StopRequestEndsTheListAfterTheNextAlbum) {
    server.Serve(kFirstList, Gbk(Fixture("qzone_albums.jsonp")));
    StopList();
    ListAlbums(QzoneAdapter::AlbumList, u"12345");
    EXPECT_EQ(Albums().size(), 1u);
}

TEST(QzoneGtk, HashesTheSkeyValue) {
    struct Case {
        std::u16string skey;
        std::uint32_t token;
    } cases[] = {
        {u"", 5381},
        {u"@abc", 2088882539u},
        {u"@Xq3kZ9mPL", 1645725224u},
        {std::u16string(40, u'a'), 1723104941u},  // wraps many times over
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QzoneGtk(c.skey), c.token) << c.skey.size();
    }
}

}  // namespace
