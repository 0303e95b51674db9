// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The Renren family's hosts and domain markers: photo albums, public pages and zhan.
namespace RenrenHosts {

constexpr std::u16string_view kDomain = u"renren.com/";                // site detection
constexpr std::u16string_view kZhanMarker = u"zhan.renren.com";        // zhan pages
constexpr std::u16string_view kPublicPageMarker = u"page.renren.com";  // public pages

constexpr std::u16string_view kMain = u"http://www.renren.com";
constexpr std::u16string_view kPublicPage = u"http://page.renren.com";
constexpr std::u16string_view kZhan = u"http://zhan.renren.com";
constexpr std::u16string_view kPhoto = u"http://photo.renren.com";

}  // namespace RenrenHosts
