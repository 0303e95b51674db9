// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/tencent/TencentFamily.h"

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/InputRules.h"
#include "sites/tencent/QqGroupAdapter.h"
#include "sites/tencent/QzoneAdapter.h"
#include "sites/tencent/TencentHosts.h"
#include "sites/tencent/TencentWeiboAccount.h"
#include "sites/tencent/TencentWeiboAdapter.h"

using Fields::Contains;
using Fields::CutAtEach;
using StringCtrl::SkipPast;

namespace {

constexpr std::u16string_view kQzoneNumberOnly = u"请直接输入QQ号进行下载";
constexpr std::u16string_view kQzoneEmpty =
    u"没有获取到相册，原因如下：\n\n1、可能是因为空间不是公开的，你哪个号能进入他的空间，就先在下载器的登录菜"
    u"单里登录"
    u"了那个号后再点获取相册\n\n2、下载QQ空间相册请直接输入QQ号进行下载";
constexpr std::u16string_view kWeiboEmpty =
    u"没有获取到相册，可按以下步骤操作：\n\n1、请先在下载器的登录菜单里登录你的腾讯微博帐号("
    u"登录时勾上下次自动登录)\n\n"
    u"2、输入你要下载的那个人的微博主页网址后，点获取相册列表";
constexpr std::u16string_view kQqGroupEmpty =
    u"没有获取到相册，可按以下步骤操作：\n\n1、你哪个号加入了你要下载的QQ群，就先在下载器的登录菜单里登录那个"
    u"QQ号\n\n"
    u"2、输入你要下载的QQ群号后，点获取相册列表";

// The sub-mode box chooses among the three services; a Tencent Weibo address chooses Weibo
// whatever the box says.
bool Normalise(ListPlan& plan, AlbumCall& call) {
    std::u16string& in = plan.input;
    if (plan.subMode == TENCENT_QZONE) {
        SkipPast(in, TencentHosts::kTopLevelDomain);
        CutAtEach(in, {u"/", u"&", u"*", u"?", u"#"});
        if (!InputRules::IsAllDigits(in)) {
            call.Notice(kQzoneNumberOnly);
            return false;
        }
        call.SetOwnerName(in);
        plan.emptyMessage = kQzoneEmpty;
        return true;
    }
    if (Contains(in, TencentHosts::kWeiboHome) || plan.subMode == TENCENT_WEIBO) {
        SkipPast(in, TencentHosts::kWeiboTopLevelDomain);
        SkipPast(in, u"hoto/");
        CutAtEach(in, {u"/", u"?"});
        call.Keep<TencentWeiboAccount>().name = in;
        call.SetOwnerName(in);
        plan.subMode = TENCENT_WEIBO;
        plan.emptyMessage = kWeiboEmpty;
        return true;
    }
    if (plan.subMode == TENCENT_QQGROUP) {
        SkipPast(in, u"!/");
        CutAtEach(in, {u"/", u"?", u"#"});
        call.SetOwnerName(in);
        plan.emptyMessage = kQqGroupEmpty;
        return true;
    }
    return false;
}

int DetectSubMode(std::u16string_view input) {
    if (Contains(input, TencentHosts::kWeiboHome)) {
        return TENCENT_WEIBO;
    }
    return Contains(input, TencentHosts::kQqGroupSite) ? TENCENT_QQGROUP : TENCENT_QZONE;
}

}  // namespace

const SiteFamily& TencentFamily() {
    static const SiteFamily family{
        .name = "Tencent",
        .markers = {{TencentHosts::kQqDomain, SITE_TENCENT}},
        .detectSubMode = DetectSubMode,
        .normalisations = {{SITE_TENCENT, Normalise}},
        .rows =
            {
                {.name = "qzone",
                 .siteType = SITE_TENCENT,
                 .subMode = ANY_SUBMODE,
                 .albums = QzoneAdapter::AlbumList,
                 .pictures = QzoneAdapter::PictureList,
                 .secondAlbumsName = "qzoneSecondAlbums",
                 .secondAlbums = QzoneAdapter::SecondAlbumList},
                {.name = "qqGroup",
                 .siteType = SITE_TENCENT,
                 .subMode = TENCENT_QQGROUP,
                 .albums = QqGroupAdapter::AlbumList,
                 .pictures = QqGroupAdapter::PictureList},
                {.name = "tencentWeibo",
                 .siteType = SITE_TENCENT,
                 .subMode = TENCENT_WEIBO,
                 .albums = TencentWeiboAdapter::AlbumList,
                 .pictures = TencentWeiboAdapter::PictureList},
            },
    };
    return family;
}
