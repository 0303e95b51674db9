#pragma once

#include <string>

struct JobContext;

// Tencent Weibo albums of one account. The album list keeps the account's numeric id in siteKey;
// the account name is in extraKey (the album-list job puts it there).
class TencentWeiboAdapter {
public:
    // account is the account name.
    static void AlbumList(const std::u16string& account, JobContext& job);
    static void PictureList(JobContext& job, int albumIndex);
};
