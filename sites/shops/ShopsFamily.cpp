// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/shops/ShopsFamily.h"

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/InputRules.h"
#include "sites/shops/JdItemAdapter.h"
#include "sites/shops/Offer1688Adapter.h"
#include "sites/shops/ShopHosts.h"
#include "sites/shops/TaobaoShopAdapter.h"

using Fields::Contains;
using Fields::ContainsAfterStart;

namespace {

constexpr std::u16string_view kNotice = u"提示";
constexpr std::u16string_view kOfferAddressRequired =
    u"请输入1688商品详情页的网址（网址中含有1688.com/offer，如：http://detail.1688.com/offer/123456.html）";
constexpr std::u16string_view kJdItemAddressRequired =
    u"请输入京东商品页的网址（网址中含有item.jd.com，如：http://item.jd.com/123456.html）";
constexpr std::u16string_view kTaobaoEmpty =
    u"没有获取到淘宝宝贝，如果是整店下载，需要在下载器的登录菜单里登录一个淘宝帐号后再获取";

// A 1688 offer, a Taobao or Tmall item, search or category page, or a whole shop. A single product
// is one album and is downloaded at once when found.
bool NormaliseShop(ListPlan& plan, AlbumCall& call) {
    std::u16string& in = plan.input;
    plan.autoDownload = true;
    if (ContainsAfterStart(in, ShopHosts::k1688Marker)) {
        if (!Contains(in, ShopHosts::k1688Offer)) {
            call.Notice(kOfferAddressRequired, kNotice);
            return false;
        }
        plan.subMode = SHOP_1688;
        return true;
    }
    if (ContainsAfterStart(in, u"search") || ContainsAfterStart(in, ShopHosts::kItemHostMarker) ||
        ContainsAfterStart(in, u"/category-")) {
        // The listing appends its own paging parameters; the user's must not compete with them.
        if (!Contains(in, u"?")) {
            in.push_back(u'?');
        }
        StringCtrl::ReplaceAll(in, u"pageNum=", u"Zmw1=");
        StringCtrl::ReplaceAll(in, u"viewType=", u"Zmw2=");
    } else {
        // Any other shop page: search the whole shop.
        StringCtrl::CutAt(in, ShopHosts::kTopLevelDomain);
        in += ShopHosts::kTopLevelDomain;
        in += u"/?search=y";
    }
    plan.emptyMessage = kTaobaoEmpty;
    return true;
}

// A JD item is one album: it is downloaded at once when found.
bool NormaliseJd(ListPlan& plan, AlbumCall& call) {
    plan.autoDownload = true;
    if (!Contains(plan.input, ShopHosts::kJdItemHost)) {
        call.Notice(kJdItemAddressRequired, kNotice);
        return false;
    }
    return true;
}

}  // namespace

const SiteFamily& ShopsFamily() {
    static const SiteFamily family{
        .name = "Shops",
        .markers = {{ShopHosts::kTaobaoDomain, SITE_SHOP},
                    {ShopHosts::kTmallDomain, SITE_SHOP},
                    {ShopHosts::k1688Domain, SITE_SHOP}},
        .normalisations = {{SITE_SHOP, NormaliseShop}, {SITE_JD, NormaliseJd}},
        .rows =
            {
                {.name = "offer1688",
                 .siteType = SITE_SHOP,
                 .subMode = SHOP_1688,
                 .albums = Offer1688Adapter::AlbumList,
                 .pictures = Offer1688Adapter::PictureList},
                {.name = "taobao",
                 .siteType = SITE_SHOP,
                 .subMode = ANY_SUBMODE,
                 .albums = TaobaoShopAdapter::AlbumList,
                 .pictures = TaobaoShopAdapter::PictureList},
                {.name = "jd",
                 .siteType = SITE_JD,
                 .subMode = ANY_SUBMODE,
                 .albums = JdItemAdapter::AlbumList,
                 .pictures = JdItemAdapter::PictureList},
            },
    };
    return family;
}
