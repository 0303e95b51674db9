// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "core/ExtensionSettings.h"
#include "core/SiteSettings.h"
#include "core/SiteType.h"

constexpr int HISTORY_SIZE = 5;
constexpr int HISTORY_FIELD_UNITS = 400;  // an entry holds at most 399 characters

// The program's settings, owned by the front end: the 24 site-type slots and the two histories of
// "soft.dat" (SettingsFile loads and saves them), the extension settings (ExtensionFile reads them
// again at the start of every job), and the program folder that holds those files.
struct ProgramSettings {
    std::u16string programDir;  // ends with "/"; holds "soft.dat", "cookies.txt" and "tmp/"
    std::array<SiteSettings, SETTINGS_SLOT_COUNT> siteSettings{};
    ExtensionSettings extension;
    std::array<std::u16string, HISTORY_SIZE> inputHistory{};  // newest first
    std::array<std::u16string, HISTORY_SIZE> pathHistory{};

    // The slot of a site type; a value outside the slots reads slot 0.
    SiteSettings& Slot(int siteType) { return siteSettings[SlotOf(siteType)]; }
    const SiteSettings& Slot(int siteType) const { return siteSettings[SlotOf(siteType)]; }

private:
    static std::size_t SlotOf(int type) {
        return type >= 0 && type < SETTINGS_SLOT_COUNT ? static_cast<std::size_t>(type) : 0;
    }
};
