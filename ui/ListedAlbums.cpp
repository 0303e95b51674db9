// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListedAlbums.h"

#include "GridCtrl_src/AlbumGrid.h"

void ListedAlbums::AlbumListed(int album, const ST_PERLISTRECORD&) {
    ShowAlbum(view_, albums_, album, &covers_);
}
