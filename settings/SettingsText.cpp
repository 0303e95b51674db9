// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsText.h"

#include <locale.h>
#include <wctype.h>

#include "MyCode/StringCtrl.h"

namespace SettingsText {

namespace {

// The C locale folds ASCII only; C.UTF-8 carries the whole Unicode case table and exists on every
// glibc system. Opened once and kept for the life of the process.
locale_t CaseLocale() {
    static const locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return loc;
}

char16_t LowerUnit(char16_t unit) {
    if (unit < 0x80) {
        return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) {
        return unit;
    }
    locale_t loc = CaseLocale();
    if (loc == static_cast<locale_t>(0)) {
        return unit;
    }
    wint_t lower = towlower_l(static_cast<wint_t>(unit), loc);
    // A mapping out of the basic plane would need two units; keep the letter as it is then.
    return lower <= 0xFFFF ? static_cast<char16_t>(lower) : unit;
}

}  // namespace

std::u16string ToLower(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& unit : out) {
        unit = LowerUnit(unit);
    }
    return out;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerUnit(a[i]) != LowerUnit(b[i])) {
            return false;
        }
    }
    return true;
}

std::u16string KeepUnits(std::u16string_view text, std::size_t maxUnits) {
    return std::u16string(StringCtrl::KeepUnits(text, maxUnits));
}

}  // namespace SettingsText
