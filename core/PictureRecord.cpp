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
    return at == std::u16string::npos ? std::u16string() : url.substr(at + kFallbackSeparator.size());
}
