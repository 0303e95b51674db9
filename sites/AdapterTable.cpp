#include "sites/AdapterTable.h"

#include "core/SiteType.h"
#include "sites/QqGroupAdapter.h"
#include "sites/QzoneAdapter.h"
#include "sites/TencentWeiboAdapter.h"

const PictureListOp* AdapterTable::PicturesFor(int siteType, int subMode) const {
    switch (siteType) {
        case SITE_TENCENT:
            if (subMode == TENCENT_QQGROUP) {
                return &qqGroup.pictures;
            }
            return subMode == TENCENT_WEIBO ? &tencentWeibo.pictures : &qzone.pictures;
        case SITE_BAIDU:
            if (subMode == BAIDU_TIEBA) {
                return &tiebaAlbums.pictures;
            }
            return subMode == BAIDU_TIEBA_PAGE ? &tiebaPage.pictures : &baiduAlbums.pictures;
        case SITE_NETEASE:
            return subMode == NETEASE_PP ? &neteasePp.pictures : &neteasePhoto.pictures;
        case SITE_RENREN:
            return subMode == RENREN_ZHAN ? &renrenZhan.pictures : &renrenPhoto.pictures;
        case SITE_SINA:
            if (subMode == SINA_BLOG_ARTICLES) {
                return &sinaBlogArticles.pictures;
            }
            return subMode == SINA_WEIBO ? &sinaWeibo.pictures : &sinaBlogAlbums.pictures;
        case SITE_56:
            return &site56.pictures;
        case SITE_POCO:
            return subMode == POCO_ACTIVITY ? &pocoActivity.pictures : &pocoAlbums.pictures;
        case SITE_YUPOO:
            return &yupoo.pictures;
        case SITE_51:
            return &site51.pictures;
        case SITE_ZOL:
            return &zol.pictures;
        case SITE_PCHOME:
            return &pchome.pictures;
        case SITE_SHOP:
            return subMode == SHOP_1688 ? &offer1688.pictures : &taobao.pictures;
        case SITE_MOKO:
            return &moko.pictures;
        case SITE_BABYTREE:
            return subMode == BABYTREE_OLD ? &babytreeOld.pictures : &babytreeNew.pictures;
        case SITE_PCONLINE:
            return &pconline.pictures;
        case SITE_HUPU:
            return &hupu.pictures;
        case SITE_JD:
            return &jd.pictures;
        default:
            return nullptr;
    }
}

namespace {

AdapterTable BuildDefault() {
    AdapterTable table;
    // Site type 0: Qzone, QQ group albums and Tencent Weibo.
    table.qzone = {QzoneAdapter::AlbumList, QzoneAdapter::PictureList};
    table.qzoneSecondAlbums = QzoneAdapter::SecondAlbumList;
    table.qqGroup = {QqGroupAdapter::AlbumList, QqGroupAdapter::PictureList};
    table.tencentWeibo = {TencentWeiboAdapter::AlbumList, TencentWeiboAdapter::PictureList};

    // Not built yet, so left empty: an album list for these sites finds nothing and ends with the
    // site's empty-result message.
    //  - site type 1: baiduAlbums, tiebaAlbums, tiebaPage
    //  - site type 2: neteasePp, neteasePhoto
    //  - site type 3: renrenPhoto, renrenSecondPictures, renrenZhan
    //  - site type 4: sinaBlogAlbums, sinaBlogArticles, sinaWeibo
    //  - site types 5 to 7: site56, pocoAlbums, pocoActivity, yupoo
    //  - site types 8 to 10: site51, zol, pchome
    //  - site types 11 and 16: offer1688, taobao, jd
    //  - site types 12 to 15: moko, babytreeNew, babytreeOld, pconline, hupu
    return table;
}

}  // namespace

const AdapterTable& AdapterTable::Default() {
    static const AdapterTable table = BuildDefault();
    return table;
}
