// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// The entries of a POCO user's activity list, each entry's page one album.
class PocoActivityAdapter {
public:
    // list is the address of the activity list, holding no page parameter of its own.
    static void AlbumList(AlbumCall& call, const std::u16string& list);
    static void PictureList(PictureCall& call);
};
