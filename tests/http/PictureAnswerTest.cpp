// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures and covers against a server that misbehaves: which answers fail an attempt, why, and
// what a retry does after a connection the server has spoilt.

#include <algorithm>
#include <atomic>
#include <ctime>
#include <functional>
#include <memory>
#include <thread>

#include "HttpTestUtil.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/RawServer.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

class PictureAnswers : public HttpTest {
protected:
    UrlRequest RawRequest(const std::string& path) const {
        return UrlRequest(raw.BaseUrl16() + std::u16string(path.begin(), path.end()), u"", 3000);
    }

    RawServer raw;
    TempDir dir;
};

const std::string kErrorPage = "<html><head><title>404 Not Found</title></head><body>gone</body></html>";

// A refused answer fails its attempt as a failed connection does: nothing is kept or saved, the
// attempts are taken again, and the reason is told.
TEST_F(PictureAnswers, EachFailedAttemptSaysWhy) {
    using Answer = std::function<void(RawServer::Connection&)>;
    struct Case {
        const char* label;
        Answer answer;
        std::int32_t minSizeKB;
        FetchError error;  // None: the picture arrives
        int status;
    };
    const std::string picture(1500, 'p');
    const Case cases[] = {
        {"picture", [&](auto& c) { c.Send(RawServer::Answer(200, picture)); }, 0, FetchError::None, 200},
        {"404 with a page", [&](auto& c) { c.Send(RawServer::Answer(404, kErrorPage, "text/html")); }, 0,
         FetchError::HttpStatus, 404},
        {"500", [&](auto& c) { c.Send(RawServer::Answer(500, "<html>oops</html>", "text/html")); }, 0,
         FetchError::HttpStatus, 500},
        {"empty 200", [&](auto& c) { c.Send(RawServer::Answer(200, "")); }, 0, FetchError::Empty, 200},
        {"reset", [&](auto& c) { c.Reset(); }, 0, FetchError::Cut, 0},
        {"shorter than announced",
         [&](auto& c) {
             c.Send(RawServer::Answer(200, picture, "image/jpeg", 4000));
             c.Close();
         },
         0, FetchError::Cut, 200},
        {"stall",
         [&](auto& c) {
             c.Send(RawServer::Answer(200, "part", "image/jpeg", 4000));
             c.Pause(10s);
         },
         0, FetchError::TimedOut, 200},
        {"declared too small", [&](auto& c) { c.Send(RawServer::Answer(200, picture)); }, 2,
         FetchError::TooSmall, 200},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        // A server of its own, so no case starts on a connection another case left open.
        RawServer server;
        std::string path = "/c" + std::to_string(n++);
        server.Handle(path, [&c](const RawServer::Request&, RawServer::Connection& connection) {
            c.answer(connection);
        });
        UrlRequest request(server.BaseUrl16() + CodePage::FromUtf8(path), u"", 3000);
        request.refuseErrorAnswers = true;
        request.attempts = 2;
        request.readTimeoutMs = 300;
        request.minSizeKB = c.minSizeKB;
        request.savePath = dir.Path() + CodePage::FromUtf8(path.substr(1)) + u".jpg";
        UrlSource source;
        bool ok = FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE);

        EXPECT_EQ(ok, c.error == FetchError::None);
        EXPECT_EQ(source.error, c.error);
        EXPECT_EQ(source.status, c.status);
        EXPECT_EQ(FileSystem::Exists(request.savePath), ok);
        if (c.error == FetchError::HttpStatus || c.error == FetchError::Empty) {
            EXPECT_TRUE(source.body.empty());  // so the fallback address is tried next
        }
        EXPECT_EQ(server.RequestsTo(path).size(), ok ? 1u : 2u);
    }

    // Pages still take any answer: the markers judge them.
    raw.Handle("/page", [](const RawServer::Request&, RawServer::Connection& connection) {
        connection.Send(RawServer::Answer(404, kErrorPage, "text/html"));
    });
    UrlRequest page = RawRequest("/page");
    UrlSource source;
    EXPECT_TRUE(FetchUrl(page, source, 0));
    EXPECT_EQ(source.body, kErrorPage);
    EXPECT_EQ(source.status, 404);
    EXPECT_EQ(source.error, FetchError::None);

    UrlRequest nowhere(u"http://127.0.0.1:1/x.jpg", u"", 2000);
    EXPECT_FALSE(FetchUrl(nowhere, source, 3));
    EXPECT_EQ(source.error, FetchError::Connect);
    UrlRequest notHttp(u"ftp://127.0.0.1/x.jpg", u"", 2000);
    EXPECT_FALSE(FetchUrl(notHttp, source, 3));
    EXPECT_EQ(source.error, FetchError::BadAddress);
}

