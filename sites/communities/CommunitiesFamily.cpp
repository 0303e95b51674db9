// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/communities/CommunitiesFamily.h"

#include <string>

#include "MyCode/StringCtrl.h"
#include "sites/communities/BabytreeAlbumAdapter.h"
#include "sites/communities/CommunityHosts.h"
#include "sites/communities/HupuAlbumAdapter.h"
#include "sites/communities/MokoAlbumAdapter.h"
#include "sites/communities/PconlineAlbumAdapter.h"
#include "sites/communities/PconlinePaging.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"

using Fields::Contains;
using Fields::ContainsAfterStart;

namespace {

constexpr std::u16string_view kHupuEmpty = u"请先在登录菜单里登录虎扑帐号后重试(登录时勾上下次自动登录)";

// A user's post list, or any page of a user whose name follows the host.
bool NormaliseMoko(ListPlan& plan, AlbumCall&) {
    std::u16string& in = plan.input;
    if (!Contains(in, u"/post")) {
        StringCtrl::SkipPast(in, CommunityHosts::kMokoDomain);
        StringCtrl::CutAt(in, u"/");
        in = std::u16string(CommunityHosts::kMoko) + u"/post/" + in + u"/list.html";
    }
    return true;
}

// The new pages first; the table's second album list reads the old pages when they find nothing.
bool NormaliseBabytree(ListPlan& plan, AlbumCall&) {
    plan.subMode = BABYTREE_NEW;
    StringCtrl::SkipPast(plan.input, CommunityHosts::kBabytreeTopLevelDomain);
    Fields::CutAtEach(plan.input, {u"&", u"/"});
    return true;
}

// A page of an album listing, a personal album page, or any page of a user.
bool NormalisePconline(ListPlan& plan, AlbumCall& call) {
    std::u16string& in = plan.input;
    if (ContainsAfterStart(in, u"_p")) {
        // A page of an album: the first "_p<page>_" becomes the place the adapter pages through.
        std::u16string& marker = call.Keep<PconlinePaging>().pageMarker;
        for (int i = 1; i <= 99; ++i) {
            marker = StringCtrl::Format(u"_p%d_", {i});
            if (Contains(in, marker)) {
                StringCtrl::ReplaceAll(in, marker, u"_dk1stp_");
                break;
            }
        }
    } else if (ContainsAfterStart(in, CommunityHosts::kPconlinePersonalMarker)) {
        StringCtrl::ReplaceAll(in, u".html", u"_dk1stp_n15.html");
    } else {
        StringCtrl::SkipPast(in, CommunityHosts::kPconlineTopLevelDomain);
        StringCtrl::CutAt(in, u"/");
        call.Keep<PconlinePaging>().user = in;
        in = StringCtrl::Format(
            std::u16string(CommunityHosts::kPconlinePhoto) + u"/%s/myphoto_dk1stp_n15.html", {in});
    }
    return true;
}

bool NormaliseHupu(ListPlan& plan, AlbumCall&) {
    plan.emptyMessage = kHupuEmpty;
    return true;
}

}  // namespace

const SiteFamily& CommunitiesFamily() {
    static const SiteFamily family{
        .name = "Communities",
        .markers = {{CommunityHosts::kMokoDomain, SITE_MOKO},
                    {CommunityHosts::kBabytreeDomain, SITE_BABYTREE},
                    {CommunityHosts::kPconlineDomain, SITE_PCONLINE},
                    {CommunityHosts::kHupuDomain, SITE_HUPU}},
        .normalisations = {{SITE_MOKO, NormaliseMoko},
                           {SITE_BABYTREE, NormaliseBabytree},
                           {SITE_PCONLINE, NormalisePconline},
                           {SITE_HUPU, NormaliseHupu}},
        .rows =
            {
                {.name = "moko",
                 .siteType = SITE_MOKO,
                 .subMode = ANY_SUBMODE,
                 .albums = MokoAlbumAdapter::AlbumList,
                 .pictures = MokoAlbumAdapter::PictureList},
                {.name = "babytreeNew",
                 .siteType = SITE_BABYTREE,
                 .subMode = ANY_SUBMODE,
                 .albums = BabytreeAlbumAdapter::AlbumList,
                 .pictures = BabytreeAlbumAdapter::PictureList,
                 .secondAlbumsName = "babytreeOld",
                 .secondAlbums = BabytreeAlbumAdapter::OldAlbumList,
                 .secondAlbumsSubMode = BABYTREE_OLD},
                {.name = "babytreeOld",
                 .siteType = SITE_BABYTREE,
                 .subMode = BABYTREE_OLD,
                 .albums = BabytreeAlbumAdapter::OldAlbumList,
                 .pictures = BabytreeAlbumAdapter::OldPictureList},
                {.name = "pconline",
                 .siteType = SITE_PCONLINE,
                 .subMode = ANY_SUBMODE,
                 .albums = PconlineAlbumAdapter::AlbumList,
                 .pictures = PconlineAlbumAdapter::PictureList},
                {.name = "hupu",
                 .siteType = SITE_HUPU,
                 .subMode = ANY_SUBMODE,
                 .albums = HupuAlbumAdapter::AlbumList,
                 .pictures = HupuAlbumAdapter::PictureList},
            },
    };
    return family;
}
