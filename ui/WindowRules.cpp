// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowRules.h"

#include "MyCode/StringCtrl.h"

namespace WindowRules {

const std::array<const char16_t*, SITE_TYPE_COUNT> SITE_NAMES = {
    u"腾讯", u"百度",   u"网易",           u"人人", u"新浪",   u"56",           u"POCO", u"又拍", u"51",
    u"ZOL",  u"PCHome", u"淘宝/天猫/1688", u"美空", u"宝宝树", u"太平洋电脑网", u"虎扑", u"京东",
};

const std::array<const char16_t*, 3> TENCENT_SUBMODES = {u"QQ空间相册", u"QQ群相册", u"腾讯微博相册"};

const char16_t NOTICE_TEXT[] =
    u"提示：QQ空间直接输入QQ号，其他网站输入相册所在页面的网址；私密相册请先在<登录>菜单里登录。";

const char16_t SPLASH_TEXT[] = u"相册批量下载\n正在启动，请稍候...";

namespace {

constexpr std::size_t kClipboardInputMax = 199;

std::u16string AsciiLower(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return lower;
}

}  // namespace

std::u16string ClipboardInput(std::u16string_view clipboard) {
    std::u16string text = StringCtrl::Trim(clipboard);
    if (text.empty() || text.size() > kClipboardInputMax) {
        return {};
    }
    return text;
}

bool IsTemporaryFolder(std::u16string_view programDir) {
    std::u16string lower = AsciiLower(programDir);
    for (std::u16string_view marker : {u"/temp/", u"/tmp/", u"/locals"}) {
        if (lower.find(marker) != std::u16string::npos) {
            return true;
        }
    }
    return false;
}

std::u16string StartSaveFolder(std::u16string_view programDir, std::u16string_view documentsDir) {
    if (!IsTemporaryFolder(programDir)) {
        return std::u16string(programDir);
    }
    return WithTrailingSlash(documentsDir) + u"Orvelle/";
}

std::u16string WithTrailingSlash(std::u16string_view folder) {
    std::u16string result(folder);
    if (!result.empty() && result.back() != u'/') {
        result.push_back(u'/');
    }
    return result;
}

std::u16string DroppedFolder(std::u16string_view path, bool isDirectory) {
    if (isDirectory) {
        return WithTrailingSlash(path);
    }
    // A file stands for the folder it lies in; a bare name has none.
    std::size_t slash = path.rfind(u'/');
    if (slash == std::u16string_view::npos) {
        return {};
    }
    return std::u16string(path.substr(0, slash + 1));
}

std::u16string UnwritableNotice(std::u16string_view programDir, std::u16string_view part) {
    return StringCtrl::Format(part == programDir ? u"无法写入程序文件夹 %s，设置和 Cookie 将无法保存"
                                                 : u"无法写入程序文件夹中的 %s，设置和 Cookie 将无法保存",
                              {part});
}

std::u16string CsvExportName(std::u16string_view ownerName, std::u16string_view yyyymmdd) {
    std::u16string owner(ownerName);
    while (!owner.empty() && owner.back() == u'/') {
        owner.pop_back();
    }
    // An owner folder of two levels still makes one file name.
    for (char16_t& c : owner) {
        if (c == u'/') {
            c = u'_';
        }
    }
    if (owner.empty()) {
        owner = u"相册列表";
    }
    return owner + u"_" + std::u16string(yyyymmdd) + u".csv";
}

std::u16string NothingOpensNotice(std::u16string_view path, bool isFolder) {
    return (isFolder ? std::u16string(u"没有找到能打开文件夹的文件管理器，请自行打开：\n")
                     : std::u16string(u"没有找到能打开网页的浏览器，请用浏览器自行打开：\n")) +
           std::u16string(path);
}

}  // namespace WindowRules
