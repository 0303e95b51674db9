// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// The articles of a Sina blog, each an album of one picture: the first of the article.
class SinaBlogArticleAdapter {
public:
    // listAddress is the article list's address cut before its last "_"; the pages are
    // listAddress + "_1.html", "_2.html", ...
    static void AlbumList(AlbumCall& call, const std::u16string& listAddress);
    static void PictureList(PictureCall& call);
};
