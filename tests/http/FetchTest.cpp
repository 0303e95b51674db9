// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "MyCode/URLSource2.h"
#include "http/HttpTestUtil.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

using namespace std::chrono_literals;

namespace {

// Serves the pieces with a short pause between them; with stallAfter the reply then hangs for
// seconds before it ends, which a client that stopped reading never notices.
void ServeChunks(FixtureServer& server, const std::string& path, std::vector<std::string> chunks,
                 bool stallAfter = false, std::int64_t declaredLength = -1) {
    server.Handle(path, [=](const FixtureRequest&, FixtureReply& reply) {
        reply.contentType = "application/octet-stream";
        reply.declaredLength = declaredLength;
        reply.stream = [=](FixtureStream& out) {
            for (std::size_t i = 0; i < chunks.size(); ++i) {
                if ((i > 0 && !out.Pause(60ms)) || !out.Write(chunks[i])) {
                    return;
                }
            }
            if (stallAfter) {
                out.Pause(4s);
            }
        };
    });
}

}  // namespace

TEST_F(HttpTest, CutMarkersKeepTheTextBetweenAndStopAtTheEndMarker) {
    struct Case {
        const char* name;
        std::vector<std::string> chunks;
        std::string cutStart, cutEnd;
        bool saved;
        std::string body;
        bool endsEarly;  // the end marker arrives before the reply ends
    } cases[] = {
        {"first chunk", {"head<s>keep<e>tail"}, "<s>", "<e>", false, "keep", true},
        {"markers split across chunks",
         {"head<", "s>ke", "ep<", "e>tail"},
         "<s>",
         "<e>",
         false,
         "keep",
         true},
        {"repeated start", {"<s>a<s>b", "<s>keep<e>x"}, "<s>", "<e>", false, "keep", true},
        {"repeated start, no end", {"<s>a", "<s>b<s>", "rest"}, "<s>", "<e>", false, "rest", false},
        {"end marker only", {"keep", "<e>more"}, "", "<e>", false, "keep", true},
        {"no marker present", {"plain", " page"}, "<s>", "<e>", false, "plain page", false},
        {"saved body is never cut", {"a<s>b<e>c"}, "<s>", "<e>", true, "a<s>b<e>c", false},
    };
    TempDir dir;
    int n = 0;
    for (const Case& c : cases) {
        std::string path = "/cut" + std::to_string(n++);
        ServeChunks(server, path, c.chunks, c.endsEarly);
        UrlRequest request = Req(path);
        request.cutStart = c.cutStart;
        request.cutEnd = c.cutEnd;
        if (c.saved) {
            request.savePath = dir.Path() + u"page.bin";
        }
        UrlSource source;
        Stopwatch watch;
        EXPECT_TRUE(FetchUrl(request, source, 0)) << c.name;
        EXPECT_EQ(source.body, c.body) << c.name;
        if (c.endsEarly) {
            EXPECT_LT(watch.Ms(), 2000) << c.name << ": the transfer went on after the end marker";
        }
        std::u16string text;
        source.GetText(text, TEXT_INFLATE | TEXT_UTF8);
        EXPECT_EQ(text, std::u16string(c.body.begin(), c.body.end())) << c.name;
    }
}

TEST_F(HttpTest, SizeLimitsHoldAtTheirExactBoundaries) {
    struct Case {
        bool declared;  // Content-Length sent; otherwise chunked
        std::size_t length;
        bool ok;
    } cases[] = {
        {true, 1023, false},  {true, 1024, true},  {true, 2048, true},  {true, 2049, false},
        {false, 1023, false}, {false, 1024, true}, {false, 2048, true}, {false, 2049, false},
    };
    for (const Case& c : cases) {
        std::string path = "/size" + std::to_string(c.declared) + "_" + std::to_string(c.length);
        std::string body(c.length, 'x');
        if (c.declared) {
            server.Serve(path, body, "application/octet-stream");
        } else {
            ServeChunks(server, path, {body.substr(0, 700), body.substr(700)});
        }
        UrlRequest request = Req(path);
        request.minSizeKB = 1;
        request.maxSizeKB = 2;
        UrlSource source;
        EXPECT_EQ(FetchUrl(request, source, 0), c.ok) << c.declared << " " << c.length;
        if (c.ok) {
            EXPECT_EQ(source.body.size(), c.length);
        }
    }
}

