// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ExtensionSettings.h"

// "下载器扩展设置.ini" in the program folder, an INI file the user edits by hand.
namespace ExtensionFile {

// The values from programDir's file (ending with "/"); all of them zero or off when there is none.
ExtensionSettings Load(const std::u16string& programDir);

}  // namespace ExtensionFile
