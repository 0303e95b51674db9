// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/baidu/BaiduFamily.h"

#include "MyCode/StringCtrl.h"
#include "sites/baidu/BaiduAlbumAdapter.h"
#include "sites/baidu/BaiduHosts.h"
#include "sites/baidu/TiebaForumAdapter.h"
#include "sites/baidu/TiebaForumKeyword.h"
#include "sites/baidu/TiebaPostAdapter.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"

using Fields::Contains;
using Fields::CutAtEach;
using StringCtrl::SkipPast;

namespace {

// A Tieba address names a forum, or one photo post of it; anything else is a user of the album
// service, named in the address or on the typed page.
bool Normalise(ListPlan& plan, AlbumCall& call) {
    std::u16string& in = plan.input;
    if (Contains(in, BaiduHosts::kTiebaHost)) {
        bool photoPage = Fields::ContainsAfterStart(in, BaiduHosts::kTiebaPhotoPage);
        std::u16string keyword = in;
        SkipPast(keyword, u"kw=");
        CutAtEach(keyword, {u"/", u"?", u"#", u"&"});
        call.Keep<TiebaForumKeyword>().forum = keyword;
        // Tieba names travel percent-encoded in GBK.
        call.SetOwnerName(StringCtrl::UrlDecode(keyword, false));
        if (photoPage) {
            // One photo post is one album: it is downloaded at once when found.
            plan.subMode = BAIDU_TIEBA_PAGE;
            plan.autoDownload = true;
        } else {
            in = keyword;
            plan.subMode = BAIDU_TIEBA;
        }
        return true;
    }
    if (!Contains(in, u"u/")) {
        std::u16string page;
        if (!call.Fetch(in, TEXT_INFLATE | TEXT_UTF8, page)) {
            return false;
        }
        in = StringCtrl::GetBetween(page, u"/profile/", u"\"");
    }
    SkipPast(in, u"u/");
    CutAtEach(in, {u"/", u"?", u"#", u"&"});
    plan.subMode = BAIDU_ALBUM;
    return true;
}

}  // namespace

const SiteFamily& BaiduFamily() {
    static const SiteFamily family{
        .name = "Baidu",
        .markers = {{BaiduHosts::kDomain, SITE_BAIDU}},
        .normalisations = {{SITE_BAIDU, Normalise}},
        .rows =
            {
                {.name = "baiduAlbums",
                 .siteType = SITE_BAIDU,
                 .subMode = ANY_SUBMODE,
                 .albums = BaiduAlbumAdapter::AlbumList,
                 .pictures = BaiduAlbumAdapter::PictureList},
                {.name = "tiebaAlbums",
                 .siteType = SITE_BAIDU,
                 .subMode = BAIDU_TIEBA,
                 .albums = TiebaForumAdapter::AlbumList,
                 .pictures = TiebaForumAdapter::PictureList},
                {.name = "tiebaPage",
                 .siteType = SITE_BAIDU,
                 .subMode = BAIDU_TIEBA_PAGE,
                 .albums = TiebaPostAdapter::AlbumList,
                 .pictures = TiebaPostAdapter::PictureList},
            },
    };
    return family;
}
