// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The portals' hosts and domain markers: 51, ZOL and PCHome. The top-level-domain markers are what
// the album-list job skips past to reach the user name in an address.
namespace PortalHosts {

// 51
constexpr std::u16string_view k51Domain = u"51.com/";  // site detection
constexpr std::u16string_view k51TopLevelDomain = u"com/";
constexpr std::u16string_view k51Home = u"http://home.51.com";

// ZOL
constexpr std::u16string_view kZolDomain = u"zol.com.cn/";  // site detection
constexpr std::u16string_view kZolTopLevelDomain = u"cn/";
constexpr std::u16string_view kZolAlbum = u"http://my.zol.com.cn";

// PCHome (Taiwan): its top-level domain has two labels.
constexpr std::u16string_view kPchomeDomain = u"pchome.com.tw/";  // site detection
constexpr std::u16string_view kPchomeTopLevelDomain = u"com.tw/";
constexpr std::u16string_view kPchomePhoto = u"http://photo.pchome.com.tw";

}  // namespace PortalHosts
