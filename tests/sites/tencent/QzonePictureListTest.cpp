// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "sites/tencent/QzoneAdapter.h"
#include "sites/tencent/QzoneRouteHosts.h"
#include "tencent/TencentTest.h"

namespace {

const std::string kPhotoList = "/fcgi-bin/cgi_list_photo";
const std::string kAlbumView = "/cgi-bin/common/cgi_view_album_v2";
const std::string kNoPhoto = "shine0_Callback({\"code\":0,\"data\":{\"photoList\":[]}});";

// The four records of qzone_photos.jsonp: the raw address with its preview as the fallback; an
// uploaded original ("/o/" becomes "/r/"); an original that was not uploaded raw; the preview alone.
const std::vector<std::u16string> kFixturePictures = {
    u"http://r1.photo.store.qq.com/psb?/A/p1/r/\r\nhttp://a1.photo.store.qq.com/psb?/A/p1/b/",
    u"http://r1.photo.store.qq.com/psb?/A/p2/r/\r\nhttp://a1.photo.store.qq.com/psb?/A/p2/b/",
    u"http://r1.photo.store.qq.com/psb?/A/p3/o/\r\nhttp://a1.photo.store.qq.com/psb?/A/p3/b/",
    u"http://a1.photo.store.qq.com/psb?/A/p4/b/",
};

// An album listed from data centre 9, as the album list left the job.
class QzonePictures : public TencentTest {
protected:
    void SetUp() override {
        TencentTest::SetUp();
        Handoff<QzoneRouteHosts>().photoHost = u"szplist.photo.qq.com";
        Handoff<QzoneRouteHosts>().viewHost = u"sznu.photo.qq.com";
        SetInput(u"12345");
    }

    void Start(int privacy, const std::u16string& id = u"V14open") {
        ST_PERLISTRECORD album;
        album.name = u"Album";
        album.url = u"idcNum=9&hostUin=12345&albumid=" + id;
        album.privacy = privacy;
        StartDownload(album);
    }

    // The paths asked for, in order: "list" or "view".
    std::vector<std::string> Asked() const {
        std::vector<std::string> asked;
        for (const FixtureRequest& request : server.Requests()) {
            asked.push_back(request.path == kPhotoList   ? "list"
                            : request.path == kAlbumView ? "view"
                                                         : request.path);
        }
        return asked;
    }

