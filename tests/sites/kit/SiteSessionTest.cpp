// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "jobs/JobControl.h"
#include "sites/kit/SiteCall.h"
#include "support/FixtureServer.h"

namespace {

TEST(SiteSession, FetchGivesDecodedTextWithTheCommonHeaders) {
    FixtureServer server;
    server.Serve("/utf8", "<b>相册 &amp; 1</b>", "text/html; charset=utf-8");
    server.Serve("/gbk", std::string("\xCF\xE0\xB2\xE1", 4), "text/html");

    SiteSession session;
    EXPECT_EQ(session.request.readTimeoutMs, SiteSession::TIMEOUT_MS);
    std::u16string text;
    ASSERT_TRUE(session.Fetch(server.BaseUrl16() + u"/utf8", TEXT_INFLATE | TEXT_UTF8, text));
    EXPECT_EQ(text, u"<b>相册 & 1</b>");
    ASSERT_TRUE(session.Fetch(server.BaseUrl16() + u"/gbk", TEXT_INFLATE, text));
    EXPECT_EQ(text, u"相册");

    session.SetExtraHeaders(u"Referer: http://r/\r\nCookie: a=1");
    ASSERT_TRUE(session.Fetch(server.BaseUrl16() + u"/utf8", TEXT_INFLATE | TEXT_UTF8, text));
    auto requests = server.RequestsTo("/utf8");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Header("Accept-Encoding"), "gzip, deflate");
    EXPECT_EQ(requests[0].Header("Referer"), "");
    EXPECT_EQ(requests[1].Header("Accept-Encoding"), "gzip, deflate");
    EXPECT_EQ(requests[1].Header("Referer"), "http://r/");
    EXPECT_EQ(requests[1].Header("Cookie"), "a=1");
}

TEST(SiteSession, SettingsMadeOnceHoldForEveryFetch) {
    FixtureServer server;
    server.Serve("/short", "tiny");
    SiteSession session;
    session.request.minLength = 100;
    session.request.attempts = 2;
    session.request.retryPauseSec = 0;
    std::u16string text = u"stale";
    EXPECT_FALSE(session.Fetch(server.BaseUrl16() + u"/short", TEXT_INFLATE, text));
    EXPECT_EQ(text, u"");
    EXPECT_FALSE(session.Fetch(server.BaseUrl16() + u"/short", TEXT_INFLATE, text));
    EXPECT_EQ(server.RequestsTo("/short").size(), 4u);
}

TEST(SiteSession, StopChecks) {
    JobControl control;
    struct Case {
        std::uint8_t list;
        std::uint8_t download;
        bool listStopped;
        bool picturesStopped;
    };
    for (const Case& c :
         {Case{LIST_IDLE, DL_IDLE, false, false}, Case{LIST_RUNNING, DL_RUNNING, false, false},
          Case{LIST_STOP, DL_ALBUM_DONE, true, true}, Case{LIST_RUNNING, DL_STOP, false, true}}) {
        control.listState = c.list;
        control.downloadState = c.download;
        EXPECT_EQ(control.ListStopped(), c.listStopped);
        EXPECT_EQ(control.PicturesStopped(), c.picturesStopped);
    }
}

}  // namespace
