// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PictureRecord.h"

namespace {
constexpr std::u16string_view kFallbackSeparator = u"\r\n";
}

std::u16string PictureRecord::PrimaryUrl() const {
    auto at = url.find(kFallbackSeparator);
    return at == std::u16string::npos ? url : url.substr(0, at);
}

std::u16string PictureRecord::FallbackUrl() const {
    auto at = url.find(kFallbackSeparator);
    if (at == std::u16string::npos) {
        return {};
    }
    std::u16string fallback = url.substr(at + kFallbackSeparator.size());
    const bool web = fallback.starts_with(u"http://") || fallback.starts_with(u"https://");
    if (!web || fallback.find_first_of(u"\r\n") != std::u16string::npos) {
        return {};
    }
    return fallback;
}
