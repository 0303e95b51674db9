#include "core/PictureList.h"

void PictureList::Clear() {
    std::lock_guard lock(mutex_);
    url_.clear();
    fileName_.clear();
    headers_.clear();
    albumDirCreated_ = false;
}

void PictureList::Append(const PictureRecord& record) {
    std::lock_guard lock(mutex_);
    url_.push_back(record.url);
    fileName_.push_back(record.fileName);
    headers_.push_back(record.headers);
}

PictureRecord PictureList::Get(std::size_t i) const {
    std::lock_guard lock(mutex_);
    if (i >= url_.size()) {
        return {};
    }
    return PictureRecord{url_[i], fileName_[i], headers_[i]};
}

std::size_t PictureList::Size() const {
    std::lock_guard lock(mutex_);
    return url_.size();
}

void PictureList::SetFileName(std::size_t i, std::u16string fileName) {
    std::lock_guard lock(mutex_);
    if (i < fileName_.size()) {
        fileName_[i] = std::move(fileName);
    }
}

std::vector<std::u16string> PictureList::Urls() const {
    std::lock_guard lock(mutex_);
    return url_;
}

void PictureList::SetAlbumDir(std::u16string dir) {
    std::lock_guard lock(mutex_);
    albumDir_ = std::move(dir);
}

std::u16string PictureList::AlbumDir() const {
    std::lock_guard lock(mutex_);
    return albumDir_;
}

void PictureList::SetAlbumDirCreated(bool created) {
    std::lock_guard lock(mutex_);
    albumDirCreated_ = created;
}

bool PictureList::AlbumDirCreated() const {
    std::lock_guard lock(mutex_);
    return albumDirCreated_;
}
