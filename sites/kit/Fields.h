// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The steps every adapter repeats on a piece of page text, named as the sites' descriptions name
// them. Markers are literal, case-sensitive and found at their first occurrence.
namespace Fields {

// cut(S, E): the text after the first S up to the next E, empty when either is missing; text then
// starts just after S (StringCtrl::GetBetween with GB_ADVANCE), so fields are taken in page order.
std::u16string Cut(std::u16string& text, std::u16string_view before, std::u16string_view after);
// The in-place cut: the same value, text untouched.
std::u16string Peek(std::u16string_view text, std::u16string_view before, std::u16string_view after);
// The decimal value of a cut (0 when empty or not a number; reading stops at the first non-digit).
int CutNumber(std::u16string& text, std::u16string_view before, std::u16string_view after);
int PeekNumber(std::u16string_view text, std::u16string_view before, std::u16string_view after);

// JSON services write "/" as "\/"; this gives the plain text back.
std::u16string Unslashed(std::u16string text);

// The pieces after each separator, in order; the text before the first separator is not one of
// them, and a text without the separator gives none.
std::vector<std::u16string> Items(std::u16string_view text, std::u16string_view separator);

bool Contains(std::u16string_view text, std::u16string_view part);
// For markers that a page or an address carries after its start: an occurrence at the first
// character does not count.
bool ContainsAfterStart(std::u16string_view text, std::u16string_view part);

// The text before the last occurrence of marker; empty when marker is missing.
std::u16string LeftOfLast(std::u16string_view text, std::u16string_view marker);

// Cuts text before the first occurrence of each marker in turn (StringCtrl::CutAt).
void CutAtEach(std::u16string& text, std::initializer_list<std::u16string_view> markers);

// Replaces every occurrence of find in the file-name part of an address (after its last "/"), so a
// host or folder that holds the same letters is left alone.
std::u16string ReplaceInFileName(std::u16string url, std::u16string_view find,
                                 std::u16string_view replacement);

// A picture or page address as a page gives it, made absolute: "//host/..." takes the scheme of
// pageUrl (http when that has none); "http://" and "https://" addresses stay; anything else is
// returned unchanged.
std::u16string Absolute(std::u16string_view address, std::u16string_view pageUrl);

}  // namespace Fields
