// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "core/NameIndex.h"
#include "core/PictureRecord.h"

// The pictures of the album being downloaded: parallel arrays that always have the same
// length. The download thread fills it before the pool starts; workers read copies of entries.
class PictureList {
public:
    PictureList() = default;
    PictureList(const PictureList&) = delete;
    PictureList& operator=(const PictureList&) = delete;

    void Clear();
    void Append(const PictureRecord& record);
    // A copy of entry i, so a reader never holds a reference into arrays that may be cleared.
    // An empty record when i is out of range.
    PictureRecord Get(std::size_t i) const;
    std::size_t Size() const;
    // Renames entry i's target (the format fix moves files); nothing when i is out of range.
    void SetFileName(std::size_t i, std::u16string fileName);
    // Entry i's fallback address brought the picture: its target is its fallbackFileName from now
    // on, and the name it no longer uses is free. Nothing when it has no fallback name.
    void UseFallbackName(std::size_t i);
    // All urls in order (the marker file and the download list read them).
    std::vector<std::u16string> Urls() const;

    // Whether a listed file name (a fallback's name too) equals name without regard to letter
    // case, as FileNameKey compares them; no scan of the list.
    bool HasFileName(std::u16string_view name) const;
    // For numbered variants of a file name ("N(1).jpg", "N(2).jpg", ...) of a base (the stem and
    // extension as FileNameKey gives them), as NameIndex keeps them.
    unsigned FirstCounterToTry(const std::u16string& base) const;
    void NoteTakenBelow(const std::u16string& base, unsigned counter) const;
    // A file name as Windows compares file names, for the letters picture names realistically
    // hold: ASCII, Latin-1 and the full-width Latin letters of Chinese text in lower case.
    static std::u16string FileNameKey(std::u16string_view name);

    void SetAlbumDir(std::u16string dir);
    // The current album's folder, ending with "/".
    std::u16string AlbumDir() const;
    // Whether the album's folder was made for this download (it did not exist before); Clear()
    // forgets it. A stopped download removes such a folder when nothing was saved into it.
    void SetAlbumDirCreated(bool created);
    bool AlbumDirCreated() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::u16string> url_;
    std::vector<std::u16string> fileName_;
    std::vector<std::u16string> headers_;
    std::vector<std::u16string> fallbackFileName_;
    // The file names' keys; the counters are a cache that const readers may fill.
    mutable NameIndex fileNames_;
    std::u16string albumDir_;
    bool albumDirCreated_ = false;
};
