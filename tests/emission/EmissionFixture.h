#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "core/JobContext.h"
#include "support/RecordingWindowPort.h"
#include "support/TempDir.h"

using Texts = std::vector<std::u16string>;

// A ready window with the row layout set up, the program folder in a temporary folder.
class EmissionFixture : public testing::Test {
protected:
    void SetUp() override {
        job.window = &window;
        job.ready = 1;
        job.programDir = dir.Path();
        SetUpAlbumGrid(job);
    }

    static ST_PERLISTRECORD Album(const std::u16string& name, int count = 0, int privacy = 0) {
        ST_PERLISTRECORD album;
        album.name = name;
        album.pictureCount = count;
        album.privacy = privacy;
        return album;
    }

    TempDir dir;
    RecordingWindowPort window;
    JobContext job;
};
