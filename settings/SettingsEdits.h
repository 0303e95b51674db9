// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/NamingSettings.h"
#include "settings/ProgramSettings.h"

// The changes the window makes to the settings. Each works on the slot of the site type the
// window shows and saves "soft.dat" at once when something changed; a failed save is silent.
namespace SettingsEdits {

// Flips an option of the settings menu. False (nothing changes) when the item is greyed for the
// site type.
bool ToggleOption(ProgramSettings& settings, int siteType, OptionFlag flag);

// The download-parameters dialog's OK. False means "参数错误": nothing is stored and the dialog
// stays open.
bool ApplyDownloadParams(ProgramSettings& settings, int siteType, std::u16string_view minPictureKB,
                         std::u16string_view maxPictureKB, std::u16string_view threadCount,
                         std::u16string_view timeoutSec);

// The file-name dialog's OK: the six texts as typed (each kept to 38 characters) and the two
// choices of edited replace the slot's; its options stay.
void ApplyNaming(ProgramSettings& settings, int siteType, const NamingSettings& edited);

// History::Add on the address or save-folder history, then a save when it was added. The caller
// appends an added text to its combo box.
bool AddInputHistory(ProgramSettings& settings, std::u16string_view text);
bool AddPathHistory(ProgramSettings& settings, std::u16string_view text);

}  // namespace SettingsEdits
