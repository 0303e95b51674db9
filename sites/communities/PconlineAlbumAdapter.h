// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// PConline: a user's album list, page by page from a template; an album is one page of pictures.
// The album list keeps the marker of the page it read last (PconlinePaging).
class PconlineAlbumAdapter {
public:
    // listTemplate is an album-list page address holding "_dk1stp_" where the page marker goes.
    static void AlbumList(AlbumCall& call, const std::u16string& listTemplate);
    static void PictureList(PictureCall& call);
};
