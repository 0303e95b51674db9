#include "core/AlbumList.h"

std::int32_t AlbumList::Add(const ST_PERLISTRECORD& record) {
    std::lock_guard lock(mutex_);
    auto index = static_cast<std::int32_t>(records_.size());
    records_.push_back(std::make_unique<ST_PERLISTRECORD>(ST_PERLISTRECORD::CopyForList(record, index)));
    return index;
}

ST_PERLISTRECORD* AlbumList::Get(std::size_t i) const {
    std::lock_guard lock(mutex_);
    return i < records_.size() ? records_[i].get() : nullptr;
}

std::optional<ST_PERLISTRECORD> AlbumList::CopyOf(int index) const {
    std::lock_guard lock(mutex_);
    if (index < 0 || static_cast<std::size_t>(index) >= records_.size()) {
        return std::nullopt;
    }
    return *records_[static_cast<std::size_t>(index)];
}

bool AlbumList::Rename(int index, std::u16string name) {
    std::lock_guard lock(mutex_);
    if (index < 0 || static_cast<std::size_t>(index) >= records_.size()) {
        return false;
    }
    records_[static_cast<std::size_t>(index)]->name = std::move(name);
    return true;
}

std::size_t AlbumList::Size() const {
    std::lock_guard lock(mutex_);
    return records_.size();
}

void AlbumList::Clear() {
    std::lock_guard lock(mutex_);
    while (!records_.empty()) {
        records_.pop_back();
    }
}
