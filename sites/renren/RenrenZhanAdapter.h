// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// Renren zhan mini-sites: every post is an album, listed month by month from the site's archive,
// or for one tag when the address names it. A post gives its first picture.
class RenrenZhanAdapter {
public:
    // address is the mini-site's address as typed.
    static void AlbumList(AlbumCall& call, const std::u16string& address);
    static void PictureList(PictureCall& call);
};
