// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/PictureList.h"
#include "jobs/JobContext.h"
#include "jobs/PictureListRun.h"
#include "listjob/RecordingAdapters.h"
#include "sites/AdapterTable.h"
#include "support/RecordingJobEvents.h"

namespace {

struct PicturesCase {
    int siteType;
    int subMode;
    const char* adapter;  // nullptr: no picture list
};

TEST(AdapterTable, PicturesFollowTheStoredSubMode) {
    const PicturesCase cases[] = {
        {0, 0, "qzone"},          {0, 1, "qqGroup"},          {0, 2, "tencentWeibo"},
        {0, -1, "qzone"},         {1, 0, "baiduAlbums"},      {1, 1, "tiebaAlbums"},
        {1, 2, "tiebaPage"},      {2, 1, "neteasePp"},        {2, -1, "neteasePhoto"},
        {2, 0, "neteasePhoto"},   {3, 0, "renrenPhoto"},      {3, 10, "renrenZhan"},
        {4, 0, "sinaBlogAlbums"}, {4, 1, "sinaBlogArticles"}, {4, 2, "sinaWeibo"},
        {5, -1, "site56"},        {6, 0, "pocoAlbums"},       {6, 1, "pocoActivity"},
        {7, -1, "yupoo"},         {8, -1, "site51"},          {9, -1, "zol"},
        {10, -1, "pchome"},       {11, 2, "offer1688"},       {11, -1, "taobao"},
        {11, 0, "taobao"},        {12, -1, "moko"},           {13, 0, "babytreeNew"},
        {13, 1, "babytreeOld"},   {14, -1, "pconline"},       {15, -1, "hupu"},
        {16, -1, "jd"},           {17, 0, nullptr},           {4, 3, "sinaWeiboMobile"},
        {-1, 0, nullptr},
    };
    RecordingAdapters adapters;
    RecordingJobEvents events;
    JobContext job;
    ST_PERLISTRECORD album;
    for (int i = 0; i < 4; ++i) {
        job.list.albums.Add(album);
    }
    for (const PicturesCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.siteType) + "/" + std::to_string(c.subMode));
        const AdapterRow* row = adapters.table.Find(c.siteType, c.subMode);
        if (c.adapter == nullptr) {
            EXPECT_EQ(row, nullptr);
            continue;
        }
        ASSERT_NE(row, nullptr);
        std::size_t before = adapters.Calls().size();
        PictureList pictures;
        PictureListRun run(job, events, job.settings.Slot(c.siteType).naming, pictures, 3, u"");
        run.Run(row->pictures);
        ASSERT_EQ(adapters.Calls().size(), before + 1);
        EXPECT_EQ(adapters.Calls().back(), (RecordingAdapters::Call{c.adapter, u"3"}));
    }
}

// Every site type has a row for every sub-mode the album-list job can give it, and no two rows
// claim the same one.
TEST(AdapterTable, RowsCoverEverySiteTypeOnce) {
    std::set<std::pair<int, int>> seen;
    std::set<std::string_view> names;
    for (const AdapterRow& row : AdapterTable::Default().rows) {
        EXPECT_TRUE(seen.insert({row.siteType, row.subMode}).second) << row.name;
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
    }
    for (int siteType = 0; siteType < SITE_TYPE_COUNT; ++siteType) {
        EXPECT_NE(AdapterTable::Default().Find(siteType, SUBMODE_UNSET), nullptr) << siteType;
    }
}

}  // namespace
