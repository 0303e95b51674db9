// orvelle-cli on the Baidu album service: the album rows of a user, then one album's pictures on
// disk, against the fixture server.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/FixtureServer.h"
#include "support/TempDir.h"

namespace {

std::string Fixture(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(
        FileSystem::ReadFile(CodePage::FromUtf8(std::string(ORVELLE_FIXTURES) + "/baidu/" + name), bytes))
        << name;
    return bytes;
}

std::string Picture(char seed) {
    return "\xFF\xD8\xFF\xE0" + std::string(3000, seed);
}

std::string FileAt(const std::u16string& path) {
    std::string bytes;
    FileSystem::ReadFile(path, bytes);
    return bytes;
}

class BaiduCli : public ::testing::Test {
protected:
    BaiduCli() {
        server.Serve("/u/alice", Fixture("user_page.html"));
        server.Handle("/album/list/alice", [](const FixtureRequest& request, FixtureReply& reply) {
            reply.body = request.Param("album_sign").empty() ? Fixture("album_list.json")
                                                             : "{\"errno\":0,\"data\":{\"album_list\":[]}}";
        });
        server.Handle("/picture/album/list/s1/a", [](const FixtureRequest& request, FixtureReply& reply) {
            reply.body = request.Param("pn") == "0" ? Fixture("pictures.json") : Fixture("no_pictures.json");
        });
        server.Serve("/album/pic/item/p1.jpg", Picture('1'), "image/jpeg");
        server.Serve("/album/pic/item/p2.jpg", Picture('2'), "image/jpeg");
        server.Serve("/x80/p4.jpgalbum/pic/item/p4.jpg", Picture('4'), "image/jpeg");
    }

    std::vector<std::string> Args(const std::string& command, std::vector<std::string> more) const {
        std::vector<std::string> args{command, "--program-dir", program.NativePath()};
        for (const char* host : {"xiangce.baidu.com", "b.hiphotos.baidu.com", "h.hiphotos.baidu.com"}) {
            args.push_back("--connect-to");
            args.push_back(std::string(host) + ":80:127.0.0.1:" + std::to_string(server.Port()));
        }
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    FixtureServer server;
    TempDir program;
    TempDir save;
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
    EXPECT_EQ(FileAt(folder + u"海边.jpg"), Picture('1'));
    EXPECT_EQ(FileAt(folder + u"旅行.jpg"), Picture('2'));
    EXPECT_EQ(FileAt(folder + u"旧地址.jpg"), Picture('4'));
    EXPECT_FALSE(FileSystem::Exists(save.Path() + u"alice/手机上传"));
}

}  // namespace
