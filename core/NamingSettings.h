// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// Option flags: the check items of the settings menu. Other bits are kept as read.
enum OptionFlag : std::uint16_t {
    OPT_FIX_FORMAT = 0x001,
    OPT_FIX_ORDER = 0x002,
    OPT_ORIGINAL_NAME_FILE = 0x004,
    OPT_THUNDER_LIST_ONLY = 0x008,
    OPT_OPEN_FOLDER = 0x010,
    OPT_TAOBAO_MAIN_ONLY = 0x020,
    OPT_SKIP_DOWNLOADED = 0x040,
    OPT_YUPOO_LARGE = 0x080,
    OPT_DESCRIPTION_ONLY = 0x100,
};

enum BaseName : std::uint8_t { BASE_DESCRIPTION = 0, BASE_SEQUENCE = 1, BASE_URL = 2 };
enum FolderNaming : std::uint8_t { FOLDER_ALBUM_NAME = 0, FOLDER_NONE = 1 };

// The file-name rules of one site type. Each text holds at most 39 characters (a 40-unit field).
struct NamingSettings {
    std::u16string filePrefix;
    std::u16string fileSuffix;
    std::u16string replaceFrom;
    std::u16string replaceTo;
    std::u16string folderPrefix;
    std::u16string folderSuffix;
    std::uint16_t options = 0;
    std::uint8_t baseName = BASE_DESCRIPTION;
    std::uint8_t folderNaming = FOLDER_ALBUM_NAME;
};
