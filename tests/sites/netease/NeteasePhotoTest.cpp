// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "netease/NeteaseTest.h"
#include "sites/netease/NeteasePhotoAdapter.h"
#include "sites/netease/NeteasePhotoUser.h"

namespace {

const std::string kDataFile = "/photo/alice/albums.js";

class NeteasePhoto : public NeteaseTest {
protected:
    void SetUp() override {
        NeteaseTest::SetUp();
        server.Serve(kDataFile, Gbk(Fixture("albums.js")));
        // The remote call names the data files of albums without one, but fails for album 108 and
        // names none for album 107.
        server.Handle(kRemoteCall, [](const FixtureRequest& request, FixtureReply& reply) {
            std::string param = request.Param("c0-param0");
            std::string id = param.substr(param.find(':') + 1);
            if (id == "108") {
                reply.body.clear();
            } else if (id == "107") {
                reply.body = "dwr.engine._remoteHandleCallback('530377','0',null);";
            } else {
                reply.body = RemoteAnswer("s1.ph.126.net/photo/alice/" + id + ".js");
            }
        });
    }
};

struct Album {
    std::u16string name;
    std::u16string url;
    std::u16string coverUrl;
    int pictureCount;
    int privacy;
    std::u16string key1;
};

const std::u16string kPlaceholders = u"http://b.bst.126.net";

// The albums of albums.js: an album with a data file keeps it whatever its access value; the others
// take their privacy and placeholder from the access value, and their address from the remote call
// (the album's id when the call names none, or for question albums, "8"). The album whose call
// fails is left out; a cover on a server whose number is not one is dropped.
const std::vector<Album> kAlbums = {
    {u"公开", u"s1.ph.126.net/photo/alice/101.js", u"http://img12.bimg.126.net/photo/abc/c1.jpg", 12, 0,
     u"101"},
    {u"私密", u"s1.ph.126.net/photo/alice/102.js", u"http://img7.ph.126.net/def/c2.jpg", 3, 2, u"102"},
    {u"好友", u"s1.ph.126.net/photo/alice/103.js", kPlaceholders + u"/image/default/fwxhy.gif", 5, 4, u"103"},
    {u"问题", u"104", kPlaceholders + u"/image/default/fwxqa.gif", 5, 1, u"104"},
    {u"问题有封面", u"105", u"http://img.bimg.126.net/photo/q.jpg", 2, 1, u"105"},
    {u"密码", u"s1.ph.126.net/photo/alice/106.js", kPlaceholders + u"/photo/image/default/fwxmm.gif", 7, 1,
     u"106"},
    {u"空相册", u"107", kPlaceholders + u"/image/default/none160.gif", 0, 0, u"107"},
    {u"加密有地址", u"s1.ph.126.net/photo/alice/109.js", u"", 1, 0, u"109"},
    {u"坏服务器", u"s1.ph.126.net/photo/alice/110.js", u"", 1, 0, u"110"},
};

TEST_F(NeteasePhoto, AlbumsWithAccessLabelsAndPlaceholders) {
    server.Serve("/alice/", Gbk(Fixture("home.html")));

    ListAlbums(NeteasePhotoAdapter::AlbumList, u"http://photo.163.com/alice/");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), kAlbums.size());
    for (std::size_t i = 0; i < kAlbums.size(); ++i) {
        SCOPED_TRACE(Utf8(kAlbums[i].name));
        EXPECT_EQ(Utf8(albums[i].name), Utf8(kAlbums[i].name));
        EXPECT_EQ(Utf8(albums[i].url), Utf8(kAlbums[i].url));
        EXPECT_EQ(Utf8(albums[i].coverUrl), Utf8(kAlbums[i].coverUrl));
        EXPECT_EQ(albums[i].pictureCount, kAlbums[i].pictureCount);
        EXPECT_EQ(albums[i].privacy, kAlbums[i].privacy);
        EXPECT_EQ(albums[i].key1, kAlbums[i].key1);
    }
    // The description's escaped line break is a real one.
    EXPECT_EQ(Utf8(albums[0].key2), "第一行\r\n第二行");
    EXPECT_EQ(List().ownerName, u"alice");
    EXPECT_EQ(Kept<NeteasePhotoUser>().name, u"alice");
    EXPECT_TRUE(Messages().empty());

    auto call = [](const char* id) {
        return RemoteCall(std::string("number:") + id, "string:", "number:24881696");
    };
    ExpectRequests({{"photo.163.com", "/alice/", {}, {{"Accept-Encoding", "gzip, deflate"}}},
                    {"s1.ph.126.net", kDataFile},
                    call("102"),
                    call("103"),
                    call("106"),
                    call("107"),
                    call("108")});
}

