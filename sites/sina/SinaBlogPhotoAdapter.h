// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// The photo albums (categories) of a Sina blog. The album list keeps the blog's numeric user id as
// the SinaUser.
class SinaBlogPhotoAdapter {
public:
    // address is any page of the blog that carries its title and a link to its article list.
    static void AlbumList(AlbumCall& call, const std::u16string& address);
    static void PictureList(PictureCall& call);
};
