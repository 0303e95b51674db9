// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// A ZOL user's albums and their pictures, GBK pages paged by their next-page links. The album pages
// show thumbnails; their addresses lead to the full pictures.
class ZolAlbumAdapter {
public:
    // user is the ZOL user name.
    static void AlbumList(AlbumCall& call, const std::u16string& user);
    static void PictureList(PictureCall& call);
};
