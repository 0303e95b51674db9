// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// Moko: a user's posts sorted into categories, each listed page by page; an album is one post page.
class MokoAlbumAdapter {
public:
    // input is a post-list page of the user, or one category page.
    static void AlbumList(AlbumCall& call, const std::u16string& input);
    static void PictureList(PictureCall& call);
};
