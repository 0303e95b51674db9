// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The Tencent family's hosts and domain markers. The list, view and photo-list hosts of Qzone are
// not here: the route service names them per owner at run time.
namespace TencentHosts {

constexpr std::u16string_view kTopLevelDomain = u"com/";        // "skip the host" for Qzone input
constexpr std::u16string_view kWeiboTopLevelDomain = u".com/";  // ... and for Tencent Weibo input
constexpr std::u16string_view kQqDomain = u"qq.com/";           // site detection
constexpr std::u16string_view kWeiboHome = u"t.qq.com";         // Tencent Weibo home address
constexpr std::u16string_view kQqGroupSite = u"qun.qzone.qq.com";

constexpr std::u16string_view kRouteService = u"http://route.store.qq.com";
constexpr std::u16string_view kQzoneSpace = u"http://user.qzone.qq.com";
constexpr std::u16string_view kQqGroupSiteUrl = u"http://qun.qzone.qq.com/";
constexpr std::u16string_view kQqGroupPhotoService = u"http://qun.photo.qq.com";
constexpr std::u16string_view kWeiboSite = u"http://t.qq.com";
constexpr std::u16string_view kWeiboApi = u"http://api.t.qq.com";

}  // namespace TencentHosts
