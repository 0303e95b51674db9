#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The marker primitives every adapter cuts page text with, and the text conversions. Searches are
// case-sensitive, find the first occurrence and count positions in UTF-16 units from 0.
namespace StringCtrl {

enum : int { GB_ADVANCE = 1, GB_REST = 2 };
std::u16string GetBetween(std::u16string& text, std::u16string_view before, std::u16string_view after, int flags = 0);
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

// The front end supplies the clipboard; with no provider GetClipboardText() is empty.
void SetClipboardProvider(std::function<std::u16string()> provider);

}  // namespace StringCtrl
