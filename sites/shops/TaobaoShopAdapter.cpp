// SPDX-License-Identifier: GPL-3.0-or-later
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

// The seller as the page's script gives it: the nick name percent-encoded UTF-8 in quotes, on
// today's Taobao pages the nick or the shop's name in JavaScript escapes, and on Tmall's only
// inside an address, percent-encoded.
std::u16string SellerName(std::u16string_view page) {
    std::u16string name = Peek(page, u"nickName:", u",");
    if (name.empty()) {
        name = Peek(page, u"NickName\"", u",");
    }
    StringCtrl::ReplaceAll(name, u"'", u"");
    name = StringCtrl::UrlDecode(StringCtrl::Trim(name), true);
    if (name.empty()) {
        name = StringCtrl::Trim(ProductPages::ScriptString(page, u"sellerNick"));
    }
    if (name.empty()) {
        name = StringCtrl::Trim(ProductPages::ScriptString(page, u"shopName"));
    }
    if (name.empty()) {
        constexpr std::u16string_view kKey = u"sellerNickName=";
        const std::size_t at = page.find(kKey);
        if (at != std::u16string_view::npos) {
            std::u16string_view encoded = page.substr(at + kKey.size());
            encoded = encoded.substr(0, encoded.find_first_of(u"&\"' <>"));
            name = StringCtrl::Trim(StringCtrl::UrlDecode(encoded, true));
        }
    }
    CleanName(name, true);
    return name;
}

// Whether marker stands beyond the page's first ten characters.
bool FoundBeyondStart(std::u16string_view page, std::u16string_view marker) {
    std::size_t pos = page.find(marker);
    return pos != std::u16string_view::npos && pos > 10;
}

// An item page links its description; any scheme, or none ("//dsc...."), will do.
bool LinksItsDescription(std::u16string_view page) {
    for (std::u16string_view label : ShopHosts::kItemDescriptionLabels) {
        if (ContainsAfterStart(page, u"//" + std::u16string(label))) {
            return true;
        }
    }
    return false;
}

// The full pictures of a thumbnail strip that names each by its src (or its lazyload): the
// thumbnail's size suffix goes ("..._60x60.jpg"); an address without one is no main picture.
std::vector<std::u16string> Thumbnails(const std::u16string& thumbs) {
    std::u16string_view separator = Contains(thumbs, u"src=\"") ? u"src=\"" : u"image:url(";
    std::vector<std::u16string> pictures = Items(thumbs, separator);
    for (std::u16string& piece : pictures) {
        std::u16string address = ContainsAfterStart(piece, u"lazyload=\"") ? Cut(piece, u"lazyload=\"", u"\"")
                                                                           : StringCtrl::LeftOf(piece, u"\"");
        piece = LeftOfLast(address, u"_");
    }
    return pictures;
}

// "..._50x50.jpg_.webp" or "..._60x60q90.jpg" gives the picture without the sizes; an address
// without them stays.
std::u16string WithoutSizeSuffix(std::u16string address) {
    if (address.ends_with(u"_.webp")) {
        address.erase(address.size() - 6);
    }
    const std::size_t underscore = address.rfind(u'_');
    const std::size_t slash = address.rfind(u'/');
    if (underscore == std::u16string::npos || (slash != std::u16string::npos && underscore < slash)) {
        return address;
    }
    std::u16string_view suffix = std::u16string_view(address).substr(underscore + 1);
    std::size_t digits = 0;
    while (digits < suffix.size() && suffix[digits] >= u'0' && suffix[digits] <= u'9') {
        ++digits;
    }
    if (digits > 0 && digits < suffix.size() && suffix[digits] == u'x') {
        address.erase(underscore);
    }
    return address;
}

// Today's strip: each picture an <img> whose data-src names it before its src does, in any quotes.
std::vector<std::u16string> LazyThumbnails(const std::u16string& thumbs) {
    std::vector<std::u16string> pictures = Items(thumbs, u"<img");
    for (std::u16string& tag : pictures) {
        std::u16string address = ProductPages::Attribute(tag, u"data-src");
        if (address.empty()) {
            address = ProductPages::Attribute(tag, u"src");
        }
        tag = WithoutSizeSuffix(std::move(address));
    }
    return pictures;
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
    if (!LinksItsDescription(page)) {
        ProductPages::ReportPageShape(call, page, true);
        return;
    }
    const std::u16string price = ItemPrice::Read(page);
    // The page's script lists the main pictures in full size; older pages only show them as the
    // thumbnail strip beside the item's photo.
    std::vector<std::u16string> pictures = ProductPages::ScriptList(page, u"auctionImages");
    StringCtrl::SkipPast(page, u"id=\"J_UlThumb\"");
    std::u16string thumbs = StringCtrl::LeftOf(page, u"</ul>");

    const std::u16string prefix = ItemPrice::NamePrefix(call.Extension(), price);
    if (call.Naming().options & OPT_DESCRIPTION_ONLY) {
        return;
    }
    if (pictures.empty()) {
        pictures = Contains(thumbs, u"data-src=") ? LazyThumbnails(thumbs) : Thumbnails(thumbs);
    }
    if (ProductPages::EmitMainPictures(call, pictures, prefix)) {
        ProductPages::ReportPictures(call);
    }
}
