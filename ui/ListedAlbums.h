// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/JobEvents.h"

class AlbumList;
class CoverSource;
struct AlbumView;

// The events that run where the job runs: an album listed is shown in the grid's data at once,
// its cover fetched on the album list's thread in the thumbnail layout, so the window never waits
// for a cover.
class ListedAlbums : public JobEvents {
public:
    ListedAlbums(AlbumView& view, AlbumList& albums, CoverSource& covers)
        : view_(view), albums_(albums), covers_(covers) {}

    void AlbumListed(int album, const ST_PERLISTRECORD& record) override;

private:
    AlbumView& view_;
    AlbumList& albums_;
    CoverSource& covers_;
};
