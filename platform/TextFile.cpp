// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextFile.h"

#include "platform/FileSystem.h"

namespace TextFile {

std::string ToUtf16Le(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::u16string FromUtf16Le(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return text;
}

bool Write(std::u16string_view path, std::u16string_view text) {
    return FileSystem::WriteFileAtomic(path, std::string(BYTE_ORDER_MARK) + ToUtf16Le(text));
}

}  // namespace TextFile
