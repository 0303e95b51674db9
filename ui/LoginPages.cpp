// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LoginPages.h"

#include <algorithm>

#include "MyCode/StringCtrl.h"
#include "core/SiteType.h"
#include "sites/baidu/BaiduHosts.h"
#include "sites/communities/CommunityHosts.h"
#include "sites/galleries/GalleryHosts.h"
#include "sites/netease/NeteaseHosts.h"
#include "sites/renren/RenrenHosts.h"
#include "sites/shops/ShopHosts.h"
#include "sites/sina/SinaHosts.h"
#include "sites/tencent/TencentHosts.h"

const std::array<LoginMenuItem, 12> LOGIN_MENU_ITEMS = {{
    {ID_LOGIN_QZONE, u"QQ空间/QQ群"},
    {ID_LOGIN_TENCENT_WEIBO, u"腾讯微博（登录时勾上下次自动登录）"},
    {ID_LOGIN_BAIDU, u"百度"},
    {ID_LOGIN_NETEASE, u"网易"},
    {ID_LOGIN_RENREN, u"人人"},
    {ID_LOGIN_YUPOO, u"又拍（下载器没弹窗提示你登录，就不要在这里登录）"},
    {ID_LOGIN_MOKO, u"美空"},
    {ID_LOGIN_SINA_WEIBO, u"新浪微博（登录时勾上下次自动登录）"},
    {ID_LOGIN_TAOBAO, u"淘宝（强烈建议用小号登录）"},
    {ID_LOGIN_56, u"56"},
    {ID_LOGIN_HUPU, u"虎扑"},
    {ID_LOGIN_CUSTOM, u"自定义登录"},
}};

namespace {

QString Page(std::u16string_view host, std::u16string_view path = u"/") {
    std::u16string page(host);
    page += path;
    return QString::fromStdU16String(page);
}

bool AllDigits(const std::u16string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

QString LoginPageFor(int commandId, const std::u16string& inputText, int subModeSelection) {
    switch (commandId) {
        case ID_LOGIN_QZONE: {
            std::u16string number = StringCtrl::Trim(inputText);
            if (subModeSelection == TENCENT_QZONE && AllDigits(number)) {
                return Page(TencentHosts::kQzoneSpace, u"/" + number);
            }
            return Page(TencentHosts::kQzoneSpace);
        }
        case ID_LOGIN_TENCENT_WEIBO:
            return Page(TencentHosts::kWeiboSite);
        case ID_LOGIN_BAIDU:
            return Page(BaiduHosts::kSpace);
        case ID_LOGIN_NETEASE:
            return Page(NeteaseHosts::kPassport);
        case ID_LOGIN_RENREN:
            return Page(RenrenHosts::kMain);
        case ID_LOGIN_YUPOO:
            return Page(GalleryHosts::kYupooMain, u"/account/login/");
        case ID_LOGIN_MOKO: {
            // The page to return to after the login, its colon escaped for the query.
            std::u16string root(CommunityHosts::kMoko);
            root += u"/";
            StringCtrl::ReplaceAll(root, u":", u"%3A");
            return Page(CommunityHosts::kMoko, u"/jsps/common/login.jsp?tourl=" + root);
        }
        case ID_LOGIN_SINA_WEIBO:
            return Page(SinaHosts::kWeibo);
        case ID_LOGIN_TAOBAO:
            return Page(ShopHosts::kTaobaoLogin, u"/member/login.jhtml");
        case ID_LOGIN_56:
            return Page(GalleryHosts::k56User, u"/login/");
        case ID_LOGIN_HUPU:
            return Page(CommunityHosts::kHupuPassport, u"/login");
        case ID_LOGIN_CUSTOM:
            return QStringLiteral("about:blank");
        default:
            return {};
    }
}
