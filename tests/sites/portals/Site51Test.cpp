// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <string>
#include <vector>

#include "portals/PortalsTest.h"
#include "sites/portals/PortalUser.h"
#include "sites/portals/Site51Adapter.h"

namespace {

const std::string kBusy = "\xC7\xEB\xC9\xD4\xBA\xF2\xD4\xD9\xCA\xD4";  // "请稍候再试" in GBK
const std::string kNoRows = "{\"status\":1,\"rows\":[],\"total\":\"3\"}";

std::string PhotoRow(const std::string& id, const std::string& title) {
    return "{\"id\":\"" + id + "\",\"title\":\"" + title + "\",\"big\":\"http:\\/\\/img.51.com\\/alice\\/" +
           id + ".jpg\",\"url\":\"\\/alice\\/photo\\/view\\/" + id + "\"}";
}

std::string PhotoPage(const std::string& rows, bool putpass = false) {
    return std::string("{\"status\":1,\"putpass\":\"") + (putpass ? "1" : "0") + "\",\"rows\":[" + rows +
           "]}";
}

ExpectedRequest PhotoRequest(const char* page) {
    return {"home.51.com",
            "/",
            {{"u", "alice"}, {"c", "photo"}, {"a", "getdata"}, {"gid", "102"}, {"page", page}},
            {{"Accept-Encoding", "gzip, deflate"}}};
}

class Site51 : public PortalsTest {
protected:
    void SetUp() override {
        PortalsTest::SetUp();
        List().siteType = SITE_51;
        // The album list kept the user name.
        Handoff<PortalUser>().userName = u"alice";
    }

    void StartAlbum(int privacy = 1, int count = 3) {
        StartDownload(
            ST_PERLISTRECORD{.name = u"密码", .url = u"102", .pictureCount = count, .privacy = privacy});
    }
};

// All albums come in one answer; "hide" 2 is a password album; an album without a name is left out.
TEST_F(Site51, AlbumsFromOneAnswer) {
    ServePages({{"/", {{"gid", "0"}}, Fixture("51_albums.json")}});

    ListAlbums(Site51Adapter::AlbumList, u"alice");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(albums[0].name, u"春天");
    EXPECT_EQ(albums[0].url, u"101");
    EXPECT_EQ(albums[0].pictureCount, 12);
    EXPECT_EQ(albums[0].privacy, 0);
    EXPECT_EQ(albums[0].coverUrl, u"");
    EXPECT_EQ(albums[1].name, u"密码");
    EXPECT_EQ(albums[1].privacy, 1);
    EXPECT_EQ(albums[1].pictureCount, 3);
    EXPECT_EQ(albums[2].name, u"旅行");
    EXPECT_EQ(albums[2].privacy, 0);
    EXPECT_EQ(Kept<PortalUser>().userName, u"alice");
    EXPECT_TRUE(Messages().empty());
    ExpectRequests({{"home.51.com",
                     "/",
                     {{"u", "alice"}, {"c", "photo"}, {"a", "getdata"}, {"gid", "0"}, {"total", "0"}},
                     {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}}});
}

// An answer of more pieces than a 16-bit counter can count is read to its end, once.
TEST_F(Site51, AnswerOfMoreThan65535Pieces) {
    std::string answer = "{\"status\":1,\"data\":[";
    for (int i = 0; i < 65536; ++i) {
        answer += "{\"id\":\"" + std::to_string(i) + "\",\"name\":\"\"},";
    }
    answer += "{\"id\":\"a\",\"name\":\"one\"},{\"id\":\"b\",\"name\":\"two\"}]}";
    ServePages({{"/", {}, answer}});

    ListAlbums(Site51Adapter::AlbumList, u"alice");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 2u);
    EXPECT_EQ(albums[0].url, u"a");
    EXPECT_EQ(albums[1].url, u"b");
}

// The busy answer is asked again, 3 times in all, whether it came compressed or not.
TEST_F(Site51, BusyAnswerIsRetried) {
    struct Case {
        const char* type;  // text/html goes out gzipped
        int busyAnswers;
        std::size_t requests;
        std::size_t albums;
    };
    for (const Case& c : {Case{"text/html", 1, 2, 3}, Case{"application/octet-stream", 1, 2, 3},
                          Case{"text/html", 5, 3, 0}}) {
        SCOPED_TRACE(c.type + std::string(" ") + std::to_string(c.busyAnswers));
        NextCase();
        std::atomic<int> served{0};
        server.Handle("/", [&](const FixtureRequest&, FixtureReply& reply) {
            reply.contentType = c.type;
            reply.body = served++ < c.busyAnswers ? "<p>" + kBusy + "</p>" : Fixture("51_albums.json");
        });

        ListAlbums(Site51Adapter::AlbumList, u"alice");

        EXPECT_EQ(Albums().size(), c.albums);
        EXPECT_EQ(server.Requests().size(), c.requests);
        EXPECT_TRUE(Messages().empty());
    }
}

