// What orvelle-cli says, and how it exits, when a site refuses: a refused or unreachable album
// list is "the site could not be read" (exit 4), a refused photo list is a failed album (exit 1),
// and a page that came and held nothing stays what it was.

#include <string>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

class RefusalCli : public SiteCliTest {
protected:
    std::vector<std::string> Args(const std::string& command, std::vector<std::string> more,
                                  const std::string& host = "www.56.com") const {
        more.push_back("http://www.56.com/photo/album/index.php?user=alice");
        return SiteCliTest::Args(command, {host, "img.56.com"}, more);
    }

    void ServeAlbums() {
        server.Handle("/photo/album/index.php", [](const FixtureRequest& request, FixtureReply& reply) {
            reply.body = request.Param("page") == "1" ? Fixture("galleries", "56_albums.html")
                                                      : "<ul class=\"album_list\"></ul>";
        });
    }
};

TEST_F(RefusalCli, AListThatCannotBeReadSaysWhyAndExitsFour) {
    struct Case {
        const char* label;
        int status;        // the album list's answer
        bool unreachable;  // nothing listens where the host is sent
        int exitCode;
        std::string said;  // on stderr
    } cases[] = {
        {"service unavailable", 503, false, 4, "无法读取相册列表：HTTP 503"},
        {"too many requests", 429, false, 4, "无法读取相册列表：HTTP 429"},
        {"nothing listens", 200, true, 4, "无法连接：www.56.com"},
        {"a page that holds no album", 200, false, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.Handle("/photo/album/index.php", [&c](const FixtureRequest&, FixtureReply& reply) {
            reply.status = c.status;
            reply.body = "<html><body>busy</body></html>";
        });
        std::vector<std::string> args = Args("list", {}, "www.56.com");
        if (c.unreachable) {
            // A port nothing listens on: the connection is refused at once.
            args = SiteCliTest::Args("list", {},
                                     {"--connect-to", "www.56.com:80:127.0.0.1:1",
                                      "http://www.56.com/photo/album/index.php?user=alice"});
        }
        CliProcess list = CliProcess::Run(args);
        EXPECT_EQ(list.exitCode, c.exitCode) << list.err;
        EXPECT_EQ(list.out, "");
        if (!c.said.empty()) {
            EXPECT_NE(list.err.find(c.said), std::string::npos) << list.err;
        } else {
            EXPECT_EQ(list.err.find("无法"), std::string::npos) << list.err;
        }
    }
}

TEST_F(RefusalCli, ARefusedPhotoListIsAFailedAlbum) {
    ServeAlbums();
    // The first album's photos are refused; the second's page comes and lists none.
    server.Handle("/photo/album/", [](const FixtureRequest& request, FixtureReply& reply) {
        if (request.Param("did") == "9001") {
            reply.status = 503;
            reply.body = "<html>Service Unavailable</html>";
        } else {
            reply.body = "<p>没有照片</p>";
        }
    });
    CliProcess download = CliProcess::Run(Args("download", {"--albums", "all", "--save", save.NativePath()}));
    EXPECT_EQ(download.exitCode, 1) << download.err;
    EXPECT_NE(download.err.find("春游：无法读取图片列表：HTTP 503"), std::string::npos) << download.err;
    EXPECT_NE(download.err.find("海边：没有获取到图片"), std::string::npos) << download.err;
    EXPECT_NE(download.err.find("下载完毕：成功 0 张，失败 0 张，跳过 0 张，失败 1 个相册"),
              std::string::npos)
        << download.err;
}

TEST_F(RefusalCli, AnEmptyAlbumDoesNotFailTheJob) {
    ServeAlbums();
    server.Handle("/photo/album/",
                  [](const FixtureRequest&, FixtureReply& reply) { reply.body = "<p>没有照片</p>"; });
    CliProcess download = CliProcess::Run(Args("download", {"--albums", "1", "--save", save.NativePath()}));
    EXPECT_EQ(download.exitCode, 0) << download.err;
    EXPECT_NE(download.err.find("春游：没有获取到图片"), std::string::npos) << download.err;
    EXPECT_EQ(download.err.find("个相册"), std::string::npos) << download.err;
}

}  // namespace
