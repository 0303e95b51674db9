// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/shops/ItemPrice.h"

#include <charconv>
#include <string>

#include "MyCode/StringCtrl.h"
#include "platform/CodePage.h"
#include "sites/kit/Fields.h"

namespace ItemPrice {

namespace {

// Today's item pages align their script's fields: "price            : 38.00". The name must stand
// on its own (not "reservePrice"), and the value ends at the line or the field's end.
std::u16string AlignedField(std::u16string_view page, std::u16string_view name) {
    for (std::size_t at = page.find(name); at != std::u16string_view::npos; at = page.find(name, at + 1)) {
        if (at > 0 && std::u16string_view(u" \t\r\n{,").find(page[at - 1]) == std::u16string_view::npos) {
            continue;
        }
        std::size_t colon = page.find_first_not_of(u" \t", at + name.size());
        if (colon == std::u16string_view::npos || page[colon] != u':') {
            continue;
        }
        std::size_t end = page.find_first_of(u",}\r\n", colon + 1);
        std::u16string value = StringCtrl::Trim(page.substr(
            colon + 1, end == std::u16string_view::npos ? std::u16string_view::npos : end - colon - 1));
        if (value.size() >= 2 && (value.front() == u'\'' || value.front() == u'"') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    return {};
}

}  // namespace

std::u16string Read(std::u16string_view page) {
    // The pages of different generations write it in different scripts.
    std::u16string price = Fields::Peek(page, u"defaultItemPrice':'", u"'");
    if (price.empty()) {
        price = Fields::Peek(page, u"price:", u",");
    }
    if (price.empty()) {
        price = Fields::Peek(page, u"defaultItemPrice\":\"", u"\"");
    }
    if (price.empty()) {
        price = Fields::Peek(page, u"\"tb-rmb-num\">", u"<");
    }
    if (price.empty()) {
        price = AlignedField(page, u"price");
    }
    return price;
}

std::u16string NamePrefix(const ExtensionSettings& settings, const std::u16string& price) {
    if (!settings.priceInName || price.empty()) {
        return {};
    }
    if (settings.priceAdjust == 0) {
        return StringCtrl::Format(u"价格%s元_", {price});
    }
    // Read and written with a full stop whatever the locale.
    std::string text = CodePage::ToUtf8(StringCtrl::Trim(price));
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    value += settings.priceAdjust;
    char number[64];
    auto end = std::to_chars(number, number + sizeof(number), value, std::chars_format::fixed, 2).ptr;
    return u"价格" + CodePage::FromUtf8(std::string(number, end)) + u"元_";
}

}  // namespace ItemPrice
