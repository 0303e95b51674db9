// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <ctime>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "platform/CodePage.h"

using namespace StringCtrl;

namespace {

// Readable failure messages for UTF-16 text.
std::string Show(std::u16string_view text) {
    return CodePage::ToUtf8(text);
}

struct TextCase {
    std::u16string text;
    std::u16string expected;
};

// Runs a text-to-text conversion over a table of cases.
template <typename Convert>
void ExpectEach(std::initializer_list<TextCase> cases, Convert convert) {
    for (const auto& c : cases) {
        std::u16string result = convert(c.text);
        EXPECT_EQ(result, c.expected) << Show(c.text) << " -> " << Show(result);
    }
}

}  // namespace

TEST(Markers, GetBetweenCutsValueAndMovesCursorOnlyPastBefore) {
    struct Case {
        std::u16string text;
        std::u16string before;
        std::u16string after;
        int flags;
        std::u16string value;
        std::u16string textAfter;
    } cases[] = {
        {u"id:\"7\",n", u"id:\"", u"\"", 0, u"7", u"id:\"7\",n"},
        {u"id:\"7\",n", u"id:\"", u"\"", GB_ADVANCE, u"7", u"7\",n"},
        // before missing: nothing moves, even when asked to
        {u"abc", u"x", u"c", GB_ADVANCE | GB_REST, u"", u"abc"},
        // after missing: empty, or the whole rest with GB_REST; the cursor still moves
        {u"a[bc", u"[", u"]", GB_ADVANCE, u"", u"bc"},
        {u"a[bc", u"[", u"]", GB_REST, u"bc", u"a[bc"},
        {u"a[bc]d", u"[", u"]", GB_REST, u"bc", u"a[bc]d"},
        // after is searched only behind before
        {u"]a[b]", u"[", u"]", 0, u"b", u"]a[b]"},
        {u"abc", u"", u"c", GB_ADVANCE, u"ab", u"abc"},
        {u"abc", u"a", u"", GB_ADVANCE, u"", u"bc"},
        {u"中文<名>尾", u"<", u">", GB_ADVANCE, u"名", u"名>尾"},
    };
    for (const auto& c : cases) {
        std::u16string text = c.text;
        EXPECT_EQ(GetBetween(text, c.before, c.after, c.flags), c.value) << Show(c.text) << " " << c.flags;
        EXPECT_EQ(text, c.textAfter) << Show(c.text) << " " << c.flags;
    }
}

TEST(Markers, GetBetweenWithAdvanceWalksRecordsInOrder) {
    std::u16string page = u"{\"name\":\"a1\"},{\"name\":\"b2\"},{\"name\":\"c3\"}";
    EXPECT_EQ(GetBetween(page, u"\"name\":\"", u"\"", GB_ADVANCE), u"a1");
    EXPECT_EQ(page.substr(0, 2), u"a1");
    EXPECT_EQ(GetBetween(page, u"\"name\":\"", u"\"", GB_ADVANCE), u"b2");
    EXPECT_EQ(GetBetween(page, u"\"name\":\"", u"\"", GB_ADVANCE), u"c3");
    EXPECT_EQ(page, u"c3\"}");
    EXPECT_EQ(GetBetween(page, u"\"name\":\"", u"\"", GB_ADVANCE), u"");
    EXPECT_EQ(page, u"c3\"}");
}

