// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// The albums of one NetEase photo user, non-public ones included. Each album is described in a
// script data file; the album keeps that file's address (without its scheme), or its id when only
// the remote call can name the file. The album list keeps the user's name (NeteasePhotoUser).
class NeteasePhotoAdapter {
public:
    // address is the typed address: the user's home page or an album page.
    static void AlbumList(AlbumCall& call, const std::u16string& address);
    static void PictureList(PictureCall& call);
};
