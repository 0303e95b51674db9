#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// Tencent Weibo albums of one account. The album list keeps the account's numeric id in siteKey;
// the account name is in extraKey (the album-list job puts it there).
class TencentWeiboAdapter {
public:
    // account is the account name.
    static void AlbumList(AlbumCall& call, const std::u16string& account);
    static void PictureList(PictureCall& call);
};
