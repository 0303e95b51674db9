// SPDX-License-Identifier: GPL-3.0-or-later
// What the album-list job tells and keeps around the adapter call.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "jobs/AlbumListJob.h"
#include "jobs/JobContext.h"
#include "listjob/JobHarness.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/SettingsFile.h"
#include "sites/kit/AlbumCall.h"
#include "support/RecordingJobEvents.h"

namespace {

std::string U8(const std::u16string& text) {
    return CodePage::ToUtf8(text);
}

class ListJob : public ::testing::Test, protected JobHarness {
protected:
    // The album button for site with input; the sub-mode box shows for site type 0 only.
    void Run(int site, const std::u16string& input, int subModeBox = 0) {
        job.list.subMode = SUBMODE_UNSET;
        GetListFunc(
            {.siteType = site, .subMode = site == SITE_TENCENT ? subModeBox : SUBMODE_UNSET, .input = input},
            job, adapters.table, events);
    }

    bool Called(const std::string& call) const {
        const std::vector<std::string> calls = events.Calls();
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

TEST_F(ListJob, BlankInputOnlyTellsTheUser) {
    Run(SITE_TENCENT, u" \t\u3000 ");
    ASSERT_EQ(events.Messages().size(), 1u);
    EXPECT_EQ(U8(events.Messages()[0].caption), "提示");
    EXPECT_FALSE(events.Messages()[0].question);
    EXPECT_TRUE(adapters.Calls().empty());
    EXPECT_EQ(job.control.listState, LIST_IDLE);
    // No busy state was entered, so nothing was switched back either, and no list ended.
    EXPECT_TRUE(events.StageTexts().empty());
    EXPECT_FALSE(Called("Busy list"));
    EXPECT_FALSE(Called("Idle list"));
    EXPECT_TRUE(events.ListsEnded().empty());
}

TEST_F(ListJob, BusyWhileTheAdapterRunsAndCountsAfterwards) {
    bool sawBusyState = false;
    adapters.Row("qzone").albums = [&](AlbumCall& call, const std::u16string&) {
        sawBusyState =
            job.control.listState == LIST_RUNNING && !call.Stopped() && events.IsBusy(JobKind::List) &&
            !events.IsBusy(JobKind::Download) && U8(events.Stage()) == "正在获取相册列表，请稍等..." &&
            events.ProgressTexts() == std::vector<std::u16string>{u""} && events.ListsEnded().empty();
        ST_PERLISTRECORD record;
        for (const char16_t* name : {u"Summer", u"Winter"}) {
            record.name = name;
            call.Album(record);
        }
    };
    Run(SITE_TENCENT, u"123456");
    EXPECT_TRUE(sawBusyState);
    EXPECT_EQ(U8(events.Stage()), "获取相册列表完成，共2个");
    EXPECT_FALSE(events.IsBusy(JobKind::List));
    std::vector<RecordingJobEvents::Listed> listed = events.AlbumsListed();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].album, 0);
    EXPECT_EQ(listed[0].record.name, u"Summer");
    EXPECT_EQ(listed[1].album, 1);
    EXPECT_EQ(listed[1].record.name, u"Winter");
    ASSERT_EQ(events.ListsEnded().size(), 1u);
    EXPECT_EQ(events.ListsEnded()[0].albumCount, 2);
    EXPECT_EQ(job.control.listState, LIST_IDLE);
    // Sites that list many albums never download by themselves.
    EXPECT_FALSE(events.ListsEnded()[0].downloadAtOnce);
    // The list has left its busy state, and the input has joined the history, before it ends: a
    // front end may press the download button on ListEnded.
    const std::vector<std::string> calls = events.Calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0], "Busy list");
    EXPECT_EQ(calls[calls.size() - 4], "StageText 获取相册列表完成，共2个");
    EXPECT_EQ(calls[calls.size() - 3], "Idle list");
    EXPECT_EQ(calls[calls.size() - 2], "InputRemembered 123456");
    EXPECT_EQ(calls.back(), "ListEnded 2");
}

TEST_F(ListJob, NothingFoundKeepsHistoryUnchanged) {
    Run(SITE_SINA, u"12345");
    EXPECT_EQ(U8(events.Stage()), "获取相册列表完成，共0个");
    ASSERT_EQ(events.ListsEnded().size(), 1u);
    EXPECT_EQ(events.ListsEnded()[0].albumCount, 0);
    EXPECT_FALSE(events.IsBusy(JobKind::List));
    EXPECT_TRUE(job.settings.inputHistory[0].empty());
    EXPECT_TRUE(events.InputsRemembered().empty());
    EXPECT_FALSE(FileSystem::Exists(SettingsFile::PathIn(dir.Path())));
}

TEST_F(ListJob, InputThatFoundAlbumsJoinsTheHistoryOnce) {
    adapters.EmitFrom("sinaBlogAlbums");
    Run(SITE_SINA, u"  http://blog.sina.com.cn/Alice ");
    EXPECT_EQ(U8(job.settings.inputHistory[0]), "http://blog.sina.com.cn/Alice");
    EXPECT_EQ(events.InputsRemembered(), std::vector<std::u16string>{u"http://blog.sina.com.cn/Alice"});

    // Saved at once: fresh settings read it back from "soft.dat".
    ProgramSettings reloaded;
    reloaded.programDir = dir.Path();
    ASSERT_TRUE(SettingsFile::Load(reloaded));
    EXPECT_EQ(U8(reloaded.inputHistory[0]), "http://blog.sina.com.cn/Alice");

    // The same address in other letters is known already.
    Run(SITE_SINA, u"http://blog.sina.com.cn/ALICE");
    EXPECT_EQ(events.InputsRemembered().size(), 1u);
    EXPECT_TRUE(job.settings.inputHistory[1].empty());
}

TEST_F(ListJob, OwnerFolderLevelsAreCleanedAndEndWithASlash) {
    adapters.Row("taobao").albums = [](AlbumCall& call, const std::u16string&) {
        call.SetOwnerName(u"  Alice&amp;Bob  ");
        call.SetOwnerSuffix(u"Shop:One");
    };
    Run(SITE_SHOP, u"http://item.taobao.com/item.htm?id=1");
    EXPECT_EQ(U8(job.list.ownerName), "Alice&Bob/");
    EXPECT_EQ(U8(job.list.ownerSuffix), "ShopOne/");

    // Empty levels stay empty, and each run starts without the previous owner.
    adapters.Row("taobao").albums = nullptr;
    Run(SITE_SHOP, u"http://item.taobao.com/item.htm?id=1");
    EXPECT_TRUE(job.list.ownerName.empty());
    EXPECT_TRUE(job.list.ownerSuffix.empty());
}

TEST_F(ListJob, AdapterNotBuiltYetEndsWithTheSiteMessage) {
    // An empty table entry is a site whose adapter is not there yet.
    adapters.Row("hupu").albums = nullptr;
    Run(SITE_HUPU, u"http://my.hupu.com/alice");
    ASSERT_EQ(events.Messages().size(), 1u);
    EXPECT_EQ(U8(events.Messages()[0].text), "请先在登录菜单里登录虎扑帐号后重试(登录时勾上下次自动登录)");
    EXPECT_EQ(U8(events.Stage()), "获取相册列表完成，共0个");
}

}  // namespace
