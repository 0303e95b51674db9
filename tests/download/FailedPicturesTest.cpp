// SPDX-License-Identifier: GPL-3.0-or-later
// The pool against a server that refuses every picture, or makes them wait: failed pictures free
// their worker at once, and a busy server's wait is told, kept to, and cut short by a stop.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "MyCode/URLSource2.h"
#include "core/PictureList.h"
#include "core/ServerWait.h"
#include "download/DownProc.h"
#include "download/DownloadPool.h"
#include "platform/CodePage.h"
#include "platform/StoppableWait.h"
#include "support/RawServer.h"
#include "support/RecordingJobEvents.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

long MsSince(std::chrono::steady_clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count());
}

class FailedPictures : public ::testing::Test {
protected:
    // The program's own pauses: a pause after a picture's last attempt costs its worker a second.
    FailedPictures() { SetWaitScale(1.0); }

    void Fill(int count, const std::string& path) {
        pictures.Clear();
        pictures.SetAlbumDir(dir.Path());
        for (int i = 0; i < count; ++i) {
            pictures.Append(
                PictureRecord{raw.BaseUrl16() + CodePage::FromUtf8(path + "?n=" + std::to_string(i)),
                              CodePage::FromUtf8("p" + std::to_string(i) + ".jpg"), u""});
        }
        pool.SetParams(DownloadParams{0, 0, 15, 10});
        pool.ClearStop();
    }

    RawServer raw;
    TempDir dir;
    PictureList pictures;
    DownloadPool pool;
    RecordingJobEvents events;
    std::vector<PictureOutcome> outcomes;
};

// 150 pictures that all fail, on 15 workers: each one held its worker a second after its one
// attempt, ten seconds in all. Now the failures take about as long as the requests.
TEST_F(FailedPictures, AFailedPictureFreesItsWorkerAtOnce) {
    raw.Handle("/gone.jpg", [](const RawServer::Request&, RawServer::Connection& connection) {
        connection.Send(RawServer::Answer(404, "<html>404 Not Found</html>", "text/html"));
    });
    raw.Handle("/reset.jpg",
               [](const RawServer::Request&, RawServer::Connection& connection) { connection.Reset(); });
    for (const char* path : {"/gone.jpg", "/reset.jpg"}) {
        SCOPED_TRACE(path);
        Fill(150, path);
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(DownPicFunc(pool, pictures, 0, events, outcomes));
        EXPECT_LT(MsSince(start), 2500);  // with a pause after the last attempt: 10 s
        ASSERT_EQ(outcomes.size(), 150u);
        for (const PictureOutcome& outcome : outcomes) {
            EXPECT_EQ(outcome.result, PictureResult::Failed);
        }
    }
}

// A picture that answers 503 with a Retry-After is asked again after that wait, which the
// progress line tells; the download's stop ends the wait at once.
TEST_F(FailedPictures, ABusyServersWaitIsToldAndEndsWithTheStop) {
    std::atomic<int> asked{0};
    raw.Handle("/busy.jpg", [&](const RawServer::Request&, RawServer::Connection& connection) {
        if (asked++ == 0) {
            connection.Send(
                "HTTP/1.1 503 Service Unavailable\r\nRetry-After: 1\r\nContent-Length: 0\r\n\r\n");
        } else {
            connection.Send(RawServer::Answer(200, std::string(2000, 'p')));
        }
    });
    Fill(1, "/busy.jpg");
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(DownPicFunc(pool, pictures, 0, events, outcomes));
    EXPECT_GE(MsSince(start), 950);
    EXPECT_EQ(asked.load(), 2);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].result, PictureResult::Saved);
    const std::vector<std::u16string> progress = events.ProgressTexts();
    EXPECT_NE(std::find(progress.begin(), progress.end(), ServerWaitText(1)), progress.end());

    raw.Handle("/busy.jpg", [&](const RawServer::Request&, RawServer::Connection& connection) {
        ++asked;
        connection.Send("HTTP/1.1 429 Too Many Requests\r\nRetry-After: 30\r\nContent-Length: 0\r\n\r\n");
    });
    asked = 0;
    events.Reset();
    Fill(1, "/busy.jpg");
    std::thread stopper([&] {
        std::this_thread::sleep_for(300ms);
        pool.RequestStop();
    });
    start = std::chrono::steady_clock::now();
    ASSERT_TRUE(DownPicFunc(pool, pictures, 0, events, outcomes));
    stopper.join();
    EXPECT_LT(MsSince(start), 1500);
    EXPECT_EQ(asked.load(), 1);
    // The server never answered for the picture itself: it was not tried, and is not a failure.
    EXPECT_EQ(outcomes[0].result, PictureResult::NotTried);
    EXPECT_TRUE(events.PicturesNotSaved().empty());
}

}  // namespace
