// SPDX-License-Identifier: GPL-3.0-or-later
// The kit's small pieces: the stoppable wait, the field helpers and the picture emission's rule
// for empty addresses.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "MyCode/StringCtrl.h"
#include "SiteTest.h"
#include "jobs/AlbumListRun.h"
#include "platform/StoppableWait.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/PictureCall.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST(StoppableWait, StopDuringAWaitReturnsAtOnce) {
    SetWaitScale(1.0);
    std::atomic<bool> stop{false};
    std::thread stopper([&] {
        std::this_thread::sleep_for(50ms);
        stop = true;
    });
    auto start = Clock::now();
    EXPECT_FALSE(StoppableWait(3000ms, [&] { return stop.load(); }));
    stopper.join();
    EXPECT_LT(MsSince(start), 150);  // the stop came after 50 ms and was seen within 100 ms

    start = Clock::now();
    EXPECT_TRUE(StoppableWait(30ms, {}));
    EXPECT_GE(MsSince(start), 30);
}

class Kit : public SiteTest {};

// A call's waits and the retry pauses of its fetches both end at the job's stop.
TEST_F(Kit, CallWaitsAndRetryPausesEndAtTheStop) {
    SetWaitScale(1.0);
    AlbumListRun run(job, events, SITE_TENCENT);
    AlbumCall call = run.NewCall();
    std::thread stopper([&] {
        std::this_thread::sleep_for(50ms);
        job.control.listState = LIST_STOP;
    });
    auto start = Clock::now();
    EXPECT_FALSE(call.Wait(3000ms));
    EXPECT_LT(MsSince(start), 150);
    stopper.join();

    job.control.listState = LIST_RUNNING;
    server.Serve("/short", "x");
    call.session.request.minLength = 100;
    call.session.request.attempts = 3;
    call.session.request.retryPauseSec = 10;
    std::thread stopper2([&] {
        std::this_thread::sleep_for(100ms);
        job.control.listState = LIST_STOP;
    });
    std::u16string text;
    start = Clock::now();
    EXPECT_FALSE(call.Fetch(server.BaseUrl16() + u"/short", TEXT_INFLATE, text));
    EXPECT_LT(MsSince(start), 1000);
    stopper2.join();
    EXPECT_EQ(server.RequestsTo("/short").size(), 1u);
}

TEST_F(Kit, EmptyPictureAddressIsNeverEmitted) {
    StartDownload(ST_PERLISTRECORD{.name = u"a"});
    RunPictures([](PictureCall& call) {
        EXPECT_TRUE(call.Picture(u"", u"nothing"));
        EXPECT_TRUE(call.Picture(u"  ", u"blank"));
        EXPECT_TRUE(call.Picture(u"http://x/1.jpg", u"one"));
        EXPECT_EQ(call.Emitted(), 1);
    });
    EXPECT_EQ(PictureUrls(), std::vector<std::u16string>{u"http://x/1.jpg"});
}

TEST_F(Kit, RenamedAlbumNamesItsFolder) {
    StartDownload(ST_PERLISTRECORD{.name = u"listed"});
    RunPictures([](PictureCall& call) {
        call.RenameAlbum(u"from the page");
        call.Picture(u"http://x/1.jpg", u"one");
    });
    EXPECT_EQ(job.list.albums.CopyOf(0)->name, u"from the page");
    EXPECT_EQ(AlbumFolder(), dir.Path() + u"from the page/");
}

TEST(Fields, PeekIsTheInPlaceCut) {
    struct Case {
        std::u16string text, before, after;
    } cases[] = {
        {u"a=1;b=2;", u"b=", u";"}, {u"a=1;", u"x", u";"}, {u"a=1", u"a=", u";"},
        {u"a=1;", u"", u";"},       {u"a=1;", u"a=", u""}, {u"=;=;", u"=", u";"},
    };
    for (const Case& c : cases) {
        std::u16string copy = c.text;
        EXPECT_EQ(Fields::Peek(c.text, c.before, c.after), StringCtrl::GetBetween(copy, c.before, c.after));
    }
    std::u16string text = u"n=1;n=2;";
    EXPECT_EQ(Fields::CutNumber(text, u"n=", u";"), 1);
    EXPECT_EQ(Fields::CutNumber(text, u"n=", u";"), 2);  // each cut starts after the one before
    EXPECT_EQ(Fields::Items(u"x<li>a<li>b", u"<li>"), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_TRUE(Fields::Items(u"nothing", u"<li>").empty());
    EXPECT_EQ(Fields::LeftOfLast(u"a_b_c", u"_"), u"a_b");
    EXPECT_EQ(Fields::LeftOfLast(u"abc", u"_"), u"");
}

TEST(Fields, AddressHelpers) {
    EXPECT_EQ(Fields::ReplaceInFileName(u"http://s.host.com/s.dir/12s.jpg", u"s.", u"."),
              u"http://s.host.com/s.dir/12.jpg");
    EXPECT_EQ(Fields::ReplaceInFileName(u"nofolder_s.jpg", u"_s.", u"."), u"nofolder.jpg");
    EXPECT_EQ(Fields::Absolute(u"//img.host/a.jpg", u"https://shop/x"), u"https://img.host/a.jpg");
    EXPECT_EQ(Fields::Absolute(u"//img.host/a.jpg", u"http://shop/x"), u"http://img.host/a.jpg");
    EXPECT_EQ(Fields::Absolute(u"https://img.host/a.jpg", u"http://shop/x"), u"https://img.host/a.jpg");
    EXPECT_TRUE(Fields::ContainsAfterStart(u"xab", u"ab"));
    EXPECT_FALSE(Fields::ContainsAfterStart(u"abx", u"ab"));
}

}  // namespace
