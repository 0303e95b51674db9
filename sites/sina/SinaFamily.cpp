// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/sina/SinaFamily.h"

#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/sina/SinaBlogArticleAdapter.h"
#include "sites/sina/SinaBlogPhotoAdapter.h"
#include "sites/sina/SinaHosts.h"
#include "sites/sina/SinaWeiboAdapter.h"
#include "sites/sina/WeiboMobileAdapter.h"

namespace {

constexpr std::u16string_view kSinaEmpty =
    u"没有获取到相册，请在登录菜单里登录新浪(微博)帐号后重试,登录时勾上下次自动登录";

// A blog article address lists the blog's articles, a Weibo address the user's Weibo albums (a
// mobile Weibo address the user's post pictures), any other the blog's photo albums.
bool Normalise(ListPlan& plan, AlbumCall&) {
    std::u16string& in = plan.input;
    if (Fields::ContainsAfterStart(in, SinaHosts::kWeiboMobileDomain)) {
        plan.subMode = SINA_WEIBO_MOBILE;
    } else if (Fields::ContainsAfterStart(in, u"/s/")) {
        plan.subMode = SINA_BLOG_ARTICLES;
        std::size_t underscore = in.rfind(u'_');
        in.erase(underscore == std::u16string::npos ? 0 : underscore);
    } else if (Fields::ContainsAfterStart(in, SinaHosts::kWeiboDomain)) {
        plan.subMode = SINA_WEIBO;
    } else {
        plan.subMode = SINA_BLOG_ALBUMS;
    }
    plan.emptyMessage = kSinaEmpty;
    return true;
}

}  // namespace

const SiteFamily& SinaFamily() {
    static const SiteFamily family{
        .name = "Sina",
        .markers = {{SinaHosts::kDomain, SITE_SINA},
                    {SinaHosts::kWeiboDomain, SITE_SINA},
                    {SinaHosts::kWeiboMobileDomain, SITE_SINA}},
        .normalisations = {{SITE_SINA, Normalise}},
        .rows =
            {
                {.name = "sinaBlogAlbums",
                 .siteType = SITE_SINA,
                 .subMode = ANY_SUBMODE,
                 .albums = SinaBlogPhotoAdapter::AlbumList,
                 .pictures = SinaBlogPhotoAdapter::PictureList},
                {.name = "sinaBlogArticles",
                 .siteType = SITE_SINA,
                 .subMode = SINA_BLOG_ARTICLES,
                 .albums = SinaBlogArticleAdapter::AlbumList,
                 .pictures = SinaBlogArticleAdapter::PictureList},
                {.name = "sinaWeibo",
                 .siteType = SITE_SINA,
                 .subMode = SINA_WEIBO,
                 .albums = SinaWeiboAdapter::AlbumList,
                 .pictures = SinaWeiboAdapter::PictureList,
                 // The albums need the login; a user's post pictures do not.
                 .secondAlbumsName = "sinaWeiboMobile",
                 .secondAlbums = WeiboMobileAdapter::AlbumList,
                 .secondAlbumsSubMode = SINA_WEIBO_MOBILE},
                {.name = "sinaWeiboMobile",
                 .siteType = SITE_SINA,
                 .subMode = SINA_WEIBO_MOBILE,
                 .albums = WeiboMobileAdapter::AlbumList,
                 .pictures = WeiboMobileAdapter::PictureList},
            },
    };
    return family;
}
