// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/SiteCatalogue.h"

#include "sites/baidu/BaiduFamily.h"
#include "sites/communities/CommunitiesFamily.h"
#include "sites/galleries/GalleriesFamily.h"
#include "sites/kit/Fields.h"
#include "sites/kit/InputRules.h"
#include "sites/netease/NeteaseFamily.h"
#include "sites/portals/PortalsFamily.h"
#include "sites/renren/RenrenFamily.h"
#include "sites/shops/ShopsFamily.h"
#include "sites/sina/SinaFamily.h"
#include "sites/tencent/TencentFamily.h"

const std::vector<const SiteFamily*>& SiteFamilies() {
    // The shops come before the communities: that is the order the window has always tried them.
    static const std::vector<const SiteFamily*> families = {
        &TencentFamily(),   &BaiduFamily(),   &NeteaseFamily(), &RenrenFamily(),      &SinaFamily(),
        &GalleriesFamily(), &PortalsFamily(), &ShopsFamily(),   &CommunitiesFamily(),
    };
    return families;
}

const Normalisation* NormalisationFor(int siteType) {
    for (const SiteFamily* family : SiteFamilies()) {
        for (const auto& [type, normalise] : family->normalisations) {
            if (type == siteType) {
                return &normalise;
            }
        }
    }
    return nullptr;
}

DetectedSite DetectSite(std::u16string_view input) {
    DetectedSite result;
    // Users paste https addresses as often as http ones.
    if (!InputRules::HasScheme(input)) {
        return result;
    }
    for (const SiteFamily* family : SiteFamilies()) {
        for (const DomainMarker& marker : family->markers) {
            if (Fields::ContainsAfterStart(input, marker.text)) {
                result.hit = true;
                result.siteType = marker.siteType;
                if (family->detectSubMode) {
                    result.subMode = family->detectSubMode(input);
                }
                return result;
            }
        }
    }
    return result;
}
