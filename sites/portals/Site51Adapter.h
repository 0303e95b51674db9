// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// 51 photo albums, read from the home site's data service: all albums in one answer, the pictures
// page by page. A busy service answers "请稍候再试" (try again later), which is retried. The album
// list keeps the user name (PortalUser) for the picture list.
class Site51Adapter {
public:
    // user is the 51 user name.
    static void AlbumList(AlbumCall& call, const std::u16string& user);
    static void PictureList(PictureCall& call);
};
