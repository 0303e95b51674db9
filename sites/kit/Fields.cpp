// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/kit/Fields.h"

#include "MyCode/StringCtrl.h"

namespace Fields {

std::u16string Cut(std::u16string& text, std::u16string_view before, std::u16string_view after) {
    return StringCtrl::GetBetween(text, before, after, StringCtrl::GB_ADVANCE);
}

std::u16string Peek(std::u16string_view text, std::u16string_view before, std::u16string_view after) {
    std::size_t start = text.find(before);
    if (start == std::u16string_view::npos) {
        return {};
    }
    std::u16string_view rest = text.substr(start + before.size());
    std::size_t end = rest.find(after);
    return end == std::u16string_view::npos ? std::u16string() : std::u16string(rest.substr(0, end));
}

int CutNumber(std::u16string& text, std::u16string_view before, std::u16string_view after) {
    return StringCtrl::DecimalValue(Cut(text, before, after));
}

int PeekNumber(std::u16string_view text, std::u16string_view before, std::u16string_view after) {
    return StringCtrl::DecimalValue(Peek(text, before, after));
}

std::u16string Unslashed(std::u16string text) {
    StringCtrl::ReplaceAll(text, u"\\/", u"/");
    return text;
}

std::vector<std::u16string> Items(std::u16string_view text, std::u16string_view separator) {
    std::vector<std::u16string> pieces;
    if (StringCtrl::Split(text, separator, pieces) > 0) {
        pieces.erase(pieces.begin());
    }
    return pieces;
}

bool Contains(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

bool ContainsAfterStart(std::u16string_view text, std::u16string_view part) {
    std::size_t pos = text.find(part);
    return pos != std::u16string_view::npos && pos > 0;
}

std::u16string LeftOfLast(std::u16string_view text, std::u16string_view marker) {
    std::size_t pos = text.rfind(marker);
    return pos == std::u16string_view::npos ? std::u16string() : std::u16string(text.substr(0, pos));
}

void CutAtEach(std::u16string& text, std::initializer_list<std::u16string_view> markers) {
    for (std::u16string_view marker : markers) {
        StringCtrl::CutAt(text, marker);
    }
}

std::u16string ReplaceInFileName(std::u16string url, std::u16string_view find,
                                 std::u16string_view replacement) {
    std::size_t slash = url.rfind(u'/');
    std::size_t from = slash == std::u16string::npos ? 0 : slash + 1;
    std::u16string name = url.substr(from);
    StringCtrl::ReplaceAll(name, find, replacement);
    url.replace(from, std::u16string::npos, name);
    return url;
}

std::u16string Absolute(std::u16string_view address, std::u16string_view pageUrl) {
    if (address.substr(0, 2) != u"//") {
        return std::u16string(address);
    }
    std::u16string_view scheme = pageUrl.substr(0, 6) == u"https:" ? u"https:" : u"http:";
    return std::u16string(scheme) + std::u16string(address);
}

}  // namespace Fields
