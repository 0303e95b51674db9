// What the album-list job does to the window and the settings around the adapter call.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "core/AlbumListJob.h"
#include "core/JobContext.h"
#include "listjob/JobHarness.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/SettingsFile.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Emission.h"
#include "support/RecordingWindowPort.h"
#include "support/TempDir.h"

namespace {

std::string U8(const std::u16string& text) {
    return CodePage::ToUtf8(text);
}

class ListJob : public ::testing::Test, protected JobHarness {
protected:
    void Run(int site, const std::u16string& input, int subModeBox = 0) {
        port.SetSiteSelection(site);
        port.SetSubMode(site == SITE_TENCENT, subModeBox);
        port.SetControlText(IDC_INPUT, input);
        job.list.subMode = SUBMODE_UNSET;
        GetListFunc(job, adapters.table, [this] { ++downloads; });
    }

    int downloads = 0;
};

TEST_F(ListJob, BlankInputOnlyTellsTheUser) {
    Run(SITE_TENCENT, u" \t\u3000 ");
    ASSERT_EQ(port.Messages().size(), 1u);
    EXPECT_EQ(U8(port.Messages()[0].caption), "提示");
    EXPECT_TRUE(adapters.Calls().empty());
    EXPECT_EQ(job.listState, LIST_IDLE);
    // No busy state was entered, so nothing was switched back either.
    EXPECT_TRUE(port.Texts(IDC_STAGE).empty());
    EXPECT_TRUE(port.Texts(IDC_LIST_BUTTON).empty());
    EXPECT_TRUE(port.IsEnabled(IDC_SITE));
}

TEST_F(ListJob, BusyWhileTheAdapterRunsAndCountsAfterwards) {
    port.SetCheck(IDC_SELECT_ALL, true);
    bool sawBusyState = false;
    adapters.Row("qzone").albums = [&](AlbumCall& call, const std::u16string&) {
        sawBusyState =
            call.job.listState == LIST_RUNNING && !port.IsEnabled(IDC_DOWNLOAD_BUTTON) &&
            !port.IsEnabled(IDC_SITE) && !port.IsEnabled(IDC_INPUT) && !port.IsEnabled(IDC_PREVIEW) &&
            !port.IsEnabled(IDC_FIND) && !port.IsEnabled(IDC_FILTER) && !port.IsEnabled(IDC_EXPORT) &&
            !port.IsChecked(IDC_SELECT_ALL) && !port.IsShown(IDC_NOTICE) &&
            U8(port.Text(IDC_LIST_BUTTON)) == "终止获取" && U8(port.Text(IDC_GROUP)) == "相册列表" &&
            U8(port.Text(IDC_STAGE)) == "正在获取相册列表，请稍等..." && port.Text(IDC_PROGRESS).empty();
        ST_PERLISTRECORD record;
        for (const char16_t* name : {u"Summer", u"Winter"}) {
            record.name = name;
            call.Album(record);
        }
    };
    Run(SITE_TENCENT, u"123456");
    EXPECT_TRUE(sawBusyState);
    EXPECT_EQ(U8(port.Text(IDC_GROUP)), "相册列表(共2个)");
    EXPECT_EQ(U8(port.Text(IDC_STAGE)), "获取相册列表完成，共2个");
    EXPECT_EQ(U8(port.Text(IDC_LIST_BUTTON)), "获取相册");
    for (int control :
         {IDC_SITE, IDC_DOWNLOAD_BUTTON, IDC_INPUT, IDC_PREVIEW, IDC_FIND, IDC_FILTER, IDC_EXPORT}) {
        EXPECT_TRUE(port.IsEnabled(control)) << control;
    }
    EXPECT_GT(port.GridChangedCount(), 0);
    EXPECT_EQ(job.listState, LIST_IDLE);
    // Sites that list many albums never download by themselves.
    EXPECT_EQ(downloads, 0);
}

TEST_F(ListJob, NothingFoundKeepsDownloadOffAndHistoryUnchanged) {
    Run(SITE_SINA, u"12345");
    EXPECT_EQ(U8(port.Text(IDC_STAGE)), "获取相册列表完成，共0个");
    EXPECT_EQ(U8(port.Text(IDC_GROUP)), "相册列表(共0个)");
    EXPECT_FALSE(port.IsEnabled(IDC_DOWNLOAD_BUTTON));
    EXPECT_TRUE(port.IsEnabled(IDC_SITE));
    EXPECT_TRUE(job.inputHistory[0].empty());
    EXPECT_TRUE(port.HistoryItems().empty());
    EXPECT_FALSE(FileSystem::Exists(SettingsFile::PathIn(dir.Path())));
}

TEST_F(ListJob, InputThatFoundAlbumsJoinsTheHistoryOnce) {
    adapters.EmitFrom("sinaBlogAlbums");
    Run(SITE_SINA, u"  http://blog.sina.com.cn/Alice ");
    EXPECT_EQ(U8(job.inputHistory[0]), "http://blog.sina.com.cn/Alice");
    EXPECT_EQ(port.HistoryItems(), std::vector<std::u16string>{u"http://blog.sina.com.cn/Alice"});

    // Saved at once: a fresh context reads it back from "soft.dat".
    JobContext reloaded;
    reloaded.programDir = dir.Path();
    ASSERT_TRUE(SettingsFile::Load(reloaded));
    EXPECT_EQ(U8(reloaded.inputHistory[0]), "http://blog.sina.com.cn/Alice");

    // The same address in other letters is known already.
    Run(SITE_SINA, u"http://blog.sina.com.cn/ALICE");
    EXPECT_EQ(port.HistoryItems().size(), 1u);
    EXPECT_TRUE(job.inputHistory[1].empty());
}

TEST_F(ListJob, OwnerFolderLevelsAreCleanedAndEndWithASlash) {
    adapters.Row("taobao").albums = [](AlbumCall& call, const std::u16string&) {
        call.job.list.ownerName = u"  Alice&amp;Bob  ";
        call.job.list.ownerSuffix = u"Shop:One";
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
    ASSERT_EQ(port.Messages().size(), 1u);
    EXPECT_EQ(U8(port.Messages()[0].text), "请先在登录菜单里登录虎扑帐号后重试(登录时勾上下次自动登录)");
    EXPECT_EQ(U8(port.Text(IDC_STAGE)), "获取相册列表完成，共0个");
}

}  // namespace
