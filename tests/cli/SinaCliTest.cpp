// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle-cli on the Sina blog: the photo categories of a blog listed, then one downloaded page by
// page into save folder, owner and album. And a Weibo user's post pictures through the mobile API,
// over https with the CA bundle that the environment names, as curl takes it.

#include <filesystem>
#include <string>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

class SinaCli : public SiteCliTest {
protected:
    SinaCli() {
        server.Serve("/xiaowang", Fixture("sina", "blog_home.html"));
        server.Serve("/services/ctg_list_ctg.php", Fixture("sina", "categories.json"));
        server.Serve("/category/u/1234567/s/1/page1", Fixture("sina", "category_page1.html"));
        server.Serve("/category/u/1234567/s/1/page2", Fixture("sina", "category_page2.html"));
        server.Serve("/orignal/stamp.jpg", PictureBytes('s'), "image/jpeg");
        server.Serve("/orignal/4a01&690", PictureBytes('4'), "image/jpeg");
        server.Serve("/orignal/last.jpg", PictureBytes('l'), "image/jpeg");
    }

    std::vector<std::string> Args(const std::string& command, const std::vector<std::string>& more) const {
        return SiteCliTest::Args(
            command,
            {"blog.sina.com.cn", "photo.blog.sina.com.cn", "s1.sinaimg.cn", "s2.sinaimg.cn", "s3.sinaimg.cn"},
            more);
    }
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

class WeiboMobileCli : public SiteCliTest {
protected:
    WeiboMobileCli() {
        secure.Handle("/api/container/getIndex", [](const FixtureRequest& request, FixtureReply& reply) {
            const std::string page = request.Param("page");
            reply.contentType = "application/json";
            reply.body = Fixture("sina", page.empty()  ? "weibo_mobile_user.json"
                                         : page == "1" ? "weibo_mobile_posts_1.json"
                                         : page == "2" ? "weibo_mobile_posts_2.json"
                                                       : "weibo_mobile_end.json");
        });
        secure.Serve("/large/aa01.jpg", PictureBytes('a'), "image/jpeg");
        secure.Serve("/large/aa02.jpg", PictureBytes('b'), "image/jpeg");
        secure.Serve("/large/bb01.jpg", PictureBytes('r'), "image/jpeg");
        secure.Serve("/large/cc01.jpg", PictureBytes('c'), "image/jpeg");
    }

    // Every host goes to the https server; nothing reaches the internet.
    std::vector<std::string> Args(const std::string& command, const std::vector<std::string>& more) const {
        std::vector<std::string> args{command, "--program-dir", program.NativePath()};
        for (const char* host : {"m.weibo.cn", "wx2.sinaimg.cn", "wx3.sinaimg.cn", "wx4.sinaimg.cn"}) {
            args.push_back("--connect-to");
            args.push_back(std::string(host) + ":443:127.0.0.1:" + std::to_string(secure.Port()));
        }
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    static std::string Certificate() { return std::string(ORVELLE_FIXTURES) + "/tls/cert.pem"; }

    CliProcess Run(const std::vector<std::string>& args, const std::vector<std::string>& env) const {
        return CliProcess::RunCopy(ORVELLE_CLI_PATH, args, env);
    }

    FixtureServer secure{FixtureServer::Scheme::Https};
};

TEST_F(WeiboMobileCli, UsersPostPicturesAreDownloadedInLargeSize) {
    const std::string input = "https://m.weibo.cn/u/1001";
    CliProcess run = Run(Args("download", {"--save", save.NativePath(), input}),
                         {"CURL_CA_BUNDLE=" + Certificate(), "SSL_CERT_FILE"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("下载完毕"), std::string::npos) << run.err;
    // Each large picture of the user's own posts once; the post passed on brings none.
    const std::u16string album = save.Path() + u"小明的微博/小明的微博/";
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(FileSystem::NativePath(album))) {
        if (entry.path().extension() == ".jpg") {
            files.push_back(entry.path().filename().string());
        }
    }
    EXPECT_EQ(files.size(), 3u) << ::testing::PrintToString(files);
    for (const char* path : {"/large/aa01.jpg", "/large/aa02.jpg", "/large/cc01.jpg"}) {
        EXPECT_EQ(secure.RequestsTo(path).size(), 1u) << path;
    }
    EXPECT_TRUE(secure.RequestsTo("/large/bb01.jpg").empty());
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(WeiboMobileCli, CaBundleComesFromTheEnvironmentAsCurlTakesIt) {
    const std::string bundle = Certificate();
    const std::string elsewhere = program.NativePath() + "/no-such-bundle.pem";
    struct Case {
        const char* label;
        std::vector<std::string> env;
        bool listed;
    } cases[] = {
        {"CURL_CA_BUNDLE", {"CURL_CA_BUNDLE=" + bundle, "SSL_CERT_FILE"}, true},
        {"SSL_CERT_FILE", {"CURL_CA_BUNDLE", "SSL_CERT_FILE=" + bundle}, true},
        {"CURL_CA_BUNDLE before SSL_CERT_FILE",
         {"CURL_CA_BUNDLE=" + elsewhere, "SSL_CERT_FILE=" + bundle},
         false},
        {"the system's authorities", {"CURL_CA_BUNDLE", "SSL_CERT_FILE"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CliProcess list = Run(Args("list", {"https://m.weibo.cn/profile/1001"}), c.env);
        EXPECT_EQ(list.out, c.listed ? "0001\t小明的微博\t未知\t\n" : "") << list.err;
    }
}

}  // namespace
