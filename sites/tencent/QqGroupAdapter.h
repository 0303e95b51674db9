// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// QQ group albums. Only members see them, so the lists rest on the login cookies of the group site;
// the album list keeps the logged-in member's number (QqGroupMember).
class QqGroupAdapter {
public:
    // group is the group number.
    static void AlbumList(AlbumCall& call, const std::u16string& group);
    static void PictureList(PictureCall& call);
};
