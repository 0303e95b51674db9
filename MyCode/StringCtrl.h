// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// The marker primitives every adapter cuts page text with, and the text conversions. Searches are
// case-sensitive, find the first occurrence and count positions in UTF-16 units from 0.
namespace StringCtrl {

enum : int { GB_ADVANCE = 1, GB_REST = 2 };
std::u16string GetBetween(std::u16string& text, std::u16string_view before, std::u16string_view after,
                          int flags = 0);
int Split(std::u16string_view text, std::u16string_view separator, std::vector<std::u16string>& array);
int CountOf(std::u16string_view text, std::u16string_view sub);
int SkipPast(std::u16string& text, std::u16string_view marker, bool includeMarker = true);
int CutAt(std::u16string& text, std::u16string_view marker);
std::u16string LeftOf(std::u16string_view text, std::u16string_view marker);
std::u16string FromCodePage(const char* bytes, std::size_t length, unsigned codePage);
std::string ToGbk(std::u16string_view text);
bool IsUtf8(const unsigned char* bytes, std::uint64_t length);
std::u16string UnescapeJson(std::u16string_view text);
void DecodeHtmlEntities(std::u16string& text);
std::u16string UrlDecode(std::u16string_view text, bool utf8);
std::u16string StripTags(std::u16string_view text);
void ReplaceList(std::u16string& text, std::u16string_view finds, std::u16string_view replacements);
std::u16string RandomFraction();
std::u16string GetClipboardText();
std::u16string XorHexCodec(std::u16string_view text, bool encode, std::u16string_view key);

// "The decimal value" of a text, read leniently: leading blanks skipped, an optional sign, then
// digits up to the first other character; empty or non-numeric text reads as 0.
int DecimalValue(std::u16string_view text);

// Small helpers that the rest of the program shares.
// Every occurrence, left to right; an inserted text is never searched again. Empty find: no change.
void ReplaceAll(std::u16string& text, std::u16string_view find, std::u16string_view replacement);
std::u16string FromAscii(std::string_view ascii);
// White space (ASCII blanks, CR, LF, tab and the ideographic space) removed at both ends.
std::u16string Trim(std::u16string_view text);
// The first maxUnits UTF-16 units of text, one less when the cut would split a surrogate pair.
std::u16string_view KeepUnits(std::u16string_view text, std::size_t maxUnits);

// One argument of Format: a text or a number.
struct FormatArg {
    FormatArg(std::u16string_view t) : isText(true), text(t) {}
    FormatArg(const std::u16string& t) : isText(true), text(t) {}
    FormatArg(const char16_t* t) : isText(true), text(t) {}
    template <typename N, typename = std::enable_if_t<std::is_integral_v<N>>>
    FormatArg(N n) : isText(false), number(static_cast<long long>(n)) {}
    bool isText;
    std::u16string_view text;
    long long number = 0;
};
// printf-style filling for the site addresses and the window's texts: %s, %d, %u with an optional
// zero flag and width ("%04d", "%4u", "%08u"), and %%. Arguments are used in order.
std::u16string Format(std::u16string_view pattern, std::initializer_list<FormatArg> args);

// The front end supplies the clipboard; with no provider GetClipboardText() is empty.
void SetClipboardProvider(std::function<std::u16string()> provider);

}  // namespace StringCtrl
