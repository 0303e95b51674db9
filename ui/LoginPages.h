// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <string>

// The items of the "<登录>" menu, in menu order, with the page each one opens.
enum LoginCommand : int {
    ID_LOGIN_QZONE = 32781,
    ID_LOGIN_TENCENT_WEIBO = 32782,
    ID_LOGIN_BAIDU = 32789,
    ID_LOGIN_NETEASE = 32790,
    ID_LOGIN_RENREN = 32791,
    ID_LOGIN_YUPOO = 32792,
    ID_LOGIN_MOKO = 32793,
    ID_LOGIN_SINA_WEIBO = 32794,
    ID_LOGIN_TAOBAO = 32803,
    ID_LOGIN_56 = 32813,
    ID_LOGIN_HUPU = 32815,
    ID_LOGIN_CUSTOM = 32795,
};

struct LoginMenuItem {
    int id;
    const char16_t* text;
};

extern const std::array<LoginMenuItem, 12> LOGIN_MENU_ITEMS;

// The start page of a login item. The Qzone item opens the space of the QQ number in the input box
// when the sub-mode box shows Qzone (0) and the trimmed input is all digits. Unknown ids give an
// empty text. The custom login starts on a blank page for the user to type an address.
QString LoginPageFor(int commandId, const std::u16string& inputText, int subModeSelection);
