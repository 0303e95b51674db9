// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// The albums of one NetEase pp user; an album is known by its page.
class NeteasePpAdapter {
public:
    // address is the typed pp address.
    static void AlbumList(AlbumCall& call, const std::u16string& address);
    static void PictureList(PictureCall& call);
};
