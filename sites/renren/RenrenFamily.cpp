// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/renren/RenrenFamily.h"

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/InputRules.h"
#include "sites/renren/RenrenHosts.h"
#include "sites/renren/RenrenPhotoAdapter.h"
#include "sites/renren/RenrenZhanAdapter.h"

using Fields::Contains;

namespace {

constexpr std::u16string_view kZhanEmpty =
    u"1、没有获取到相册，需要你在登录菜单里登录一个人人帐号(登录时勾上下次自动登录)后重新获取";

// One album's address, a zhan site, or a user: by number, or by a profile name whose page names
// the number.
bool Normalise(ListPlan& plan, AlbumCall& call) {
    std::u16string& in = plan.input;
    if (Fields::ContainsAfterStart(in, u"/album-")) {
        StringCtrl::CutAt(in, u"?");
        plan.subMode = RENREN_PHOTO;
        return true;
    }
    if (Contains(in, RenrenHosts::kZhanMarker)) {
        plan.subMode = RENREN_ZHAN;
        plan.emptyMessage = kZhanEmpty;
        return true;
    }
    bool publicPage = Contains(in, RenrenHosts::kPublicPageMarker);
    plan.subMode = RENREN_PHOTO;
    StringCtrl::SkipPast(in, u"id=");
    Fields::CutAtEach(in, {u"?", u"/album", u"/profile", u"/channel-"});
    if (in.find(u'/', 1) != std::u16string::npos) {
        in.erase(0, in.rfind(u'/') + 1);
    }
    if (!InputRules::IsAllDigits(in)) {
        // A profile name: its page names the numeric id.
        std::u16string page;
        std::u16string profile(publicPage ? RenrenHosts::kPublicPage : RenrenHosts::kMain);
        if (!call.Fetch(profile + u"/" + in, TEXT_INFLATE | TEXT_UTF8, page)) {
            return false;
        }
        in = StringCtrl::GetBetween(page, u"pid: '", u"'");
        if (in.empty()) {
            in = StringCtrl::GetBetween(page, u"profile_owner =", u";");
        }
    }
    in = StringCtrl::Trim(in);
    return true;
}

}  // namespace

const SiteFamily& RenrenFamily() {
    static const SiteFamily family{
        .name = "Renren",
        .markers = {{RenrenHosts::kDomain, SITE_RENREN}},
        .normalisations = {{SITE_RENREN, Normalise}},
        .rows =
            {
                {.name = "renrenPhoto",
                 .siteType = SITE_RENREN,
                 .subMode = ANY_SUBMODE,
                 .albums = RenrenPhotoAdapter::AlbumList,
                 .pictures = RenrenPhotoAdapter::PictureList,
                 .secondPicturesName = "renrenSecondPictures",
                 .secondPictures = RenrenPhotoAdapter::SecondPictureList},
                {.name = "renrenZhan",
                 .siteType = SITE_RENREN,
                 .subMode = RENREN_ZHAN,
                 .albums = RenrenZhanAdapter::AlbumList,
                 .pictures = RenrenZhanAdapter::PictureList},
            },
    };
    return family;
}