// A server that sends more than it announced leaves bytes on the kept-alive connection. The next
// request on it reads them as its answer and fails; it is sent again on a new connection, so the
// lie costs nothing but that one try.
TEST_F(PictureAnswers, ARequestSpoiltByTheLastAnswerIsSentAgainOnANewConnection) {
    // Set once the client's next request has come on the connection the lie spoils.
    std::atomic<bool> spoilt{false};
    raw.Handle("/lie", [&spoilt](const RawServer::Request&, RawServer::Connection& connection) {
        connection.Send(RawServer::Answer(200, "12345"));
        // The rest comes once the client has sent its next request here, on a connection that
        // looked clean when it was taken; a fixed pause instead would let a slow client find the
        // bytes already waiting and pass the connection by.
        spoilt = connection.WaitForRequest(5s);
        connection.Send("and more bytes that were never announced\r\n");
    });
    raw.Handle("/next", [](const RawServer::Request&, RawServer::Connection& connection) {
        connection.Send(RawServer::Answer(200, "the next picture"));
    });
    UrlSource source;
    UrlRequest lie = RawRequest("/lie");
    ASSERT_TRUE(FetchUrl(lie, source, FETCH_CACHEABLE | FETCH_FROM_CACHE));
    EXPECT_EQ(source.body, "12345");

    UrlRequest next = RawRequest("/next");
    next.refuseErrorAnswers = true;
    ASSERT_TRUE(FetchUrl(next, source, FETCH_CACHEABLE | FETCH_FROM_CACHE));
    EXPECT_EQ(source.body, "the next picture");
    EXPECT_TRUE(spoilt.load());
    std::vector<RawServer::Request> lies = raw.RequestsTo("/lie");
    ASSERT_EQ(lies.size(), 1u);
    // The server may not get to read the spoilt request before the client has dropped that
    // connection, and notes the two on their own threads in either order; what counts is that
    // one came on a new connection.
    std::vector<RawServer::Request> nexts = raw.RequestsTo("/next");
    EXPECT_LE(nexts.size(), 2u);
    EXPECT_TRUE(std::any_of(nexts.begin(), nexts.end(), [&](const RawServer::Request& request) {
        return request.connection > lies.front().connection;
    }));
}

// The pause between attempts gives the server time; after the last attempt it would only hold up
// the caller (150 pictures that all answer 404 took ten seconds on 15 workers).
TEST_F(PictureAnswers, NoPauseFollowsTheLastAttempt) {
    using Answer = std::function<void(RawServer::Connection&)>;
    struct Case {
        const char* label;
        Answer answer;
        bool picture;  // refuses error answers
        std::uint8_t attempts;
    };
    const Case cases[] = {
        {"404 picture, one attempt", [](auto& c) { c.Send(RawServer::Answer(404, kErrorPage, "text/html")); },
         true, 1},
        {"404 picture, three attempts",
         [](auto& c) { c.Send(RawServer::Answer(404, kErrorPage, "text/html")); }, true, 3},
        {"reset, one attempt", [](auto& c) { c.Reset(); }, false, 1},
        {"reset, three attempts", [](auto& c) { c.Reset(); }, false, 3},
        {"short page, two attempts", [](auto& c) { c.Send(RawServer::Answer(200, "x", "text/html")); }, false,
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        RawServer server;
        server.Handle("/x", [&c](const RawServer::Request&, RawServer::Connection& connection) {
            c.answer(connection);
        });
        UrlRequest request(server.BaseUrl16() + u"/x", u"", 3000);
        request.refuseErrorAnswers = c.picture;
        request.minLength = c.picture ? 0 : 10;
        request.attempts = c.attempts;
        request.retryPauseSec = 20;  // a second at the tests' scale
        UrlSource source;
        Stopwatch watch;
        EXPECT_FALSE(FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE));
        const long pauses = 1000L * (c.attempts - 1);
        const long ms = watch.Ms();
        EXPECT_GE(ms, pauses - 20);
        EXPECT_LT(ms, pauses + 700);  // a pause after the last attempt would make it pauses + 1000
        EXPECT_EQ(server.RequestsTo("/x").size(), c.attempts);
    }
}

