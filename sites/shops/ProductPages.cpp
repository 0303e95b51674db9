// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/shops/ProductPages.h"

#include <cstddef>
#include <unordered_set>

#include "MyCode/StringCtrl.h"
#include "sites/kit/Fields.h"
#include "sites/kit/InputRules.h"
#include "sites/kit/PictureCall.h"

namespace ProductPages {

namespace {

constexpr std::u16string_view kPageShape = u"获取信息出错,请将程序目录下的log.err文件发给作者,以便修改";
constexpr std::u16string_view kPicturePageShape =
    u"获取信息出错(2),请将程序目录下的log.err文件发给作者,以便修改";
constexpr std::u16string_view kNoProduct = u"没有获取到商品信息，请确认输入的是商品详情页的网址";
constexpr std::u16string_view kPicturesFound = u"获取商品主图完成，共%d张";
constexpr std::u16string_view kNoPicture = u"没有获取到商品“%s”的主图";

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool IsNamePart(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
           c == u'-' || c == u'$';
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

// Where the value of key starts in a script: after "key :", "'key':" or "\"key\":" with any blanks.
// A key that is only the start of a longer name ("sellerNick" in "sellerNickName") does not count.
std::size_t ValueOf(std::u16string_view page, std::u16string_view key) {
    for (std::size_t at = page.find(key); at != std::u16string_view::npos; at = page.find(key, at + 1)) {
        if (at > 0 && IsNamePart(page[at - 1])) {
            continue;
        }
        std::size_t pos = at + key.size();
        if (pos < page.size() && (page[pos] == u'"' || page[pos] == u'\'')) {
            ++pos;
        }
        while (pos < page.size() && IsBlank(page[pos])) {
            ++pos;
        }
        if (pos >= page.size() || page[pos] != u':') {
            continue;
        }
        ++pos;
        while (pos < page.size() && IsBlank(page[pos])) {
            ++pos;
        }
        return pos;
    }
    return std::u16string_view::npos;
}

// The quoted text that starts at pos (its quote), escapes decoded; pos moves past its closing quote.
// False when there is no quote at pos or it is never closed.
bool ReadQuoted(std::u16string_view text, std::size_t& pos, std::u16string& out) {
    out.clear();
    if (pos >= text.size() || (text[pos] != u'"' && text[pos] != u'\'')) {
        return false;
    }
    const char16_t quote = text[pos];
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == quote) {
            pos = i + 1;
            return true;
        }
        if (c != u'\\' || i + 1 >= text.size()) {
            out.push_back(c);
            continue;
        }
        char16_t next = text[++i];
        const int digits = next == u'u' ? 4 : next == u'x' ? 2 : 0;
        unsigned code = 0;
        int read = 0;
        while (read < digits && i + 1 + read < text.size() && HexValue(text[i + 1 + read]) >= 0) {
            code = code * 16 + static_cast<unsigned>(HexValue(text[i + 1 + read]));
            ++read;
        }
        if (digits > 0 && read == digits) {
            if (code != 0) {
                out.push_back(static_cast<char16_t>(code));
            }
            i += digits;
        } else {
            out.push_back(next);  // "\/", "\"", "\\" and the like stand for the character
        }
    }
    return false;
}

}  // namespace

bool IsWebAddress(std::u16string_view address) {
    return InputRules::HasScheme(address) || address.substr(0, 2) == u"//";
}

void ReportPageShape(SiteCall& call, std::u16string_view page, bool withNumber) {
    call.ReportPageShape(withNumber ? kPicturePageShape : kPageShape, u"log.err", page);
}

void ReportNoProduct(SiteCall& call) {
    call.Notice(kNoProduct);
}

void ReportPictures(PictureCall& call) {
    if (call.Emitted() > 0) {
        call.Notice(StringCtrl::Format(kPicturesFound, {call.Emitted()}));
    } else {
        call.Notice(StringCtrl::Format(kNoPicture, {call.album().name}));
    }
}

std::vector<std::u16string> ScriptList(std::u16string_view page, std::u16string_view key) {
    std::vector<std::u16string> items;
    std::size_t pos = ValueOf(page, key);
    if (pos == std::u16string_view::npos || page[pos] != u'[') {
        return items;
    }
    ++pos;
    while (pos < page.size() && page[pos] != u']') {
        if (page[pos] == u'"' || page[pos] == u'\'') {
            std::u16string item;
            if (!ReadQuoted(page, pos, item)) {
                break;
            }
            items.push_back(std::move(item));
        } else {
            ++pos;
        }
    }
    return items;
}

std::u16string ScriptString(std::u16string_view page, std::u16string_view key) {
    std::size_t pos = ValueOf(page, key);
    std::u16string value;
    if (pos == std::u16string_view::npos || !ReadQuoted(page, pos, value)) {
        return {};
    }
    return value;
}

std::u16string Attribute(std::u16string_view tag, std::u16string_view name) {
    tag = tag.substr(0, tag.find(u'>'));
    for (std::size_t at = tag.find(name); at != std::u16string_view::npos; at = tag.find(name, at + 1)) {
        std::size_t pos = at + name.size();
        if (at == 0 || !IsBlank(tag[at - 1]) || pos >= tag.size() || tag[pos] != u'=') {
            continue;
        }
        ++pos;
        std::u16string value;
        if (ReadQuoted(tag, pos, value)) {
            return value;
        }
        std::size_t end = pos;
        while (end < tag.size() && !IsBlank(tag[end])) {
            ++end;
        }
        return std::u16string(tag.substr(pos, end - pos));
    }
    return {};
}

bool EmitMainPictures(PictureCall& call, const std::vector<std::u16string>& addresses,
                      std::u16string_view prefix) {
    // A page lists a picture in several places (its script, its thumbnail strip); it is fetched once.
    std::unordered_set<std::u16string> emitted;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        if (!IsWebAddress(addresses[i])) {
            continue;
        }
        std::u16string address = Fields::Absolute(addresses[i], call.album().url);
        if (!emitted.insert(address).second) {
            continue;
        }
        if (!call.Picture(address, StringCtrl::Format(u"%s主图_%d", {prefix, i + 1}))) {
            return false;
        }
    }
    return true;
}

}  // namespace ProductPages
