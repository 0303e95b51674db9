#include "settings/DialogRules.h"

#include <array>
#include <cstdint>

#include "MyCode/StringCtrl.h"
#include "settings/SettingsText.h"

namespace DialogRules {

bool ParseDownloadParams(std::u16string_view minPictureKB, std::u16string_view maxPictureKB,
                         std::u16string_view threadCount, std::u16string_view timeoutSec,
                         DownloadParams& out) {
    std::array<int, 4> values = {StringCtrl::DecimalValue(minPictureKB),
                                 StringCtrl::DecimalValue(maxPictureKB),
                                 StringCtrl::DecimalValue(threadCount), StringCtrl::DecimalValue(timeoutSec)};
    // A value outside the 16-bit field would wrap into a different number (65537 threads into 1),
    // so it is refused like any other bad input.
    for (int v : values) {
        if (v < 0 || v > 0xFFFF) {
            return false;
        }
    }
    if (values[2] < 1 || values[2] > 15 || values[3] < 10) {
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