TEST_F(HttpTest, DeclaredLengthOutsideTheLimitsIsRefusedWithoutReadingTheBody) {
    // The body trickles: a client that read it would wait for seconds and hold some of it.
    for (std::int64_t declared : {1023, 2049}) {
        std::string path = "/declared" + std::to_string(declared);
        std::string body(static_cast<std::size_t>(declared), 'y');
        server.Handle(path, [=](const FixtureRequest&, FixtureReply& reply) {
            reply.contentType = "application/octet-stream";
            reply.declaredLength = declared;
            reply.stream = [=](FixtureStream& out) {
                if (out.Write(body.substr(0, 10)) && out.Pause(4s)) {
                    out.Write(body.substr(10));
                }
            };
        });
        UrlRequest request = Req(path);
        request.minSizeKB = 1;
        request.maxSizeKB = 2;
        UrlSource source;
        Stopwatch watch;
        EXPECT_FALSE(FetchUrl(request, source, 0)) << declared;
        EXPECT_LT(watch.Ms(), 2000) << declared;
        EXPECT_TRUE(source.body.empty()) << declared;
        std::string length = "Content-Length: " + std::to_string(declared);
        EXPECT_NE(source.rawHeaders.find(std::u16string(length.begin(), length.end())), std::u16string::npos);
    }
}

TEST_F(HttpTest, BodyGrowingPastTheLimitStopsTheDownloadAtOnce) {
    ServeChunks(server, "/grows", {std::string(1500, 'a'), std::string(1500, 'b')}, true);
    UrlRequest request = Req("/grows");
    request.maxSizeKB = 2;
    UrlSource source;
    Stopwatch watch;
    EXPECT_FALSE(FetchUrl(request, source, 0));
    EXPECT_LT(watch.Ms(), 2000);
}

TEST_F(HttpTest, SoftFailuresRetryAfterAPauseBetweenAttempts) {
    struct Case {
        const char* name;
        std::vector<std::string> replies;  // one per attempt, the last repeated
        std::uint32_t minLength;
        std::string retryMarker;
        std::uint8_t attempts;
        bool ok;
        std::size_t requests;
        int pauses;
    } cases[] = {
        {"exactly minLength is too short", {"12345"}, 5, "", 1, false, 1, 0},
        {"one byte more passes", {"123456"}, 5, "", 1, true, 1, 0},
        {"short twice, then long", {"1", "12", "1234567"}, 5, "", 4, true, 3, 2},
        {"retry marker until it goes",
         {"server busy", "server busy", "album list"},
         0,
         "busy",
         3,
         true,
         3,
         2},
        {"retry marker every time", {"server busy"}, 0, "busy", 2, false, 2, 1},
        {"both checks", {"busy but long enough", "ok"}, 5, "busy", 2, false, 2, 1},
        {"attempts 0 sends nothing", {"fine page"}, 0, "", 0, false, 0, 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string path = "/soft" + std::to_string(n++);
        auto hits = std::make_shared<std::atomic<std::size_t>>(0);
        server.Handle(path, [c, hits](const FixtureRequest&, FixtureReply& reply) {
            std::size_t i = (*hits)++;
            reply.body = c.replies[std::min(i, c.replies.size() - 1)];
        });
        UrlRequest request = Req(path);
        request.minLength = c.minLength;
        request.retryMarker = c.retryMarker;
        request.attempts = c.attempts;
        request.retryPauseSec = 4;  // 200 ms at the tests' scale
        UrlSource source;
        Stopwatch watch;
        EXPECT_EQ(FetchUrl(request, source, 0), c.ok) << c.name;
        long ms = watch.Ms();
        EXPECT_EQ(server.RequestsTo(path).size(), c.requests) << c.name;
        EXPECT_GE(ms, c.pauses * 200 - 20) << c.name;
        EXPECT_LT(ms, c.pauses * 200 + 1000) << c.name;
    }
}

// minLength and retryMarker judge the page, not its wire form: a gzip answer is as long as what it
// inflates to, and a marker inside it is found.
TEST_F(HttpTest, SoftFailureChecksLookAtTheInflatedBody) {
    const std::string page(400, 'p');
    const std::string busy =
        "<p>" + std::string("\xC7\xEB\xC9\xD4\xBA\xF2\xD4\xD9\xCA\xD4") + "</p>" + std::string(200, ' ');
    for (bool gzip : {true, false}) {
        SCOPED_TRACE(gzip ? "gzip" : "plain");
        auto serve = [&](const std::string& path, const std::string& body) {
            server.Handle(path, [=](const FixtureRequest&, FixtureReply& reply) {
                reply.contentType = "application/octet-stream";
                if (gzip) {
                    reply.headers = {{"Content-Encoding", "gzip"}};
                }
                reply.body = gzip ? Gzip(body) : body;
            });
        };
        serve("/long", page);
        serve("/busy", busy);
        UrlRequest request = Req("/long");
        request.minLength = 100;  // more than the compressed size, less than the page
        request.retryPauseSec = 0;
        UrlSource source;
        EXPECT_TRUE(FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE));
        EXPECT_TRUE(FetchUrl(request, source, 0));

        request = Req("/busy");
        request.retryMarker = "\xC7\xEB\xC9\xD4\xBA\xF2\xD4\xD9\xCA\xD4";  // "请稍候再试" in GBK
        request.attempts = 2;
        request.retryPauseSec = 0;
        server.ClearRequests();
        EXPECT_FALSE(FetchUrl(request, source, 0));
        EXPECT_EQ(server.RequestsTo("/busy").size(), 2u);
    }
}

