// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// A Sina Weibo user's post pictures as one album, read through the mobile site's API, which serves
// public accounts without a login. The album list keeps the user's number as the SinaUser.
class WeiboMobileAdapter {
public:
    // address names the user: m.weibo.cn/u/UID, m.weibo.cn/profile/UID or weibo.com/u/UID.
    static void AlbumList(AlbumCall& call, const std::u16string& address);
    // The large pictures of the user's posts, page by page, each once; those of the posts the user
    // passed on only when the extension settings ask for them.
    static void PictureList(PictureCall& call);
};