    const std::string photos = Gbk(Fixture("qzone_photos.jsonp"));
};

// The same photos under other names: the second page of the album.
std::string SecondPage(std::string page) {
    for (std::size_t at = page.find("\\/A\\/p"); at != std::string::npos; at = page.find("\\/A\\/p", at)) {
        page.replace(at, 6, "\\/B\\/p");
    }
    return page;
}

std::u16string SecondPageUrl(std::u16string url) {
    StringCtrl::ReplaceAll(url, u"/A/p", u"/B/p");
    return url;
}

TEST_F(QzonePictures, PagedListWalksPagesOf500UntilAnEmptyPage) {
    const std::string second = SecondPage(photos);
    server.Handle(kPhotoList, [&](const FixtureRequest& request, FixtureReply& reply) {
        const std::string start = request.Param("pageStart");
        reply.body = start == "0" ? photos : start == "500" ? second : kNoPhoto;
    });
    Start(0);

    RunPictures(QzoneAdapter::PictureList);

    std::vector<std::u16string> expected = kFixturePictures;
    for (const std::u16string& url : kFixturePictures) {
        expected.push_back(SecondPageUrl(url));
    }
    EXPECT_EQ(PictureUrls(), expected);
    // Described by the GBK names of the photos.
    EXPECT_EQ(Pictures()[0].fileName.rfind(u"海边", 0), 0u) << Utf8(Pictures()[0].fileName);
    EXPECT_EQ(Pictures()[0].headers, u"");

    auto requests = server.RequestsTo(kPhotoList);
    ASSERT_EQ(requests.size(), 3u);
    const char* starts[] = {"0", "500", "1000"};
    for (std::size_t i = 0; i < requests.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(requests[i].Header("Host"), "szplist.photo.qq.com");
        EXPECT_EQ(requests[i].Param("pageStart"), starts[i]);
        EXPECT_EQ(requests[i].Param("pageNum"), "500");
        // The album's address goes in with the photo list's own key for the album.
        EXPECT_EQ(requests[i].Param("topicId"), "V14open");
        EXPECT_EQ(requests[i].Param("idcNum"), "9");
        EXPECT_EQ(requests[i].Param("hostUin"), "12345");
        EXPECT_EQ(requests[i].target.find("albumid="), std::string::npos);
        EXPECT_EQ(requests[i].Param("callback"), "shine0_Callback");
        EXPECT_EQ(requests[i].Header("Referer"), "http://user.qzone.qq.com/12345");
        EXPECT_EQ(requests[i].Header("Accept-Encoding"), "gzip, deflate");
    }
    // Pictures came, so the album view is not asked.
    EXPECT_TRUE(server.RequestsTo(kAlbumView).empty());
}

TEST_F(QzonePictures, SwitchFileAndAlbumViewFallback) {
    struct Case {
        const char* label;
        bool switchFile;  // "Q2.txt" in the program folder
        int privacy;
        bool listAnswers;
        bool viewAnswers;
        std::vector<std::string> asked;
        std::size_t pictures;
    } cases[] = {
        {"protected album goes to the view", false, 2, true, true, {"view"}, 4},
        {"switch file lists it like a public one", true, 2, true, true, {"list", "list"}, 4},
        {"switch file, list empty, view next", true, 2, false, true, {"list", "view"}, 4},
        {"public album, list empty, view next", false, 0, false, true, {"list", "view"}, 4},
        {"public album", false, 0, true, true, {"list", "list"}, 4},
        {"nothing anywhere", true, 4, false, false, {"list", "view"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.switchFile) {
            ASSERT_TRUE(FileSystem::WriteFileAtomic(dir.Path() + u"Q2.txt", ""));
        } else {
            FileSystem::Remove(dir.Path() + u"Q2.txt");
        }
        server.ClearRequests();
        server.Handle(kPhotoList, [&](const FixtureRequest& request, FixtureReply& reply) {
            reply.body = c.listAnswers && request.Param("pageStart") == "0" ? photos : kNoPhoto;
        });
        server.Handle(kAlbumView, [&](const FixtureRequest&, FixtureReply& reply) {
            reply.body = c.viewAnswers ? photos : kNoPhoto;
        });
        Start(c.privacy);

        RunPictures(QzoneAdapter::PictureList);

        EXPECT_EQ(Asked(), c.asked);
        EXPECT_EQ(Pictures().size(), c.pictures);
        for (const FixtureRequest& view : server.RequestsTo(kAlbumView)) {
            EXPECT_EQ(view.Header("Host"), "sznu.photo.qq.com");
            EXPECT_EQ(view.Param("albumId"), "V14open");
            EXPECT_EQ(view.target.find("albumid="), std::string::npos);
            EXPECT_EQ(view.Param("g_tk"), "5381");
            EXPECT_EQ(view.Param("inCharset"), "gbk");
        }
    }
    EXPECT_TRUE(Messages().empty());
}

// How the paged list's first page hands the album to the view, or ends it: an answer without text
// is a page without photos, but a request that fails ends the album; an encrypted album's refusal
// is a page without photos when the user gives no password, and is asked for once more when they
// do, ending the album when it does not come again.
TEST_F(QzonePictures, FirstListPageWithoutPhotosLeadsToTheView) {
    const std::string refusal =
        Gbk("shine0_Callback({\"code\":-10805,\"message\":\"对不起，回答错误\",\"data\":{}});");
    enum class First { Empty, Broken, Refused };
    struct Case {
        const char* label;
        First first;                // the first list page before a password
        bool answer;                // to the password question
        std::string afterPassword;  // the first list page once the password was entered
        std::vector<std::string> asked;
        std::size_t pictures;
    } cases[] = {
        {"an empty answer", First::Empty, false, "", {"list", "view"}, 4},
        {"a broken answer", First::Broken, false, "", {"list"}, 0},
        {"refused, no password", First::Refused, false, "", {"list", "view"}, 4},
        {"refused, password given", First::Refused, true, photos, {"list", "list", "list"}, 4},
        {"refused, password given, nothing came", First::Refused, true, "", {"list", "list"}, 0},
    };
    // An encrypted album that the switch file has listed like a public one.
    ASSERT_TRUE(FileSystem::WriteFileAtomic(dir.Path() + u"Q2.txt", ""));
    server.Serve(kAlbumView, photos);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ResetWindow();
        QueueAnswer(c.answer);
        bool entered = false;
        SetLoginAction([&entered](const std::u16string&) { entered = true; });
        server.ClearRequests();
        server.Handle(kPhotoList, [&](const FixtureRequest& request, FixtureReply& reply) {
            if (request.Param("pageStart") != "0") {
                reply.body = kNoPhoto;
            } else if (entered) {
                reply.body = c.afterPassword;
            } else if (c.first == First::Refused) {
                reply.body = refusal;
            } else if (c.first == First::Broken) {
                reply.declaredLength = 5000;
                reply.stream = [](FixtureStream& out) { out.Write("shine0_Callback("); };
            }
        });
        Start(1, u"V13locked");

        RunPictures(QzoneAdapter::PictureList);

        EXPECT_EQ(Asked(), c.asked);
        EXPECT_EQ(Pictures().size(), c.pictures);
        EXPECT_EQ(Messages().size(), c.first == First::Refused ? 1u : 0u);
        EXPECT_EQ(LoginUrls().size(), c.answer ? 1u : 0u);
    }
}

TEST_F(QzonePictures, PasswordPromptForEncryptedAlbums) {
    const std::string refusal =
        Gbk("shine0_Callback({\"code\":-10805,\"message\":\"对不起，回答错误\",\"data\":{}});");
    struct Case {
        const char* label;
        int privacy;
        bool answer;
        bool asked;
        std::size_t viewRequests;
        std::size_t pictures;
    } cases[] = {
        {"encrypted, yes", 1, true, true, 2, 4},
        {"encrypted, no", 1, false, true, 1, 0},
        {"private: no password to give", 2, true, false, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ResetWindow();
        SetInput(u"12345");
        QueueAnswer(c.answer);
        // The user enters the password in the login browser; the service remembers it by cookie.
        bool entered = false;
        SetLoginAction([&entered](const std::u16string&) { entered = true; });
        server.ClearRequests();
        server.Handle(kAlbumView, [&](const FixtureRequest&, FixtureReply& reply) {
            reply.body = entered ? photos : refusal;
        });
        Start(c.privacy, u"V13locked");

        RunPictures(QzoneAdapter::PictureList);

        auto messages = Messages();
        if (c.asked) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, u"加密相册，是否输入密码？");
            EXPECT_EQ(messages[0].caption, u"提示");
            EXPECT_TRUE(messages[0].question);
        } else {
            EXPECT_TRUE(messages.empty());
        }
        EXPECT_EQ(LoginUrls(),
                  c.answer && c.asked
                      ? std::vector<std::u16string>{u"http://user.qzone.qq.com/12345/photo/V13locked"}
                      : std::vector<std::u16string>{});
        auto views = server.RequestsTo(kAlbumView);
        ASSERT_EQ(views.size(), c.viewRequests);
        if (views.size() == 2) {
            EXPECT_EQ(views[1].target, views[0].target);  // the same request once more
        }
        EXPECT_EQ(Pictures().size(), c.pictures);
        EXPECT_TRUE(server.RequestsTo(kPhotoList).empty());
    }
}

