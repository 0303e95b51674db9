// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The NetEase family's hosts and domain markers: photo albums and pp.
namespace NeteaseHosts {

constexpr std::u16string_view kDomain = u"163.com/";       // site detection
constexpr std::u16string_view kPpMarker = u".pp.163.com";  // a user's pp sub-domain
// The short form of the pp sub-domain that tells a pp address from a photo address.
constexpr std::u16string_view kPpShortMarker = u"pp.1";

constexpr std::u16string_view kScheme = u"http://";
constexpr std::u16string_view kPhoto = u"http://photo.163.com";
constexpr std::u16string_view kPp = u"http://pp.163.com";
constexpr std::u16string_view kResources = u"http://b.bst.126.net";  // placeholder covers
constexpr std::u16string_view kPassport = u"http://reg.163.com";     // the account login

// Pictures lie on "img" + server number + one of two image domains; the first serves the older
// "/photo/" paths.
constexpr std::u16string_view kImageLabel = u"img";
constexpr std::u16string_view kPhotoImageDomain = u".bimg.126.net";
constexpr std::u16string_view kImageDomain = u".ph.126.net";

}  // namespace NeteaseHosts