TEST(Markers, SplitAndCountOf) {
    struct Case {
        std::u16string text;
        std::u16string separator;
        int count;
        std::vector<std::u16string> pieces;
    } cases[] = {
        {u"abc", u",", 0, {}},
        {u"a,b", u",", 1, {u"a", u"b"}},
        {u",a", u",", 1, {u"", u"a"}},
        {u"a,,", u",", 2, {u"a", u"", u""}},
        {u"x<li>一<li>二", u"<li>", 2, {u"x", u"一", u"二"}},
        // occurrences do not overlap
        {u"aaaa", u"aa", 2, {u"", u"", u""}},
        {u"aaa", u"aa", 1, {u"", u"a"}},
        {u"", u",", 0, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::u16string> array = {u"stale"};
        EXPECT_EQ(Split(c.text, c.separator, array), c.count) << Show(c.text);
        EXPECT_EQ(array, c.pieces) << Show(c.text);
        EXPECT_EQ(CountOf(c.text, c.separator), c.count) << Show(c.text);
    }
    // Never passed by callers, but must end.
    std::vector<std::u16string> array;
    EXPECT_EQ(Split(u"abc", u"", array), 0);
    EXPECT_EQ(CountOf(u"abc", u""), 0);
}

TEST(Markers, SkipPastCutAtLeftOf) {
    struct Case {
        std::u16string text;
        std::u16string marker;
        int position;
        std::u16string skipped;      // SkipPast, marker removed too
        std::u16string skippedKeep;  // SkipPast keeping the marker
        std::u16string cut;          // CutAt
        std::u16string left;         // LeftOf
    } cases[] = {
        {u"head<ul>tail", u"<ul>", 4, u"tail", u"<ul>tail", u"head", u"head"},
        {u"a--b--c", u"--", 1, u"b--c", u"--b--c", u"a", u"a"},
        {u"--x", u"--", 0, u"x", u"--x", u"", u""},
        {u"abc", u"z", -1, u"abc", u"abc", u"abc", u""},
    };
    for (const auto& c : cases) {
        std::u16string text = c.text;
        EXPECT_EQ(SkipPast(text, c.marker), c.position) << Show(c.text);
        EXPECT_EQ(text, c.skipped) << Show(c.text);
        text = c.text;
        EXPECT_EQ(SkipPast(text, c.marker, false), c.position) << Show(c.text);
        EXPECT_EQ(text, c.skippedKeep) << Show(c.text);
        text = c.text;
        EXPECT_EQ(CutAt(text, c.marker), c.position) << Show(c.text);
        EXPECT_EQ(text, c.cut) << Show(c.text);
        EXPECT_EQ(LeftOf(c.text, c.marker), c.left) << Show(c.text);
    }
}

TEST(CodePages, FromCodePageDecodesEachPageAndGoesOnPastNul) {
    struct Case {
        std::string bytes;
        unsigned codePage;
        std::u16string text;
    } cases[] = {
        {"\xD6\xD0\xCE\xC4", 936, u"中文"},
        {"\xE4\xB8\xAD\xE6\x96\x87", 65001, u"中文"},
        {"\xA4\xA4\xA4\xE5", 950, u"中文"},
        {"\xC7\xD1\xB1\xDB", 51949, u"한글"},
        // A stray NUL is marked like a bad byte; nothing after it is lost.
        {std::string("ab\0cd", 5), 936, u"ab\uFFFDcd"},
        {std::string("\0ab", 3), 65001, u"\uFFFDab"},
        {std::string("\xD6\xD0\0\xCE\xC4", 5), 936, u"中\uFFFD文"},
        // One bad byte must not cost the rest of the page.
        {"\xD6\xD0\xFF<title>\xCE\xC4</title>", 936, u"中\uFFFD<title>文</title>"},
        {"ok\xC3(more)", 65001, u"ok\uFFFD(more)"},
        {"abc", 1252, u""},
        {"", 936, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromCodePage(c.bytes.data(), c.bytes.size(), c.codePage), c.text) << c.codePage;
    }
    EXPECT_EQ(FromCodePage(nullptr, 5, 936), u"");
    // The length, not a NUL, bounds the bytes read.
    EXPECT_EQ(FromCodePage("abcdef", 3, 936), u"abc");
}

TEST(CodePages, ToGbk) {
    EXPECT_EQ(ToGbk(u"中文abc"),
              "\xD6\xD0\xCE\xC4"
              "abc");
    EXPECT_EQ(ToGbk(std::u16string(u"ab\0cd", 5)), "ab");
    EXPECT_EQ(ToGbk(u"a한b"), "a?b");
    EXPECT_EQ(ToGbk(u""), "");
}

TEST(CodePages, IsUtf8) {
    struct Case {
        std::string bytes;
        bool utf8;
    } cases[] = {
        {"", false},
        {"plain ascii", false},
        {"\xE4\xB8\xAD", true},
        {"a\xE4\xB8\xAD"
         "b\xC3\xA9",
         true},
        {"\xE4\xB8", false},          // continuation still pending at the end
        {"\xD6\xD0\xCE\xC4", false},  // GBK
        {"\x80", false},              // continuation byte without a lead
        {"\xE4"
         "a\xAD",
         false},  // lead byte followed by plain
        {"\xF0\x9F\x98\x80", true},
        {"\xF8\x80\x80\x80\x80", true},   // old five-byte form still accepted
        {"\xFC\x80\x80\x80\x80", false},  // six-byte form needs five continuations
        {"\xFC\x80\x80\x80\x80\x80", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsUtf8(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size()), c.utf8)
            << testing::PrintToString(c.bytes);
    }
    EXPECT_FALSE(IsUtf8(nullptr, 3));
}

TEST(Conversions, UnescapeJson) {
    ExpectEach(
        {
            {u"\\u4e2d\\u6587x", u"中文x"},
            {u"name:\\u4E2Dabc", u"name:中abc"},
            {u"no escapes", u"no escapes"},
            {u"ab\\u12", u"ab12"},  // too short: "\u" dropped, the rest kept
            {u"\\ud83d\\ude00", u"\U0001F600"},
            {u"\\u4e2z!", u"\u04e2!"},  // reading stops at the first non-hex character
            // Not an escape: an escaped backslash before "users" stays as written.
            {u"C:\\\\users\\\\x", u"C:\\\\users\\\\x"},
            {u"a\\u0000b", u"ab"},  // no embedded NUL
        },
        [](const std::u16string& text) { return UnescapeJson(text); });
}

TEST(Conversions, DecodeHtmlEntities) {
    ExpectEach(
        {
            {u"&quot;a&quot; &amp; &lt;b&gt;&nbsp;c&hellip;&#39;", u"\"a\" & <b> c\u2026'"},
            {u"&amp;quot;", u"\""},
            {u"&amp;lt;&amp;#39;", u"<'"},
            {u"&amp;amp;", u"&amp;"},                        // one pass per entity
            {u"&copy; &#40; &AMP;", u"&copy; &#40; &AMP;"},  // nothing else is decoded
            {u"plain", u"plain"},
        },
        [](std::u16string text) {
            DecodeHtmlEntities(text);
            return text;
        });
}

TEST(Conversions, UrlDecode) {
    struct Case {
        std::u16string text;
        bool utf8;
        std::u16string decoded;
    } cases[] = {
        {u"%E4%B8%AD%e6%96%87", true, u"中文"},
        {u"%D6%D0%CE%C4", false, u"中文"},
        {u"a+b%20c", false, u"a+b c"},
        {u"中%20文", false, u"中 文"},
        {u"ab%4", false, u"ab"},     // cut short: the rest is dropped
        {u"ab%zzcd", false, u"ab"},  // not hexadecimal: the rest is dropped
        {u"ab%", true, u"ab"},
        {u"ab%00cd", true, u"ab"},
        {u"", true, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UrlDecode(c.text, c.utf8), c.decoded) << Show(c.text);
    }
    // Long values (a whole escaped address) decode completely.
    std::u16string longText;
    std::u16string expected;
    for (int i = 0; i < 1000; ++i) {
        longText += u"%E4%B8%AD";
        expected += u"中";
    }
    EXPECT_EQ(UrlDecode(longText, true), expected);
}

TEST(Conversions, StripTags) {
    ExpectEach(
        {
            {u"<b>粗</b>体<br/><b>再</b>", u"粗体再"},
            {u"no tags", u"no tags"},
            {u"a<>b<i>c</i>", u"a<>b<i>c</i>"},  // the walk stops at the first empty tag
            {u"x<i>y", u"xy"},
            {u"x <unclosed", u"x <unclosed"},
        },
        [](const std::u16string& text) { return StripTags(text); });
}

TEST(Conversions, ReplaceList) {
    struct Case {
        std::u16string text;
        std::u16string finds;
        std::u16string replacements;
        std::u16string result;
    } cases[] = {
        {u"a-b_c", u"-|_", u" |.", u"a b.c"},
        // applied in order: the first replacement can feed the second
        {u"ab", u"a|b", u"b|c", u"cc"},
        // separator counts differ: the whole texts are taken literally
        {u"x|y and x", u"x|y", u"z", u"z and x"},
        {u"照片 照片", u"照片", u"图", u"图 图"},
        {u"abc", u"", u"z", u"abc"},
        {u"a|b", u"|", u"|", u"a|b"},
        {u"abc", u"|b", u"x|y", u"ayc"},  // an empty find piece is skipped
    };
    for (const auto& c : cases) {
        std::u16string text = c.text;
        ReplaceList(text, c.finds, c.replacements);
        EXPECT_EQ(text, c.result) << Show(c.text) << " / " << Show(c.finds);
    }
}

TEST(Conversions, DecimalValue) {
    struct Case {
        std::u16string text;
        int value;
    } cases[] = {
        {u"123", 123},
        {u"  42abc", 42},
        {u"\t\r\n7", 7},
        {u"-15", -15},
        {u"+8", 8},
        {u"", 0},
        {u"abc", 0},
        {u"x12", 0},
        {u"- 5", 0},
        {u"007", 7},
        {u"99999999999", INT_MAX},
        {u"-99999999999", INT_MIN},
        {u"１２", 0},  // full-width digits are not digits
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecimalValue(c.text), c.value) << Show(c.text);
    }
}

