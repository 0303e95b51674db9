// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// The photo albums of a Sina Weibo user. Weibo shows them only to a logged-in visitor, so the album
// list sends the login cookies itself. It keeps the user's id as the SinaUser for the picture list.
class SinaWeiboAdapter {
public:
    // address is the user's Weibo page.
    static void AlbumList(AlbumCall& call, const std::u16string& address);
    // The album's pictures, 32 a page, as many pages as the album's count asks for.
    static void PictureList(PictureCall& call);
};
