// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/kit/InputRules.h"

#include "MyCode/StringCtrl.h"
#include "sites/kit/Fields.h"

namespace InputRules {

bool HasScheme(std::u16string_view text) {
    return Fields::Contains(text, u"http://") || Fields::Contains(text, u"https://");
}

void SkipScheme(std::u16string& text) {
    std::size_t http = text.find(u"http://");
    std::size_t https = text.find(u"https://");
    if (https != std::u16string::npos && (http == std::u16string::npos || https < http)) {
        StringCtrl::SkipPast(text, u"https://");
    } else {
        StringCtrl::SkipPast(text, u"http://");
    }
}

bool IsAllDigits(std::u16string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

}  // namespace InputRules
