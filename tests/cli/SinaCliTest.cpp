// orvelle-cli on the Sina blog: the photo categories of a blog listed, then one downloaded page by
// page into save folder, owner and album.

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
        FileSystem::ReadFile(CodePage::FromUtf8(std::string(ORVELLE_FIXTURES) + "/sina/" + name), bytes))
        << name;
    return bytes;
}

std::string PictureBytes(char seed) {
    std::string bytes = "\xFF\xD8\xFF\xE0";
    for (int i = 0; i < 2000; ++i) {
        bytes.push_back(static_cast<char>(seed + i % 83));
    }
    return bytes;
}

bool SameBytes(const std::u16string& path, const std::string& expected) {
    std::string bytes;
    return FileSystem::ReadFile(path, bytes) && bytes == expected;
}

class SinaCli : public ::testing::Test {
protected:
    SinaCli() {
        server.Serve("/xiaowang", Fixture("blog_home.html"));
        server.Serve("/services/ctg_list_ctg.php", Fixture("categories.json"));
        server.Serve("/category/u/1234567/s/1/page1", Fixture("category_page1.html"));
        server.Serve("/category/u/1234567/s/1/page2", Fixture("category_page2.html"));
        server.Serve("/orignal/stamp.jpg", PictureBytes('s'), "image/jpeg");
        server.Serve("/orignal/4a01&690", PictureBytes('4'), "image/jpeg");
        server.Serve("/orignal/last.jpg", PictureBytes('l'), "image/jpeg");
    }

    std::vector<std::string> Args(const std::string& command, std::vector<std::string> more) const {
        std::vector<std::string> args{command, "--program-dir", program.NativePath()};
        for (const char* host : {"blog.sina.com.cn", "photo.blog.sina.com.cn", "s1.sinaimg.cn",
                                 "s2.sinaimg.cn", "s3.sinaimg.cn"}) {
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

TEST_F(SinaCli, ListThenDownloadABlogPhotoCategory) {
    const std::string input = "http://blog.sina.com.cn/xiaowang";
    CliProcess list = CliProcess::Run(Args("list", {input}));
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "0001\t旅行\t  25\t\n0002\tFamily\t   0\t\n");

    CliProcess run = CliProcess::Run(Args("download", {"--albums", "1", "--save", save.NativePath(), input}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("下载完毕"), std::string::npos) << run.err;
    const std::u16string album = save.Path() + u"小王的博客/旅行/";
    EXPECT_TRUE(SameBytes(album + u"海边.jpg", PictureBytes('s')));
    EXPECT_TRUE(SameBytes(album + u"Sunset.jpg", PictureBytes('4')));
    EXPECT_TRUE(SameBytes(album + u"最后.jpg", PictureBytes('l')));
    EXPECT_FALSE(FileSystem::Exists(save.Path() + u"小王的博客/Family"));
    // The full picture, its query as the site meant it.
    auto stamp = server.RequestsTo("/orignal/stamp.jpg");
    ASSERT_EQ(stamp.size(), 1u);
    EXPECT_EQ(stamp[0].target, "/orignal/stamp.jpg?a=1&b=2");
}

}  // namespace
