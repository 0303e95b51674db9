#pragma once

#include <string>

#include "GridCtrl_src/CoverSource.h"

class CThumbnailList;

// The thumbnail view's covers: downloaded into the program folder's "tmp/" and scaled into the
// thumbnail list. It runs on the thread that asks (the album list's or the layout switch's), never
// the window's, since a cover may take as long as its time-out. The program folder is set once the
// start-up has settled it.
class CoverService : public CoverSource {
public:
    explicit CoverService(CThumbnailList& thumbnails) : thumbnails_(thumbnails) {}

    void SetProgramFolder(std::u16string folder) { programDir_ = std::move(folder); }
    int Thumbnail(int k, const std::u16string& coverUrl) override;

private:
    CThumbnailList& thumbnails_;
    std::u16string programDir_;
};
