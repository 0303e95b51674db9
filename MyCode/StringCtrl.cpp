// SPDX-License-Identifier: GPL-3.0-or-later
#include "MyCode/StringCtrl.h"

#include <charconv>
#include <climits>
#include <cstring>
#include <ctime>
#include <mutex>
#include <random>
#include <unordered_set>
#include <utility>

#include "MyCode/TextCursor.h"
#include "platform/CodePage.h"

namespace {

int HexDigit(unsigned c) {
    if (c >= '0' && c <= '9') {
        return static_cast<int>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<int>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<int>(c - 'A' + 10);
    }
    return -1;
}

std::mutex clipboardMutex;
std::function<std::u16string()> clipboardProvider;

}  // namespace

namespace StringCtrl {

// Replaces every occurrence left to right; the scan goes on after each inserted text, so a
// replacement is never searched again. A replacement no longer than what it replaces is written
// over the text itself, so decoding a large page needs no second copy of it.
void ReplaceAll(std::u16string& text, std::u16string_view find, std::u16string_view replacement) {
    if (find.empty()) {
        return;
    }
    std::size_t pos = text.find(find);
    if (pos == std::u16string::npos) {
        return;
    }
    if (replacement.size() <= find.size()) {
        // The write position never passes the read position, and what lies behind the last
        // occurrence found is not written before it has been searched.
        using Traits = std::char_traits<char16_t>;
        char16_t* data = text.data();
        std::size_t write = pos;
        std::size_t from = pos;
        while (pos != std::u16string::npos) {
            Traits::move(data + write, data + from, pos - from);
            write += pos - from;
            Traits::copy(data + write, replacement.data(), replacement.size());
            write += replacement.size();
            from = pos + find.size();
            pos = text.find(find, from);
        }
        Traits::move(data + write, data + from, text.size() - from);
        text.resize(write + text.size() - from);
        return;
    }
    std::u16string out;
    out.reserve(text.size());
    std::size_t from = 0;
    while (pos != std::u16string::npos) {
        out.append(text, from, pos - from);
        out.append(replacement);
        from = pos + find.size();
        pos = text.find(find, from);
    }
    out.append(text, from, std::u16string::npos);
    text = std::move(out);
}

std::u16string FromAscii(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string Trim(std::u16string_view text) {
    auto blank = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u3000'; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && blank(text[first])) {
        ++first;
    }
    while (last > first && blank(text[last - 1])) {
        --last;
    }
    return std::u16string(text.substr(first, last - first));
}

std::u16string Format(std::u16string_view pattern, std::initializer_list<FormatArg> args) {
    std::u16string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char16_t c = pattern[i];
        if (c != u'%' || i + 1 >= pattern.size()) {
            out.push_back(c);
            continue;
        }
        if (pattern[i + 1] == u'%') {
            out.push_back(u'%');
            ++i;
            continue;
        }
        // %[0][width](s|d|u)
        std::size_t j = i + 1;
        bool zero = j < pattern.size() && pattern[j] == u'0';
        int width = 0;
        while (j < pattern.size() && pattern[j] >= u'0' && pattern[j] <= u'9') {
            width = width * 10 + (pattern[j] - u'0');
            ++j;
        }
        if (j >= pattern.size() || (pattern[j] != u's' && pattern[j] != u'd' && pattern[j] != u'u')) {
            out.push_back(c);
            continue;
        }
        std::u16string piece;
        if (next != args.end()) {
            if (next->isText) {
                piece = next->text;
            } else {
                long long value = next->number;
                if (pattern[j] == u'u') {
                    value = static_cast<long long>(static_cast<std::uint32_t>(value));
                }
                piece = FromAscii(std::to_string(value));
            }
            ++next;
        }
        if (static_cast<int>(piece.size()) < width) {
            std::size_t pad = static_cast<std::size_t>(width) - piece.size();
            std::size_t at = zero && !piece.empty() && piece[0] == u'-' ? 1 : 0;
            piece.insert(at, pad, zero ? u'0' : u' ');
        }
        out += piece;
        i = j;
    }
    return out;
}

