// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"
#include "sites/SiteCatalogue.h"

namespace {

struct DetectionCase {
    std::u16string input;
    bool hit;
    int siteType;
    int subMode;
};

TEST(SiteDetection, FindsTheSiteByItsDomainMarker) {
    const DetectionCase cases[] = {
        {u"http://user.qzone.qq.com/123456", true, 0, 0},
        {u"http://t.qq.com/alice", true, 0, 2},
        // A QQ address that carries the Tencent Weibo host is Tencent Weibo.
        {u"http://user.qzone.qq.com/123?ref=http://t.qq.com/x", true, 0, 2},
        {u"http://qun.qzone.qq.com/group#!/246810/photo", true, 0, 1},
        {u"https://user.qzone.qq.com/123456", true, 0, 0},
        {u"https://tieba.baidu.com/f?kw=abc", true, 1, -1},
        {u"http://photo.163.com/alice/", true, 2, -1},
        {u"http://www.renren.com/22334455", true, 3, -1},
        {u"http://blog.sina.com.cn/alice", true, 4, -1},
        {u"http://weibo.com/alice", true, 4, -1},
        {u"https://m.weibo.cn/u/1001", true, 4, -1},
        {u"http://www.56.com/u/alice", true, 5, -1},
        {u"http://my.poco.cn/id-1.shtml", true, 6, -1},
        {u"http://www.yupoo.com/photos/alice/", true, 7, -1},
        {u"http://photo.51.com/alice", true, 8, -1},
        {u"http://my.zol.com.cn/alice/", true, 9, -1},
        {u"http://photo.pchome.com.tw/alice/", true, 10, -1},
        {u"http://item.taobao.com/item.htm?id=1", true, 11, -1},
        {u"http://detail.tmall.com/item.htm?id=1", true, 11, -1},
        {u"http://detail.1688.com/offer/1.html", true, 11, -1},
        {u"http://www.moko.cc/alice/", true, 12, -1},
        {u"http://home.babytree.com/u1/", true, 13, -1},
        {u"http://photo.pconline.com.cn/alice/", true, 14, -1},
        {u"http://my.hupu.com/alice", true, 15, -1},
        // The first marker in the window's order wins, wherever it stands in the address.
        {u"http://www.taobao.com/?r=http://www.baidu.com/", true, 1, -1},
        // JD is not detected; neither is anything without a scheme, nor a marker at the start.
        {u"http://item.jd.com/1234.html", false, -1, -1},
        {u"123456", false, -1, -1},
        {u"www.taobao.com/shop", false, -1, -1},
        {u"qq.com/ http://", false, -1, -1},
        {u"", false, -1, -1},
    };
    for (const DetectionCase& c : cases) {
        DetectedSite detected = DetectSite(c.input);
        SCOPED_TRACE(CodePage::ToUtf8(c.input));
        EXPECT_EQ(detected.hit, c.hit);
        EXPECT_EQ(detected.siteType, c.siteType);
        EXPECT_EQ(detected.subMode, c.subMode);
    }
}

}  // namespace
