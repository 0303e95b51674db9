// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle-cli on a community site: a Hupu user's albums listed, then one downloaded into save,
// owner and album folders.

#include <string>
#include <utility>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

class CommunitiesCli : public SiteCliTest {
protected:
    CommunitiesCli() {
        server.Serve("/alice/photo-1", GbkFixture("communities", "hupu_user_1.html"));
        server.Serve("/alice/photo-2", GbkFixture("communities", "hupu_user_2.html"));
        server.Serve("/alice/photo/a5-1.html", GbkFixture("communities", "hupu_album_1.html"));
        server.Serve("/alice/photo/a5-2.html", GbkFixture("communities", "hupu_album_2.html"));
        server.Serve("/p/1.big.jpg", PictureBytes('1'), "image/jpeg");
        server.Serve("/p/2.big.jpg", PictureBytes('2'), "image/jpeg");
        server.Serve("/p/3.big.jpg", PictureBytes('3'), "image/jpeg");
    }

    std::vector<std::string> Args(const std::string& command, const std::vector<std::string>& more) const {
        return SiteCliTest::Args(command, {"my.hupu.com", "i1.hoopchina.com.cn"}, more);
    }
};

TEST_F(CommunitiesCli, HupuUserAlbumsAreListedThenDownloaded) {
    // The address names the site.
    CliProcess list = CliProcess::Run(Args("list", {"http://my.hupu.com/alice"}));
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "0001\t湖人\t   3\t\n0002\t火箭\t  12\t\n0003\t勇士\t   1\t\n");

    // The first album is linked absolutely by the user's page.
    CliProcess download = CliProcess::Run(
        Args("download", {"--albums", "1", "--save", save.NativePath(), "http://my.hupu.com/alice"}));
    EXPECT_EQ(download.exitCode, 0) << download.err;
    EXPECT_NE(download.err.find("下载完毕"), std::string::npos) << download.err;
    for (const auto& [file, seed] : std::vector<std::pair<std::u16string, char>>{
             {u"alice/湖人/扣篮.jpg", '1'}, {u"alice/湖人/三分.jpg", '2'}, {u"alice/湖人/助攻.jpg", '3'}}) {
        std::string bytes;
        EXPECT_TRUE(FileSystem::ReadFile(save.Path() + file, bytes)) << CodePage::ToUtf8(file);
        EXPECT_EQ(bytes == PictureBytes(seed), true) << CodePage::ToUtf8(file);
    }
    EXPECT_FALSE(FileSystem::Exists(save.Path() + u"alice/火箭"));
}

}  // namespace
