#include "sites/shops/TaobaoShopAdapter.h"

#include <cstddef>
#include <string>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "core/NamingSettings.h"
#include "download/Naming.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/InputRules.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/shops/ItemPrice.h"
#include "sites/shops/ProductPages.h"
#include "sites/shops/ShopHosts.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

constexpr std::u16string_view kListItem = u"<dl class=\"item";
constexpr std::u16string_view kNewListItem = u"<div class=\"item\">";

// The seller's nick name as the page's script gives it, percent-encoded UTF-8 in quotes.
std::u16string SellerName(std::u16string_view page) {
    std::u16string name = Peek(page, u"nickName:", u",");
    if (name.empty()) {
        name = Peek(page, u"NickName\"", u",");
    }
    StringCtrl::ReplaceAll(name, u"'", u"");
    name = StringCtrl::UrlDecode(StringCtrl::Trim(name), true);
    CleanName(name, true);
    return name;
}

// Whether marker stands beyond the page's first ten characters.
bool FoundBeyondStart(std::u16string_view page, std::u16string_view marker) {
    std::size_t pos = page.find(marker);
    return pos != std::u16string_view::npos && pos > 10;
}

void ItemPage(AlbumCall& call, const std::u16string& address) {
    std::u16string text;
    if (!call.Fetch(address, TEXT_INFLATE, text)) {
        return;
    }
    ST_PERLISTRECORD record;
    // "name-淘宝网": the site's part of the title goes.
    record.name = Cut(text, u"<title>", u"</title>");
    if (ContainsAfterStart(record.name, u"-")) {
        record.name = LeftOfLast(record.name, u"-");
    }
    call.SetOwnerName(SellerName(text));
    record.url = address;
    record.pictureCount = -1;
    call.Album(record);
}

void ShopListing(AlbumCall& call, const std::u16string& address) {
    std::u16string lastPage;
    // Not ForEachAlbumPage: an item can end the whole listing (a shop address without a scheme), not
    // only pass itself over.
    ForEachPage(
        call, {.separator = kListItem, .textFlags = TEXT_INFLATE},
        [&](int page) {
            return Format(u"%s&viewType=grid&pageNum=%d", {address, page});
        },
        [&](std::u16string& item) {
            ST_PERLISTRECORD record;
            record.url = Cut(item, u"href=\"", u"\"");
            if (record.url.empty()) {
                return true;
            }
            if (!InputRules::HasScheme(address)) {
                ProductPages::ReportPageShape(call, lastPage, false);
                return false;
            }
            record.url = Absolute(record.url, address);
            record.coverUrl = Cut(item, u"lazyload=\"", u"\"");
            if (record.coverUrl.empty()) {
                record.coverUrl = Cut(item, u"src=\"", u"\"");
            }
            record.coverUrl = Absolute(record.coverUrl, address);
            StringCtrl::SkipPast(item, u"<a");
            StringCtrl::SkipPast(item, u"class=\"item-name\"");
            record.name = Cut(item, u">", u"</a>");
            if (record.name.empty()) {
                return true;
            }
            record.param5 = ContainsAfterStart(item, u"sale-num\">") ? CutNumber(item, u"sale-num\">", u"</")
                                                                     : CutNumber(item, u"<em>", u"</em>");
            record.pictureCount = -1;
            return call.Album(record);
        },
        [&](Page& page) {
            lastPage = page.text;
            if (page.number == 1) {
                call.SetOwnerName(SellerName(page.text));
                call.SetOwnerSuffix(StringCtrl::StripTags(Peek(page.text, u"<ol>", u"</ol>")));
            }
            page.hasNext = !FoundBeyondStart(page.text, u"没有下一页") &&
                           !FoundBeyondStart(page.text, u"disable\">下一页") &&
                           Contains(page.text, u">下一页</a>");
            if (ContainsAfterStart(page.text, u"很抱歉，搜索到“<em>0</em>”个宝贝")) {
                return false;
            }
            // The items stand after the sort bar and before the page-jump form.
            StringCtrl::SkipPast(page.text, u"排序：", false);
            if (ContainsAfterStart(page.text, u"<button type=\"submit\">确定")) {
                StringCtrl::CutAt(page.text, u"<button type=\"submit\">确定");
            }
            // Newer shop pages mark their items differently; once seen, the rest are read so.
            if (!Contains(page.text, page.separator)) {
                page.separator = kNewListItem;
            }
            if (!Contains(page.text, page.separator)) {
                call.Dump(u"taobao.tmp", page.text);
                return false;
            }
            return true;
        });
}

}  // namespace

void TaobaoShopAdapter::AlbumList(AlbumCall& call, const std::u16string& address) {
    if (ContainsAfterStart(address, ShopHosts::kItemHostMarker)) {
        ItemPage(call, address);
    } else {
        ShopListing(call, address);
    }
}

void TaobaoShopAdapter::PictureList(PictureCall& call) {
    const std::u16string& item = call.album().url;
    std::u16string page;
    if (!call.FetchNonEmpty(item, TEXT_INFLATE, page)) {
        return;
    }
    // An item page links its description; any scheme, or none ("//dsc...."), will do.
    if (!ContainsAfterStart(page, u"//" + std::u16string(ShopHosts::kItemDescriptionLabel))) {
        ProductPages::ReportPageShape(call, page, true);
        return;
    }
    const std::u16string price = ItemPrice::Read(page);
    // The thumbnail strip beside the item's photo.
    StringCtrl::SkipPast(page, u"id=\"J_UlThumb\"");
    std::u16string thumbs = StringCtrl::LeftOf(page, u"</ul>");

    const std::u16string prefix = ItemPrice::NamePrefix(call.Extension(), price);
    if (call.Naming().options & OPT_DESCRIPTION_ONLY) {
        return;
    }
    std::u16string_view separator = Contains(thumbs, u"src=\"") ? u"src=\"" : u"image:url(";
    std::vector<std::u16string> candidates = Items(thumbs, separator);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        std::u16string& piece = candidates[i];
        std::u16string address = ContainsAfterStart(piece, u"lazyload=\"") ? Cut(piece, u"lazyload=\"", u"\"")
                                                                           : StringCtrl::LeftOf(piece, u"\"");
        // "..._60x60.jpg": the thumbnail's size suffix goes, leaving the full picture.
        address = LeftOfLast(address, u"_");
        if (!ProductPages::IsWebAddress(address)) {
            continue;
        }
        if (!call.Picture(Absolute(address, item), Format(u"%s主图_%d", {prefix, i + 1}))) {
            return;
        }
    }
    ProductPages::ReportPictures(call);
}
