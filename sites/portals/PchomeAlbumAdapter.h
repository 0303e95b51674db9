// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// A PCHome user's albums and their pictures: Big5 pages, paged by their next-page links. The
// pictures are listed as thumbnails and served to their photo pages, which lie under the user name
// the album list keeps (PortalUser).
class PchomeAlbumAdapter {
public:
    // user is the PCHome user name.
    static void AlbumList(AlbumCall& call, const std::u16string& user);
    static void PictureList(PictureCall& call);
};
