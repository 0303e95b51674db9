// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobContext.h"
#include "listjob/RecordingAdapters.h"
#include "support/RecordingJobEvents.h"
#include "support/TempDir.h"

// What the jobs run on in these tests: recording events and adapters, the program folder in a fresh
// temporary folder.
struct JobHarness {
    JobHarness() { job.settings.programDir = dir.Path(); }

    TempDir dir;
    RecordingJobEvents events;
    JobContext job;
    RecordingAdapters adapters;
};
