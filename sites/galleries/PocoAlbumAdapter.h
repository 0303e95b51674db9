// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// A POCO user's albums and their pictures, GBK pages paged by their next-page links. An album's
// key names a password album; the pictures are listed as 165-pixel thumbnails.
class PocoAlbumAdapter {
public:
    // user is the POCO user id.
    static void AlbumList(AlbumCall& call, const std::u16string& user);
    static void PictureList(PictureCall& call);
};
