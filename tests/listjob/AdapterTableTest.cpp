#include <gtest/gtest.h>

#include <string>

#include "core/JobContext.h"
#include "listjob/RecordingAdapters.h"

namespace {

struct PicturesCase {
    int siteType;
    int subMode;
    const char* adapter;  // nullptr: no picture list
};

TEST(AdapterTable, PicturesForFollowsTheStoredSubMode) {
    const PicturesCase cases[] = {
        {0, 0, "qzone"},          {0, 1, "qqGroup"},          {0, 2, "tencentWeibo"}, {0, -1, "qzone"},
        {1, 0, "baiduAlbums"},    {1, 1, "tiebaAlbums"},      {1, 2, "tiebaPage"},    {2, 1, "neteasePp"},
        {2, -1, "neteasePhoto"},  {2, 0, "neteasePhoto"},     {3, 0, "renrenPhoto"},  {3, 10, "renrenZhan"},
        {4, 0, "sinaBlogAlbums"}, {4, 1, "sinaBlogArticles"}, {4, 2, "sinaWeibo"},    {5, -1, "site56"},
        {6, 0, "pocoAlbums"},     {6, 1, "pocoActivity"},     {7, -1, "yupoo"},       {8, -1, "site51"},
        {9, -1, "zol"},           {10, -1, "pchome"},         {11, 2, "offer1688"},   {11, -1, "taobao"},
        {11, 0, "taobao"},        {12, -1, "moko"},           {13, 0, "babytreeNew"}, {13, 1, "babytreeOld"},
        {14, -1, "pconline"},     {15, -1, "hupu"},           {16, -1, "jd"},         {17, 0, nullptr},
        {-1, 0, nullptr},
    };
    RecordingAdapters adapters;
    JobContext job;
    for (const PicturesCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.siteType) + "/" + std::to_string(c.subMode));
        const PictureListOp* op = adapters.table.PicturesFor(c.siteType, c.subMode);
        if (c.adapter == nullptr) {
            EXPECT_EQ(op, nullptr);
            continue;
        }
        ASSERT_NE(op, nullptr);
        std::size_t before = adapters.Calls().size();
        (*op)(job, 3);
        ASSERT_EQ(adapters.Calls().size(), before + 1);
        EXPECT_EQ(adapters.Calls().back(), (RecordingAdapters::Call{c.adapter, u"3"}));
    }
}

TEST(AdapterTable, DefaultHasTheTencentAdaptersOnly) {
    const AdapterTable& table = AdapterTable::Default();
    EXPECT_TRUE(table.qzone.albums && table.qzone.pictures && table.qzoneSecondAlbums);
    EXPECT_TRUE(table.qqGroup.albums && table.qqGroup.pictures);
    EXPECT_TRUE(table.tencentWeibo.albums && table.tencentWeibo.pictures);
    // The other sites' adapters are not built: their album lists find nothing.
    EXPECT_FALSE(table.baiduAlbums.albums || table.taobao.albums || table.jd.pictures ||
                 table.renrenSecondPictures);
}

}  // namespace
