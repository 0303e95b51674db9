// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <atomic>
#include <set>
#include <thread>

#include "EngineFixture.h"
#include "download/DownProc.h"

namespace {

using namespace std::chrono_literals;

struct WindowCase {
    int threads;
    int pictures;
};

class Window : public EngineTest, public ::testing::WithParamInterface<WindowCase> {};

// Measured at the server: never more than threadCount pictures in flight, the window kept full,
// and the first pictures of the list are the first to be asked for.
TEST_P(Window, KeepsAtMostThreadCountDownloadsGoing) {
    const WindowCase c = GetParam();
    const int window = std::min(c.threads, c.pictures);
    Settings().download.threadCount = static_cast<std::uint16_t>(c.threads);
    std::atomic<int> inFlight{0};
    std::atomic<int> most{0};
    std::mutex mutex;
    std::vector<int> order;
    std::vector<ListedPicture> pictures;
    for (int i = 0; i < c.pictures; ++i) {
        std::string path = "/p/" + std::to_string(i) + ".jpg";
        server.Handle(path, [&, i](const FixtureRequest&, FixtureReply& reply) {
            {
                std::lock_guard lock(mutex);
                order.push_back(i);
            }
            int now = ++inFlight;
            int seen = most.load();
            while (now > seen && !most.compare_exchange_weak(seen, now)) {
            }
            // The first pictures hold on until the whole window is in flight, so a slow machine
            // cannot make the pool look narrower than it is.
            auto until = std::chrono::steady_clock::now() + 5s;
            while (i < window && most.load() < window && std::chrono::steady_clock::now() < until) {
                std::this_thread::sleep_for(1ms);
            }
            server.Pause(30ms);
            --inFlight;
            reply.contentType = "image/jpeg";
            reply.body = JpegBytes();
        });
        pictures.push_back(ListedPicture(Url(path), CodePage::FromUtf8(std::to_string(i)), u""));
    }
    Album(u"Album", pictures);
    Run();

    EXPECT_EQ(most, window);
    ASSERT_EQ(static_cast<int>(order.size()), c.pictures);
    std::set<int> first(order.begin(), order.begin() + window);
    for (int i = 0; i < window; ++i) {
        EXPECT_EQ(first.count(i), 1u) << i;
    }
    // The end message carries the picture count; its seconds depend on the machine, so they are
    // only bounded.
    auto ends = events.PoolEnds();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].second, c.pictures);
    EXPECT_GE(ends[0].first, 0);
    EXPECT_LT(ends[0].first, 60);
    EXPECT_EQ(job.control.pool.DoneCount(), c.pictures);
}

INSTANTIATE_TEST_SUITE_P(Engine, Window,
                         ::testing::Values(WindowCase{3, 12}, WindowCase{6, 3}, WindowCase{1, 3}));

TEST(Pool, EmptyListStartsNothingAndReportsNothing) {
    RecordingJobEvents events;
    PictureList pictures;
    DownloadPool pool;
    pool.SetParams(DownloadParams{0, 0, 5, 10});
    std::vector<PictureOutcome> outcomes(2);
    EXPECT_TRUE(DownPicFunc(pool, pictures, 0, events, outcomes));
    EXPECT_TRUE(outcomes.empty());
    EXPECT_TRUE(events.PoolEnds().empty());
    EXPECT_TRUE(events.Calls().empty());
    EXPECT_FALSE(pool.Running());
}

// A settings slot that was never repaired still downloads: one worker at least, never more than
// the pool allows, and a time-out that lets a picture arrive.
TEST(Pool, ParametersAreHeldToTheirRange) {
    struct Case {
        std::uint16_t threads, timeout;
        unsigned heldThreads;
        std::uint16_t heldTimeout;
    };
    DownloadPool pool;
    for (Case c : {Case{0, 0, 1, 10}, Case{15, 10, 15, 10}, Case{40, 90, 15, 90}}) {
        pool.SetParams(DownloadParams{3, 7, c.threads, c.timeout});
        EXPECT_EQ(pool.ThreadCount(), c.heldThreads) << c.threads;
        EXPECT_EQ(pool.Params().timeoutSec, c.heldTimeout) << c.timeout;
        EXPECT_EQ(pool.Params().minPictureKB, 3);
        EXPECT_EQ(pool.Params().maxPictureKB, 7);
    }
}

}  // namespace
