// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "renren/RenrenTest.h"
#include "sites/renren/RenrenPhotoAdapter.h"

namespace {

const std::string kAlbumPage = "/photo/22334455/album-101";
const std::string kByPage = "/photo/22334455/album-101/bypage/ajax";
const std::string kLarge = "/photo/22334455/photo-9003/large";
const std::u16string kAlbumUrl = u"http://photo.renren.com/photo/22334455/album-101?src=list";
const std::u16string kByPageReferer =
    u"Referer: http://photo.renren.com/photo/22334455/album-101/bypage/ajax?curPage=0&pagenum=65535";

ST_PERLISTRECORD Album(int privacy = 0) {
    return ST_PERLISTRECORD{.name = u"旧名字", .url = kAlbumUrl, .pictureCount = 12, .privacy = privacy};
}

ExpectedRequest AlbumPageRequest() {
    return {"photo.renren.com", kAlbumPage, {{"src", "list"}}, {{"Accept-Encoding", "gzip, deflate"}}};
}
ExpectedRequest ByPage(const char* page) {
    return {"photo.renren.com", kByPage, {{"curPage", page}, {"pagenum", "65535"}}};
}

// One photo of a photo page's neighbour list.
struct Neighbour {
    int position;
    std::string title, large, link, xlarge;
};

std::string PhotoPage(const std::vector<Neighbour>& list) {
    std::string page = "<html><script>var photo = {\"albumId\":\"101\",\"list\":[";
    for (const Neighbour& n : list) {
        page += "{\"position\":" + std::to_string(n.position) + ",\"originTitle\":\"" + n.title +
                "\",\"largeurl\":\"" + n.large + "\",\"link\":\"" + n.link + "\",\"xLargeUrl\":\"" +
                n.xlarge + "\"},";
    }
    return page + "]};</script></html>";
}

std::string PhotoLink(int id) {
    return "http:\\/\\/photo.renren.com\\/photo\\/22334455\\/photo-" + std::to_string(id);
}
std::string Picture(const std::string& name) {
    return "http:\\/\\/fmn.rrimg.com\\/p\\/" + name;
}

class RenrenPictures : public RenrenTest {
protected:
    // The first picture list's pages: the album page, one page of three photos, then none.
    void ServeAlbum(const std::string& albumPage) {
        ServePages({{kAlbumPage, {}, albumPage},
                    {kByPage, {{"curPage", "0"}}, Fixture("bypage.json")},
                    {kByPage, {{"curPage", "1"}}, "{\"photoList\":[]}"},
                    {kLarge, {}, Fixture("large.html")}});
    }

    std::u16string FileName(std::size_t i) const { return Pictures()[i].fileName; }
};

TEST_F(RenrenPictures, PagesByCurPageAndTakesTheLargePageForSmallAddresses) {
    ServeAlbum(Fixture("album.html"));

    ListPictures(RenrenPhotoAdapter::PictureList, Album());

    ExpectRequests(
        {AlbumPageRequest(), ByPage("0"), {"photo.renren.com", kLarge, {{"xtype", "album"}}}, ByPage("1")});
    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].url, u"http://fmn.rrimg.com/p/original_a.jpg");
    EXPECT_EQ(pictures[1].url, u"http://fmn.rrimg.com/p/xlarge_b.jpg");
    // The last box of the large page.
    EXPECT_EQ(pictures[2].url, u"http://fmn.rrimg.com/p/big_c.jpg");
    for (const PictureRecord& picture : pictures) {
        EXPECT_EQ(picture.headers, kByPageReferer);
    }
    // Named by the photo's title, or the album's name when it has none.
    EXPECT_EQ(FileName(0).rfind(u"海边", 0), 0u) << Utf8(FileName(0));
    EXPECT_EQ(FileName(1).rfind(u"sunset", 0), 0u) << Utf8(FileName(1));
    EXPECT_EQ(FileName(2).rfind(u"旧名字", 0), 0u) << Utf8(FileName(2));
}

