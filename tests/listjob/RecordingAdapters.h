// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "sites/AdapterTable.h"

// The adapter table with every operation recording its name and input instead of reaching a site;
// second lists record under their own names. Album-list operations named with EmitFrom emit that
// many albums ("<name> 1", "<name> 2", ...).
class RecordingAdapters {
public:
    struct Call {
        std::string name;
        std::u16string input;  // album lists: the normalised input; picture lists: the album index
        bool operator==(const Call&) const = default;
    };

    RecordingAdapters();

    void EmitFrom(const std::string& name, int albums = 1);
    std::vector<Call> Calls() const;

    // The row of that name, for a test that puts its own operation in.
    AdapterRow& Row(std::string_view name);

    AdapterTable table;

private:
    AlbumListOp RecordAlbums(const std::string& name);
    PictureListOp RecordPictures(const std::string& name);

    mutable std::mutex mutex_;
    std::vector<Call> calls_;
    std::map<std::string, int> emits_;
};
