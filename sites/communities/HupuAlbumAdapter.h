// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// Hupu: a user's albums from the personal pages, or the one album of an album page. An album's url
// is its path on the personal-page host without the page suffix ("alice/photo/a123"); its pictures
// are read page by page.
class HupuAlbumAdapter {
public:
    // input is a user page or an album page address.
    static void AlbumList(AlbumCall& call, const std::u16string& input);
    static void PictureList(PictureCall& call);
};
