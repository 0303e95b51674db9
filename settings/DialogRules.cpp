// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/DialogRules.h"

#include <array>
#include <cstdint>

#include "MyCode/StringCtrl.h"
#include "settings/SettingsText.h"

namespace DialogRules {

namespace {

std::array<int, 4> Values(std::u16string_view minPictureKB, std::u16string_view maxPictureKB,
                          std::u16string_view threadCount, std::u16string_view timeoutSec) {
    return {StringCtrl::DecimalValue(minPictureKB), StringCtrl::DecimalValue(maxPictureKB),
            StringCtrl::DecimalValue(threadCount), StringCtrl::DecimalValue(timeoutSec)};
}

int RefusedField(const std::array<int, 4>& values) {
    for (int field = 0; field < 4; ++field) {
        const int v = values[static_cast<std::size_t>(field)];
        // A value outside the 16-bit field would wrap into a different number (65537 threads
        // into 1), so it is refused like any other bad input.
        if (v < 0 || v > 0xFFFF || (field == 2 && (v < 1 || v > 15)) || (field == 3 && v < 10)) {
            return field;
        }
    }
    // A minimum above the maximum (0: no maximum) would leave out every picture.
    if (values[1] != 0 && values[0] > values[1]) {
        return SIZES_CROSSED;
    }
    return -1;
}

}  // namespace

int RefusedDownloadParam(std::u16string_view minPictureKB, std::u16string_view maxPictureKB,
                         std::u16string_view threadCount, std::u16string_view timeoutSec) {
    return RefusedField(Values(minPictureKB, maxPictureKB, threadCount, timeoutSec));
}

std::u16string RefusedParamHint(int field) {
    switch (field) {
        case 0:
            return u"图片最小值(K)应为0~65535的整数";
        case 1:
            return u"图片最大值(K)应为0~65535的整数，0为不限";
        case 2:
            return u"线程数应为1~15的整数";
        case 3:
            return u"超时应为10~65535秒的整数";
        case SIZES_CROSSED:
            return u"图片最小值(K)不能大于图片最大值(K)";
        default:
            return {};
    }
}

bool ParseDownloadParams(std::u16string_view minPictureKB, std::u16string_view maxPictureKB,
                         std::u16string_view threadCount, std::u16string_view timeoutSec,
                         DownloadParams& out) {
    const std::array<int, 4> values = Values(minPictureKB, maxPictureKB, threadCount, timeoutSec);
    if (RefusedField(values) != -1) {
        return false;
    }
    out.minPictureKB = static_cast<std::uint16_t>(values[0]);
    out.maxPictureKB = static_cast<std::uint16_t>(values[1]);
    out.threadCount = static_cast<std::uint16_t>(values[2]);
    out.timeoutSec = static_cast<std::uint16_t>(values[3]);
    return true;
}

void StoreNamingField(std::u16string& field, std::u16string_view text) {
    field = SettingsText::KeepUnits(text, NAMING_FIELD_KEEP);
}

}  // namespace DialogRules
