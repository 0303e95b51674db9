// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/galleries/GalleriesFamily.h"

#include "MyCode/StringCtrl.h"
#include "sites/galleries/GalleryHosts.h"
#include "sites/galleries/Photo56Adapter.h"
#include "sites/galleries/PocoActivityAdapter.h"
#include "sites/galleries/PocoAlbumAdapter.h"
#include "sites/galleries/PocoUser.h"
#include "sites/galleries/YupooAdapter.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/InputRules.h"

using Fields::Contains;
using Fields::ContainsAfterStart;
using Fields::CutAtEach;
using StringCtrl::SkipPast;

namespace {

constexpr std::u16string_view kYupooEmpty =
    u"没有获取到相册，如果网址正确，请按以下步骤操作\r\n\r\n1、将下载器添加到杀毒软件信任列表里\r\n2、重新打"
    u"开下载器";

std::u16string Joined(std::u16string_view a, std::u16string_view b, std::u16string_view c = {},
                      std::u16string_view d = {}) {
    std::u16string out(a);
    out.append(b).append(c).append(d);
    return out;
}

// Any 56 address names the user; the list is the user's album index.
bool Normalise56(ListPlan& plan, AlbumCall& call) {
    std::u16string user = plan.input;
    SkipPast(user, u"user=");
    SkipPast(user, u"album/");
    CutAtEach(user, {u"&", u"/", u"?"});
    plan.input = StringCtrl::Format(
        Joined(GalleryHosts::k56Photo, u"/photo/album/index.php?user=%s&perPage=20"), {user});
    call.SetOwnerName(std::move(user));
    return true;
}

// An album or theme address lists the user's albums; any other the user's activity list.
bool NormalisePoco(ListPlan& plan, AlbumCall& call) {
    std::u16string& in = plan.input;
    if (ContainsAfterStart(in, u"/album") || ContainsAfterStart(in, u"/theme")) {
        plan.subMode = POCO_ALBUMS;
        SkipPast(in, u"user_id-");
        SkipPast(in, u"user_id=");
        CutAtEach(in, {u"&", u"."});
        return true;
    }
    if (!(Contains(in, u"act_list") && Contains(in, u"&"))) {
        SkipPast(in, u"id-");
        SkipPast(in, u"id=");
        CutAtEach(in, {u"/", u"&", u"*", u"?", u"#", u"."});
        call.Keep<PocoUser>().userId = in;
        in = StringCtrl::Format(
            Joined(GalleryHosts::kPocoPersonal, u"/act/act_list.htx&user_id=%s&act_type_id=0"), {in});
    }
    // The activity list appends its own page parameter; no other may remain in the address.
    StringCtrl::ReplaceAll(in, u"p=", u"zmw=");
    plan.subMode = POCO_ACTIVITY;
    return true;
}

// A user's albums on either Yupoo host, or one album's address as typed.
bool NormaliseYupoo(ListPlan& plan, AlbumCall&) {
    std::u16string& in = plan.input;
    StringCtrl::ReplaceAll(in, u"/collections/", u"/albums/");
    if (ContainsAfterStart(in, GalleryHosts::kYupooUserHostMarker)) {
        InputRules::SkipScheme(in);
        StringCtrl::CutAt(in, GalleryHosts::kYupooUserHostMarker);
        in = Joined(GalleryHosts::kYupooSecond, u"/photos/", in, u"/albums/");
    } else if (Contains(in, GalleryHosts::kYupooSecondHostAddress) ||
               Contains(in, GalleryHosts::kYupooMainHost)) {
        StringCtrl::CutAt(in, u"page");
    } else {
        InputRules::SkipScheme(in);
        StringCtrl::CutAt(in, GalleryHosts::kYupooUserDomain);
        in = Joined(GalleryHosts::kYupooMain, u"/photos/", in, u"/albums/");
    }
    plan.emptyMessage = kYupooEmpty;
    return true;
}

}  // namespace

const SiteFamily& GalleriesFamily() {
    static const SiteFamily family{
        .name = "Galleries",
        .markers = {{GalleryHosts::k56Domain, SITE_56},
                    {GalleryHosts::kPocoDomain, SITE_POCO},
                    {GalleryHosts::kYupooDomain, SITE_YUPOO}},
        .normalisations = {{SITE_56, Normalise56}, {SITE_POCO, NormalisePoco}, {SITE_YUPOO, NormaliseYupoo}},
        .rows =
            {
                {.name = "site56",
                 .siteType = SITE_56,
                 .subMode = ANY_SUBMODE,
                 .albums = Photo56Adapter::AlbumList,
                 .pictures = Photo56Adapter::PictureList},
                {.name = "pocoAlbums",
                 .siteType = SITE_POCO,
                 .subMode = ANY_SUBMODE,
                 .albums = PocoAlbumAdapter::AlbumList,
                 .pictures = PocoAlbumAdapter::PictureList},
                {.name = "pocoActivity",
                 .siteType = SITE_POCO,
                 .subMode = POCO_ACTIVITY,
                 .albums = PocoActivityAdapter::AlbumList,
                 .pictures = PocoActivityAdapter::PictureList},
                {.name = "yupoo",
                 .siteType = SITE_YUPOO,
                 .subMode = ANY_SUBMODE,
                 .albums = YupooAdapter::AlbumList,
                 .pictures = YupooAdapter::PictureList},
            },
    };
    return family;
}
