// orvelle-cli on a PCHome user's albums: Big5 pages listed, then the full-size pictures of one
// album on disk, each fetched as from its photo page.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/FixtureServer.h"
#include "support/TempDir.h"

namespace {

std::string Big5Fixture(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(
        FileSystem::ReadFile(CodePage::FromUtf8(std::string(ORVELLE_FIXTURES) + "/portals/" + name), bytes))
        << name;
    return CodePage::Encode(CodePage::FromUtf8(bytes), CodePage::BIG5);
}

std::string Jpeg(char seed) {
    return "\xFF\xD8\xFF\xE0" + std::string(2000, seed);
}

class PortalsCli : public ::testing::Test {
protected:
    PortalsCli() {
        server.Serve("/carol*1", Big5Fixture("pchome_albums.html"));
        server.Serve("/carol*2", "<p>no more</p>");
        server.Serve("/carol/1*1", Big5Fixture("pchome_photos.html"));
        server.Serve("/carol/1*2", "<p>PhotoList</p>");
        server.Serve("/s/carol/albums.2014/12.jpg", Jpeg('1'), "image/jpeg");
        server.Serve("/s/carol/albums.2014/13.jpg", Jpeg('2'), "image/jpeg");
    }

    std::vector<std::string> Args(const std::string& command, std::vector<std::string> more) const {
        std::vector<std::string> args{command, "--program-dir", program.NativePath(), "--connect-to",
                                      "photo.pchome.com.tw:80:127.0.0.1:" + std::to_string(server.Port())};
        args.insert(args.end(), more.begin(), more.end());
        args.push_back("http://photo.pchome.com.tw/carol/");
        return args;
    }

    FixtureServer server;
    TempDir program;
    TempDir save;
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
    EXPECT_EQ(bytes, Jpeg('1'));
    EXPECT_TRUE(FileSystem::ReadFile(save.Path() + u"carol/花蓮/夕陽.jpg", bytes));
    EXPECT_EQ(bytes, Jpeg('2'));
    const char* referers[][2] = {{"/s/carol/albums.2014/12.jpg", "http://photo.pchome.com.tw/carol/555"},
                                 {"/s/carol/albums.2014/13.jpg", "http://photo.pchome.com.tw/carol/556"}};
    for (const auto& [path, referer] : referers) {
        auto requests = server.RequestsTo(path);
        ASSERT_FALSE(requests.empty()) << path;
        EXPECT_EQ(requests[0].Header("Referer"), referer);
    }
}

}  // namespace
