// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/NameIndex.h"
#include "core/ST_PERLISTRECORD.h"

// The albums of the last album-list job, in the order they were found. The grid stores positions
// into this list. The album-list thread adds while the window thread reads, so access is locked;
// records are heap-held, so a pointer stays valid until Clear().
class AlbumList {
public:
    AlbumList() = default;
    AlbumList(const AlbumList&) = delete;
    AlbumList& operator=(const AlbumList&) = delete;

    // Stores a copy with listIndex = current size and no thumbnail; returns that index.
    std::int32_t Add(const ST_PERLISTRECORD& record);
    // nullptr when i is out of range.
    ST_PERLISTRECORD* Get(std::size_t i) const;
    // A copy of record index, or nothing when index is outside the list. Picture-list operations
    // work on the copy, so nothing they hold points into the list.
    std::optional<ST_PERLISTRECORD> CopyOf(int index) const;
    // Gives record index a new name under the lock (a picture list that learns the album's name
    // from its page); false when index is outside the list.
    bool Rename(int index, std::u16string name);
    std::size_t Size() const;
    // Whether a record has exactly this name (case-sensitive), without a scan of the list.
    bool HasName(const std::u16string& name) const;
    // For numbered variants of a name ("N (1)", "N (2)", ...), as NameIndex keeps them.
    unsigned FirstCounterToTry(const std::u16string& name) const;
    void NoteTakenBelow(const std::u16string& name, unsigned counter);
    // Deletes every record, last first.
    void Clear();

    // Albums selected for the current download job (escape ?6).
    std::atomic<std::int32_t> selectedCount{0};

private:
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<ST_PERLISTRECORD>> records_;
    NameIndex names_;  // the records' names
};
