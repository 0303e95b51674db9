// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// The albums of one user of the Baidu photo album service: the phone-upload album that the user's
// page carries, then the albums of the list service. An album is known by its sign, the service's
// key for it.
class BaiduAlbumAdapter {
public:
    // user is the user name of the album service; it becomes ownerName.
    static void AlbumList(AlbumCall& call, const std::u16string& user);
    static void PictureList(PictureCall& call);
};
