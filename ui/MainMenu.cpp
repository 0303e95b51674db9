// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainMenu.h"

#include <algorithm>

#include "ui/LoginPages.h"

namespace MainMenu {

namespace {

struct OptionCommand {
    OptionFlag flag;
    int id;
};

constexpr OptionCommand kOptionCommands[] = {
    {OPT_FIX_FORMAT, ID_FIX_FORMAT},
    {OPT_FIX_ORDER, ID_FIX_ORDER},
    {OPT_ORIGINAL_NAME_FILE, ID_ORIGINAL_NAME_FILE},
    {OPT_THUNDER_LIST_ONLY, ID_THUNDER_LIST_ONLY},
    {OPT_OPEN_FOLDER, ID_OPEN_FOLDER_WHEN_DONE},
    {OPT_TAOBAO_MAIN_ONLY, ID_TAOBAO_MAIN_ONLY},
    {OPT_SKIP_DOWNLOADED, ID_SKIP_DOWNLOADED},
    {OPT_YUPOO_LARGE, ID_YUPOO_LARGE},
    {OPT_DESCRIPTION_ONLY, ID_DESCRIPTION_ONLY},
};

std::vector<Item> LoginItems() {
    std::vector<Item> items;
    for (const LoginMenuItem& login : LOGIN_MENU_ITEMS) {
        items.push_back({login.id, login.text});
    }
    return items;
}

}  // namespace

const std::vector<Popup>& Popups() {
    static const std::vector<Popup> popups = {
        {u"<登录>", true, LoginItems()},
        {u"<设置>",
         true,
         {
             {ID_DOWNLOAD_SETTINGS, u"下载参数设置"},
             {ID_NAME_SETTINGS, u"文件名设置"},
             {0, nullptr},
             {ID_THUNDER_LIST_ONLY, u"只生成迅雷下载列表"},
             {ID_ORIGINAL_NAME_FILE, u"生成图片原始名文件"},
             {0, nullptr},
             {ID_FIX_ORDER, u"修正图片顺序"},
             {ID_FIX_FORMAT, u"修正图片格式"},
             {ID_SKIP_DOWNLOADED, u"不下载以前下载过的图片"},
             {ID_OPEN_FOLDER_WHEN_DONE, u"下载完成后打开保存路径"},
             {0, nullptr},
             {ID_TAOBAO_MAIN_ONLY, u"只下载淘宝宝贝主图"},
             {ID_DESCRIPTION_ONLY, u"只下载宝贝描述里的图片"},
             {ID_YUPOO_LARGE, u"又拍相册下载大图（不勾选为下载原图，下载原图速度更慢）"},
         }},
        {u"<导入/导出>",
         false,
         {
             {ID_IMPORT_DOWNLOAD_FILE, u"导入下载文件并开始下载"},
             {0, nullptr},
             {ID_EXPORT_DOWNLOAD_FILE, u"导出下载文件"},
             {ID_EXPORT_THUNDER_LIST, u"导出迅雷下载列表"},
         }},
        {u"<辅助功能>", true, {{ID_FILE_TOOLS, u"文件处理"}}},
        {u"<帮助>", true, {{ID_HELP, u"使用说明"}, {0, nullptr}, {ID_ABOUT, u"版本信息"}}},
    };
    return popups;
}

bool IsLoginItem(int id) {
    return std::any_of(LOGIN_MENU_ITEMS.begin(), LOGIN_MENU_ITEMS.end(),
                       [id](const LoginMenuItem& item) { return item.id == id; });
}

std::uint16_t OptionOf(int id) {
    for (const OptionCommand& command : kOptionCommands) {
        if (command.id == id) {
            return command.flag;
        }
    }
    return 0;
}

int OptionItem(OptionFlag flag) {
    for (const OptionCommand& command : kOptionCommands) {
        if (command.flag == flag) {
            return command.id;
        }
    }
    return 0;
}

}  // namespace MainMenu
