// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "settings/ProgramSettings.h"

// "soft.dat" in the program folder: the settings block on disk. It is loaded once at start-up and
// written again after every change, so the file always holds the last change.
namespace SettingsFile {

inline constexpr char16_t FILE_NAME[] = u"soft.dat";

constexpr std::uint16_t DEFAULT_THREAD_COUNT = 5;
constexpr std::uint16_t DEFAULT_TIMEOUT_SEC = 30;

// programDir + "soft.dat".
std::u16string PathIn(const std::u16string& programDir);

// A thread count outside 1..15 becomes 5 and a time-out below 10 becomes 30, in all 24 slots.
void RepairRanges(std::array<SiteSettings, SETTINGS_SLOT_COUNT>& slots);

// What a first start begins with beyond zero: Yupoo fixes the order and takes large pictures, the
// shops and JD fix the order, 51 names pictures by sequence number.
void ApplyFirstRunDefaults(std::array<SiteSettings, SETTINGS_SLOT_COUNT>& slots);

// Fills the block from settings.programDir's "soft.dat" (a shorter file leaves the rest zero),
// repairs the ranges, applies the first-run defaults when there was no file, and writes the block
// back. Returns true when the file was there and read. A file that is there but cannot be read gets
// the defaults in memory and is left in place rather than overwritten at once.
bool Load(ProgramSettings& settings);

// Writes the whole block to a temporary file and renames it over "soft.dat", so a crash leaves the
// old file or the new one, never a truncated one. False when it could not be written.
bool Save(const ProgramSettings& settings);

}  // namespace SettingsFile