TEST_F(NeteasePhoto, UserNameAndDataFileFromTheTypedPageOrTheUsersOwn) {
    struct Case {
        const char* label;
        std::u16string typed;
        std::string typedPath;
        std::string typedPage;
        std::vector<std::string> pathsBeforeTheList;  // with their hosts
        std::u16string message = {};
    } cases[] = {
        {"the photo host's name",
         u"http://photo.163.com/alice/",
         "/alice/",
         Fixture("home.html"),
         {"photo.163.com/alice/"}},
        {"only the page's host name",
         u"http://photo.163.com/alice/",
         "/alice/",
         Fixture("home_hostname.html"),
         {"photo.163.com/alice/"}},
        {"an album page: the user's page on the photo host",
         u"http://photo.163.com/alice/list/#aid=101",
         "/alice/list/",
         Fixture("album_page.html"),
         {"photo.163.com/alice/list/", "photo.163.com/alice"}},
        {"a pp address: the user's page on the pp host",
         u"http://pp.163.com/alice/pp/1.html",
         "/alice/pp/1.html",
         Fixture("album_page.html"),
         {"pp.163.com/alice/pp/1.html", "alice.pp.163.com/album/"}},
        {"no user name",
         u"http://photo.163.com/nobody/",
         "/nobody/",
         "<html></html>",
         {"photo.163.com/nobody/"},
         u"输入网址有误，应该输入相册网址或首页网址"},
    };
    server.Route("pp.163.com");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        List().albums.Clear();
        ResetWindow();
        server.ClearRequests();
        server.Serve(c.typedPath, Gbk(c.typedPage));
        server.Serve("/alice", Gbk(Fixture("home.html")));
        server.Serve("/album/", Gbk(Fixture("home_hostname.html")));

        ListAlbums(NeteasePhotoAdapter::AlbumList, c.typed);

        std::vector<std::string> asked;
        for (const FixtureRequest& request : server.Requests()) {
            if (request.path == kDataFile) {
                break;
            }
            asked.push_back(request.Header("Host") + request.path);
        }
        EXPECT_EQ(asked, c.pathsBeforeTheList);
        auto messages = Messages();
        if (c.message.empty()) {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(Albums().size(), kAlbums.size());
            EXPECT_EQ(Kept<NeteasePhotoUser>().name, u"alice");
        } else {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, c.message);
            EXPECT_FALSE(messages[0].question);
            EXPECT_TRUE(Albums().empty());
        }
    }
}

class NeteasePhotoPictures : public NeteaseTest {
protected:
    void SetUp() override {
        NeteaseTest::SetUp();
        Handoff<NeteasePhotoUser>().name = u"alice";
        server.Serve("/photo/alice/101.js", Gbk(Fixture("photos.js")));
    }

    void Start(const std::u16string& url) {
        StartDownload(ST_PERLISTRECORD{.name = u"公开", .url = url, .key1 = u"101", .pictureCount = 8});
    }
};

TEST_F(NeteasePhotoPictures, LargestSizeOnTheImageHosts) {
    Start(u"s1.ph.126.net/photo/alice/101.js");

    RunPictures(NeteasePhotoAdapter::PictureList);

    // Full size, else medium, else small; "/photo/" paths on the first image domain, numbered
    // servers as their own hosts. The value whose server is a host name of its own is not fetched,
    // nor is the record without a picture.
    EXPECT_EQ(Listed(), (std::vector<std::pair<std::string, std::string>>{
                            {"http://img12.bimg.126.net/photo/abc/1.jpg", "海边.jpg"},
                            {"http://img7.ph.126.net/xyz/2.jpg", "公开.jpg"},
                            {"http://img.bimg.126.net/photo/s/3.jpg", "小图.jpg"},
                            {"http://img.ph.126.net/n/4.jpg", "新图.jpg"},
                            {"http://img9.bimg.126.net/new/photo/6.jpg", "中间.jpg"},
                            {"http://img.ph.126.net/8.jpg", "无斜杠.jpg"},
                        }));
    ExpectRequests({{"s1.ph.126.net", "/photo/alice/101.js", {}, {{"Accept-Encoding", "gzip, deflate"}}}});
    EXPECT_TRUE(Messages().empty());
}

