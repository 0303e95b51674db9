// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// Taobao and Tmall: one item page as an album, or a shop's item listing, one album per item. An
// album's pictures are the item's main pictures, read from its item page, and named with the item's
// price when the user wants it (ItemPrice).
class TaobaoShopAdapter {
public:
    // address is an item page, or a shop's search, category or front page made into its search.
    static void AlbumList(AlbumCall& call, const std::u16string& address);
    static void PictureList(PictureCall& call);
};
