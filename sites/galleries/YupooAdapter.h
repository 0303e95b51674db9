// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// Yupoo albums (sets): a user's album list, or one album typed by its address. The pictures are the
// large ones, or with OPT_YUPOO_LARGE off the originals, each read from its own original-size page.
// Yupoo answers busy visitors with short pages, so every fetch is retried.
class YupooAdapter {
public:
    // input is a user's album list ending in "/albums/" or one album's address.
    static void AlbumList(AlbumCall& call, const std::u16string& input);
    static void PictureList(PictureCall& call);
};
