#pragma once

#include <string_view>

// What the window's site detection makes of the input box's text.
struct DetectedSite {
    bool hit = false;  // no hit: the caller keeps the site type it has
    int siteType = -1;
    // For site type 0 the sub-mode box's selection: 2 for a Tencent Weibo address, 1 for a QQ group
    // address, else 0. -1 for the other site types.
    int subMode = -1;
};

// Looks for the sites' domain markers in an address (http:// or https://), in the window's order;
// the first marker found after the first character wins. A bare number or name is no hit, and JD
// addresses are not detected.
DetectedSite DetectSite(std::u16string_view input);
