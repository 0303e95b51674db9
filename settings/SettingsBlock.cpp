// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsBlock.h"

#include <array>

#include "settings/SettingsText.h"

namespace SettingsBlock {

namespace {

void PutU16(std::string& block, std::size_t offset, std::uint16_t value) {
    block[offset] = static_cast<char>(value & 0xFF);
    block[offset + 1] = static_cast<char>(value >> 8);
}

std::uint16_t GetU16(std::string_view block, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(block[offset]) |
                                      (static_cast<unsigned char>(block[offset + 1]) << 8));
}

// Writes text into a field of `units` units, always leaving room for the terminator.
void PutText(std::string& block, std::size_t offset, std::size_t units, std::u16string_view text) {
    std::u16string kept = SettingsText::KeepUnits(text, units - 1);
    for (std::size_t i = 0; i < units; ++i) {
        PutU16(block, offset + 2 * i, i < kept.size() ? kept[i] : 0);
    }
}

std::u16string GetText(std::string_view block, std::size_t offset, std::size_t units) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < units; ++i) {
        char16_t unit = GetU16(block, offset + 2 * i);
        if (unit == 0) {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

std::size_t DownloadAt(std::size_t slot) {
    return DOWNLOAD_OFFSET + slot * DOWNLOAD_ENTRY_SIZE;
}
std::size_t NamingAt(std::size_t slot) {
    return NAMING_OFFSET + slot * NAMING_ENTRY_SIZE;
}

// The six naming texts in their stored order.
template <typename Naming>
auto NamingTexts(Naming& n) {
    return std::array{&n.filePrefix, &n.fileSuffix,   &n.replaceFrom,
                      &n.replaceTo,  &n.folderPrefix, &n.folderSuffix};
}

}  // namespace

std::string Serialise(const ProgramSettings& settings) {
    std::string block(SIZE, '\0');
    for (std::size_t slot = 0; slot < settings.siteSettings.size(); ++slot) {
        const SiteSettings& s = settings.siteSettings[slot];
        std::size_t d = DownloadAt(slot);
        PutU16(block, d, s.download.minPictureKB);
        PutU16(block, d + 2, s.download.maxPictureKB);
        PutU16(block, d + 4, s.download.threadCount);
        PutU16(block, d + 6, s.download.timeoutSec);

        std::size_t n = NamingAt(slot);
        auto texts = NamingTexts(s.naming);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            PutText(block, n + i * NAMING_TEXT_UNITS * 2, NAMING_TEXT_UNITS, *texts[i]);
        }
        PutU16(block, n + NAMING_OPTIONS_OFFSET, s.naming.options);
        block[n + NAMING_BASE_OFFSET] = static_cast<char>(s.naming.baseName);
        block[n + NAMING_FOLDER_OFFSET] = static_cast<char>(s.naming.folderNaming);
    }
    for (std::size_t i = 0; i < HISTORY_SIZE; ++i) {
        PutText(block, INPUT_HISTORY_OFFSET + i * HISTORY_ENTRY_SIZE, HISTORY_FIELD_UNITS,
                settings.inputHistory[i]);
        PutText(block, PATH_HISTORY_OFFSET + i * HISTORY_ENTRY_SIZE, HISTORY_FIELD_UNITS,
                settings.pathHistory[i]);
    }
    return block;
}

void Deserialise(std::string_view bytes, ProgramSettings& settings) {
    std::string block(bytes.substr(0, SIZE));
    block.resize(SIZE, '\0');
    for (std::size_t slot = 0; slot < settings.siteSettings.size(); ++slot) {
        SiteSettings& s = settings.siteSettings[slot];
        std::size_t d = DownloadAt(slot);
        s.download.minPictureKB = GetU16(block, d);
        s.download.maxPictureKB = GetU16(block, d + 2);
        s.download.threadCount = GetU16(block, d + 4);
        s.download.timeoutSec = GetU16(block, d + 6);

        std::size_t n = NamingAt(slot);
        auto texts = NamingTexts(s.naming);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            *texts[i] = GetText(block, n + i * NAMING_TEXT_UNITS * 2, NAMING_TEXT_UNITS);
        }
        s.naming.options = GetU16(block, n + NAMING_OPTIONS_OFFSET);
        s.naming.baseName = static_cast<std::uint8_t>(block[n + NAMING_BASE_OFFSET]);
        s.naming.folderNaming = static_cast<std::uint8_t>(block[n + NAMING_FOLDER_OFFSET]);
    }
    for (std::size_t i = 0; i < HISTORY_SIZE; ++i) {
        settings.inputHistory[i] =
            GetText(block, INPUT_HISTORY_OFFSET + i * HISTORY_ENTRY_SIZE, HISTORY_FIELD_UNITS);
        settings.pathHistory[i] =
            GetText(block, PATH_HISTORY_OFFSET + i * HISTORY_ENTRY_SIZE, HISTORY_FIELD_UNITS);
    }
}

}  // namespace SettingsBlock
