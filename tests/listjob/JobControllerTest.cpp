#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "GridCtrl_src/AlbumGrid.h"
#include "core/JobContext.h"
#include "core/JobController.h"
#include "listjob/JobHarness.h"
#include "platform/CodePage.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Emission.h"
#include "sites/kit/PictureCall.h"
#include "support/RecordingWindowPort.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

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

void EmitOne(JobContext& job, const char16_t* name) {
    ST_PERLISTRECORD record;
    record.name = name;
    EmitAlbum(record, job);
}

class Controller : public ::testing::Test, protected JobHarness {
protected:
    Controller() {
        port.SetSiteSelection(SITE_TENCENT);
        port.SetSubMode(true, 0);
        port.SetControlText(IDC_INPUT, u"123456");
        port.SetControlText(IDC_SAVE_PATH, dir.Path() + u"save");
    }

    // An album list that emits one album and then runs until it is asked to stop.
    void ListUntilStopped() {
        adapters.Row("qzone").albums = [this](AlbumCall& call, const std::u16string&) {
            EmitOne(call.job, u"First");
            entered = true;
            WaitUntil([&] { return call.job.listState == LIST_STOP; });
        };
    }

    std::atomic<bool> entered{false};
};

TEST_F(Controller, ListButtonDoesNothingBeforeStartUpHasFinished) {
    job.ready = 0;
    JobController controller(job, adapters.table);
    controller.PressListButton();
    controller.WaitForJobs();
    EXPECT_TRUE(adapters.Calls().empty());
    EXPECT_EQ(job.listState, LIST_IDLE);
}

TEST_F(Controller, SecondPressStopsTheAlbumListWhichStillFinishes) {
    ListUntilStopped();
    JobController controller(job, adapters.table);
    controller.PressListButton();
    ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
    controller.PressListButton();
    EXPECT_EQ(job.listState, LIST_STOP);
    controller.WaitForJobs();
    EXPECT_EQ(job.listState, LIST_IDLE);
    EXPECT_EQ(job.list.albums.Size(), 1u);
    EXPECT_EQ(CodePage::ToUtf8(port.Text(IDC_STAGE)), "获取相册列表完成，共1个");
    EXPECT_EQ(job.grid.RowCount(), 2);

    // The next list starts from an empty grid and album list.
    adapters.Row("qzone").albums = nullptr;
    controller.PressListButton();
    controller.WaitForJobs();
    EXPECT_EQ(job.list.albums.Size(), 0u);
    EXPECT_EQ(job.grid.RowCount(), job.grid.FixedRowCount());
}

TEST_F(Controller, SecondPressStopsTheDownload) {
    adapters.EmitFrom("qzone");
    adapters.Row("qzone").pictures = [this](PictureCall& call) {
        entered = true;
        WaitUntil([&] { return call.job.downloadState == DL_STOP; });
    };
    JobController controller(job, adapters.table);
    controller.PressListButton();
    controller.WaitForJobs();
    ASSERT_EQ(job.list.albums.Size(), 1u);
    SelectAllAlbums(job, true);

    controller.PressDownloadButton();
    ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
    // The list button is off while a download reads the albums.
    controller.PressListButton();
    EXPECT_EQ(job.list.albums.Size(), 1u);
    controller.PressDownloadButton();
    EXPECT_EQ(job.downloadState, DL_STOP);
    EXPECT_TRUE(job.pool.StopRequested());
    controller.WaitForJobs();
    EXPECT_EQ(job.downloadState, DL_IDLE);
    EXPECT_EQ(CodePage::ToUtf8(port.Text(IDC_STAGE)), "已终止下载");
    EXPECT_EQ(controller.DownloadsStarted(), 1);
}

TEST_F(Controller, SingleItemFoundIsDownloadedFromTheListThread) {
    port.SetSiteSelection(SITE_JD);
    port.SetSubMode(false, 0);
    port.SetControlText(IDC_INPUT, u"http://item.jd.com/1234.html");
    adapters.EmitFrom("jd");
    JobController controller(job, adapters.table);
    controller.PressListButton();
    controller.WaitForJobs();
    EXPECT_EQ(controller.DownloadsStarted(), 1);
    EXPECT_EQ(adapters.Calls().back(), (RecordingAdapters::Call{"jd", u"0"}));
    EXPECT_EQ(job.downloadState, DL_IDLE);
}

TEST_F(Controller, ShutdownStopsRunningJobsAndJoinsThem) {
    ListUntilStopped();
    JobController controller(job, adapters.table);
    controller.PressListButton();
    ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
    EXPECT_TRUE(controller.Shutdown(5s));
    EXPECT_EQ(job.listState, LIST_IDLE);
}

TEST_F(Controller, JobThatIgnoresTheStopIsJoinedByTheDestructor) {
    std::atomic<bool> finished{false};
    adapters.Row("qzone").albums = [&](AlbumCall&, const std::u16string&) {
        entered = true;
        std::this_thread::sleep_for(300ms);
        finished = true;
    };
    {
        JobController controller(job, adapters.table);
        controller.PressListButton();
        ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
        EXPECT_FALSE(controller.Shutdown(10ms));
    }
    EXPECT_TRUE(finished);
    EXPECT_EQ(job.listState, LIST_IDLE);
}

}  // namespace
