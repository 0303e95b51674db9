#pragma once

#include <string_view>

// The NetEase family's hosts and domain markers: photo albums and pp.
namespace NeteaseHosts {

constexpr std::u16string_view kDomain = u"163.com/";       // site detection
constexpr std::u16string_view kPpMarker = u".pp.163.com";  // a user's pp sub-domain

constexpr std::u16string_view kPhoto = u"http://photo.163.com";
constexpr std::u16string_view kPp = u"http://pp.163.com";
constexpr std::u16string_view kPassport = u"http://reg.163.com";  // the account login

}  // namespace NeteaseHosts
