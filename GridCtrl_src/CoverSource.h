#pragma once

#include <string>

// Where the thumbnail view gets an album's cover picture: the window's cover service fetches it
// and adds it to the thumbnail list.
class CoverSource {
public:
    virtual ~CoverSource() = default;
    // The index of album k's thumbnail in the thumbnail list, made from its cover address; -1 when
    // there is none (no address, not fetched, not a picture).
    virtual int Thumbnail(int k, const std::u16string& coverUrl) = 0;
};
