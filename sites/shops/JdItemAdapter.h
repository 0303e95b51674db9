// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// A JD item as one album of its main pictures. The album list keeps the item page (ListedProduct); the
// picture list reads the thumbnails from there, so the page is fetched once.
class JdItemAdapter {
public:
    // item is the item page's address.
    static void AlbumList(AlbumCall& call, const std::u16string& item);
    static void PictureList(PictureCall& call);
};
