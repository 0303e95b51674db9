#pragma once

#include <string>
#include <string_view>

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

}  // namespace ProductPages
