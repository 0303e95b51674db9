// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// 56 photo albums: the user's album index and each album's picture pages, both paged by their
// next-page links. The pictures are only served to their own picture page.
class Photo56Adapter {
public:
    // index is the address of the user's album index.
    static void AlbumList(AlbumCall& call, const std::u16string& index);
    static void PictureList(PictureCall& call);
};
