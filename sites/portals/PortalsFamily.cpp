// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/portals/PortalsFamily.h"

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/portals/PchomeAlbumAdapter.h"
#include "sites/portals/PortalHosts.h"
#include "sites/portals/Site51Adapter.h"
#include "sites/portals/ZolAlbumAdapter.h"

namespace {

// The user name follows the host in every portal's address.
bool Normalise51(ListPlan& plan, AlbumCall& call) {
    StringCtrl::SkipPast(plan.input, PortalHosts::k51TopLevelDomain);
    StringCtrl::CutAt(plan.input, u"/");
    call.SetOwnerName(plan.input);
    return true;
}

bool NormaliseZol(ListPlan& plan, AlbumCall&) {
    StringCtrl::SkipPast(plan.input, PortalHosts::kZolTopLevelDomain);
    StringCtrl::CutAt(plan.input, u"/");
    return true;
}

bool NormalisePchome(ListPlan& plan, AlbumCall& call) {
    StringCtrl::SkipPast(plan.input, PortalHosts::kPchomeTopLevelDomain);
    Fields::CutAtEach(plan.input, {u"/", u"&", u"*", u"?"});
    call.SetOwnerName(plan.input);
    return true;
}

}  // namespace

const SiteFamily& PortalsFamily() {
    static const SiteFamily family{
        .name = "Portals",
        .markers = {{PortalHosts::k51Domain, SITE_51},
                    {PortalHosts::kZolDomain, SITE_ZOL},
                    {PortalHosts::kPchomeDomain, SITE_PCHOME}},
        .normalisations = {{SITE_51, Normalise51}, {SITE_ZOL, NormaliseZol}, {SITE_PCHOME, NormalisePchome}},
        .rows =
            {
                {.name = "site51",
                 .siteType = SITE_51,
                 .subMode = ANY_SUBMODE,
                 .albums = Site51Adapter::AlbumList,
                 .pictures = Site51Adapter::PictureList},
                {.name = "zol",
                 .siteType = SITE_ZOL,
                 .subMode = ANY_SUBMODE,
                 .albums = ZolAlbumAdapter::AlbumList,
                 .pictures = ZolAlbumAdapter::PictureList},
                {.name = "pchome",
                 .siteType = SITE_PCHOME,
                 .subMode = ANY_SUBMODE,
                 .albums = PchomeAlbumAdapter::AlbumList,
                 .pictures = PchomeAlbumAdapter::PictureList},
            },
    };
    return family;
}
