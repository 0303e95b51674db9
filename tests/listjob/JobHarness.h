#pragma once

#include "GridCtrl_src/AlbumGrid.h"
#include "core/JobContext.h"
#include "listjob/RecordingAdapters.h"
#include "support/RecordingWindowPort.h"
#include "support/TempDir.h"

// A started-up window for the jobs: recording port and adapters, the program folder in a fresh
// temporary folder, the grid set up for rows.
struct JobHarness {
    JobHarness() {
        job.window = &port;
        job.programDir = dir.Path();
        job.ready = 1;
        SetUpAlbumGrid(job);
    }

    TempDir dir;
    RecordingWindowPort port;
    JobContext job;
    RecordingAdapters adapters;
};
