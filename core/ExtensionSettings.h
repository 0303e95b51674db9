// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The values of the hand-edited "下载器扩展设置.ini" in the program folder (settings/ExtensionFile
// reads it). The jobs read the file again at their start, so edits apply without a restart.
struct ExtensionSettings {
    unsigned qzoneV2TextFlags = 0;  // text flags of the first Qzone album-list source
    unsigned qzoneV3TextFlags = 0;  // text flags of the second Qzone album-list source
    bool priceInName = false;       // shops: put the price into picture names
    std::int32_t priceAdjust = 0;   // shops: added to the price
    bool weiboPassedOn = false;     // Sina Weibo: also the pictures of the posts a user passed on
};