TEST_F(QzonePictures, TokenAndUserNumberComeFromTheSpaceCookies) {
    struct Case {
        const char* label;
        std::vector<std::pair<std::string, std::string>> cookies;
        std::string token;
        std::string uin;
    } cases[] = {
        {"no cookie", {}, "5381", ""},
        {"skey alone, so first in the text", {{"skey", "@abc"}}, "2088882539", ""},
        {"uin alone, so first in the text", {{"uin", "o0012345"}}, "5381", "0012345"},
        {"both", {{"uin", "o0012345"}, {"skey", "@abc"}}, "2088882539", "0012345"},
        {"look-alikes of other services", {{"p_skey", "zzz"}, {"p_uin", "o999"}}, "5381", ""},
    };
    server.Serve(kPhotoList, kNoPhoto);
    server.Serve(kAlbumView, kNoPhoto);
    server.Serve("/GetRoute", Fixture("route.json"), "application/json");
    server.Serve("/fcgi-bin/fcg_list_album_v2", kNoPhoto);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CookieStore::Instance().Clear();
        for (const auto& [name, value] : c.cookies) {
            AddCookie(name, value);
        }
        server.ClearRequests();
        Start(0);

        RunPictures(QzoneAdapter::PictureList);
        ListAlbums(QzoneAdapter::AlbumList, u"12345");

        for (const std::string& path : {kPhotoList, kAlbumView}) {
            auto requests = server.RequestsTo(path);
            ASSERT_EQ(requests.size(), 1u) << path;
            EXPECT_EQ(requests[0].Param("g_tk"), c.token) << path;
            EXPECT_EQ(requests[0].Param("uin"), c.uin) << path;
        }
        auto list = server.RequestsTo("/fcgi-bin/fcg_list_album_v2");
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].Param("g_tk"), c.token);
    }
}

// A service that answers every page with the same photos has no more of them.
TEST_F(QzonePictures, RepeatedPageEndsTheList) {
    server.Serve(kPhotoList, photos);
    Start(0);
    RunPictures(QzoneAdapter::PictureList);
    EXPECT_EQ(PictureUrls(), kFixturePictures);
    EXPECT_EQ(server.RequestsTo(kPhotoList).size(), 2u);
}

TEST_F(QzonePictures, StopsWhenTheDownloadSaysSo) {
    server.Serve(kPhotoList, photos);
    for (bool albumDone : {true, false}) {
        server.ClearRequests();
        Start(0);
        if (albumDone) {
            EndAlbum();
        } else {
            StopDownload();
        }
        RunPictures(QzoneAdapter::PictureList);
        EXPECT_EQ(Pictures().size(), 1u);
        EXPECT_EQ(server.RequestsTo(kPhotoList).size(), 1u);
    }
}

}  // namespace
