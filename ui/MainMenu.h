// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "core/NamingSettings.h"

// Menu 129 of the main window: its pop-ups and items with their command ids. The login items and
// their ids are those of LoginPages.h.
namespace MainMenu {

enum CommandId : int {
    ID_SKIP_DOWNLOADED = 32774,
    ID_ABOUT = 32775,
    ID_YUPOO_LARGE = 32776,
    ID_DOWNLOAD_SETTINGS = 32778,
    ID_NAME_SETTINGS = 32779,
    ID_FIX_ORDER = 32799,
    ID_FIX_FORMAT = 32800,
    ID_THUNDER_LIST_ONLY = 32802,
    ID_ORIGINAL_NAME_FILE = 32804,
    ID_HELP = 32806,
    ID_FILE_TOOLS = 32807,
    ID_TAOBAO_MAIN_ONLY = 32808,
    ID_EXPORT_DOWNLOAD_FILE = 32809,
    ID_EXPORT_THUNDER_LIST = 32810,
    ID_IMPORT_DOWNLOAD_FILE = 32811,
    ID_OPEN_FOLDER_WHEN_DONE = 32812,
    ID_DESCRIPTION_ONLY = 32814,
    // The menu commands the window routes, inclusive.
    ID_FIRST_COMMAND = 32772,
    ID_LAST_COMMAND = 32823,
};

// An item; id 0 is a separator.
struct Item {
    int id;
    const char16_t* text;
};

struct Popup {
    const char16_t* title;
    bool enabled;
    std::vector<Item> items;
};

// The pop-ups in menu order. The blank, disabled entry of thirteen spaces stands between the
// last two.
const std::vector<Popup>& Popups();
inline constexpr char16_t BLANK_ENTRY[] = u"             ";
inline constexpr int BLANK_BEFORE_POPUP = 4;

// Whether id is one of the login items.
bool IsLoginItem(int id);

// The option flag an item of the settings menu toggles, or 0 for an item that toggles none; and
// the item of a flag, or 0.
std::uint16_t OptionOf(int id);
int OptionItem(OptionFlag flag);

}  // namespace MainMenu
