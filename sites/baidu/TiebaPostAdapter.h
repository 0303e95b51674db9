// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// One Tieba photo post as one album: the pictures its author posted in it.
class TiebaPostAdapter {
public:
    // post is the post's address.
    static void AlbumList(AlbumCall& call, const std::u16string& post);
    static void PictureList(PictureCall& call);
};
