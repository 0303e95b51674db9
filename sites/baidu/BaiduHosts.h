// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The Baidu family's hosts and domain markers: the photo album service and Tieba.
namespace BaiduHosts {

constexpr std::u16string_view kDomain = u"baidu.com/";           // site detection
constexpr std::u16string_view kTiebaHost = u"tieba.baidu.com/";  // Tieba input (host and slash)
constexpr std::u16string_view kTiebaPhotoPage = u"photo/p?kw=";  // a single Tieba photo page

constexpr std::u16string_view kAlbumService = u"http://xiangce.baidu.com";
constexpr std::u16string_view kTieba = u"http://tieba.baidu.com";
constexpr std::u16string_view kTiebaPictures = u"http://imgsrc.baidu.com";  // the forum's pictures
constexpr std::u16string_view kSpace = u"http://hi.baidu.com";  // the personal space, where users log in

}  // namespace BaiduHosts
