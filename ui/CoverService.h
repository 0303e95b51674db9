// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include <QImage>

#include "GridCtrl_src/CoverSource.h"

class CThumbnailList;

// An album's cover, fetched into the program folder's "tmp/" and scaled for the thumbnail list, on
// the thread that asks: the cover loader's workers use Fetch, simpler callers Thumbnail. Never on
// the window's thread, since a cover may take as long as its time-out.
class CoverService : public CoverSource {
public:
    explicit CoverService(CThumbnailList& thumbnails) : thumbnails_(thumbnails) {}

    void SetProgramFolder(std::u16string folder) { programDir_ = std::move(folder); }
    const std::u16string& ProgramFolder() const { return programDir_; }

    // Album k's cover as a thumbnail image, not yet in the list; null when there is none.
    static QImage Fetch(const std::u16string& programDir, int k, const std::u16string& coverUrl);
    // Fetches album k's cover and appends it to the list.
    int Thumbnail(int k, const std::u16string& coverUrl) override;

private:
    CThumbnailList& thumbnails_;
    std::u16string programDir_;
};
