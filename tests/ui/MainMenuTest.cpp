// SPDX-License-Identifier: GPL-3.0-or-later
// Menu 129's option items: each option flag has an item of its own in the settings pop-up, and an
// item toggles the flag it stands for and no other.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/OptionToggles.h"
#include "ui/LoginPages.h"
#include "ui/MainMenu.h"

namespace {

TEST(MainMenu, EveryOptionHasItsOwnCheckableItemInTheSettingsPopup) {
    const MainMenu::Popup& settings = MainMenu::Popups()[1];
    ASSERT_EQ(settings.items.front().id, MainMenu::ID_DOWNLOAD_SETTINGS);
    std::set<int> ids;
    for (const OptionToggles::OptionItem& option : OptionToggles::ITEMS) {
        const int id = MainMenu::OptionItem(option.flag);
        SCOPED_TRACE(id);
        EXPECT_GE(id, MainMenu::ID_FIRST_COMMAND);
        EXPECT_LE(id, MainMenu::ID_LAST_COMMAND);
        EXPECT_EQ(MainMenu::OptionOf(id), option.flag);
        ids.insert(id);
        // The item carries the option's text.
        bool found = false;
        for (const MainMenu::Item& item : settings.items) {
            if (item.id == id) {
                found = true;
                EXPECT_EQ(std::u16string(item.text), std::u16string(option.text));
            }
        }
        EXPECT_TRUE(found);
    }
    EXPECT_EQ(ids.size(), OptionToggles::ITEMS.size());
}

TEST(MainMenu, TheOtherItemsToggleNoOption) {
    for (const MainMenu::Popup& popup : MainMenu::Popups()) {
        for (const MainMenu::Item& item : popup.items) {
            if (item.id == 0) {
                continue;
            }
            bool isOption = false;
            for (const OptionToggles::OptionItem& option : OptionToggles::ITEMS) {
                isOption = isOption || MainMenu::OptionItem(option.flag) == item.id;
            }
            if (!isOption) {
                EXPECT_EQ(MainMenu::OptionOf(item.id), 0) << item.id;
            }
        }
    }
    for (const LoginMenuItem& login : LOGIN_MENU_ITEMS) {
        EXPECT_TRUE(MainMenu::IsLoginItem(login.id)) << login.id;
        EXPECT_EQ(MainMenu::OptionOf(login.id), 0) << login.id;
    }
    EXPECT_EQ(MainMenu::OptionItem(static_cast<OptionFlag>(0)), 0);
}

}  // namespace
