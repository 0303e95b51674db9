// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The Sina family's hosts and domain markers: the blog and Sina Weibo.
namespace SinaHosts {

constexpr std::u16string_view kDomain = u"sina.com";         // site detection, no slash: sina.com.cn
constexpr std::u16string_view kWeiboDomain = u"weibo.com/";  // Sina Weibo input and detection

constexpr std::u16string_view kBlog = u"http://blog.sina.com.cn";
constexpr std::u16string_view kBlogPhoto = u"http://photo.blog.sina.com.cn";
constexpr std::u16string_view kWeibo = u"http://weibo.com";
constexpr std::u16string_view kWeiboPhoto = u"http://photo.weibo.com";

// The mobile site, whose API answers JSON for public accounts without a login, over https only.
constexpr std::u16string_view kWeiboMobileDomain = u"m.weibo.cn/";  // input and detection
constexpr std::u16string_view kWeiboMobileApi = u"https://m.weibo.cn/api/container/getIndex";
// The user's number follows one of these in the addresses the mobile API serves.
constexpr std::u16string_view kWeiboUserPaths[] = {u"m.weibo.cn/u/", u"m.weibo.cn/profile/", u"weibo.com/u/"};

}  // namespace SinaHosts
