#pragma once

#include <string>

struct JobContext;

// QQ group albums. Only members see them, so the lists rest on the login cookies of the group site;
// the album list keeps the logged-in user's number in siteKey.
class QqGroupAdapter {
public:
    // group is the group number.
    static void AlbumList(const std::u16string& group, JobContext& job);
    static void PictureList(JobContext& job, int albumIndex);
};
