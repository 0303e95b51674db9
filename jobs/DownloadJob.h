// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DownloadRequest.h"
#include "core/JobEvents.h"

struct AdapterTable;
struct JobContext;

// The download job's thread body: for each album of the request, in its order, lists the album's
// pictures through the adapter row of the last list, downloads them with the worker pool (or
// writes a download list) and runs the passes, telling events as it goes. Returns 0.
int DownloadJobFunc(const DownloadRequest& request, JobContext& context, const AdapterTable& adapters,
                    JobEvents& events);
