// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ListResult.h"
#include "jobs/JobControl.h"
#include "settings/ProgramSettings.h"

// What the jobs work on, owned by the front end, in three parts with one owner each: the program's
// settings (settings/ loads and saves them), the jobs' state bytes and pool (the job controller's),
// and the result of the last album list (the album-list job's; the downloads read it).
struct JobContext {
    ProgramSettings settings;
    JobControl control;
    ListResult list;
};
