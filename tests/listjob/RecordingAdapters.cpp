// SPDX-License-Identifier: GPL-3.0-or-later
#include "listjob/RecordingAdapters.h"

#include <stdexcept>
#include <utility>

#include "core/ST_PERLISTRECORD.h"
#include "platform/CodePage.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/PictureCall.h"

RecordingAdapters::RecordingAdapters() : table(AdapterTable::Default()) {
    for (AdapterRow& row : table.rows) {
        std::string name(row.name);
        row.albums = RecordAlbums(name);
        row.pictures = RecordPictures(name);
        if (!row.secondAlbumsName.empty()) {
            row.secondAlbums = RecordAlbums(std::string(row.secondAlbumsName));
        }
        if (!row.secondPicturesName.empty()) {
            row.secondPictures = RecordPictures(std::string(row.secondPicturesName));
        }
    }
}

void RecordingAdapters::EmitFrom(const std::string& name, int albums) {
    std::lock_guard lock(mutex_);
    emits_[name] = albums;
}

std::vector<RecordingAdapters::Call> RecordingAdapters::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

AdapterRow& RecordingAdapters::Row(std::string_view name) {
    for (AdapterRow& row : table.rows) {
        if (row.name == name) {
            return row;
        }
    }
    throw std::out_of_range(std::string(name));
}

AlbumListOp RecordingAdapters::RecordAlbums(const std::string& name) {
    return [this, name](AlbumCall& call, const std::u16string& input) {
        int albums = 0;
        {
            std::lock_guard lock(mutex_);
            calls_.push_back({name, input});
            auto it = emits_.find(name);
            albums = it == emits_.end() ? 0 : it->second;
        }
        for (int i = 1; i <= albums; ++i) {
            ST_PERLISTRECORD record;
            record.name = CodePage::FromUtf8(name + " " + std::to_string(i));
            record.url = input;
            record.pictureCount = i;
            if (!call.Album(record)) {
                return;
            }
        }
    };
}

PictureListOp RecordingAdapters::RecordPictures(const std::string& name) {
    return [this, name](PictureCall& call) {
        std::lock_guard lock(mutex_);
        calls_.push_back({name, CodePage::FromUtf8(std::to_string(call.albumIndex()))});
    };
}
