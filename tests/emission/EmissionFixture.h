// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "GridCtrl_src/AlbumView.h"
#include "GridCtrl_src/CoverSource.h"
#include "download/CoverThumbnail.h"
#include "jobs/Emission.h"
#include "jobs/JobContext.h"
#include "support/RecordingJobEvents.h"
#include "support/TempDir.h"

using Texts = std::vector<std::u16string>;

// The window's covers: fetched into the program folder's "tmp/", each file that came taken into
// the thumbnail list as the next index; the list refuses every file (-1) until SetNextIndex.
class RecordingCovers : public CoverSource {
public:
    explicit RecordingCovers(const std::u16string& programDir) : programDir_(programDir) {}

    void SetNextIndex(int first) {
        std::lock_guard lock(mutex_);
        next_ = first;
    }
    Texts Files() const {
        std::lock_guard lock(mutex_);
        return files_;
    }

    int Thumbnail(int k, const std::u16string& coverUrl) override {
        const std::u16string file = FetchCover(programDir_, coverUrl, k);
        if (file.empty()) {
            return -1;
        }
        std::lock_guard lock(mutex_);
        files_.push_back(file);
        return next_ < 0 ? -1 : next_++;
    }

private:
    std::u16string programDir_;
    mutable std::mutex mutex_;
    int next_ = -1;
    Texts files_;
};

// Records the events and shows every album listed in the view at once, as the window does on the
// album list's thread.
class ShowingEvents : public RecordingJobEvents {
public:
    ShowingEvents(AlbumView& view, AlbumList& albums, CoverSource& covers)
        : view_(view), albums_(albums), covers_(covers) {}

    void AlbumListed(int album, const ST_PERLISTRECORD& record) override {
        RecordingJobEvents::AlbumListed(album, record);
        ShowAlbum(view_, albums_, album, &covers_);
    }

private:
    AlbumView& view_;
    AlbumList& albums_;
    CoverSource& covers_;
};

// An album list shown in the row layout, the program folder in a temporary folder.
class EmissionFixture : public testing::Test {
protected:
    void SetUp() override {
        job.settings.programDir = dir.Path();
        SetUpAlbumGrid(view);
    }

    static ST_PERLISTRECORD Album(const std::u16string& name, int count = 0, int privacy = 0) {
        ST_PERLISTRECORD album;
        album.name = name;
        album.pictureCount = count;
        album.privacy = privacy;
        return album;
    }

    void Emit(const ST_PERLISTRECORD& record) { EmitAlbum(record, job.list, events); }
    void RebuildView() { Rebuild(view, job.list.albums, &covers); }

    TempDir dir;
    JobContext job;
    AlbumView view;
    RecordingCovers covers{dir.Path()};
    ShowingEvents events{view, job.list.albums, covers};
};
