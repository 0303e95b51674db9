// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PictureList.h"

#include <algorithm>

namespace {

char16_t FoldCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0xFF21 && c <= 0xFF3A) {
        return static_cast<char16_t>(c + 0x20);
    }
    return c;
}

}  // namespace

std::u16string PictureList::FileNameKey(std::u16string_view name) {
    std::u16string key(name);
    std::transform(key.begin(), key.end(), key.begin(), FoldCase);
    return key;
}

void PictureList::Clear() {
    std::lock_guard lock(mutex_);
    url_.clear();
    fileName_.clear();
    headers_.clear();
    fallbackFileName_.clear();
    fileNames_.Clear();
    albumDirCreated_ = false;
}

void PictureList::Append(const PictureRecord& record) {
    std::lock_guard lock(mutex_);
    url_.push_back(record.url);
    fileName_.push_back(record.fileName);
    headers_.push_back(record.headers);
    fallbackFileName_.push_back(record.fallbackFileName);
    fileNames_.Add(FileNameKey(record.fileName));
    // Reserved as well: no other picture may take the name this one may end up with.
    if (!record.fallbackFileName.empty()) {
        fileNames_.Add(FileNameKey(record.fallbackFileName));
    }
}

PictureRecord PictureList::Get(std::size_t i) const {
    std::lock_guard lock(mutex_);
    if (i >= url_.size()) {
        return {};
    }
    return PictureRecord{url_[i], fileName_[i], headers_[i], fallbackFileName_[i]};
}

std::size_t PictureList::Size() const {
    std::lock_guard lock(mutex_);
    return url_.size();
}

void PictureList::SetFileName(std::size_t i, std::u16string fileName) {
    std::lock_guard lock(mutex_);
    if (i < fileName_.size()) {
        fileNames_.Remove(FileNameKey(fileName_[i]));
        fileNames_.Add(FileNameKey(fileName));
        fileName_[i] = std::move(fileName);
    }
}

void PictureList::UseFallbackName(std::size_t i) {
    std::lock_guard lock(mutex_);
    if (i < fileName_.size() && !fallbackFileName_[i].empty()) {
        // The fallback's name is indexed since Append; only the primary's is given up.
        fileNames_.Remove(FileNameKey(fileName_[i]));
        fileName_[i] = std::move(fallbackFileName_[i]);
        fallbackFileName_[i].clear();
    }
}

std::vector<std::u16string> PictureList::Urls() const {
    std::lock_guard lock(mutex_);
    return url_;
}

bool PictureList::HasFileName(std::u16string_view name) const {
    std::lock_guard lock(mutex_);
    return fileNames_.Has(FileNameKey(name));
}

unsigned PictureList::FirstCounterToTry(const std::u16string& base) const {
    std::lock_guard lock(mutex_);
    return fileNames_.FirstCounterToTry(base);
}

void PictureList::NoteTakenBelow(const std::u16string& base, unsigned counter) const {
    std::lock_guard lock(mutex_);
    fileNames_.NoteTakenBelow(base, counter);
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
