#include "core/SiteDetection.h"

#include <array>

#include "core/SiteType.h"
#include "sites/BaiduHosts.h"
#include "sites/CommunityHosts.h"
#include "sites/GalleryHosts.h"
#include "sites/NeteaseHosts.h"
#include "sites/PortalHosts.h"
#include "sites/RenrenHosts.h"
#include "sites/ShopHosts.h"
#include "sites/SinaHosts.h"
#include "sites/TencentHosts.h"

namespace {

struct Marker {
    std::u16string_view text;
    int siteType;
};

// In the order the window tries them; several markers lead to the same site type.
constexpr std::array kMarkers{
    Marker{TencentHosts::kQqDomain, SITE_TENCENT},
    Marker{BaiduHosts::kDomain, SITE_BAIDU},
    Marker{NeteaseHosts::kDomain, SITE_NETEASE},
    Marker{RenrenHosts::kDomain, SITE_RENREN},
    Marker{SinaHosts::kDomain, SITE_SINA},
    Marker{SinaHosts::kWeiboDomain, SITE_SINA},
    Marker{GalleryHosts::k56Domain, SITE_56},
    Marker{GalleryHosts::kPocoDomain, SITE_POCO},
    Marker{GalleryHosts::kYupooDomain, SITE_YUPOO},
    Marker{PortalHosts::k51Domain, SITE_51},
    Marker{PortalHosts::kZolDomain, SITE_ZOL},
    Marker{PortalHosts::kPchomeDomain, SITE_PCHOME},
    Marker{ShopHosts::kTaobaoDomain, SITE_SHOP},
    Marker{ShopHosts::kTmallDomain, SITE_SHOP},
    Marker{ShopHosts::k1688Domain, SITE_SHOP},
    Marker{CommunityHosts::kMokoDomain, SITE_MOKO},
    Marker{CommunityHosts::kBabytreeDomain, SITE_BABYTREE},
    Marker{CommunityHosts::kPconlineDomain, SITE_PCONLINE},
    Marker{CommunityHosts::kHupuDomain, SITE_HUPU},
};

// A marker counts only after the first character: an address always starts with its scheme.
bool FoundAfterStart(std::u16string_view text, std::u16string_view marker) {
    std::size_t pos = text.find(marker);
    return pos != std::u16string_view::npos && pos > 0;
}

bool Contains(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

}  // namespace

DetectedSite DetectSite(std::u16string_view input) {
    DetectedSite result;
    // Users paste https addresses as often as http ones.
    if (!Contains(input, u"http://") && !Contains(input, u"https://")) {
        return result;
    }
    for (const Marker& marker : kMarkers) {
        if (FoundAfterStart(input, marker.text)) {
            result.hit = true;
            result.siteType = marker.siteType;
            break;
        }
    }
    if (result.hit && result.siteType == SITE_TENCENT) {
        if (Contains(input, TencentHosts::kWeiboHome)) {
            result.subMode = TENCENT_WEIBO;
        } else if (Contains(input, TencentHosts::kQqGroupSite)) {
            result.subMode = TENCENT_QQGROUP;
        } else {
            result.subMode = TENCENT_QZONE;
        }
    }
    return result;
}
