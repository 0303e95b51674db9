// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

#include <mutex>
#include <string>
#include <vector>

// The album grid's image list: cover thumbnails, all exactly one size. Job threads add to it (the
// album list and the layout switch make thumbnails on their own threads) while the window thread
// draws from it, so every access is locked and images are handed out as copies (QImage shares its
// pixels, so a copy is cheap and safe off the window thread).
class CThumbnailList {
public:
    CThumbnailList() = default;
    CThumbnailList(const CThumbnailList&) = delete;
    CThumbnailList& operator=(const CThumbnailList&) = delete;

    static QSize ImageSize();

    // Decodes a picture file in any format Qt's image plugins read, whatever its name says,
    // scales it to fit ImageSize() with its aspect ratio kept, centred on a clear ground, and
    // appends it. Returns its index, or -1 when the file cannot be read or decoded.
    int AddFromFile(const std::u16string& file);
    // A picture's bytes (any format, as a file's) decoded and fitted as Add() fits an image, not
    // appended (null when they are no picture): the cover loader decodes before it takes the list.
    static QImage Decode(const std::string& bytes);
    // Appends an image that Decode() made; -1 for a null image.
    int AddFitted(const QImage& thumbnail);
    // Appends an image already decoded, scaled like a file's; -1 for a null image.
    int Add(const QImage& image);
    // Empties the list; done when a new album list starts.
    void Clear();

    int Count() const;
    // A null image when index is out of range.
    QImage Image(int index) const;

private:
    static QImage Fit(const QImage& image);

    mutable std::mutex mutex_;
    std::vector<QImage> images_;
};