// A 429 or 503 that says when to come back is asked again then, once, where the caller tells
// the user about the wait; the wait is held to kServerWaitLimitSec and a stop ends it.
TEST_F(PictureAnswers, ABusyServersRetryAfterIsWaitedForOnce) {
    // Retry-After as an HTTP date, some seconds from now.
    auto inSeconds = [](int seconds) {
        std::time_t when = std::time(nullptr) + seconds;
        char text[64];
        std::strftime(text, sizeof(text), "%a, %d %b %Y %H:%M:%S GMT", std::gmtime(&when));
        return std::string(text);
    };
    struct Case {
        const char* label;
        int status;
        std::string retryAfter;  // empty: none
        bool picture;
        bool told = true;        // the caller wants to hear of waits
        bool busyAgain = false;  // the second answer is busy too
        int waited = -1;         // the wait told; -1: none
        bool ok = true;
        std::size_t requests = 2;
    };
    const Case cases[] = {
        {"page, 503 in seconds", 503, "4", false, true, false, 4},
        {"picture, 429 in seconds", 429, "2", true, true, false, 2},
        {"picture, 503 as a date", 503, inSeconds(6), true, true, false, 6},
        {"a date passed is no wait", 503, "Thu, 01 Jan 1970 00:00:00 GMT", true, true, false, 0},
        {"held to the limit", 503, "3600", true, true, false, kServerWaitLimitSec},
        {"busy again: given up", 429, "1", true, true, true, 1, false, 2},
        {"busy page again: its text is the answer", 503, "1", false, true, true, 1, true, 2},
        {"no Retry-After", 503, "", true, true, false, -1, false, 1},
        {"not a number nor a date", 503, "soon", true, true, false, -1, false, 1},
        {"another status", 500, "1", true, true, false, -1, false, 1},
        {"a caller that does not wait", 503, "1", true, false, false, -1, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        RawServer server;
        auto hits = std::make_shared<std::atomic<int>>(0);
        server.Handle("/x", [&c, hits](const RawServer::Request&, RawServer::Connection& connection) {
            if ((*hits)++ == 0 || c.busyAgain) {
                std::string answer = RawServer::Answer(c.status, kErrorPage, "text/html");
                if (!c.retryAfter.empty()) {
                    answer.insert(answer.find("\r\n") + 2, "Retry-After: " + c.retryAfter + "\r\n");
                }
                connection.Send(answer);
            } else {
                connection.Send(RawServer::Answer(200, c.picture ? std::string(1500, 'p') : "the page"));
            }
        });
        UrlRequest request(server.BaseUrl16() + u"/x", u"", 3000);
        request.refuseErrorAnswers = c.picture;
        request.attempts = 1;
        std::vector<int> told;
        if (c.told) {
            request.serverWait = [&told](int seconds) { told.push_back(seconds); };
        }
        UrlSource source;
        Stopwatch watch;
        EXPECT_EQ(FetchUrl(request, source, 0), c.ok);
        const long ms = watch.Ms();
        EXPECT_EQ(server.RequestsTo("/x").size(), c.requests);
        if (c.waited < 0) {
            EXPECT_TRUE(told.empty());
            continue;
        }
        ASSERT_EQ(told.size(), 1u);
        // A date in the future may have come a second closer by the time it is read.
        const bool date = c.retryAfter.find(',') != std::string::npos && c.waited > 0;
        EXPECT_LE(told[0], c.waited);
        EXPECT_GE(told[0], c.waited - (date ? 1 : 0));
        EXPECT_GE(ms, told[0] * 50 - 20);  // seconds at the tests' scale
        EXPECT_LT(ms, told[0] * 50 + 1000);
        if (!c.busyAgain) {
            EXPECT_EQ(source.status, 200);
        }
    }

    // The job's stop ends the wait at once, and nothing more is asked.
    RawServer server;
    server.Handle("/x", [](const RawServer::Request&, RawServer::Connection& connection) {
        std::string answer = RawServer::Answer(503, kErrorPage, "text/html");
        answer.insert(answer.find("\r\n") + 2, "Retry-After: 30\r\n");
        connection.Send(answer);
    });
    UrlRequest request(server.BaseUrl16() + u"/x", u"", 3000);
    request.refuseErrorAnswers = true;
    std::atomic<bool> stop{false};
    std::thread stopper;
    request.stopped = [&stop] { return stop.load(); };
    request.serverWait = [&](int) {
        stopper = std::thread([&stop] {
            std::this_thread::sleep_for(100ms);
            stop = true;
        });
    };
    UrlSource source;
    Stopwatch watch;
    EXPECT_FALSE(FetchUrl(request, source, 0));
    EXPECT_LT(watch.Ms(), 600);  // the whole wait is 1.5 s at the tests' scale
    ASSERT_TRUE(stopper.joinable());
    stopper.join();
    EXPECT_EQ(server.RequestsTo("/x").size(), 1u);
    EXPECT_EQ(source.status, 503);
}

}  // namespace
