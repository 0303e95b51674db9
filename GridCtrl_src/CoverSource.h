// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Where the thumbnail view gets an album's cover picture: the window's cover loader fetches it in
// the background and adds it to the thumbnail list; simpler sources fetch it while asked.
class CoverSource {
public:
    virtual ~CoverSource() = default;
    // The index of album k's thumbnail in the thumbnail list, made from its cover address; -1 when
    // there is none (no address, not fetched, not a picture) or none yet: a source that fetches in
    // the background hands the thumbnail on once it has come.
    virtual int Thumbnail(int k, const std::u16string& coverUrl) = 0;
    // The albums the grid shows now, first to last (positions in the list), whose covers a source
    // that fetches in the background fetches before the others.
    virtual void SetVisibleAlbums(int /*first*/, int /*last*/) {}
    // The covers asked for and not yet being fetched are no longer wanted: the grid left the
    // thumbnail layout. The next display asks again.
    virtual void CancelPending() {}
};
