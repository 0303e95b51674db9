// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// The photo albums of one Tieba forum. The picture list reads the forum keyword, as the address
// carries it, from the TiebaForumKeyword the normalisation kept; an album is known by its thread id.
class TiebaForumAdapter {
public:
    // keyword is the forum keyword.
    static void AlbumList(AlbumCall& call, const std::u16string& keyword);
    static void PictureList(PictureCall& call);
};
