// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Code-page conversion on glibc's iconv. Code pages are the Windows numbers the sites' pages are
// described by: 936 GBK (also the ANSI code page), 65001 UTF-8, 950 Big5, 51949 EUC-KR.
namespace CodePage {

constexpr unsigned GBK = 936;
constexpr unsigned ANSI = GBK;
constexpr unsigned UTF8 = 65001;
constexpr unsigned BIG5 = 950;
constexpr unsigned EUCKR = 51949;

// Decodes bytes; each undecodable sequence and each NUL becomes U+FFFD and decoding goes on. An
// unknown code page gives an empty text.
std::u16string Decode(std::string_view bytes, unsigned codePage);
// Encodes text; a character the code page cannot hold becomes "?". An unknown code page gives "".
std::string Encode(std::u16string_view text, unsigned codePage);

// UTF-8 shorthands, used for file names and for everything that talks to libraries.
inline std::u16string FromUtf8(std::string_view bytes) {
    return Decode(bytes, UTF8);
}
inline std::string ToUtf8(std::u16string_view text) {
    return Encode(text, UTF8);
}

}  // namespace CodePage
