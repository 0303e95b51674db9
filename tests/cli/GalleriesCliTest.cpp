// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle-cli on a 56 user's albums: the album rows, then the pictures of one album on disk, each
// fetched as from its picture page.

#include <string>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

class GalleriesCli : public SiteCliTest {
protected:
    GalleriesCli() {
        server.Handle("/photo/album/index.php", [](const FixtureRequest& request, FixtureReply& reply) {
            reply.body = request.Param("page") == "1" ? Fixture("galleries", "56_albums.html")
                                                      : "<ul class=\"album_list\"></ul>";
        });
        server.Handle("/photo/album/", [](const FixtureRequest& request, FixtureReply& reply) {
            reply.body =
                request.Param("page") == "1" ? Fixture("galleries", "56_photos.html") : "<p>没有照片</p>";
        });
        server.Serve("/p/9001/1.jpg", PictureBytes('1'), "image/jpeg");
        server.Serve("/p/9001/2.jpg", PictureBytes('2'), "image/jpeg");
    }

    std::vector<std::string> Args(const std::string& command, std::vector<std::string> more) const {
        more.push_back("http://www.56.com/photo/album/index.php?user=alice");
        return SiteCliTest::Args(command, {"www.56.com", "img.56.com"}, more);
    }
};

TEST_F(GalleriesCli, ListThenDownloadA56Album) {
    CliProcess list = CliProcess::Run(Args("list", {}));
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "0001\t春游\t  12\t\n0002\t海边\t   3\t\n");

    CliProcess download = CliProcess::Run(Args("download", {"--albums", "1", "--save", save.NativePath()}));
    EXPECT_EQ(download.exitCode, 0) << download.err;
    EXPECT_NE(download.err.find("下载完毕"), std::string::npos) << download.err;
    std::string bytes;
    EXPECT_TRUE(FileSystem::ReadFile(save.Path() + u"alice/春游/海浪.jpg", bytes));
    EXPECT_EQ(bytes, PictureBytes('1'));
    EXPECT_TRUE(FileSystem::ReadFile(save.Path() + u"alice/春游/春游.jpg", bytes));
    EXPECT_EQ(bytes, PictureBytes('2'));
    EXPECT_FALSE(FileSystem::Exists(save.Path() + u"alice/海边"));
    for (const char* path : {"/p/9001/1.jpg", "/p/9001/2.jpg"}) {
        auto requests = server.RequestsTo(path);
        ASSERT_FALSE(requests.empty()) << path;
        EXPECT_EQ(requests[0].Header("Referer"), "http://www.56.com/photo/album/?do=Plist&did=9001&page=1");
    }
}

}  // namespace