std::u16string GetBetween(std::u16string& text, std::u16string_view before, std::u16string_view after,
                          int flags) {
    // The rest is searched where it lies; moving the cursor drops the front in place.
    TextCursor cursor(text);
    std::u16string value = cursor.GetBetween(before, after, flags);
    text.erase(0, cursor.Position());
    return value;
}

int Split(std::u16string_view text, std::u16string_view separator, std::vector<std::u16string>& array) {
    array.clear();
    if (separator.empty()) {
        return 0;
    }
    std::size_t pos = text.find(separator);
    if (pos == std::u16string_view::npos) {
        return 0;
    }
    int count = 0;
    std::size_t from = 0;
    for (; pos != std::u16string_view::npos; pos = text.find(separator, from)) {
        array.emplace_back(text.substr(from, pos - from));
        from = pos + separator.size();
        ++count;
    }
    array.emplace_back(text.substr(from));
    return count;
}

int CountOf(std::u16string_view text, std::u16string_view sub) {
    if (sub.empty()) {
        return 0;
    }
    int count = 0;
    for (std::size_t pos = text.find(sub); pos != std::u16string_view::npos;
         pos = text.find(sub, pos + sub.size())) {
        ++count;
    }
    return count;
}

int SkipPast(std::u16string& text, std::u16string_view marker, bool includeMarker) {
    TextCursor cursor(text);
    int pos = cursor.SkipPast(marker, includeMarker);
    text.erase(0, cursor.Position());
    return pos;
}

int CutAt(std::u16string& text, std::u16string_view marker) {
    std::size_t pos = text.find(marker);
    if (pos == std::u16string::npos) {
        return -1;
    }
    text.erase(pos);
    return static_cast<int>(pos);
}

std::u16string LeftOf(std::u16string_view text, std::u16string_view marker) {
    std::size_t pos = text.find(marker);
    if (pos == std::u16string_view::npos) {
        return {};
    }
    return std::u16string(text.substr(0, pos));
}

std::u16string FromCodePage(const char* bytes, std::size_t length, unsigned codePage) {
    if (bytes == nullptr || length == 0) {
        return {};
    }
    // A NUL in a page is a stray byte, not its end: it is marked and the rest of the page is kept.
    return CodePage::Decode(std::string_view(bytes, length), codePage);
}

std::string ToGbk(std::u16string_view text) {
    std::string bytes = CodePage::Encode(text, CodePage::GBK);
    std::size_t nul = bytes.find('\0');
    if (nul != std::string::npos) {
        bytes.erase(nul);
    }
    return bytes;
}

bool IsUtf8(const unsigned char* bytes, std::uint64_t length) {
    if (bytes == nullptr) {
        return false;
    }
    int pending = 0;
    bool anyHigh = false;
    for (std::uint64_t i = 0; i < length; ++i) {
        unsigned char b = bytes[i];
        if (pending > 0) {
            if (b < 0x80 || b > 0xBF) {
                return false;
            }
            --pending;
            continue;
        }
        if (b < 0x80) {
            continue;
        }
        anyHigh = true;
        if (b <= 0xBF) {
            return false;
        } else if (b <= 0xDF) {
            pending = 1;
        } else if (b <= 0xEF) {
            pending = 2;
        } else if (b <= 0xF7) {
            pending = 3;
        } else if (b == 0xFC || b == 0xFD) {
            pending = 5;
        } else {
            pending = 4;
        }
    }
    return pending == 0 && anyHigh;
}

std::u16string UnescapeJson(std::u16string_view text) {
    std::vector<std::u16string> pieces;
    if (Split(text, u"\\u", pieces) == 0) {
        return std::u16string(text);
    }
    std::u16string out = pieces[0];
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::u16string& piece = pieces[i];
        if (piece.size() < 4) {
            out += piece;
            continue;
        }
        unsigned code = 0;
        int digits = 0;
        for (; digits < 4; ++digits) {
            int d = HexDigit(piece[digits]);
            if (d < 0) {
                break;
            }
            code = code * 16 + static_cast<unsigned>(d);
        }
        if (digits == 0) {
            // Not an escape at all (an escaped backslash before a "u" in a path): keep it as written.
            out += u"\\u";
            out += piece;
            continue;
        }
        // "\u0000" must not plant a NUL that would cut the text short further on.
        if (code != 0) {
            out.push_back(static_cast<char16_t>(code));
        }
        out.append(piece, 4, std::u16string::npos);
    }
    return out;
}

