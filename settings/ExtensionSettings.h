#pragma once

#include <cstdint>
#include <string>

// The four values of the hand-edited "下载器扩展设置.ini" in the program folder. Re-read at the start
// of every album-list and download job, so edits apply without a restart.
struct ExtensionSettings {
    unsigned qzoneV2TextFlags = 0;  // text flags of the first Qzone album-list source
    unsigned qzoneV3TextFlags = 0;  // text flags of the second Qzone album-list source
    bool priceInName = false;       // shops: put the price into picture names
    std::int32_t priceAdjust = 0;   // shops: added to the price

    // Resets all four values, then reads the file from programDir (ending with "/") when it exists.
    void Load(const std::u16string& programDir);
};
