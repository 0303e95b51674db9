// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// Renren photo albums: one typed album, or every album of a user. A password album asks for its
// password in the login browser before its pictures are listed.
class RenrenPhotoAdapter {
public:
    // input is an album address (it holds "/album-") or a user's numeric id.
    static void AlbumList(AlbumCall& call, const std::u16string& input);
    // The album's pictures page by page from the album's own list service.
    static void PictureList(PictureCall& call);
    // For albums the list service does not answer: walks the album from photo page to photo page,
    // each page naming its neighbours by position, down to position 1.
    static void SecondPictureList(PictureCall& call);
};