TEST_F(HttpTest, ReadTimeoutBoundsEachWaitForBodyData) {
    ServeChunks(server, "/stall", {"first part"}, true);
    ServeChunks(server, "/steady", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"});
    server.Handle("/late", [&](const FixtureRequest&, FixtureReply& reply) {
        server.Pause(4s);
        reply.body = "late";
    });

    UrlRequest request = Req("/stall", 5000);
    request.readTimeoutMs = 300;
    UrlSource source;
    Stopwatch stall;
    EXPECT_FALSE(FetchUrl(request, source, 0));
    EXPECT_GE(stall.Ms(), 280);
    EXPECT_LT(stall.Ms(), 1200);

    // Twelve pieces 60 ms apart take longer than the limit in all, but no single wait does.
    request.url = server.BaseUrl16() + u"/steady";
    EXPECT_TRUE(FetchUrl(request, source, 0));
    EXPECT_EQ(source.body, "abcdefghijkl");

    // Until the answer's headers arrive, the send time-out is the one that counts.
    request = Req("/late", 5000);
    request.sendTimeoutMs = 300;
    Stopwatch late;
    EXPECT_FALSE(FetchUrl(request, source, 0));
    EXPECT_LT(late.Ms(), 1200);
}

TEST_F(HttpTest, ErrorPagesAreAnswersAndStatusCodesAreNotExamined) {
    UrlRequest request = Req("/no/such/page");
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, 0));
    EXPECT_EQ(source.rawHeaders.rfind(u"HTTP/1.1 404", 0), 0u);
    EXPECT_NE(source.body.find("404 Not Found"), std::string::npos);

    // A failed attempt before any headers keeps the last response's header block.
    std::u16string before = source.rawHeaders;
    for (std::u16string bad :
         {u"not a url", u"ftp://127.0.0.1/x", u"file:///etc/passwd", u"http://127.0.0.1:1/"}) {
        UrlRequest badRequest(bad, u"", 2000);
        EXPECT_FALSE(FetchUrl(badRequest, source, 0));
        EXPECT_EQ(source.rawHeaders, before);
    }
}

TEST_F(HttpTest, RedirectsAreFollowedAndTheLastHeadersCount) {
    server.Handle("/r1", [](const FixtureRequest&, FixtureReply& reply) {
        reply.status = 302;
        reply.headers = {{"Location", "/r2"}, {"Set-Cookie", "hop1=a; Path=/"}};
    });
    // A redirect's own Content-Length and Content-Encoding say nothing about the final answer.
    server.Handle("/r2", [](const FixtureRequest&, FixtureReply& reply) {
        reply.status = 301;
        reply.headers = {
            {"Location", "/final"}, {"Set-Cookie", "hop2=b; Path=/"}, {"Content-Encoding", "gzip"}};
        reply.contentType = "application/octet-stream";
        reply.body = std::string(5000, 'r');
    });
    server.Handle("/final", [](const FixtureRequest& request, FixtureReply& reply) {
        reply.body = "cookies:" + request.Header("Cookie");
    });
    server.Handle("/loop", [](const FixtureRequest&, FixtureReply& reply) {
        reply.status = 302;
        reply.headers = {{"Location", "/loop"}};
    });

    UrlRequest request = Req("/r1");
    request.maxSizeKB = 1;
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, 0));
    ASSERT_EQ(source.body.rfind("cookies:", 0), 0u);
    EXPECT_EQ(Pairs(CodePage::FromUtf8(source.body.substr(8))),
              (std::vector<std::u16string>{u"hop1=a", u"hop2=b"}));
    EXPECT_EQ(source.rawHeaders.rfind(u"HTTP/1.1 200", 0), 0u);
    EXPECT_EQ(source.rawHeaders.find(u"Location"), std::u16string::npos);
    EXPECT_FALSE(source.compressed);

    request.url = server.BaseUrl16() + u"/loop";
    EXPECT_FALSE(FetchUrl(request, source, 0));
    EXPECT_EQ(server.RequestsTo("/loop").size(), 11u);  // the first request and ten redirects
}

