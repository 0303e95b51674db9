// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The program's own text files (the marker, the picture names, the dumps) are UTF-16LE, the
// in-memory text unit by unit, so lone surrogates survive a round trip unchanged.
namespace TextFile {

inline constexpr std::string_view BYTE_ORDER_MARK = "\xFF\xFE";

std::string ToUtf16Le(std::u16string_view text);
// An odd last byte is dropped.
std::u16string FromUtf16Le(std::string_view bytes);

// The byte-order mark, then text as UTF-16LE, replacing the file at path. A relative path lands in
// the current folder. False when it cannot be written.
bool Write(std::u16string_view path, std::u16string_view text);

}  // namespace TextFile
