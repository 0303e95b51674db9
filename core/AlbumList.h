#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

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
    // For numbered variants of a name ("N (1)", "N (2)", ...): the counter to try first, past the
    // last one noted for name, so a long run of equal names is not counted up from 1 for each new
    // one. Every counter below it names an album of the list, as long as no album gave up its name:
    // a rename that frees a name, or a clear, starts every count at 1 again.
    unsigned FirstCounterToTry(const std::u16string& name) const;
    // Notes that counter gave name's variant that was taken, and that those before it were taken.
    void NoteCounterTaken(const std::u16string& name, unsigned counter);
    // Deletes every record, last first.
    void Clear();

    // Albums selected for the current download job (escape ?6).
    std::atomic<std::int32_t> selectedCount{0};

private:
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<ST_PERLISTRECORD>> records_;
    std::unordered_map<std::u16string, int> nameCounts_;         // how many records carry each name
    std::unordered_map<std::u16string, unsigned> nextCounters_;  // FirstCounterToTry by name
};
