// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// Tencent Weibo albums of one account. The album list keeps the account's numeric id beside the
// name the normalisation kept (TencentWeiboAccount); the picture list asks by both.
class TencentWeiboAdapter {
public:
    // account is the account name.
    static void AlbumList(AlbumCall& call, const std::u16string& account);
    static void PictureList(PictureCall& call);
};