// The album takes its name from its page before the first picture, so its folder has that name;
// a page without a title keeps the listed name rather than becoming a time stamp.
TEST_F(RenrenPictures, AlbumPageTitleNamesTheAlbumAndItsFolder) {
    struct Case {
        const char* label;
        std::string page;
        std::u16string name;
    } cases[] = {
        {"title", Fixture("album.html"), u"春游 2013"},
        {"no title", "<html><div class=\"ablum-infor\"><p>(12张)</p></div></html>", u"旧名字"},
        {"blank title", "<div class=\"ablum-infor\"><h1> <span>(12张)</span></h1>", u"旧名字"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ServeAlbum(c.page);

        ListPictures(RenrenPhotoAdapter::PictureList, Album());

        EXPECT_EQ(List().albums.CopyOf(0)->name, c.name);
        EXPECT_EQ(AlbumFolder(), dir.Path() + c.name + u"/");
        EXPECT_TRUE(FileSystem::IsDirectory(dir.Path() + c.name));
    }
}

TEST_F(RenrenPictures, PasswordAlbumAsksAndYesOpensItsPrivatePage) {
    struct Case {
        const char* label;
        PictureListOp op;
        bool answer;
        std::size_t pictures;
    } cases[] = {
        {"first list, no", RenrenPhotoAdapter::PictureList, false, 0},
        {"first list, yes", RenrenPhotoAdapter::PictureList, true, 3},
        {"second list, no", RenrenPhotoAdapter::SecondPictureList, false, 0},
        {"second list, yes", RenrenPhotoAdapter::SecondPictureList, true, 1},
    };
    ServeAlbum(Fixture("album.html"));
    server.Serve("/photo/22334455/photo-9001",
                 PhotoPage({{1, "one", Picture("large_1.jpg"), PhotoLink(9002), ""}}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.ClearRequests();
        const std::size_t messagesBefore = Messages().size();
        const std::size_t loginsBefore = LoginUrls().size();
        QueueAnswer(c.answer);

        ListPictures(c.op, Album(1));

        auto messages = Messages();
        ASSERT_EQ(messages.size(), messagesBefore + 1);
        EXPECT_EQ(messages.back().text, u"加密相册,是否输入密码");
        EXPECT_EQ(messages.back().caption, u"提示");
        EXPECT_TRUE(messages.back().question);
        auto logins = LoginUrls();
        if (c.answer) {
            ASSERT_EQ(logins.size(), loginsBefore + 1);
            EXPECT_EQ(logins.back(), kAlbumUrl + u"/private");
        } else {
            EXPECT_EQ(logins.size(), loginsBefore);
            EXPECT_TRUE(server.Requests().empty());
        }
        EXPECT_EQ(Pictures().size(), c.pictures);
    }
}

// The list service ignores a page number past its end and answers its first page again.
TEST_F(RenrenPictures, ServerRepeatingAPageEndsTheList) {
    server.Serve(kAlbumPage, Fixture("album.html"));
    server.Serve(kLarge, Fixture("large.html"));
    std::atomic<int> answered = 0;
    server.Handle(kByPage, [&](const FixtureRequest&, FixtureReply& reply) {
        reply.body = ++answered < 20 ? Fixture("bypage.json") : "";
    });

    ListPictures(RenrenPhotoAdapter::PictureList, Album());

    EXPECT_EQ(server.RequestsTo(kByPage).size(), 2u);
    EXPECT_EQ(Pictures().size(), 3u);
}

// A large page full of boxes is read in one step from its last box, not box after box.
TEST_F(RenrenPictures, LargePageWithManyBoxesIsReadAtOnce) {
    std::string large = "<html>";
    for (int i = 0; i < 100000; ++i) {
        large += "<p class=\"photoes-box\">";
    }
    large += "<img src=\"http://fmn.rrimg.com/p/last.jpg\"></html>";
    ServeAlbum(Fixture("album.html"));
    server.Serve(kLarge, large);

    auto start = std::chrono::steady_clock::now();
    ListPictures(RenrenPhotoAdapter::PictureList, Album());
    auto elapsed = std::chrono::steady_clock::now() - start;

    ASSERT_EQ(Pictures().size(), 3u);
    EXPECT_EQ(Pictures()[2].url, u"http://fmn.rrimg.com/p/last.jpg");
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST_F(RenrenPictures, SecondListWalksPhotoPagesDownToPositionOne) {
    ServePages({
        {kAlbumPage, {}, Fixture("album.html")},
        {"/photo/22334455/photo-9001",
         {},
         PhotoPage(
             {{3, "\\u7b2c\\u4e09", Picture("large_3.jpg"), PhotoLink(9002), Picture("xlarge_3.jpg")}})},
        {"/photo/22334455/photo-9002",
         {},
         PhotoPage({{3, "again", Picture("large_3.jpg"), PhotoLink(9002), Picture("xlarge_3.jpg")},
                    {2, "", Picture("large_2.jpg"), PhotoLink(9003), ""}})},
        {"/photo/22334455/photo-9003",
         {},
         PhotoPage({{2, "again", Picture("large_2.jpg"), PhotoLink(9003), ""},
                    {1, "one", Picture("large_1.jpg"), PhotoLink(9004), Picture("xlarge_1.jpg")},
                    {0, "past the end", Picture("large_0.jpg"), PhotoLink(9005), ""}})},
    });

    ListPictures(RenrenPhotoAdapter::SecondPictureList, Album());

    auto photoPage = [](const char* id) {
        return ExpectedRequest{"photo.renren.com", std::string("/photo/22334455/photo-") + id, {}};
    };
    ExpectRequests({AlbumPageRequest(),
                    {"photo.renren.com", "/photo/22334455/photo-9001", {{"psource", "3"}}},
                    photoPage("9002"),
                    photoPage("9003")});
    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].url, u"http://fmn.rrimg.com/p/xlarge_3.jpg");
    EXPECT_EQ(pictures[1].url, u"http://fmn.rrimg.com/p/large_2.jpg");
    EXPECT_EQ(pictures[2].url, u"http://fmn.rrimg.com/p/xlarge_1.jpg");
    EXPECT_EQ(pictures[0].headers, u"Referer: http://photo.renren.com/photo/22334455/photo-9001?psource=3");
    EXPECT_EQ(pictures[1].headers, u"Referer: http://photo.renren.com/photo/22334455/photo-9002");
    EXPECT_EQ(pictures[2].headers, u"Referer: http://photo.renren.com/photo/22334455/photo-9003");
    EXPECT_EQ(FileName(0).rfind(u"第三", 0), 0u) << Utf8(FileName(0));
    EXPECT_EQ(FileName(1).rfind(u"旧名字", 0), 0u) << Utf8(FileName(1));
    EXPECT_EQ(FileName(2).rfind(u"one", 0), 0u) << Utf8(FileName(2));
    EXPECT_EQ(List().albums.CopyOf(0)->name, u"春游 2013");
}

// A photo page whose list brings nothing below the positions already taken would be asked for
// again and again.
TEST_F(RenrenPictures, SecondListEndsOnAPageWithoutALowerPosition) {
    server.Serve(kAlbumPage, Fixture("album.html"));
    server.Serve("/photo/22334455/photo-9001",
                 PhotoPage({{3, "three", Picture("large_3.jpg"), PhotoLink(9002), ""}}));
    const std::string sameAgain = PhotoPage({{5, "five", Picture("large_5.jpg"), PhotoLink(9002), ""},
                                             {3, "three", Picture("large_3.jpg"), PhotoLink(9002), ""}});
    std::atomic<int> answered{0};
    server.Handle("/photo/22334455/photo-9002", [&](const FixtureRequest&, FixtureReply& reply) {
        reply.body = ++answered < 20 ? sameAgain : "";
    });

    ListPictures(RenrenPhotoAdapter::SecondPictureList, Album());

    EXPECT_EQ(server.RequestsTo("/photo/22334455/photo-9002").size(), 1u);
    const std::vector<std::u16string> expected = {u"http://fmn.rrimg.com/p/large_3.jpg"};
    EXPECT_EQ(PictureUrls(), expected);
}

// The walk goes on only to a page not visited before: a photo that names no page, or the page
// being read, ends it after that photo.
TEST_F(RenrenPictures, SecondListEndsAtALinkToNoNewPage) {
    struct Case {
        const char* label;
        std::string secondLink;  // the link of position 2, on page 9002
    } cases[] = {
        {"no link", ""},
        {"the page itself", PhotoLink(9002)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        NextCase();
        ServePages({
            {kAlbumPage, {}, Fixture("album.html")},
            {"/photo/22334455/photo-9001",
             {},
             PhotoPage({{3, "three", Picture("large_3.jpg"), PhotoLink(9002), ""}})},
            {"/photo/22334455/photo-9002",
             {},
             PhotoPage({{3, "three", Picture("large_3.jpg"), PhotoLink(9002), ""},
                        {2, "two", Picture("large_2.jpg"), c.secondLink, ""}})},
            {"/photo/22334455/photo-9003",
             {},
             PhotoPage({{1, "one", Picture("large_1.jpg"), PhotoLink(9004), ""}})},
        });

        ListPictures(RenrenPhotoAdapter::SecondPictureList, Album());

        ExpectRequests({AlbumPageRequest(),
                        {"photo.renren.com", "/photo/22334455/photo-9001", {{"psource", "3"}}},
                        {"photo.renren.com", "/photo/22334455/photo-9002", {}}});
        const std::vector<std::u16string> expected = {u"http://fmn.rrimg.com/p/large_3.jpg",
                                                      u"http://fmn.rrimg.com/p/large_2.jpg"};
        EXPECT_EQ(PictureUrls(), expected);
    }
}

}  // namespace