void DecodeHtmlEntities(std::u16string& text) {
    // "&amp;" goes first so that an ampersand entity followed by the letters of another entity
    // decodes twice, the way the sites' doubly-escaped names read.
    static const std::pair<std::u16string_view, std::u16string_view> entities[] = {
        {u"&amp;", u"&"},  {u"&quot;", u"\""},       {u"&lt;", u"<"},  {u"&gt;", u">"},
        {u"&nbsp;", u" "}, {u"&hellip;", u"\u2026"}, {u"&#39;", u"'"},
    };
    if (text.find(u'&') == std::u16string::npos) {
        return;
    }
    for (const auto& [entity, character] : entities) {
        ReplaceAll(text, entity, character);
    }
}

std::u16string UrlDecode(std::u16string_view text, bool utf8) {
    std::string bytes = ToGbk(text);
    std::string decoded;
    decoded.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '%') {
            decoded.push_back(bytes[i]);
            continue;
        }
        if (i + 2 >= bytes.size()) {
            break;
        }
        int high = HexDigit(static_cast<unsigned char>(bytes[i + 1]));
        int low = HexDigit(static_cast<unsigned char>(bytes[i + 2]));
        // "%00" ends the value, as it ends a C string.
        if (high < 0 || low < 0 || high * 16 + low == 0) {
            break;
        }
        decoded.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return FromCodePage(decoded.data(), decoded.size(), utf8 ? CodePage::UTF8 : CodePage::GBK);
}

std::u16string StripTags(std::u16string_view text) {
    // The tags are those a GetBetween walk with "<", ">" and GB_ADVANCE meets: it moves just past
    // each "<" in turn and stops at the first empty tag or at a "<" without a ">" after it. Every
    // occurrence of each tag is removed, tag after tag, from the whole text.
    std::vector<std::u16string_view> tags;
    std::size_t close = std::u16string_view::npos;  // the first ">" after the current "<"
    for (std::size_t open = text.find(u'<'); open != std::u16string_view::npos;
         open = text.find(u'<', open + 1)) {
        if (close == std::u16string_view::npos || close <= open) {
            close = text.find(u'>', open + 1);
            if (close == std::u16string_view::npos) {
                break;
            }
        }
        if (close == open + 1) {
            break;
        }
        tags.push_back(text.substr(open + 1, close - open - 1));
    }
    if (tags.empty()) {
        return std::u16string(text);
    }
    // Where a ">" comes between every two "<", a tag occurs only as a whole "<...>" of the text,
    // and removing some of them never joins text into a new one: the removals, made one after the
    // other, come to dropping every such "<...>" whose inside is one of the tags, in one pass.
    bool flat = true;
    bool open = false;
    for (char16_t c : text) {
        if (c == u'<') {
            flat = flat && !open;
            open = true;
        } else if (c == u'>') {
            open = false;
        }
    }
    if (!flat) {
        // A stray "<" lets one removal join text into another tag: the removals are made in turn.
        std::u16string result(text);
        for (std::u16string_view tag : tags) {
            std::u16string whole;
            whole.reserve(tag.size() + 2);
            whole.append(u"<").append(tag).append(u">");
            ReplaceAll(result, whole, u"");
        }
        return result;
    }
    std::unordered_set<std::u16string_view> removed(tags.begin(), tags.end());
    std::u16string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(u'<'); at != std::u16string_view::npos; at = text.find(u'<', at + 1)) {
        std::size_t end = text.find(u'>', at + 1);
        if (end == std::u16string_view::npos) {
            break;
        }
        if (removed.count(text.substr(at + 1, end - at - 1)) != 0) {
            result.append(text.substr(from, at - from));
            from = end + 1;
        }
        at = end;
    }
    result.append(text.substr(from));
    return result;
}

