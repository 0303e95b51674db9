// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/tencent/QzoneGtk.h"

std::uint32_t QzoneGtk(std::u16string_view skey) {
    std::uint32_t h = 5381;
    for (char16_t c : skey) {
        h = h * 33u + static_cast<std::uint32_t>(c);
    }
    return h & 0x7FFFFFFFu;
}
