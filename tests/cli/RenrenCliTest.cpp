// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle-cli on Renren: a user's albums listed, then one album read page by page and one that only
// its photo pages give, downloaded into save folder, owner and album.

#include <string>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

class RenrenCli : public SiteCliTest {
protected:
    RenrenCli() {
        server.Serve("/photo/22334455/album/relatives", Fixture("renren", "relatives.html"));
        server.Serve("/photo/22334455/album/relatives/ajax", "<p>没有更多了</p>");
        // Album 101 answers its list service.
        server.Serve("/photo/22334455/album-101", Fixture("renren", "album.html"));
        server.Handle(
            "/photo/22334455/album-101/bypage/ajax", [](const FixtureRequest& request, FixtureReply& reply) {
                reply.body =
                    request.Param("curPage") == "0" ? Fixture("renren", "bypage.json") : "{\"photoList\":[]}";
            });
        server.Serve("/photo/22334455/photo-9003/large", Fixture("renren", "large.html"));
        // Album 102 does not: its photo pages lead from one photo to the next.
        server.Serve("/photo/22334455/album-102",
                     "<div class=\"ablum-infor\"><h1>头像<span>(2张)</span></h1></div>"
                     "<div data-info=\"{album:'102'}\"><a "
                     "href=\"http://photo.renren.com/photo/22334455/photo-8001\">");
        server.Serve("/photo/22334455/album-102/bypage/ajax", "{\"photoList\":[]}");
        server.Serve(
            "/photo/22334455/photo-8001",
            "{\"list\":[{\"position\":2,\"originTitle\":\"a2\",\"largeurl\":\"\",\"link\":\"http:\\/\\/"
            "photo.renren.com\\/photo\\/22334455\\/photo-8002\",\"xLargeUrl\":\"http:\\/\\/fmn.rrimg.com\\/"
            "p\\/"
            "av2.jpg\"}]}");
        server.Serve(
            "/photo/22334455/photo-8002",
            "{\"list\":[{\"position\":1,\"originTitle\":\"a1\",\"largeurl\":\"http:\\/\\/fmn.rrimg.com\\/p\\/"
            "av1.jpg\",\"link\":\"\",\"xLargeUrl\":\"\"}]}");
        for (const char* name : {"original_a.jpg", "xlarge_b.jpg", "big_c.jpg", "av2.jpg", "av1.jpg"}) {
            server.Serve(std::string("/p/") + name, PictureBytes(name[0]), "image/jpeg");
        }
    }

    std::vector<std::string> Args(const std::string& command, const std::vector<std::string>& more) const {
        return SiteCliTest::Args(command, {"www.renren.com", "photo.renren.com", "fmn.rrimg.com"}, more);
    }
};

TEST_F(RenrenCli, ListThenDownloadByBothPictureLists) {
    const std::string input = "http://www.renren.com/22334455/profile";
    CliProcess list = CliProcess::Run(Args("list", {input}));
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out,
              "0001\t春游 2013\t  12\t\n0002\t头像相册\t   3\t\n0003\t手机相册\t   5\t\n0004\t加密相册\t   "
              "7\t加密相册\n");

    CliProcess run =
        CliProcess::Run(Args("download", {"--albums", "1-2", "--save", save.NativePath(), input}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("下载完毕"), std::string::npos) << run.err;
    // Each album's folder takes the title of its own page.
    const std::u16string first = save.Path() + u"张三/春游 2013/";
    EXPECT_TRUE(SameBytes(first + u"海边.jpg", PictureBytes('o')));
    EXPECT_TRUE(SameBytes(first + u"sunset.jpg", PictureBytes('x')));
    EXPECT_TRUE(SameBytes(first + u"春游 2013.jpg", PictureBytes('b')));
    const std::u16string second = save.Path() + u"张三/头像/";
    EXPECT_TRUE(SameBytes(second + u"a2.jpg", PictureBytes('a')));
    EXPECT_TRUE(SameBytes(second + u"a1.jpg", PictureBytes('a')));
    EXPECT_FALSE(FileSystem::Exists(save.Path() + u"张三/头像相册"));

    // Every picture is asked for from the page that listed it.
    for (const char* path : {"/p/original_a.jpg", "/p/big_c.jpg", "/p/av1.jpg"}) {
        auto requests = server.RequestsTo(path);
        ASSERT_FALSE(requests.empty()) << path;
        EXPECT_EQ(requests[0].Header("Referer").rfind("http://photo.renren.com/photo/22334455/", 0), 0u)
            << path;
    }
    EXPECT_EQ(server.RequestsTo("/p/av1.jpg")[0].Header("Referer"),
              "http://photo.renren.com/photo/22334455/photo-8002");
}

}  // namespace