// The service pages on with empty answers: the album's count ends the list where it is known, the
// empty answer where not, and an answer repeated for every page cannot keep it going.
TEST_F(Site51, PicturePagesEndAtTheCountOrTheEmptyAnswer) {
    struct Case {
        const char* name;
        int count;
        bool repeat;
        std::size_t pictures;
        std::size_t requests;
    };
    for (const Case& c : {Case{"count known", 3, false, 3, 2}, Case{"count unknown", 0, false, 3, 3},
                          Case{"repeated answer", 0, true, 2, 2}}) {
        SCOPED_TRACE(c.name);
        NextCase();
        Naming().baseName = BASE_SEQUENCE;  // no photo page is read
        server.Handle("/", [&](const FixtureRequest& request, FixtureReply& reply) {
            const std::string page = request.Param("page");
            reply.body = page == "1" || c.repeat ? Fixture("51_photos.json")
                         : page == "2"           ? PhotoPage(PhotoRow("3", "\\u96ea"))
                                                 : kNoRows;
        });
        StartAlbum(0, c.count);

        RunPictures(Site51Adapter::PictureList);

        auto urls = PictureUrls();
        ASSERT_EQ(urls.size(), c.pictures);
        EXPECT_EQ(urls[0], u"http://img.51.com/alice/1.jpg");
        EXPECT_EQ(urls[1], u"http://img.51.com/alice/2.jpg");
        EXPECT_EQ(server.Requests().size(), c.requests);
    }
    ExpectRequests({PhotoRequest("1"), PhotoRequest("2")});
}

// A title cut short with ".." is read whole from the photo page, but only when the pictures are
// named by their description. An empty title gives the album's name.
TEST_F(Site51, ShortenedTitlesAreReadFromThePhotoPage) {
    struct Case {
        const char* name;
        std::uint8_t base;
        std::u16string first;
        std::size_t photoPageReads;
    };
    for (const Case& c : {Case{"description", BASE_DESCRIPTION, u"海边的日落.jpg", 1},
                          Case{"sequence", BASE_SEQUENCE, u"", 0}}) {
        SCOPED_TRACE(c.name);
        NextCase();
        Naming().baseName = c.base;
        ServePages({{"/", {{"page", "1"}}, Fixture("51_photos.json")},
                    {"/", {{"page", "2"}}, kNoRows},
                    {"/alice/photo/view/1", {}, Gbk("<h1 class=\"photo_view_title\">海边的日落</h1>")}});
        StartAlbum(0, 0);

        RunPictures(Site51Adapter::PictureList);

        auto pictures = Pictures();
        ASSERT_EQ(pictures.size(), 2u);
        if (!c.first.empty()) {
            EXPECT_EQ(pictures[0].fileName, c.first);
            EXPECT_EQ(pictures[1].fileName, u"密码.jpg");
        }
        EXPECT_EQ(server.RequestsTo("/alice/photo/view/1").size(), c.photoPageReads);
        EXPECT_TRUE(server.RequestsTo("/alice/photo/view/2").empty());
    }
}

// Only a password album asks, and only on its first page; yes opens the login browser on the
// album's page and reads page 1 again.
TEST_F(Site51, PasswordQuestionOnPageOneOnly) {
    struct Case {
        const char* name;
        int privacy;
        bool answer;
        std::size_t questions;
        std::size_t pictures;
        std::size_t firstPageReads;
    };
    for (const Case& c : {Case{"accepted", 1, true, 1, 3, 2}, Case{"declined", 1, false, 1, 0, 1},
                          Case{"open album", 0, true, 0, 3, 1}}) {
        SCOPED_TRACE(c.name);
        NextCase();
        const std::size_t earlier = Messages().size();
        QueueAnswer(c.answer);
        ServePages({{"/", {{"page", "1"}}, PhotoPage(PhotoRow("1", "a") + "," + PhotoRow("2", "b"), true)},
                    {"/", {{"page", "2"}}, PhotoPage(PhotoRow("3", "c"), true)},
                    {"/", {{"page", "3"}}, PhotoPage("", true)}});
        StartAlbum(c.privacy, 0);

        RunPictures(Site51Adapter::PictureList);

        EXPECT_EQ(Pictures().size(), c.pictures);
        auto messages = Messages();
        ASSERT_EQ(messages.size() - earlier, c.questions);
        if (c.questions == 1) {
            EXPECT_EQ(messages.back().text, u"加密相册,是否输入密码");
            EXPECT_EQ(messages.back().caption, u"提示");
            EXPECT_TRUE(messages.back().question);
        }
        std::size_t firstPageReads = 0;
        for (const FixtureRequest& request : server.Requests()) {
            firstPageReads += request.Param("page") == "1" ? 1 : 0;
        }
        EXPECT_EQ(firstPageReads, c.firstPageReads);
        if (c.answer && c.privacy == 1) {
            EXPECT_EQ(LoginUrls().back(), u"http://home.51.com/alice/photo/group/102");
        }
    }
}

// The download reads each album's pages under the user name its album list was given, not under
// whatever an earlier list left.
TEST_F(Site51, ListedUserReachesTheDownload) {
    Handoff<PortalUser>().userName = u"bob";
    Route({"img.51.com"});
    std::string picture = "\xFF\xD8\xFF\xE0";
    picture.append(2000, 'p');
    ServePages({{"/", {{"gid", "0"}}, Fixture("51_albums.json")},
                {"/", {{"page", "1"}}, Fixture("51_photos.json")},
                {"/", {{"page", "2"}}, kNoRows},
                {"/alice/1.jpg", {}, picture, "image/jpeg"},
                {"/alice/2.jpg", {}, picture, "image/jpeg"}});

    ASSERT_EQ(ListThroughJob(SITE_51, u"http://home.51.com/alice/photo"), 3);
    EXPECT_EQ(Kept<PortalUser>().userName, u"alice");
    server.ClearRequests();
    DownloadThroughJob(dir.Path() + u"save");

    std::vector<std::string> users;
    for (const FixtureRequest& request : server.RequestsTo("/")) {
        users.push_back(request.Param("u"));
    }
    // Pages 1 and 2 of each album; page 2 has no rows.
    EXPECT_EQ(users, std::vector<std::string>(6, "alice"));
    EXPECT_EQ(server.RequestsTo("/alice/1.jpg").size(), 3u);
}

}  // namespace
