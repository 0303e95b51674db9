// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The communities' hosts and domain markers: Moko, Babytree, PConline and Hupu.
namespace CommunityHosts {

// Moko
constexpr std::u16string_view kMokoDomain = u"moko.cc/";  // site detection and input
constexpr std::u16string_view kMoko = u"http://www.moko.cc";

// Babytree: the host is skipped with the last two letters of its top-level domain.
constexpr std::u16string_view kBabytreeDomain = u"babytree.com/";  // site detection
constexpr std::u16string_view kBabytreeTopLevelDomain = u"om/";
constexpr std::u16string_view kBabytreeHome = u"http://home.babytree.com";  // the new album pages
constexpr std::u16string_view kBabytreeMain = u"http://www.babytree.com";   // the old album pages

// PConline: the personal-album host is recognised by its first label.
constexpr std::u16string_view kPconlineDomain = u"pconline.com.cn";  // site detection, no slash
constexpr std::u16string_view kPconlineTopLevelDomain = u".cn/";
constexpr std::u16string_view kPconlinePersonalMarker = u"my.";
constexpr std::u16string_view kPconlinePersonal = u"http://my.pconline.com.cn";
constexpr std::u16string_view kPconlinePhoto = u"http://photo.pconline.com.cn";

// Hupu
constexpr std::u16string_view kHupuDomain = u"hupu.com/";                   // site detection
constexpr std::u16string_view kHupuAlbum = u"http://my.hupu.com";           // the personal pages
constexpr std::u16string_view kHupuPassport = u"http://passport.hupu.com";  // the account login

}  // namespace CommunityHosts
