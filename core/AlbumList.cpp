// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AlbumList.h"

std::int32_t AlbumList::Add(const ST_PERLISTRECORD& record) {
    std::lock_guard lock(mutex_);
    auto index = static_cast<std::int32_t>(records_.size());
    records_.push_back(std::make_unique<ST_PERLISTRECORD>(ST_PERLISTRECORD::CopyForList(record, index)));
    names_.Add(record.name);
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
    std::u16string& current = records_[static_cast<std::size_t>(index)]->name;
    names_.Remove(current);
    names_.Add(name);
    current = std::move(name);
    return true;
}

bool AlbumList::HasName(const std::u16string& name) const {
    std::lock_guard lock(mutex_);
    return names_.Has(name);
}

unsigned AlbumList::FirstCounterToTry(const std::u16string& name) const {
    std::lock_guard lock(mutex_);
    return names_.FirstCounterToTry(name);
}

void AlbumList::NoteTakenBelow(const std::u16string& name, unsigned counter) {
    std::lock_guard lock(mutex_);
    names_.NoteTakenBelow(name, counter);
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
    names_.Clear();
}
