// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "jobs/JobContext.h"
#include "jobs/JobController.h"
#include "listjob/JobHarness.h"
#include "platform/CodePage.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/PictureCall.h"
#include "support/RecordingJobEvents.h"

namespace {

using namespace std::chrono_literals;
using Press = JobController::Press;

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

void EmitOne(AlbumCall& call, const char16_t* name) {
    ST_PERLISTRECORD record;
    record.name = name;
    call.Album(record);
}

class Controller : public ::testing::Test, protected JobHarness {
protected:
    // An album list that emits one album and then runs until it is asked to stop.
    void ListUntilStopped() {
        adapters.Row("qzone").albums = [this](AlbumCall& call, const std::u16string&) {
            EmitOne(call, u"First");
            entered = true;
            WaitUntil([&] { return call.Stopped(); });
        };
    }

    const ListRequest qzone{.siteType = SITE_TENCENT, .subMode = 0, .input = u"123456"};
    std::u16string SaveFolder() const { return dir.Path() + u"save"; }

    std::atomic<bool> entered{false};
};

TEST_F(Controller, SecondPressStopsTheAlbumListWhichStillFinishes) {
    ListUntilStopped();
    JobController controller(job, adapters.table, events);
    EXPECT_EQ(controller.PressListButton(qzone), Press::Started);
    ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
    EXPECT_EQ(controller.PressListButton(qzone), Press::Stopping);
    EXPECT_EQ(job.control.listState, LIST_STOP);
    controller.WaitForJobs();
    EXPECT_EQ(job.control.listState, LIST_IDLE);
    EXPECT_EQ(job.list.albums.Size(), 1u);
    EXPECT_EQ(CodePage::ToUtf8(events.Stage()), "获取相册列表完成，共1个");
    ASSERT_EQ(events.AlbumsListed().size(), 1u);
    EXPECT_EQ(events.AlbumsListed()[0].record.name, u"First");
    ASSERT_EQ(events.ListsEnded().size(), 1u);
    EXPECT_EQ(events.ListsEnded()[0].albumCount, 1);
    EXPECT_FALSE(events.IsBusy(JobKind::List));

    // The next list starts from an empty album list.
    events.Reset();
    adapters.Row("qzone").albums = nullptr;
    EXPECT_EQ(controller.PressListButton(qzone), Press::Started);
    controller.WaitForJobs();
    EXPECT_EQ(job.list.albums.Size(), 0u);
    EXPECT_TRUE(events.AlbumsListed().empty());
    ASSERT_EQ(events.ListsEnded().size(), 1u);
    EXPECT_EQ(events.ListsEnded()[0].albumCount, 0);
}

TEST_F(Controller, SecondPressStopsTheDownload) {
    adapters.EmitFrom("qzone");
    adapters.Row("qzone").pictures = [this](PictureCall&) {
        entered = true;
        WaitUntil([&] { return job.control.downloadState == DL_STOP; });
    };
    JobController controller(job, adapters.table, events);
    controller.PressListButton(qzone);
    controller.WaitForJobs();
    ASSERT_EQ(job.list.albums.Size(), 1u);

    EXPECT_EQ(
        controller.PressDownloadButton({.saveFolder = SaveFolder(), .albums = {0}, .input = qzone.input}),
        Press::Started);
    ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
    EXPECT_TRUE(events.IsBusy(JobKind::Download));
    // The list button is refused while a download reads the albums.
    EXPECT_EQ(controller.PressListButton(qzone), Press::Refused);
    EXPECT_EQ(job.list.albums.Size(), 1u);
    EXPECT_EQ(controller.PressDownloadButton({}), Press::Stopping);
    EXPECT_EQ(job.control.downloadState, DL_STOP);
    EXPECT_TRUE(job.control.pool.StopRequested());
    controller.WaitForJobs();
    EXPECT_EQ(job.control.downloadState, DL_IDLE);
    EXPECT_FALSE(events.IsBusy(JobKind::Download));
    EXPECT_EQ(CodePage::ToUtf8(events.Stage()), "已终止下载");
    ASSERT_EQ(events.JobsEnded().size(), 1u);
    EXPECT_EQ(events.JobsEnded()[0].end, DownloadEnd::Stopped);
    EXPECT_EQ(controller.DownloadsStarted(), 1);
}

// The list asks for an item page's one album to be downloaded at once; the front end presses the
// download button when the list ends, which it may do before the list's thread has returned.
TEST_F(Controller, SingleItemFoundIsDownloadedFromTheListThread) {
    class DownloadAtOnce : public RecordingJobEvents {
    public:
        void ListEnded(int albumCount, bool downloadAtOnce) override {
            RecordingJobEvents::ListEnded(albumCount, downloadAtOnce);
            if (downloadAtOnce) {
                pressed =
                    controller->PressDownloadButton({.saveFolder = saveFolder, .albums = {0}, .input = {}});
            }
        }
        JobController* controller = nullptr;
        std::u16string saveFolder;
        Press pressed = Press::Refused;
    } atOnce;
    atOnce.saveFolder = SaveFolder();
    adapters.EmitFrom("jd");
    JobController controller(job, adapters.table, atOnce);
    atOnce.controller = &controller;
    controller.PressListButton({.siteType = SITE_JD, .input = u"http://item.jd.com/1234.html"});
    controller.WaitForJobs();
    ASSERT_EQ(atOnce.ListsEnded().size(), 1u);
    EXPECT_TRUE(atOnce.ListsEnded()[0].downloadAtOnce);
    EXPECT_EQ(atOnce.pressed, Press::Started);
    EXPECT_EQ(controller.DownloadsStarted(), 1);
    EXPECT_EQ(adapters.Calls().back(), (RecordingAdapters::Call{"jd", u"0"}));
    EXPECT_EQ(job.control.downloadState, DL_IDLE);
}

TEST_F(Controller, ShutdownStopsRunningJobsAndJoinsThem) {
    ListUntilStopped();
    JobController controller(job, adapters.table, events);
    controller.PressListButton(qzone);
    ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
    EXPECT_TRUE(controller.Shutdown(5s));
    EXPECT_EQ(job.control.listState, LIST_IDLE);
}

TEST_F(Controller, JobThatIgnoresTheStopIsJoinedByTheDestructor) {
    std::atomic<bool> finished{false};
    adapters.Row("qzone").albums = [&](AlbumCall&, const std::u16string&) {
        entered = true;
        std::this_thread::sleep_for(300ms);
        finished = true;
    };
    {
        JobController controller(job, adapters.table, events);
        controller.PressListButton(qzone);
        ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
        EXPECT_FALSE(controller.Shutdown(10ms));
    }
    EXPECT_TRUE(finished);
    EXPECT_EQ(job.control.listState, LIST_IDLE);
}

}  // namespace
