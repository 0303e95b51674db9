// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/OptionToggles.h"

#include "core/SiteType.h"

namespace OptionToggles {

const std::array<OptionItem, 9> ITEMS = {{
    {OPT_FIX_FORMAT, u"修正图片格式"},
    {OPT_FIX_ORDER, u"修正图片顺序"},
    {OPT_ORIGINAL_NAME_FILE, u"生成图片原始名文件"},
    {OPT_THUNDER_LIST_ONLY, u"只生成迅雷下载列表"},
    {OPT_OPEN_FOLDER, u"下载完成后打开保存路径"},
    {OPT_TAOBAO_MAIN_ONLY, u"只下载淘宝宝贝主图"},
    {OPT_SKIP_DOWNLOADED, u"不下载以前下载过的图片"},
    {OPT_YUPOO_LARGE, u"又拍相册下载大图（不勾选为下载原图，下载原图速度更慢）"},
    {OPT_DESCRIPTION_ONLY, u"只下载宝贝描述里的图片"},
}};

bool IsEnabled(OptionFlag flag, int siteType) {
    switch (flag) {
        case OPT_TAOBAO_MAIN_ONLY:
        case OPT_DESCRIPTION_ONLY:
            return siteType == SITE_SHOP;
        case OPT_YUPOO_LARGE:
            return siteType == SITE_YUPOO;
        default:
            return true;
    }
}

std::uint16_t Toggle(std::uint16_t options, OptionFlag flag) {
    options ^= flag;
    if (options & flag) {
        if (flag == OPT_TAOBAO_MAIN_ONLY) {
            options &= static_cast<std::uint16_t>(~OPT_DESCRIPTION_ONLY);
        } else if (flag == OPT_DESCRIPTION_ONLY) {
            options &= static_cast<std::uint16_t>(~OPT_TAOBAO_MAIN_ONLY);
        }
    }
    return options;
}

}  // namespace OptionToggles
