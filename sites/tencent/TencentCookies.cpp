// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/tencent/TencentCookies.h"

#include "MyCode/StringCtrl.h"
#include "MyCode/URLSource2.h"
#include "sites/tencent/QzoneGtk.h"

namespace TencentCookies {

std::u16string Text(std::u16string_view url) {
    std::u16string text = u" ";
    text += GetUrlCookie(url);
    text += u";";
    return text;
}

std::u16string Value(std::u16string_view cookieText, std::u16string_view name) {
    std::u16string text(cookieText);
    std::u16string marker = u" ";
    marker += name;
    marker += u"=";
    return StringCtrl::GetBetween(text, marker, u";");
}

std::uint32_t Token(std::u16string_view cookieText) {
    return QzoneGtk(Value(cookieText, u"skey"));
}

}  // namespace TencentCookies
