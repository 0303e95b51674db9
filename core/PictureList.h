#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "core/PictureRecord.h"

// The pictures of the album being downloaded: three parallel arrays that always have the same
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
    // All urls in order (the marker file and the download list read them).
    std::vector<std::u16string> Urls() const;

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
    std::u16string albumDir_;
    bool albumDirCreated_ = false;
};
