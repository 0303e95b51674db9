#include "sites/shops/ItemPrice.h"

#include <charconv>
#include <string>

#include "MyCode/StringCtrl.h"
#include "platform/CodePage.h"
#include "sites/kit/Fields.h"

namespace ItemPrice {

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
