// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The picture galleries' hosts and domain markers: 56, POCO and Yupoo.
namespace GalleryHosts {

// 56
constexpr std::u16string_view k56Domain = u"56.com/";             // site detection
constexpr std::u16string_view k56Photo = u"http://www.56.com";    // the users' album indexes
constexpr std::u16string_view k56Picture = u"http://www.56.com";  // the albums' picture pages
constexpr std::u16string_view k56User = u"http://user.56.com";    // the account login

// POCO
constexpr std::u16string_view kPocoDomain = u"poco.cn/";  // site detection
constexpr std::u16string_view kPocoPersonal = u"http://my.poco.cn";
constexpr std::u16string_view kPocoPhoto = u"http://photo.poco.cn";

// Yupoo: the main host, and the second host in front of which a user name may stand as a label
// ("alice.x.yupoo.com").
constexpr std::u16string_view kYupooDomain = u"yupoo.com/";      // site detection
constexpr std::u16string_view kYupooUserDomain = u".yupoo.com";  // "alice.yupoo.com"
constexpr std::u16string_view kYupooMainHost = u"www.yupoo.com/";
constexpr std::u16string_view kYupooUserHostMarker = u".x.yupoo.com";
constexpr std::u16string_view kYupooMain = u"http://www.yupoo.com";
constexpr std::u16string_view kYupooSecond = u"http://x.yupoo.com";
// The second host in an address; its album lists link their albums relative to it.
constexpr std::u16string_view kYupooSecondHostAddress = u"://x.yupoo.com";

}  // namespace GalleryHosts
