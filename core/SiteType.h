// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The site catalogue. The values are the items of the site box in order and index the settings
// slots, so they never change.
enum SiteType : int {
    SITE_TENCENT = 0,
    SITE_BAIDU = 1,
    SITE_NETEASE = 2,
    SITE_RENREN = 3,
    SITE_SINA = 4,
    SITE_56 = 5,
    SITE_POCO = 6,
    SITE_YUPOO = 7,
    SITE_51 = 8,
    SITE_ZOL = 9,
    SITE_PCHOME = 10,
    SITE_SHOP = 11,
    SITE_MOKO = 12,
    SITE_BABYTREE = 13,
    SITE_PCONLINE = 14,
    SITE_HUPU = 15,
    SITE_JD = 16,
};

constexpr int SITE_TYPE_COUNT = 17;
// The settings file keeps 24 slots; 17..23 are loaded, repaired and saved but no site reads them.
constexpr int SETTINGS_SLOT_COUNT = 24;

// Sub-modes choose the adapter pair inside a site type. Only these values are ever produced.
enum SubMode : int {
    SUBMODE_UNSET = -1,
    TENCENT_QZONE = 0,
    TENCENT_QQGROUP = 1,
    TENCENT_WEIBO = 2,
    BAIDU_ALBUM = 0,
    BAIDU_TIEBA = 1,
    BAIDU_TIEBA_PAGE = 2,
    NETEASE_PP = 1,  // any other value: photo albums
    RENREN_PHOTO = 0,
    RENREN_ZHAN = 10,
    SINA_BLOG_ALBUMS = 0,
    SINA_BLOG_ARTICLES = 1,
    SINA_WEIBO = 2,
    SINA_WEIBO_MOBILE = 3,  // a Weibo user's post pictures through the mobile site's API
    POCO_ALBUMS = 0,
    POCO_ACTIVITY = 1,
    SHOP_1688 = 2,  // any other value: Taobao or Tmall
    BABYTREE_NEW = 0,
    BABYTREE_OLD = 1,
};
