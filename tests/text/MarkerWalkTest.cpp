// SPDX-License-Identifier: GPL-3.0-or-later
// The fast paths of the marker primitives against their definitions, on every short text over a
// small alphabet, where tags overlap, nest, join and go unclosed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "MyCode/TextCursor.h"
#include "platform/CodePage.h"

using namespace StringCtrl;

namespace {

// Every text of up to maxLength units drawn from alphabet.
std::vector<std::u16string> AllTexts(std::u16string_view alphabet, std::size_t maxLength) {
    std::vector<std::u16string> texts = {u""};
    for (std::size_t begin = 0, length = 0; length < maxLength; ++length) {
        std::size_t end = texts.size();
        for (std::size_t i = begin; i < end; ++i) {
            for (char16_t c : alphabet) {
                texts.push_back(texts[i] + c);
            }
        }
        begin = end;
    }
    return texts;
}

// Every occurrence, left to right, never searching an inserted text again, into a new string.
std::u16string ReplacedByDefinition(const std::u16string& text, const std::u16string& find,
                                    const std::u16string& replacement) {
    std::u16string out;
    std::size_t from = 0;
    for (std::size_t at = text.find(find); at != std::u16string::npos; at = text.find(find, from)) {
        out += text.substr(from, at - from) + replacement;
        from = at + find.size();
    }
    return out + text.substr(from);
}

// Walk a copy with "<" and ">", moving just past each "<"; while the tag found is not empty,
// remove every "<tag>" from the result.
std::u16string StrippedByDefinition(const std::u16string& text) {
    std::u16string result = text;
    std::u16string walk = text;
    for (;;) {
        std::size_t open = walk.find(u'<');
        if (open == std::u16string::npos) {
            break;
        }
        walk = walk.substr(open + 1);
        std::size_t close = walk.find(u'>');
        if (close == std::u16string::npos || close == 0) {
            break;
        }
        result = ReplacedByDefinition(result, u"<" + walk.substr(0, close) + u">", u"");
    }
    return result;
}

}  // namespace

TEST(MarkerWalk, StripTagsRemovesWhatTheTagWalkFinds) {
    for (const std::u16string& text : AllTexts(u"<>ab", 9)) {
        ASSERT_EQ(StripTags(text), StrippedByDefinition(text)) << CodePage::ToUtf8(text);
    }
}

TEST(MarkerWalk, ReplaceAllShrinkingOrGrowing) {
    const std::u16string finds[] = {u"a", u"ab", u"aa", u"aba"};
    const std::u16string replacements[] = {u"", u"x", u"yz", u"aa", u"xyzw"};
    for (const std::u16string& text : AllTexts(u"ab", 8)) {
        for (const std::u16string& find : finds) {
            for (const std::u16string& replacement : replacements) {
                std::u16string replaced = text;
                ReplaceAll(replaced, find, replacement);
                ASSERT_EQ(replaced, ReplacedByDefinition(text, find, replacement))
                    << CodePage::ToUtf8(text) << " " << CodePage::ToUtf8(find) << " "
                    << CodePage::ToUtf8(replacement);
            }
        }
    }
}

// A cursor walk gives the values and the rest a GetBetween or SkipPast walk on the text gives.
TEST(MarkerWalk, CursorWalksAsTheTextWalks) {
    const std::u16string markers[] = {u"", u"a", u"ab", u"ba", u"bb"};
    const int flags[] = {GB_ADVANCE, GB_ADVANCE | GB_REST, 0, GB_REST};
    for (const std::u16string& text : AllTexts(u"ab", 7)) {
        for (const std::u16string& before : markers) {
            for (const std::u16string& after : markers) {
                for (int flag : flags) {
                    std::u16string walked = text;
                    TextCursor cursor(text);
                    for (int step = 0; step < 3; ++step) {
                        ASSERT_EQ(cursor.GetBetween(before, after, flag),
                                  GetBetween(walked, before, after, flag));
                        ASSERT_EQ(cursor.Rest(), walked);
                    }
                }
            }
            std::u16string skipped = text;
            TextCursor cursor(text);
            for (bool include : {true, false, true}) {
                ASSERT_EQ(cursor.SkipPast(before, include), SkipPast(skipped, before, include));
                ASSERT_EQ(cursor.Rest(), skipped);
            }
        }
    }
}
