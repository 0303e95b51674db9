// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The download job as the picture call of one album hands it the album's pictures.
class PictureSink {
public:
    virtual ~PictureSink() = default;
    // The picture emission: the picture joins the album's download.
    virtual void Picture(const std::u16string& url, const std::u16string& description,
                         const std::u16string& headers) = 0;
    // The album is done (its pictures from here on were downloaded before) or the whole download
    // was stopped.
    virtual bool Stopped() const = 0;
    // The album takes the name its own page gives it.
    virtual void RenameAlbum(std::u16string name) = 0;
};
