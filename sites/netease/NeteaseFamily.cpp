// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/netease/NeteaseFamily.h"

#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/netease/NeteaseHosts.h"
#include "sites/netease/NeteasePhotoAdapter.h"
#include "sites/netease/NeteasePpAdapter.h"

namespace {

// A pp address lists pp albums; any other address the photo albums, whose sub-mode stays unset.
bool Normalise(ListPlan& plan, AlbumCall&) {
    if (Fields::ContainsAfterStart(plan.input, NeteaseHosts::kPpMarker)) {
        plan.subMode = NETEASE_PP;
    }
    return true;
}

}  // namespace

const SiteFamily& NeteaseFamily() {
    static const SiteFamily family{
        .name = "NetEase",
        .markers = {{NeteaseHosts::kDomain, SITE_NETEASE}},
        .normalisations = {{SITE_NETEASE, Normalise}},
        .rows =
            {
                {.name = "neteasePp",
                 .siteType = SITE_NETEASE,
                 .subMode = NETEASE_PP,
                 .albums = NeteasePpAdapter::AlbumList,
                 .pictures = NeteasePpAdapter::PictureList},
                {.name = "neteasePhoto",
                 .siteType = SITE_NETEASE,
                 .subMode = ANY_SUBMODE,
                 .albums = NeteasePhotoAdapter::AlbumList,
                 .pictures = NeteasePhotoAdapter::PictureList},
            },
    };
    return family;
}