void ReplaceList(std::u16string& text, std::u16string_view finds, std::u16string_view replacements) {
    int count = CountOf(finds, u"|");
    if (count > 0 && count == CountOf(replacements, u"|")) {
        std::vector<std::u16string> findPieces;
        std::vector<std::u16string> replacementPieces;
        Split(finds, u"|", findPieces);
        Split(replacements, u"|", replacementPieces);
        for (std::size_t i = 0; i < findPieces.size(); ++i) {
            ReplaceAll(text, findPieces[i], replacementPieces[i]);
        }
        return;
    }
    ReplaceAll(text, finds, replacements);
}

std::u16string RandomFraction() {
    // Seeded from the current second on every call, so calls within one second agree; the
    // generator is local so concurrent callers cannot disturb each other.
    std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(std::time(nullptr)));
    int r = std::uniform_int_distribution<int>(0, 32767)(generator);
    // to_chars, unlike printf, ignores the locale: a query string needs a decimal point.
    char buffer[32];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof(buffer), r / 32767.0, std::chars_format::fixed, 16);
    if (ec != std::errc()) {
        return u"0.0000000000000000\n";
    }
    *end++ = '\n';
    return FromAscii(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

std::u16string GetClipboardText() {
    std::function<std::u16string()> provider;
    {
        std::lock_guard<std::mutex> lock(clipboardMutex);
        provider = clipboardProvider;
    }
    if (!provider) {
        return {};
    }
    std::u16string text;
    try {
        text = provider();
    } catch (...) {
        return {};
    }
    std::size_t nul = text.find(u'\0');
    if (nul != std::u16string::npos) {
        text.erase(nul);
    }
    return text;
}

void SetClipboardProvider(std::function<std::u16string()> provider) {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    clipboardProvider = std::move(provider);
}

std::u16string XorHexCodec(std::u16string_view text, bool encode, std::u16string_view key) {
    const std::string keyBytes = ToGbk(key);
    if (keyBytes.empty()) {
        return {};
    }
    const std::string bytes = ToGbk(text);
    std::size_t k = 0;
    auto nextKey = [&]() {
        unsigned char value = static_cast<unsigned char>(keyBytes[k]);
        k = (k + 1) % keyBytes.size();
        return value;
    };
    static const char hex[] = "0123456789ABCDEF";
    if (encode) {
        std::string out;
        out.reserve(bytes.size() * 2);
        auto put = [&](unsigned char b) {
            unsigned char inverted = static_cast<unsigned char>(255 - b);
            out.push_back(hex[inverted >> 4]);
            out.push_back(hex[inverted & 0x0F]);
        };
        // 0, CR and LF would break the stored constant, so they travel as the key byte and a digit.
        for (char c : bytes) {
            unsigned char kb = nextKey();
            unsigned char x = static_cast<unsigned char>(c) ^ kb;
            if (x == 0 || x == 0x0D || x == 0x0A) {
                put(kb);
                put(x == 0 ? '1' : x == 0x0D ? '2' : '3');
            } else {
                put(x);
            }
        }
        return FromAscii(out);
    }
    std::string raw;
    raw.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        int high = HexDigit(static_cast<unsigned char>(bytes[i]));
        int low = HexDigit(static_cast<unsigned char>(bytes[i + 1]));
        if (high < 0 || low < 0) {
            break;
        }
        raw.push_back(static_cast<char>(255 - (high * 16 + low)));
    }
    std::string plain;
    plain.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        unsigned char kb = nextKey();
        unsigned char b = static_cast<unsigned char>(raw[i]);
        if (b != kb) {
            plain.push_back(static_cast<char>(b ^ kb));
            continue;
        }
        if (i + 1 >= raw.size()) {
            break;
        }
        char selector = raw[++i];
        plain.push_back(static_cast<char>(selector == '1' ? kb : selector == '2' ? kb ^ 0x0D : kb ^ 0x0A));
    }
    return FromCodePage(plain.data(), plain.size(), CodePage::GBK);
}

int DecimalValue(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        // Saturate like the C library does instead of wrapping into a wrong number.
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

std::u16string_view KeepUnits(std::u16string_view text, std::size_t maxUnits) {
    if (text.size() <= maxUnits) {
        return text;
    }
    std::size_t keep = maxUnits;
    if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF) {
        --keep;  // never leave half a character behind
    }
    return text.substr(0, keep);
}

}  // namespace StringCtrl
