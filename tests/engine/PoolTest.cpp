#include <algorithm>
#include <atomic>
#include <set>

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
            server.Pause(30ms);
            --inFlight;
            reply.contentType = "image/jpeg";
            reply.body = JpegBytes();
        });
        pictures.push_back(ListedPicture(Url(path), CodePage::FromUtf8(std::to_string(i)), u""));
    }
    Album(u"Album", pictures);
    Run();

    const int window = std::min(c.threads, c.pictures);
    EXPECT_EQ(most, window);
    ASSERT_EQ(static_cast<int>(order.size()), c.pictures);
    std::set<int> first(order.begin(), order.begin() + window);
    for (int i = 0; i < window; ++i) {
        EXPECT_EQ(first.count(i), 1u) << i;
    }
    EXPECT_EQ(port.PoolEnds(), (std::vector<std::pair<int, int>>{{0, c.pictures}}));
    EXPECT_EQ(job.pool.DoneCount(), c.pictures);
}

INSTANTIATE_TEST_SUITE_P(Engine, Window,
                         ::testing::Values(WindowCase{3, 12}, WindowCase{6, 3}, WindowCase{1, 3}));

TEST(Pool, EmptyListStartsNothingAndReportsNothing) {
    RecordingWindowPort port;
    PictureList pictures;
    pictures.statusWindow = &port;
    DownloadPool pool;
    pool.SetParams(DownloadParams{0, 0, 5, 10});
    EXPECT_TRUE(DownPicFunc(pool, pictures));
    EXPECT_TRUE(port.PoolEnds().empty());
    EXPECT_TRUE(port.Calls().empty());
    EXPECT_FALSE(pool.Running());
}

// A settings slot that was never repaired still downloads, with one worker at least and never
// more than the pool allows.
TEST(Pool, ThreadCountIsHeldToItsRange) {
    DownloadPool pool;
    for (auto [given, held] : {std::pair{0, 1}, std::pair{15, 15}, std::pair{40, 15}}) {
        pool.SetParams(DownloadParams{0, 0, static_cast<std::uint16_t>(given), 10});
        EXPECT_EQ(pool.ThreadCount(), static_cast<unsigned>(held)) << given;
    }
}

}  // namespace
