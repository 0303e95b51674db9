// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle-cli on the Baidu album service: the album rows of a user, then one album's pictures on
// disk, against the fixture server.

#include <string>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

class BaiduCli : public SiteCliTest {
protected:
    BaiduCli() {
        server.Serve("/u/alice", Fixture("baidu", "user_page.html"));
        server.Handle("/album/list/alice", [](const FixtureRequest& request, FixtureReply& reply) {
            reply.body = request.Param("album_sign").empty() ? Fixture("baidu", "album_list.json")
                                                             : "{\"errno\":0,\"data\":{\"album_list\":[]}}";
        });
        server.Handle("/picture/album/list/s1/a", [](const FixtureRequest& request, FixtureReply& reply) {
            reply.body = request.Param("pn") == "0" ? Fixture("baidu", "pictures.json")
                                                    : Fixture("baidu", "no_pictures.json");
        });
        server.Serve("/album/pic/item/p1.jpg", PictureBytes('1'), "image/jpeg");
        server.Serve("/album/pic/item/p2.jpg", PictureBytes('2'), "image/jpeg");
        server.Serve("/x80/p4.jpgalbum/pic/item/p4.jpg", PictureBytes('4'), "image/jpeg");
    }

    std::vector<std::string> Args(const std::string& command, const std::vector<std::string>& more) const {
        return SiteCliTest::Args(command,
                                 {"xiangce.baidu.com", "b.hiphotos.baidu.com", "h.hiphotos.baidu.com"}, more);
    }
};

TEST_F(BaiduCli, ListsTheUsersAlbumsThenDownloadsOne) {
    const std::string user = "http://xiangce.baidu.com/u/alice?from=home";
    CliProcess list = CliProcess::Run(Args("list", {user}));
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "0001\t手机上传\t  12\t\n0002\t旅行\t  25\t\n0003\t日常\t   7\t\n");

    CliProcess download =
        CliProcess::Run(Args("download", {"--albums", "2", "--save", save.NativePath(), user}));
    EXPECT_EQ(download.exitCode, 0) << download.err;
    const std::u16string folder = save.Path() + u"alice/旅行/";
    EXPECT_EQ(FileAt(folder + u"海边.jpg"), PictureBytes('1'));
    EXPECT_EQ(FileAt(folder + u"旅行.jpg"), PictureBytes('2'));
    EXPECT_EQ(FileAt(folder + u"旧地址.jpg"), PictureBytes('4'));
    EXPECT_FALSE(FileSystem::Exists(save.Path() + u"alice/手机上传"));
}

}  // namespace
