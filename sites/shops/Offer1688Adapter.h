// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// A 1688 offer as one album of its main pictures. The album list keeps the offer page (ListedProduct);
// the picture list reads the pictures from there, so the page is fetched once.
class Offer1688Adapter {
public:
    // offer is the offer page's address.
    static void AlbumList(AlbumCall& call, const std::u16string& offer);
    static void PictureList(PictureCall& call);
};
