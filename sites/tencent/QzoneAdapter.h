// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class AlbumCall;
class PictureCall;

// Qzone albums of one QQ number. The route service names the owner's data centre and its list,
// view and photo-list hosts; the album lists keep the photo-list and view hosts (QzoneRouteHosts)
// for the picture list.
class QzoneAdapter {
public:
    // qq is the owner's number, digits only.
    static void AlbumList(AlbumCall& call, const std::u16string& qq);
    // The newer list service, tried when AlbumList found nothing; falls back to data centre 102.
    static void SecondAlbumList(AlbumCall& call, const std::u16string& qq);
    static void PictureList(PictureCall& call);
};