TEST(RandomValue, FormatAndSameSecondGivesSameValue) {
    std::u16string first;
    std::u16string second;
    // Retry if the clock ticked over between the two calls.
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::time_t before = std::time(nullptr);
        first = RandomFraction();
        second = RandomFraction();
        if (std::time(nullptr) == before) {
            break;
        }
    }
    EXPECT_EQ(first, second);
    ASSERT_EQ(first.size(), 19u) << Show(first);
    EXPECT_TRUE(first.starts_with(u"0.") || first == u"1.0000000000000000\n") << Show(first);
    EXPECT_EQ(first.back(), u'\n');
    for (std::size_t i = 2; i < 18; ++i) {
        EXPECT_TRUE(first[i] >= u'0' && first[i] <= u'9') << Show(first);
    }
}

TEST(RandomValue, ConcurrentCallsAgree) {
    std::time_t start = std::time(nullptr);
    std::u16string expected = RandomFraction();
    std::vector<std::u16string> results(4);
    std::vector<std::thread> threads;
    for (auto& result : results) {
        threads.emplace_back([&result] {
            for (int i = 0; i < 200; ++i) {
                result = RandomFraction();
            }
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    if (std::time(nullptr) != start) {
        GTEST_SKIP() << "the clock ticked over";
    }
    for (const auto& result : results) {
        EXPECT_EQ(result, expected);
    }
}

TEST(Clipboard, ProviderSuppliesTextAndNoneGivesEmpty) {
    SetClipboardProvider(nullptr);
    EXPECT_EQ(GetClipboardText(), u"");
    SetClipboardProvider([] { return std::u16string(u"123456\0junk", 11); });
    EXPECT_EQ(GetClipboardText(), u"123456");
    SetClipboardProvider([]() -> std::u16string { throw std::runtime_error("clipboard busy"); });
    EXPECT_EQ(GetClipboardText(), u"");

    // The window may replace the provider while a job thread reads.
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        while (!stop) {
            std::u16string text = GetClipboardText();
            EXPECT_TRUE(text.empty() || text == u"a" || text == u"b") << Show(text);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        SetClipboardProvider([i] { return std::u16string(i % 2 ? u"a" : u"b"); });
    }
    stop = true;
    reader.join();
    SetClipboardProvider(nullptr);
}

TEST(Codec, XorHexEncodesEscapesAndRoundTrips) {
    // 'A'^'k' is plain; 'k'^'k' = 0, 'f'^'k' = CR and 'a'^'k' = LF travel as the key byte and a digit.
    EXPECT_EQ(XorHexCodec(u"Akfa", true, u"k"), u"D594CE94CD94CC");
    EXPECT_EQ(XorHexCodec(u"D594CE94CD94CC", false, u"k"), u"Akfa");
    // The key advances once per text byte, escaped or not.
    EXPECT_EQ(XorHexCodec(u"ab", true, u"ab"), u"9ECE9DCE");
    EXPECT_EQ(XorHexCodec(u"9ECE9DCE", false, u"ab"), u"ab");
    EXPECT_EQ(XorHexCodec(u"9ece9dce", false, u"ab"), u"ab");

    const std::u16string texts[] = {u"http://photo.example.com/a?b=1&c=中文", u"提示：登录后再试\r\n", u""};
    const std::u16string keys[] = {u"key", u"密钥", u"h"};
    for (const auto& text : texts) {
        for (const auto& key : keys) {
            std::u16string encoded = XorHexCodec(text, true, key);
            EXPECT_EQ(encoded.find_first_not_of(u"0123456789ABCDEF"), std::u16string::npos) << Show(encoded);
            EXPECT_EQ(XorHexCodec(encoded, false, key), text) << Show(text) << " / " << Show(key);
        }
    }
    EXPECT_EQ(XorHexCodec(u"abc", true, u""), u"");
    EXPECT_EQ(XorHexCodec(u"D5", false, u""), u"");
    // Damaged input decodes as far as it is readable and never reads past the end.
    EXPECT_EQ(XorHexCodec(u"D5zz94CE", false, u"k"), u"A");
    EXPECT_EQ(XorHexCodec(u"D594", false, u"k"), u"A");
    EXPECT_EQ(XorHexCodec(u"D59", false, u"k"), u"A");
}

TEST(StringCtrlFormat, FillsPlaceholdersInOrder) {
    using StringCtrl::Format;
    EXPECT_EQ(Format(u"%04d", {7}), u"0007");
    EXPECT_EQ(Format(u"%4u", {12}), u"  12");
    EXPECT_EQ(Format(u"%08u", {0x7FFFFFFF & -5}), u"2147483643");
    EXPECT_EQ(Format(u"%s (%u)", {std::u16string(u"相册"), 2}), u"相册 (2)");
    EXPECT_EQ(Format(u"idcNum=%d&hostUin=%s&albumid=%s", {-1, u"123", u"ab"}),
              u"idcNum=-1&hostUin=123&albumid=ab");
    EXPECT_EQ(Format(u"100%% %x", {}), u"100% %x");
    EXPECT_EQ(Format(u"%u", {-1}), u"4294967295");
}

TEST(StringCtrlTrim, RemovesBlanksAtBothEnds) {
    EXPECT_EQ(StringCtrl::Trim(u" \t 123 \r\n"), u"123");
    EXPECT_EQ(StringCtrl::Trim(u"   "), u"");
    EXPECT_EQ(StringCtrl::Trim(u"\u3000a b\u3000"), u"a b");
}
