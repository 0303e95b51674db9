// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The shops' hosts and domain markers: Taobao, Tmall, 1688 and JD.
namespace ShopHosts {

// Taobao and Tmall
constexpr std::u16string_view kTaobaoDomain = u"taobao.com/";  // site detection
constexpr std::u16string_view kTmallDomain = u"tmall.com/";    // site detection
constexpr std::u16string_view kTopLevelDomain = u".com";       // a shop's whole-shop search goes here
constexpr std::u16string_view kItemHostMarker = u"item.";      // the item host's label ("item.taobao.com")
constexpr std::u16string_view kTaobaoItem = u"http://item.taobao.com";
constexpr std::u16string_view kTmallItem = u"http://detail.tmall.com";
// An item page links its description on one of these hosts ("http://dsc.taobaocdn.com/...", today
// "//dscnew.taobao.com/..." or "//descnew.taobao.com/..."); a page without the link is not an item
// page.
constexpr std::u16string_view kItemDescriptionLabels[] = {u"dsc.", u"dscnew.", u"descnew."};
constexpr std::u16string_view kTaobaoLogin =
    u"https://login.taobao.com";  // the account login, only over https

// 1688
constexpr std::u16string_view k1688Domain = u"1688.com";  // site detection, no slash
constexpr std::u16string_view k1688Marker = u"1688.com/";
constexpr std::u16string_view k1688Offer = u"1688.com/offer";
constexpr std::u16string_view k1688Detail = u"http://detail.1688.com";

// JD: only item pages are listed; the window's site detection does not know JD.
constexpr std::u16string_view kJdItemHost = u"item.jd.com";
constexpr std::u16string_view kJdItem = u"http://item.jd.com";
// The full-size pictures: a "jfs/..." path under "n0/" here; img10 to img14 serve the same paths.
constexpr std::u16string_view kJdPictures = u"//img10.360buyimg.com/n0/";

}  // namespace ShopHosts