TEST_F(HttpTest, SendsTheUserAgentAndTheHeaderTextUnchanged) {
    UrlRequest request = Req("/echo");
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, 0));
    request.headers =
        u"Accept-Encoding: gzip, deflate\r\nReferer: http://user.qzone.qq.com/123\r\nX-Odd:  two  blanks";
    ASSERT_TRUE(FetchUrl(request, source, 0));
    auto requests = server.RequestsTo("/echo");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Header("User-Agent"),
              "Mozilla/5.0 (Windows NT 5.1) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/33.0.1750.154 "
              "Safari/537.36");
    EXPECT_EQ(requests[0].Header("Accept-Encoding"), "");  // nothing added of our own
    EXPECT_EQ(requests[1].Header("Accept-Encoding"), "gzip, deflate");
    EXPECT_EQ(requests[1].Header("Referer"), "http://user.qzone.qq.com/123");
    EXPECT_EQ(requests[1].Header("X-Odd"), "two  blanks");
    // The second request came over the first one's connection.
    EXPECT_EQ(requests[0].remotePort, requests[1].remotePort);
}

TEST(EscapeUrl, EscapesWhatMayNotStandInAnAddress) {
    struct Case {
        std::u16string url;
        std::string sent;
    } cases[] = {
        {u"http://h/a?r=0.123\n", "http://h/a?r=0.123%0A"},
        {u"http://h/my album/相册.jpg", "http://h/my%20album/%E7%9B%B8%E5%86%8C.jpg"},
        {u"http://h/a%20b%2Fc?x=%E4%B8%AD", "http://h/a%20b%2Fc?x=%E4%B8%AD"},
        {u"http://h/100%?q=%zz&p=%4", "http://h/100%25?q=%25zz&p=%254"},
        {u"http://h/a\"b<c>d|e{f}\\g^`", "http://h/a%22b%3Cc%3Ed%7Ce%7Bf%7D%5Cg%5E%60"},
        {u"http://h/p?a=1&b=[2]:3;@!$'()*+,=~-._#frag", "http://h/p?a=1&b=[2]:3;@!$'()*+,=~-._#frag"},
        {u"http://h/\t\x7F", "http://h/%09%7F"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeUrl(c.url), c.sent);
    }
}

TEST_F(HttpTest, RawTextInAddressesArrivesEscaped) {
    UrlRequest request = Req("/p");
    request.url += u"/我的 相册?r=0.5\n&n=%41";
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, 0));
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/p/%E6%88%91%E7%9A%84%20%E7%9B%B8%E5%86%8C?r=0.5%0A&n=%41");
}

TEST_F(HttpTest, ManyThreadsShareConnectionsAndCookies) {
    server.Handle("/t", [](const FixtureRequest& request, FixtureReply& reply) {
        reply.headers = {{"Set-Cookie", "t" + request.Param("i") + "=1"}};
        reply.body = "thread page " + request.Param("i");
    });
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 6; ++i) {
                std::string n = std::to_string(t * 10 + i);
                UrlRequest request = Req("/t?i=" + n);
                UrlSource source;
                if (!FetchUrl(request, source, 0) || source.body != "thread page " + n) {
                    ++failures;
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(server.RequestsTo("/t").size(), 48u);
    std::u16string cookies = GetUrlCookie(server.BaseUrl16() + u"/t");
    EXPECT_NE(cookies.find(u"t75=1"), std::u16string::npos);
}

TEST_F(HttpTest, PictureIsSavedWholeOrNotAtAll) {
    std::string picture = "\xFF\xD8\xFF\xE0" + std::string(300000, 'j');
    server.Serve("/pic.jpg", picture, "image/jpeg");
    TempDir dir;
    auto entries = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.NativePath())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    };

    UrlRequest request(server.BaseUrl16() + u"/pic.jpg", dir.Path() + u"相册 1.jpg", 3000);
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE));
    std::string saved;
    ASSERT_TRUE(FileSystem::ReadFile(request.savePath, saved));
    EXPECT_EQ(saved, picture);
    EXPECT_EQ(entries(), std::vector<std::string>{"相册 1.jpg"});

    // The target cannot be written (a folder of that name) or its folder is missing: the attempt
    // fails, the body is still there and nothing is left behind.
    ASSERT_TRUE(FileSystem::CreateDirectories(dir.Path() + u"taken.jpg"));
    for (std::u16string target : {dir.Path() + u"taken.jpg", dir.Path() + u"missing/x.jpg"}) {
        request.savePath = target;
        EXPECT_FALSE(FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE));
        EXPECT_EQ(source.body, picture);
    }
    auto names = entries();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"taken.jpg", "相册 1.jpg"}));

    // A picture outside the size limits is not saved either.
    request.savePath = dir.Path() + u"big.jpg";
    request.maxSizeKB = 100;
    EXPECT_FALSE(FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE));
    EXPECT_FALSE(FileSystem::Exists(request.savePath));
}
