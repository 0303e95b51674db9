// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "sites/kit/SiteFamily.h"

// Every site family, in the order the site detection tries their markers.
const std::vector<const SiteFamily*>& SiteFamilies();

// The normalisation of a site type's input, or nullptr for a site type outside 0..16.
const Normalisation* NormalisationFor(int siteType);

// What the window's site detection makes of the input box's text.
struct DetectedSite {
    bool hit = false;  // no hit: the caller keeps the site type it has
    int siteType = -1;
    // The sub-mode box's selection that the address implies (site type 0: 2 for a Tencent Weibo
    // address, 1 for a QQ group address, else 0); -1 for the other site types.
    int subMode = -1;
};

// Looks for the families' domain markers in an address (http:// or https://), in their order; the
// first marker found after the first character wins. A bare number or name is no hit, and JD
// addresses are not detected.
DetectedSite DetectSite(std::u16string_view input);