TEST_F(NeteasePhotoPictures, AlbumKnownByItsIdAsksForVerification) {
    struct Case {
        const char* label;
        bool answer;
        std::string remoteAnswer;
        std::size_t pictures;
    } cases[] = {
        {"no", false, RemoteAnswer("s1.ph.126.net/photo/alice/101.js"), 0},
        {"yes: the data file the remote call names", true, RemoteAnswer("s1.ph.126.net/photo/alice/101.js"),
         6},
        {"yes, but no script named", true, RemoteAnswer("s1.ph.126.net/photo/alice/denied.html"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ResetWindow();
        QueueAnswer(c.answer);
        server.ClearRequests();
        server.Serve(kRemoteCall, c.remoteAnswer);
        Start(u"1234567890123456789");  // 19 characters

        RunPictures(NeteasePhotoAdapter::PictureList);

        auto messages = Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, u"为非公开相册,是否进行验证？\n\n验证成功后请手动关闭验证框");
        EXPECT_EQ(messages[0].caption, u"提示");
        EXPECT_TRUE(messages[0].question);
        EXPECT_EQ(Pictures().size(), c.pictures);
        if (!c.answer) {
            EXPECT_TRUE(LoginUrls().empty());
            EXPECT_TRUE(server.Requests().empty());
            continue;
        }
        EXPECT_EQ(LoginUrls(), std::vector<std::u16string>{
                                   u"http://photo.163.com/alice/list/#aid=1234567890123456789&m=1&p=1"});
        std::vector<ExpectedRequest> expected = {
            RemoteCall("number:1234567890123456789", "string:fromblog", "string:24881696")};
        if (c.pictures > 0) {
            expected.push_back({"s1.ph.126.net", "/photo/alice/101.js"});
        }
        ExpectRequests(expected);
    }
}

TEST_F(NeteasePhotoPictures, RefusedDataFileFallsBackThroughTheRemoteCall) {
    struct Case {
        const char* label;
        std::string refusal;
        std::string remoteAnswer;
        std::size_t pictures;
        std::size_t requests;
    } cases[] = {
        {"nine characters", "forbidden", RemoteAnswer("s1.ph.126.net/photo/alice/101.js"), 6, 3},
        {"ten characters are a data file", "forbidden!", RemoteAnswer("s1.ph.126.net/photo/alice/101.js"), 0,
         1},
        {"no script named", "denied", RemoteAnswer("s1.ph.126.net/photo/alice/none"), 0, 2},
        {"the remote call fails", "denied", "", 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.ClearRequests();
        server.Serve("/photo/alice/locked.js", c.refusal);
        server.Serve(kRemoteCall, c.remoteAnswer);
        Start(u"s1.ph.126.net/photo/alice/locked.js");

        RunPictures(NeteasePhotoAdapter::PictureList);

        EXPECT_EQ(Pictures().size(), c.pictures);
        // The album's own id, as text, with the album list's tail.
        std::vector<ExpectedRequest> expected = {{"s1.ph.126.net", "/photo/alice/locked.js"},
                                                 RemoteCall("string:101", "string:", "number:24881696"),
                                                 {"s1.ph.126.net", "/photo/alice/101.js"}};
        expected.resize(c.requests);
        ExpectRequests(expected);
    }
}

TEST_F(NeteasePhotoPictures, AlbumWithoutAnyAddress) {
    Start(u"");
    RunPictures(NeteasePhotoAdapter::PictureList);
    auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, u"该相册为非公开,如果该相册为私密相册,登录帐号后重新获取相册列表可下载");
    EXPECT_FALSE(messages[0].question);
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(Pictures().empty());
}

}  // namespace
