// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

class SiteCall;
class PictureCall;

// What the shops' adapters share: a product is one album of its main pictures.
namespace ProductPages {

// An address a page gives for a picture or an item: "http://", "https://" or protocol-relative
// "//host/...".
bool IsWebAddress(std::u16string_view address);

// A page the markers do not fit: kept as "log.err" in the program folder for the author, the user
// is told, and the job counts the album (or the list) as not read (SiteCall::ReportPageShape).
// withNumber chooses the picture lists' message, which carries "(2)".
void ReportPageShape(SiteCall& call, std::u16string_view page, bool withNumber);

// A product page without its name (a 1688 shop or a JD item title): the user is told.
void ReportNoProduct(SiteCall& call);

// The end of a product's picture list that was not stopped: how many main pictures were found, or,
// when none was, that the product gave none.
void ReportPictures(PictureCall& call);

// The quoted texts of a list that a page's script gives under key ("auctionImages : ["//a.jpg",
// "//b.jpg"]", "imageList: ['jfs/a.jpg']"), escapes decoded; none when the page has no such list.
std::vector<std::u16string> ScriptList(std::u16string_view page, std::u16string_view key);
// The quoted text a page's script gives under key ("sellerNick : 'name'", "\"shopName\":\"...\""),
// its JavaScript escapes decoded; empty when there is none.
std::u16string ScriptString(std::u16string_view page, std::u16string_view key);
// The value of a tag's attribute, in single quotes, double quotes or none; tag is the text from the
// tag's name on. Empty when the tag has no such attribute ("src" is not "data-src").
std::u16string Attribute(std::u16string_view tag, std::u16string_view name);

// Emits the main pictures in list order, each address once, named prefix + "主图_N" after the
// place N in the list; a place that is empty or no web address is passed over. False when the call
// must return now.
bool EmitMainPictures(PictureCall& call, const std::vector<std::u16string>& addresses,
                      std::u16string_view prefix);

}  // namespace ProductPages
