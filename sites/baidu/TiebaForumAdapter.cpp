// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/baidu/TiebaForumAdapter.h"

#include "MyCode/StringCtrl.h"
#include "sites/baidu/BaiduHosts.h"
#include "sites/baidu/TiebaForumKeyword.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;
using StringCtrl::RandomFraction;

namespace {

std::u16string Tieba(std::u16string_view pathAndQuery) {
    return std::u16string(BaiduHosts::kTieba) + std::u16string(pathAndQuery);
}

}  // namespace

void TiebaForumAdapter::AlbumList(AlbumCall& call, const std::u16string& keyword) {
    // The albums come as markup inside a JSON string, so its quotes are escaped.
    ForEachAlbumPage(
        call, {.separator = u"class=\\\"grbm_ele_wrapper"},
        [&](int page) {
            return Tieba(Format(u"/photo/g?kw=%s&alt=jview&pn=%d&rn=30&cat_id=all&_=%s",
                                {keyword, page, RandomFraction()}));
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            album.url = Unslashed(Cut(item, u"href=\\\"", u"\\\""));
            StringCtrl::SkipPast(album.url, u"p/");
            if (album.url.empty()) {
                return false;
            }
            album.coverUrl = Unslashed(Cut(item, u"src=\\\"", u"\\\""));
            StringCtrl::SkipPast(item, u"grbm_ele_pic_amount");
            album.pictureCount = CutNumber(item, u">", u"<");
            album.name = StringCtrl::UnescapeJson(Cut(item, u"title=\\\"", u"\\\""));
            return true;
        });
}

void TiebaForumAdapter::PictureList(PictureCall& call) {
    const std::u16string& forum = call.Kept<TiebaForumKeyword>().forum;
    ForEachPage(
        call, {.separator = u"pic_id\""},
        [&](int page) {
            return Tieba(
                Format(u"/photo/g/bw/picture/list?kw=%s&alt=jview&rn=200&tid=%s&pn=%d&ps=%d&pe=%d"
                       u"&wall_type=v&_=%s",
                       {forum, call.album().url, page, 0, 200, RandomFraction()}));
        },
        [&](std::u16string& item) {
            std::u16string id = Cut(item, u"\"", u"\"");
            // A picture without its id has no address.
            if (id.empty()) {
                return true;
            }
            std::u16string description =
                call.Describe(StringCtrl::UnescapeJson(Cut(item, u"descr\":\"", u"\"")));
            return call.Picture(
                std::u16string(BaiduHosts::kTiebaPictures) + u"/forum/pic/item/" + id + u".jpg", description);
        });
}
