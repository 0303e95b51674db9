#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "sites/AdapterTable.h"

// An adapter table whose every operation records its name and input. Album-list operations named
// with EmitFrom emit that many albums ("<name> 1", "<name> 2", ...).
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

    AdapterTable table;

private:
    AlbumListOp RecordAlbums(const std::string& name);
    PictureListOp RecordPictures(const std::string& name);

    mutable std::mutex mutex_;
    std::vector<Call> calls_;
    std::map<std::string, int> emits_;
};
