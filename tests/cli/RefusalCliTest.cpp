// SPDX-License-Identifier: GPL-3.0-or-later
// What orvelle-cli says, and how it exits, when a site refuses: a refused or unreachable album
// list is "the site could not be read" (exit 4), a refused photo list is a failed album (exit 1),
// and a page that came and held nothing stays what it was.

#include <signal.h>

#include <atomic>
#include <chrono>
#include <memory>
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

// A 429 or 503 that says when to come back, for a page or a picture: the wait is told, taken, and
// the page or picture asked for once more; a signal ends the wait at once.
TEST_F(RefusalCli, ABusyServersRetryAfterIsWaitedFor) {
    struct Case {
        const char* label;
        bool picture;  // the picture is busy at first, else the album list
        int status;
    } cases[] = {
        {"album list, 503", false, 503},
        {"album list, 429", false, 429},
        {"picture, 503", true, 503},
        {"picture, 429", true, 429},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto lists = std::make_shared<std::atomic<int>>(0);
        auto shots = std::make_shared<std::atomic<int>>(0);
        server.Handle("/photo/album/index.php",
                      [c, lists](const FixtureRequest& request, FixtureReply& reply) {
                          if (request.Param("page") != "1") {
                              reply.body = "<ul class=\"album_list\"></ul>";
                          } else if ((*lists)++ == 0 && !c.picture) {
                              reply.status = c.status;
                              reply.headers = {{"Retry-After", "1"}};
                              reply.body = "<html>busy</html>";
                          } else {
                              reply.body = Fixture("galleries", "56_albums.html");
                          }
                      });
        server.Handle("/photo/album/", [](const FixtureRequest& request, FixtureReply& reply) {
            reply.body =
                request.Param("page") == "1" ? Fixture("galleries", "56_photos.html") : "<p>没有照片</p>";
        });
        server.Handle("/p/9001/1.jpg", [c, shots](const FixtureRequest&, FixtureReply& reply) {
            if ((*shots)++ == 0 && c.picture) {
                reply.status = c.status;
                reply.headers = {{"Retry-After", "1"}};
                reply.body = "<html>busy</html>";
            } else {
                reply.contentType = "image/jpeg";
                reply.body = PictureBytes('1');
            }
        });
        server.Serve("/p/9001/2.jpg", PictureBytes('2'), "image/jpeg");
        TempDir into;
        CliProcess run = CliProcess::Run(Args("download", {"--albums", "1", "--save", into.NativePath()}));
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.err.find("服务器要求等待 1 秒"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("下载完毕：成功 2 张，失败 0 张"), std::string::npos) << run.err;
        EXPECT_TRUE(SameBytes(into.Path() + u"alice/春游/海浪.jpg", PictureBytes('1')));
        EXPECT_EQ(lists->load(), c.picture ? 1 : 2);
        EXPECT_EQ(shots->load(), c.picture ? 2 : 1);
    }

    // A wait of an hour is held to half a minute, and a signal ends it at once with nothing more
    // asked.
    auto lists = std::make_shared<std::atomic<int>>(0);
    server.Handle("/photo/album/index.php", [lists](const FixtureRequest&, FixtureReply& reply) {
        ++*lists;
        reply.status = 503;
        reply.headers = {{"Retry-After", "3600"}};
        reply.body = "<html>busy</html>";
    });
    std::chrono::steady_clock::time_point signalled;
    CliProcess run =
        CliProcess::Run(Args("list", {}), {}, 60, [&](int pid, const CliProcess::WaitForErr& waitForErr) {
            EXPECT_TRUE(waitForErr("服务器要求等待 30 秒", 10000));
            signalled = std::chrono::steady_clock::now();
            ::kill(pid, SIGTERM);
        });
    EXPECT_EQ(run.exitCode, 143) << run.err;
    EXPECT_LT(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - signalled)
            .count(),
        1500);
    EXPECT_EQ(lists->load(), 1);
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
