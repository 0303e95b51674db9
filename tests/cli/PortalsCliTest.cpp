// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle-cli on a PCHome user's albums: Big5 pages listed, then the full-size pictures of one
// album on disk, each fetched as from its photo page.

#include <string>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

class PortalsCli : public SiteCliTest {
protected:
    PortalsCli() {
        server.Serve("/carol*1", Big5Fixture("portals", "pchome_albums.html"));
        server.Serve("/carol*2", "<p>no more</p>");
        server.Serve("/carol/1*1", Big5Fixture("portals", "pchome_photos.html"));
        server.Serve("/carol/1*2", "<p>PhotoList</p>");
        server.Serve("/s/carol/albums.2014/12.jpg", PictureBytes('1'), "image/jpeg");
        server.Serve("/s/carol/albums.2014/13.jpg", PictureBytes('2'), "image/jpeg");
    }

    std::vector<std::string> Args(const std::string& command, std::vector<std::string> more) const {
        more.push_back("http://photo.pchome.com.tw/carol/");
        return SiteCliTest::Args(command, {"photo.pchome.com.tw"}, more);
    }
};

TEST_F(PortalsCli, ListThenDownloadAPchomeAlbum) {
    CliProcess list = CliProcess::Run(Args("list", {}));
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "0001\t花蓮\t  12\t\n0002\t台北\t   3\t\n");

    CliProcess download = CliProcess::Run(Args("download", {"--albums", "1", "--save", save.NativePath()}));
    EXPECT_EQ(download.exitCode, 0) << download.err;
    EXPECT_NE(download.err.find("下载完毕"), std::string::npos) << download.err;
    std::string bytes;
    EXPECT_TRUE(FileSystem::ReadFile(save.Path() + u"carol/花蓮/海邊.jpg", bytes));
    EXPECT_EQ(bytes, PictureBytes('1'));
    EXPECT_TRUE(FileSystem::ReadFile(save.Path() + u"carol/花蓮/夕陽.jpg", bytes));
    EXPECT_EQ(bytes, PictureBytes('2'));
    const char* referers[][2] = {{"/s/carol/albums.2014/12.jpg", "http://photo.pchome.com.tw/carol/555"},
                                 {"/s/carol/albums.2014/13.jpg", "http://photo.pchome.com.tw/carol/556"}};
    for (const auto& [path, referer] : referers) {
        auto requests = server.RequestsTo(path);
        ASSERT_FALSE(requests.empty()) << path;
        EXPECT_EQ(requests[0].Header("Referer"), referer);
    }
}

}  // namespace
