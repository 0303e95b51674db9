// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// Babytree keeps two generations of album pages. The new album list carries its albums as JSON in
// the page and the pictures come from a JSON service; the old pages list albums and pictures as
// HTML, each picture on a photo page of its own. Both album lists keep the user id (BabytreeUser).
class BabytreeAlbumAdapter {
public:
    // user is the user id.
    static void AlbumList(AlbumCall& call, const std::u16string& user);
    static void PictureList(PictureCall& call);
    // The old pages, read when the new ones list nothing.
    static void OldAlbumList(AlbumCall& call, const std::u16string& user);
    static void OldPictureList(PictureCall& call);
};
