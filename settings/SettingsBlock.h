// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "settings/ProgramSettings.h"

// The byte image of "soft.dat": 19808 bytes, little-endian, no header, version or checksum. It holds
// the 24 per-site slots and the two histories of the program settings. Texts are UTF-16LE and
// NUL-terminated inside fixed fields; what follows the terminator means nothing.
namespace SettingsBlock {

constexpr std::size_t SIZE = 19808;

constexpr std::size_t DOWNLOAD_OFFSET = 0;
constexpr std::size_t DOWNLOAD_ENTRY_SIZE = 8;  // min KB, max KB, threads, time-out: u16 each

constexpr std::size_t NAMING_OFFSET = 192;
constexpr std::size_t NAMING_ENTRY_SIZE = 484;
constexpr std::size_t NAMING_TEXT_UNITS = 40;  // six fields in NamingSettings order
constexpr std::size_t NAMING_OPTIONS_OFFSET = 480;
constexpr std::size_t NAMING_BASE_OFFSET = 482;
constexpr std::size_t NAMING_FOLDER_OFFSET = 483;

constexpr std::size_t INPUT_HISTORY_OFFSET = 0x2E20;
constexpr std::size_t PATH_HISTORY_OFFSET = 0x3DC0;
constexpr std::size_t HISTORY_ENTRY_SIZE = HISTORY_FIELD_UNITS * 2;

static_assert(NAMING_OFFSET == DOWNLOAD_OFFSET + SETTINGS_SLOT_COUNT * DOWNLOAD_ENTRY_SIZE);
static_assert(INPUT_HISTORY_OFFSET == NAMING_OFFSET + SETTINGS_SLOT_COUNT * NAMING_ENTRY_SIZE);
static_assert(PATH_HISTORY_OFFSET == INPUT_HISTORY_OFFSET + HISTORY_SIZE * HISTORY_ENTRY_SIZE);
static_assert(SIZE == PATH_HISTORY_OFFSET + HISTORY_SIZE * HISTORY_ENTRY_SIZE);

// The block of siteSettings, inputHistory and pathHistory. A text longer than its field allows is
// cut so that the terminator still fits.
std::string Serialise(const ProgramSettings& settings);

// Fills siteSettings, inputHistory and pathHistory from bytes. Bytes past SIZE are ignored; a
// shorter image reads as if the rest were zero. A field without a terminator is cut at its last unit.
void Deserialise(std::string_view bytes, ProgramSettings& settings);

}  // namespace SettingsBlock
